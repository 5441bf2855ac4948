#include "platform/path.h"

namespace bendpost {

char PathSeparator() { return '\\'; }

}  // namespace bendpost
