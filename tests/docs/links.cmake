# The relative links of the README and docs/ point at files of the
# repository. Included from the top-level CMakeLists.txt with the tests.
if(NOT CMAKE_CROSSCOMPILING)
  set(check ${CMAKE_CURRENT_LIST_DIR}/check_links.cmake)
  add_test(NAME docs.links
    COMMAND ${CMAKE_COMMAND} -D ROOT=${PROJECT_SOURCE_DIR}
            "-DFILES=README.md$<SEMICOLON>docs"
            -P ${check})
  # The check itself must catch a missing file and a link out of the tree.
  add_test(NAME docs.links_detects_broken
    COMMAND ${CMAKE_COMMAND} -D ROOT=${PROJECT_SOURCE_DIR}
            -D FILES=tests/testdata/docs/broken_links.md -P ${check})
  set_tests_properties(docs.links_detects_broken PROPERTIES
    PASS_REGULAR_EXPRESSION
    "broken_links.md:3: no-such-file.md.*broken_links.md:4: \\.\\./\\.\\./\\.\\./\\.\\./README.md.*3 links checked, 2 broken")
endif()
