// The platform's path separator: "\" on Windows, "/" on POSIX systems.
// Code that splits or joins paths asks here instead of testing the platform.
#ifndef BENDPOST_PLATFORM_PATH_H_
#define BENDPOST_PLATFORM_PATH_H_

namespace bendpost {

char PathSeparator();

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_PATH_H_
