# Install rules: the driver library with its public headers, a CMake package
# (find_package(bendpost CONFIG) -> bendpost::bendpost) and a pkg-config
# file, the command-line host with its man page, the examples and the docs.
#
#   <prefix>/bin/bendpost[.exe]            bin/bendpost.dll (Windows)
#   <prefix>/<libdir>/libbendpost.so.0.2.0 (+ .so.0, .so), lib/libbendpost.dll.a
#   <prefix>/include/bendpost/*.h
#   <prefix>/<libdir>/cmake/bendpost/      bendpostConfig*.cmake, targets
#   <prefix>/<libdir>/pkgconfig/bendpost.pc
#   <prefix>/share/bendpost/examples/      jobs, tool table, material
#                                          descriptions, data/f_1..f_4
#   <prefix>/share/doc/bendpost/, <prefix>/share/man/man1/bendpost.1[.gz]
#
# Each rule names its component, one per Debian package (cmake/debian.cmake):
#   lib  the shared library (its runtime part: .so.0.2.0 and .so.0, the DLL)
#   dev  headers, the .so link, import library, CMake package, bendpost.pc
#   cli  the command-line host with its man page, the examples and the docs
# An archive (the zips, cmake --install) holds all three.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(BENDPOST_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/bendpost)

# A host compiles against the public headers only, wherever they are.
set_property(TARGET bendpost PROPERTY INTERFACE_INCLUDE_DIRECTORIES
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>)
add_library(bendpost::bendpost ALIAS bendpost)

install(TARGETS bendpost EXPORT bendpostTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT lib
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT lib
    NAMELINK_COMPONENT dev
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/bendpost
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev
  FILES_MATCHING PATTERN "*.h")

install(EXPORT bendpostTargets NAMESPACE bendpost::
  DESTINATION ${BENDPOST_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/bendpostConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/bendpostConfig.cmake
  INSTALL_DESTINATION ${BENDPOST_CMAKE_DIR})
# Before 1.0 a minor version may change the interface: 0.2 accepts 0.2.x only.
write_basic_package_version_file(
  ${CMAKE_CURRENT_BINARY_DIR}/bendpostConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/bendpostConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/bendpostConfigVersion.cmake
  DESTINATION ${BENDPOST_CMAKE_DIR} COMPONENT dev)

# pkg-config: paths relative to the .pc file's prefix, so that a moved tree
# (a zip unpacked anywhere, DESTDIR) still answers with its own paths.
file(RELATIVE_PATH BENDPOST_PC_TO_PREFIX
  /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" BENDPOST_PC_TO_PREFIX "${BENDPOST_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/bendpost.pc.in
  ${CMAKE_CURRENT_BINARY_DIR}/bendpost.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/bendpost.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

if(TARGET bendpost_command)
  install(TARGETS bendpost_command RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    COMPONENT cli)
  configure_file(${PROJECT_SOURCE_DIR}/docs/bendpost.1.in
    ${CMAKE_CURRENT_BINARY_DIR}/bendpost.1 @ONLY)
  set(man_page ${CMAKE_CURRENT_BINARY_DIR}/bendpost.1)
  if(NOT WIN32)
    # Debian ships manual pages compressed. -n leaves the name and time out
    # of the header: the bytes depend on the page alone.
    add_custom_command(OUTPUT ${man_page}.gz
      COMMAND gzip -9nkf ${man_page}
      DEPENDS ${man_page}
      COMMENT "Compressed man page"
      VERBATIM)
    add_custom_target(bendpost_man_page ALL DEPENDS ${man_page}.gz)
    set(man_page ${man_page}.gz)
  endif()
  install(FILES ${man_page}
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT cli)
endif()

set(BENDPOST_EXAMPLES_DIR ${CMAKE_INSTALL_DATADIR}/bendpost/examples)
install(FILES
  ${PROJECT_SOURCE_DIR}/examples/bracket_mm.json
  ${PROJECT_SOURCE_DIR}/examples/bracket_inch.json
  ${PROJECT_SOURCE_DIR}/examples/cover_two_setups.json
  ${PROJECT_SOURCE_DIR}/examples/tools.txt
  DESTINATION ${BENDPOST_EXAMPLES_DIR} COMPONENT cli)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/materials
  DESTINATION ${BENDPOST_EXAMPLES_DIR} COMPONENT cli)
if(TARGET bendpost_example_data)
  # The material data files built from the descriptions by the host.
  install(DIRECTORY ${CMAKE_BINARY_DIR}/examples/data
    DESTINATION ${BENDPOST_EXAMPLES_DIR} COMPONENT cli)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/README.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT cli)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/
  DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs COMPONENT cli
  PATTERN "bendpost.1.in" EXCLUDE
  PATTERN "LOADING.txt" EXCLUDE)
if(WIN32)
  # How a host loads the DLL, at the top of the zip.
  install(FILES ${PROJECT_SOURCE_DIR}/docs/LOADING.txt DESTINATION .
    COMPONENT cli)
endif()
