#include "platform/path.h"

namespace bendpost {

char PathSeparator() { return '\\'; }

// Windows takes "/" as a separator too, but a "\" decides first; one in the
// first place only (a path relative to the drive's root) does not.
size_t FolderEnd(std::string_view path) {
  const size_t cut = path.rfind(PathSeparator());
  return cut == std::string_view::npos || cut == 0 ? path.rfind('/') : cut;
}

}  // namespace bendpost
