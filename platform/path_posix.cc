#include "platform/path.h"

namespace bendpost {

char PathSeparator() { return '/'; }

size_t FolderEnd(std::string_view path) { return path.rfind(PathSeparator()); }

}  // namespace bendpost
