// The serial counter's key on Windows: the WOW64 test runs each time the
// key is about to be opened, for reading and for writing, and a failing
// test tells the operator each time (platform/serial_key.h).
#include "dialog/program_identity.h"
#include "platform/serial_key.h"

namespace bendpost {

std::string SerialCounterKeyPath(UserInterface& ui) {
  return SerialCounterKeyPathFor(IsWow64(ui));
}

}  // namespace bendpost
