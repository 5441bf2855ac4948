# Packages made by CPack from the install rules (scripts/package runs it):
#   Linux:   bendpost_<version>_amd64.deb   (DEB)
#   Windows: bendpost-<version>-win32.zip / -win64.zip   (ZIP)
set(CPACK_PACKAGE_NAME bendpost)
set(CPACK_PACKAGE_VENDOR "bendpost")
set(CPACK_PACKAGE_CONTACT "bendpost maintainers <bendpost@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Press brake post-processor driver: library, headers and command-line host")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
  set(CPACK_PACKAGE_FILE_NAME
    ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # shlibs file and the ldconfig trigger, so that ldconfig finds the library
  # once the package is installed.
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
endif()

include(CPack)
