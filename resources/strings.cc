#include "resources/strings.h"

namespace bendpost {

std::string LoadString(int id) {
  switch (id) {
#define BENDPOST_STRING(sid, name, text) \
  case sid:                              \
    return text;
#include "resources/string_table.inc"
#undef BENDPOST_STRING
  }
  return std::string();
}

}  // namespace bendpost
