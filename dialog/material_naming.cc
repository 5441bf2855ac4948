#include "dialog/material_naming.h"

#include "dialog/program_dialog.h"
#include "base/text.h"
#include "resources/dialog_ids.h"

namespace bendpost {
namespace {

// The "EX" control names three material families and has no material
// number; "Operateur" and "BandR" tell the two aluminium grades apart.
constexpr MaterialEntry kExMild{"Mild", 32, std::nullopt};
constexpr MaterialEntry kExAluminium{"Aluminium", 15, std::nullopt};
constexpr MaterialEntry kExStainless{"Stainless", 80, std::nullopt};
constexpr MaterialEntry kCrs{"C.R.S.", 40, 1};
constexpr MaterialEntry kAl1{"AL1", 33, 2};
constexpr MaterialEntry kAl2{"AL2", 40, 3};
constexpr MaterialEntry kSs{"S.S.", 60, 4};

bool IsOperateurOrBandR(int control_type) {
  return control_type == 2 || control_type == 7;
}

}  // namespace

std::optional<MaterialEntry> MaterialForCode(int control_type,
                                             int material_code) {
  if (control_type == 0) {
    switch (material_code) {
      case 1:
      case 2:
      case 7:
      case 8:
        return kExMild;
      case 3:
      case 4:
        return kExAluminium;
      case 5:
      case 6:
        return kExStainless;
    }
  } else if (IsOperateurOrBandR(control_type)) {
    switch (material_code) {
      case 1:
      case 2:
      case 7:
      case 8:
        return kCrs;
      case 3:
        return kAl1;
      case 4:
        return kAl2;
      case 5:
      case 6:
        return kSs;
    }
  }
  return std::nullopt;
}

std::vector<std::string> MaterialListEntries(int control_type) {
  if (control_type == 0) {
    return {kExMild.name, kExStainless.name, kExAluminium.name};
  }
  if (IsOperateurOrBandR(control_type)) {
    return {kCrs.name, kAl1.name, kAl2.name, kSs.name};
  }
  return {};
}

std::optional<MaterialEntry> MaterialForSelection(int control_type,
                                                  std::string_view name) {
  const MaterialEntry* table[4] = {};
  if (control_type == 0) {
    table[0] = &kExMild;
    table[1] = &kExAluminium;
    table[2] = &kExStainless;
  } else if (IsOperateurOrBandR(control_type)) {
    table[0] = &kCrs;
    table[1] = &kAl1;
    table[2] = &kAl2;
    table[3] = &kSs;
  }
  for (const MaterialEntry* entry : table) {
    if (entry != nullptr && name == std::string_view(entry->name))
      return *entry;
  }
  return std::nullopt;
}

int FindMaterialListEntry(const std::vector<std::string>& entries,
                          std::string_view name) {
  if (name.empty()) return -1;
  for (size_t i = 0; i < entries.size(); ++i) {
    std::string_view entry = entries[i];
    if (entry.size() >= name.size() &&
        EqualsNoCase(entry.substr(0, name.size()), name)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace bendpost

void ProgramDialog::ApplyMaterialDefaults() {
  if (Store == nullptr) return;
  HeaderThickness = Store->Thickness;
  Hardness = Store->MaterialTensile;
  std::optional<bendpost::MaterialEntry> entry =
      bendpost::MaterialForCode(ControlType, Store->MaterialCode);
  if (!entry) return;
  Hardness = entry->hardness;
  MaterialName = entry->name;
  if (entry->number) MaterialNumber = *entry->number;
}

void ProgramDialog::FillMaterialList(bendpost::DialogFields& fields) {
  std::vector<std::string> entries = bendpost::MaterialListEntries(ControlType);
  fields.FillList(IDC_MATERIAL_LIST, entries);
  fields.SelectListEntry(IDC_MATERIAL_LIST, bendpost::FindMaterialListEntry(
                                                entries, MaterialName.str()));
}

void ProgramDialog::OnMaterialSelected(bendpost::DialogFields& fields) {
  int selected = fields.ListSelection(IDC_MATERIAL_LIST);
  // A selection change always leaves an entry selected; without one there
  // is nothing to take.
  if (selected < 0) return;
  MaterialName = fields.ListEntry(IDC_MATERIAL_LIST, selected);
  std::optional<bendpost::MaterialEntry> entry =
      bendpost::MaterialForSelection(ControlType, MaterialName.str());
  if (entry &&
      (ControlType == 0 || bendpost::IsOperateurOrBandR(ControlType))) {
    Hardness = entry->hardness;
    if (bendpost::IsOperateurOrBandR(ControlType)) {
      if (entry->number) MaterialNumber = *entry->number;
      if (Unit == 1) {
        Hardness = static_cast<float>(Hardness * bendpost::kInchHardnessFactor);
      }
    }
  }
  ValuesToFields(fields);
}
