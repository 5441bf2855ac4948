// No 32-bit emulation layer to account for outside Windows.
#include "platform/serial_key.h"

namespace bendpost {

bool IsWow64(UserInterface&) { return false; }

}  // namespace bendpost
