# The one version of the project (project(VERSION) in CMakeLists.txt) on what
# it builds:
# - the driver library: libbendpost.so.0.2.0 with the soname libbendpost.so.0
#   (SOVERSION counts incompatible changes of the exported interface);
# - `bendpost --version` (BENDPOST_VERSION, cli/CMakeLists.txt).
set(BENDPOST_SOVERSION 0)
if(NOT WIN32)
  set_target_properties(bendpost PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${BENDPOST_SOVERSION})
endif()
