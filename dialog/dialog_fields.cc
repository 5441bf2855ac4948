#include "dialog/dialog_fields.h"

#include "resources/dialog_ids.h"
#include "resources/strings.h"

namespace bendpost {
namespace {

using K = FieldKind;
namespace s = strings;

constexpr DialogFieldInfo kFields[] = {
    {"SetupName", IDC_SETUP_NAME, "Setup Name", K::kReadOnly, 0},
    {"ControlTypeName", IDC_CONTROL_TYPE_NAME, "Control Type", K::kReadOnly, 0},
    {"MachineModel", IDC_MACHINE_MODEL, "Machine Model", K::kReadOnly, 0},
    {"FileName", IDC_FILE_NAME, "File Name", K::kReadOnly, 0},
    {"ProgramName", IDC_PROGRAM_NAME, "Program Name", K::kEditable,
     s::kFieldProgramName},
    {"PartReference", IDC_PART_REFERENCE, "Part Reference", K::kEditable,
     s::kFieldPartReference},
    {"TotalSteps", IDC_TOTAL_STEPS, "Total Steps", K::kReadOnly,
     s::kFieldTotalSteps},
    {"HeaderThickness", IDC_HEADER_THICKNESS, "Thickness", K::kReadOnly,
     s::kFieldThickness},
    {"MaterialName", IDC_MATERIAL_NAME, "Material Number", K::kHidden, 0},
    {"MaterialNumber", IDC_MATERIAL_NUMBER, "", K::kHidden,
     s::kFieldMaterialNumber},
    {"PunchName", IDC_PUNCH_NAME, "Punch Name", K::kReadOnly, 0},
    {"DieName", IDC_DIE_NAME, "Die Name", K::kReadOnly, 0},
    {"DieHolderName", IDC_DIE_HOLDER_NAME, "Die Holder Name", K::kReadOnly, 0},
    {"DieHolderRev", IDC_DIE_HOLDER_REV, "Rev", K::kReadOnly, 0},
    {"SpacerName", IDC_SPACER_NAME, "Spacer Name", K::kReadOnly, 0},
    {"DieRev", IDC_DIE_REV, "Rev", K::kReadOnly, 0},
    {"PunchRev", IDC_PUNCH_REV, "Rev", K::kReadOnly, 0},
    {"CreationDate", IDC_CREATION_DATE, "Date of Creation", K::kReadOnly, 0},
    {"PunchTargetName", IDC_PUNCH_TARGET_NAME, "", K::kEditable,
     s::kFieldPunchTargetName},
    {"DieTargetName", IDC_DIE_TARGET_NAME, "", K::kEditable,
     s::kFieldDieTargetName},
    {"DieHolderTargetName", IDC_DIE_HOLDER_TARGET_NAME, "", K::kEditable,
     s::kFieldDieHolderTargetName},
    {"SpacerTargetName", IDC_SPACER_TARGET_NAME, "", K::kEditable,
     s::kFieldSpacerTargetName},
    {"Hardness", IDC_HARDNESS, "            Hardness", K::kEditable,
     s::kFieldHardness},
};
static_assert(sizeof kFields / sizeof kFields[0] == 23);

}  // namespace

std::span<const DialogFieldInfo> ProgramDialogFields() { return kFields; }

const DialogFieldInfo* FindFieldByValueName(std::string_view value_name) {
  for (const DialogFieldInfo& f : kFields) {
    if (value_name == std::string_view(f.value_name)) return &f;
  }
  return nullptr;
}

const DialogFieldInfo* FindFieldByControlId(int control_id) {
  for (const DialogFieldInfo& f : kFields) {
    if (f.control_id == control_id) return &f;
  }
  return nullptr;
}

std::optional<int> ControlIdForValueName(std::string_view value_name) {
  const DialogFieldInfo* f = FindFieldByValueName(value_name);
  if (f == nullptr) return std::nullopt;
  return f->control_id;
}

}  // namespace bendpost
