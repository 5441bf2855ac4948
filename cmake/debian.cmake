# The Debian packages: one per install component (cmake/install.cmake), the
# way Debian ships a shared library, so that hosts built against one
# version keep running while the headers and the command come and go:
#   libbendpost0     (lib)  libbendpost.so.0 and .so.0.2.0
#   libbendpost-dev  (dev)  headers, the .so link, CMake package, bendpost.pc
#   bendpost         (cli)  the command-line host, its man page, examples, docs
# Each holds /usr/share/doc/<package>/copyright and changelog.gz.
#
# The library's package registers it with ldconfig through dpkg's trigger
# and declares its soname in a shlibs file, both control files given here;
# CPack's own shlibs generation would add maintainer scripts calling
# ldconfig instead, so its dependencies come from dpkg-shlibdeps run when
# packing (cmake/debian_cpack.cmake.in).
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL lib dev cli)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(BENDPOST_DEB_LIB libbendpost${BENDPOST_SOVERSION})
set(BENDPOST_DEB_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_LIB_PACKAGE_NAME ${BENDPOST_DEB_LIB})
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libbendpost-dev)
set(CPACK_DEBIAN_CLI_PACKAGE_NAME bendpost)
set(CPACK_DEBIAN_LIB_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION misc)

# Each description's first line is its synopsis (no summary is set, which
# CPack would put first in every package).
set(CPACK_COMPONENT_LIB_DESCRIPTION
"press brake post-processor driver (shared library)
The bendpost driver turns a CAD/CAM host's bend jobs into programs for a
hydraulic press brake's control: it asks for the program's details,
computes the bend data from the material files and writes the control
file and its records. A host loads the library and calls its C exports.
.
This package holds the shared library.")
set(CPACK_COMPONENT_DEV_DESCRIPTION
"press brake post-processor driver (development files)
The bendpost driver turns a CAD/CAM host's bend jobs into programs for a
hydraulic press brake's control.
.
This package holds what a host is built with: the C headers, the link to
the shared library, a CMake package (find_package(bendpost CONFIG)) and a
pkg-config file.")
set(CPACK_COMPONENT_CLI_DESCRIPTION
"press brake post-processor driver (command-line host)
The bendpost command runs the press brake post-processor driver on bend
jobs written as JSON files, as a CAD/CAM host would, builds material data
files from their descriptions and prints setup sheets and bending charts.
.
This package holds the command, its manual page, example jobs with a tool
table and material files, and the documentation.")

set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
  "${BENDPOST_DEB_LIB} (= ${BENDPOST_DEB_VERSION})")
set(CPACK_DEBIAN_CLI_PACKAGE_SHLIBDEPS ON)

set(debian_dir ${CMAKE_BINARY_DIR}/debian)
file(WRITE ${debian_dir}/triggers "activate-noawait ldconfig\n")
file(WRITE ${debian_dir}/shlibs
  "libbendpost ${BENDPOST_SOVERSION} ${BENDPOST_DEB_LIB} (>= ${BENDPOST_DEB_VERSION})\n")
set(CPACK_DEBIAN_LIB_PACKAGE_CONTROL_EXTRA
  ${debian_dir}/triggers ${debian_dir}/shlibs)
file(GENERATE OUTPUT ${debian_dir}/cpack_config.cmake
  INPUT ${CMAKE_CURRENT_LIST_DIR}/debian_cpack.cmake.in)
set(CPACK_PROJECT_CONFIG_FILE ${debian_dir}/cpack_config.cmake)

# The changelog compressed as Debian ships it (-n: no name or time in it).
add_custom_command(OUTPUT ${debian_dir}/changelog.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/debian/changelog
    > ${debian_dir}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog
  COMMENT "Compressed Debian changelog")
add_custom_target(bendpost_debian_changelog ALL
  DEPENDS ${debian_dir}/changelog.gz)
foreach(component lib dev cli)
  string(TOUPPER ${component} upper)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright
                ${debian_dir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME}
    COMPONENT ${component})
endforeach()
