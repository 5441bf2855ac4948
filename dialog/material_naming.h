// Material naming: the controls' own material names, their default
// hardness and material number, and the entries of the dialog's material
// list. The tables hold millimetre hardness values; inch jobs of the
// "Operateur" and "BandR" controls see them times kInchHardnessFactor
// (base/units.h).
#ifndef BENDPOST_DIALOG_MATERIAL_NAMING_H_
#define BENDPOST_DIALOG_MATERIAL_NAMING_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/control_type.h"

namespace bendpost {

struct MaterialEntry {
  const char* name;
  float hardness;
  // The material number, for the controls that have one (2 and 7);
  // nullopt: the control type keeps its material number unchanged.
  std::optional<int16_t> number;
};

// The material of the job's material code for a control type (the table
// applied at construction); nullopt when the pair is not in the table.
std::optional<MaterialEntry> MaterialForCode(ControlType control,
                                             int material_code);
// The material list of a control type, in list order (empty for types
// other than the known ones).
std::vector<std::string> MaterialListEntries(ControlType control);
// The material chosen from the list (names compared exactly); nullopt for
// a name that the control type's table does not have.
std::optional<MaterialEntry> MaterialForSelection(ControlType control,
                                                  std::string_view name);
// The entry a drop-down list selects for `name`: the first whose text
// begins with it, ignoring ASCII letter case; -1 when none does or when
// `name` is empty.
int FindMaterialListEntry(const std::vector<std::string>& entries,
                          std::string_view name);

}  // namespace bendpost

#endif  // BENDPOST_DIALOG_MATERIAL_NAMING_H_
