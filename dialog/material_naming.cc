#include "dialog/material_naming.h"

#include "base/text.h"
#include "base/units.h"
#include "dialog/program_dialog.h"
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

}  // namespace

std::optional<MaterialEntry> MaterialForCode(ControlType control,
                                             int material_code) {
  if (control == ControlType::kEx) {
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
  } else if (IsOperateurFamily(control)) {
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

std::vector<std::string> MaterialListEntries(ControlType control) {
  if (control == ControlType::kEx) {
    return {kExMild.name, kExStainless.name, kExAluminium.name};
  }
  if (IsOperateurFamily(control)) {
    return {kCrs.name, kAl1.name, kAl2.name, kSs.name};
  }
  return {};
}

std::optional<MaterialEntry> MaterialForSelection(ControlType control,
                                                  std::string_view name) {
  const MaterialEntry* table[4] = {};
  if (control == ControlType::kEx) {
    table[0] = &kExMild;
    table[1] = &kExAluminium;
    table[2] = &kExStainless;
  } else if (IsOperateurFamily(control)) {
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

void ApplyMaterialDefaults(ProgramHeader& header, const Job& job) {
  header.HeaderThickness = job.Thickness;
  header.Hardness = job.MaterialTensile;
  std::optional<MaterialEntry> entry =
      MaterialForCode(header.Control, job.MaterialCode);
  if (!entry) return;
  header.Hardness = entry->hardness;
  header.MaterialName = entry->name;
  if (entry->number) header.MaterialNumber = *entry->number;
}

void ProgramDialog::FillMaterialList(DialogFields& fields) {
  std::vector<std::string> entries = MaterialListEntries(header_.Control);
  fields.FillList(IDC_MATERIAL_LIST, entries);
  fields.SelectListEntry(
      IDC_MATERIAL_LIST,
      FindMaterialListEntry(entries, header_.MaterialName.str()));
}

void ProgramDialog::OnMaterialSelected(DialogFields& fields) {
  int selected = fields.ListSelection(IDC_MATERIAL_LIST);
  // A selection change always leaves an entry selected; without one there
  // is nothing to take.
  if (selected < 0) return;
  ProgramHeader& h = header_;
  h.MaterialName = fields.ListEntry(IDC_MATERIAL_LIST, selected);
  std::optional<MaterialEntry> entry =
      MaterialForSelection(h.Control, h.MaterialName.str());
  if (entry && IsKnownControl(h.Control)) {
    h.Hardness = entry->hardness;
    if (IsOperateurFamily(h.Control)) {
      if (entry->number) h.MaterialNumber = *entry->number;
      if (IsInchUnit(h.Unit)) {
        h.Hardness = static_cast<float>(h.Hardness * kInchHardnessFactor);
      }
    }
  }
  ValuesToFields(fields);
}

}  // namespace bendpost
