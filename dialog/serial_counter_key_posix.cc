// The serial counter's key on POSIX systems: there is no 32-bit registry
// view to choose from, so the plain "Software\" branch is always used.
#include "dialog/program_identity.h"
#include "platform/serial_key.h"

namespace bendpost {

std::string SerialCounterKeyPath(UserInterface&) {
  return SerialCounterKeyPathFor(false);
}

}  // namespace bendpost
