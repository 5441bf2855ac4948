# Checks the relative links of Markdown files: every [text](target) and
# ![alt](target) whose target is not a URL (scheme:) or an anchor of the
# same page must name a file or folder that exists, inside ROOT.
#
#   cmake -D ROOT=<repository> -D FILES=<file;file;...> -P check_links.cmake
#
# FILES are paths relative to ROOT; a folder stands for its *.md files.
# Prints each broken link as "file:line: target" and fails if there is any.
set(files)
foreach(entry IN LISTS FILES)
  if(IS_DIRECTORY "${ROOT}/${entry}")
    file(GLOB found RELATIVE "${ROOT}" "${ROOT}/${entry}/*.md")
    list(APPEND files ${found})
  else()
    list(APPEND files "${entry}")
  endif()
endforeach()

set(broken 0)
set(checked 0)
foreach(md IN LISTS files)
  get_filename_component(dir "${ROOT}/${md}" DIRECTORY)
  # One list entry per line. CMake lists split at ";" and keep square
  # brackets together: both are replaced first (a link is then ">(target)").
  file(READ "${ROOT}/${md}" content)
  string(REPLACE ";" "," content "${content}")
  string(REPLACE "[" "<" content "${content}")
  string(REPLACE "]" ">" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(number 0)
  set(in_code FALSE)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    # Code blocks show commands and output, not links.
    if(line MATCHES "^```")
      if(in_code)
        set(in_code FALSE)
      else()
        set(in_code TRUE)
      endif()
      continue()
    endif()
    if(in_code)
      continue()
    endif()
    string(REGEX MATCHALL ">\\([^) ]+\\)" links "${line}")
    foreach(link IN LISTS links)
      string(REGEX REPLACE "^>\\(([^) ]+)\\)$" "\\1" target "${link}")
      if(target MATCHES "^[A-Za-z][A-Za-z0-9+.-]*:" OR target MATCHES "^#")
        continue()
      endif()
      string(REGEX REPLACE "#.*$" "" target "${target}")
      math(EXPR checked "${checked} + 1")
      get_filename_component(resolved "${dir}/${target}" ABSOLUTE)
      file(RELATIVE_PATH inside "${ROOT}" "${resolved}")
      if(NOT EXISTS "${resolved}" OR inside MATCHES "^\\.\\.")
        message("${md}:${number}: ${target}")
        math(EXPR broken "${broken} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

message("${checked} links checked, ${broken} broken")
if(broken GREATER 0)
  message(FATAL_ERROR "broken relative links")
endif()
