// Access to the string table by identifier (resources/string_table.inc).
#ifndef BENDPOST_RESOURCES_STRINGS_H_
#define BENDPOST_RESOURCES_STRINGS_H_

#include <string>

// <windows.h> makes LoadString a macro (LoadStringA); files that include it
// before this header still call the driver's own function.
#ifdef LoadString
#undef LoadString
#endif

namespace bendpost {

namespace strings {
#define BENDPOST_STRING(id, name, text) constexpr int name = id;
#include "resources/string_table.inc"
#undef BENDPOST_STRING
}  // namespace strings

// The text of string `id`; an empty string for an unknown identifier.
std::string LoadString(int id);

}  // namespace bendpost

#endif  // BENDPOST_RESOURCES_STRINGS_H_
