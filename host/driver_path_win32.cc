// The driver cuts a path into folder and name at its last "\" only; Windows
// itself takes "/" as well, so a path typed with "/" names the same file
// once every "/" is a "\".
#include <algorithm>

#include "host/driver_calls.h"

namespace bendpost::host {

std::string DriverPath(const std::string& path) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '/', '\\');
  return native;
}

}  // namespace bendpost::host
