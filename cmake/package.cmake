# Packages made by CPack from the install rules (scripts/package runs it):
#   Linux:   libbendpost0_<version>_amd64.deb, libbendpost-dev_<version>_amd64.deb,
#            bendpost_<version>_amd64.deb   (DEB, cmake/debian.cmake)
#   Windows: bendpost-<version>-win32.zip / -win64.zip   (ZIP)
#
# Two packagings of one commit give the same bytes: scripts/package sets
# SOURCE_DATE_EPOCH (the commit's time), which CPack gives every archive
# member as its time, and the package presets set BENDPOST_REPRODUCIBLE.
set(CPACK_PACKAGE_NAME bendpost)
set(CPACK_PACKAGE_VENDOR "bendpost")
set(CPACK_PACKAGE_CONTACT "bendpost maintainers <dev@bendpost.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

if(WIN32)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Press brake post-processor driver: library, headers and command-line host")
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
  include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
endif()

include(CPack)
