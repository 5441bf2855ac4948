#include "platform/serial_key.h"

namespace bendpost {

std::string SerialCounterKeyPathFor(bool wow64) {
  return std::string(wow64 ? "Software\\Wow6432Node\\" : "Software\\") +
         kSerialCounterKeyTail;
}

std::string SerialCounterKeyPath(UserInterface& ui) {
  return SerialCounterKeyPathFor(IsWow64(ui));
}

}  // namespace bendpost
