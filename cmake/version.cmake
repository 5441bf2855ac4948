# The one version of the project (project(VERSION) in CMakeLists.txt) on what
# it builds:
# - the driver library: libbendpost.so.0.2.0 with the soname libbendpost.so.0
#   (SOVERSION counts incompatible changes of the exported interface);
# - on Windows, a VERSIONINFO resource in bendpost.dll and bendpost.exe
#   (file version, product name, description);
# - `bendpost --version` (BENDPOST_VERSION, cli/CMakeLists.txt).
set(BENDPOST_SOVERSION 0)
if(NOT WIN32)
  set_target_properties(bendpost PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${BENDPOST_SOVERSION})
endif()

# bendpost_version_resource(TARGET FILE_TYPE DESCRIPTION)
function(bendpost_version_resource target file_type description)
  set(BENDPOST_RC_NAME ${target})
  set(BENDPOST_RC_FILETYPE ${file_type})
  set(BENDPOST_RC_DESCRIPTION "${description}")
  get_target_property(output_name ${target} OUTPUT_NAME)
  if(NOT output_name)
    set(output_name ${target})
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(BENDPOST_RC_FILE ${output_name}.exe)
  else()
    set(BENDPOST_RC_FILE ${output_name}.dll)
  endif()
  set(rc ${CMAKE_BINARY_DIR}/version/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

if(WIN32)
  bendpost_version_resource(bendpost VFT_DLL
    "Press brake post-processor driver")
  if(TARGET bendpost_command)
    bendpost_version_resource(bendpost_command VFT_APP
      "bendpost command-line host")
  endif()
  if(TARGET bendpost_tests)
    # The test of the DLL's version resource (tests/resources).
    target_compile_definitions(bendpost_tests PRIVATE
      BENDPOST_VERSION_TEXT="${PROJECT_VERSION}")
    target_link_libraries(bendpost_tests PRIVATE version)
  endif()
endif()
