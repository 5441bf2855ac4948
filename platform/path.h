// The platform's path separator: "\" on Windows, "/" on POSIX systems.
// Code that splits or joins paths asks here instead of testing the platform.
#ifndef BENDPOST_PLATFORM_PATH_H_
#define BENDPOST_PLATFORM_PATH_H_

#include <cstddef>
#include <string_view>

namespace bendpost {

char PathSeparator();

// Where the folder part of `path` ends: the index of the separator that
// closes it, or npos when `path` has no folder part. POSIX: the last "/"
// ("\" is an ordinary character of a name there). Windows: the last "\"
// when it comes after the first character, else the last "/" ("C:/a\b\x"
// ends its folder at the last "\", "\d/x" at the "/").
size_t FolderEnd(std::string_view path);

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_PATH_H_
