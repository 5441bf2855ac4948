// Paths in the portable tests are written with "/". The driver splits and
// joins paths at the platform's separator ("\" on Windows), so a test turns
// its paths into the platform's form before handing them over or comparing.
#ifndef BENDPOST_TESTS_SUPPORT_NATIVE_PATH_H_
#define BENDPOST_TESTS_SUPPORT_NATIVE_PATH_H_

#include <algorithm>
#include <string>

#include "platform/path.h"

namespace bendpost::test_support {

// "/" replaced by the platform's separator.
inline std::string NativePath(std::string path) {
  std::replace(path.begin(), path.end(), '/', PathSeparator());
  return path;
}

// "/" replaced by the other platform's separator, which the driver must
// treat as an ordinary character of a name.
inline std::string ForeignPath(std::string path) {
  std::replace(path.begin(), path.end(), '/',
               PathSeparator() == '/' ? '\\' : '/');
  return path;
}

}  // namespace bendpost::test_support

#endif  // BENDPOST_TESTS_SUPPORT_NATIVE_PATH_H_
