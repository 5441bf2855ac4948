# The command-line host's header-only libraries (nlohmann JSON, CLI11) in a
# cross build: the build machine's copies, each seen through a folder that
# holds nothing but a link to it. /usr/include itself never goes on the
# include path: its C library headers would shadow the target's.
if(CMAKE_CROSSCOMPILING)
  set(shim ${CMAKE_BINARY_DIR}/header-only)
  file(MAKE_DIRECTORY ${shim})
  foreach(dep IN ITEMS "nlohmann_json::nlohmann_json|nlohmann|json.hpp"
                       "CLI11::CLI11|CLI|CLI.hpp")
    string(REPLACE "|" ";" dep "${dep}")
    list(GET dep 0 target)
    list(GET dep 1 folder)
    list(GET dep 2 header)
    find_path(BENDPOST_${folder}_INCLUDE ${folder}/${header}
      PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
    if(BENDPOST_${folder}_INCLUDE AND NOT TARGET ${target})
      file(CREATE_LINK ${BENDPOST_${folder}_INCLUDE}/${folder}
           ${shim}/${folder} SYMBOLIC)
      add_library(${target} INTERFACE IMPORTED)
      set_target_properties(${target} PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES ${shim})
    endif()
  endforeach()
endif()
