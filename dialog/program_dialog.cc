// ProgramDialog: opening, and the data transfer between the dialog's fields
// and the header values with its validation.
#include "dialog/program_dialog.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "base/text.h"
#include "base/units.h"
#include "dialog/dialog_fields.h"
#include "resources/dialog_ids.h"
#include "resources/strings.h"

namespace bendpost {
namespace {

// Length limits of the editable text fields by control type; 0: no limit.
int DieTargetNameLimit(ControlType type) {
  return type == ControlType::kEx ? 50 : 6;
}
int ProgramNameLimit(ControlType type) {
  if (IsOperateurFamily(type)) return 6;
  return type == ControlType::kEx ? 50 : 0;
}
int PartReferenceLimit(ControlType type) {
  if (IsOperateurFamily(type)) return 13;
  return type == ControlType::kEx ? 50 : 0;
}
// The control's tool names have at most 6 characters.
constexpr int kTargetNameLimit = 6;

// The name of a field in validation messages.
std::string FieldName(int control_id) {
  const DialogFieldInfo* info = FindFieldByControlId(control_id);
  if (info == nullptr || info->name_string_id == 0) return std::string();
  return LoadString(info->name_string_id);
}

CString Text(DialogFields& fields, int control_id) {
  return CString(fields.GetText(control_id));
}

}  // namespace

ProgramDialog::ProgramDialog(ProgramHeader& header, const JobContext& context,
                             bool show_browse)
    : header_(header),
      job_(context.job),
      ui_(context.ui),
      show_browse_(show_browse) {}

DialogResult ProgramDialog::Run() {
  return ui_.RunDialog(IDD_PROGRAM_DIALOG, *this);
}

void ProgramDialog::OnInitDialog(DialogFields& fields) {
  // Inch jobs see the thickness in inches and, for the controls that know
  // it, the hardness on their inch scale; the writer converts both back.
  ProgramHeader& h = header_;
  if (IsInchUnit(h.Unit)) {
    h.HeaderThickness =
        static_cast<float>(h.HeaderThickness * kInchesPerMillimetre);
    if (IsOperateurFamily(h.Control)) {
      h.Hardness = static_cast<float>(h.Hardness * kInchHardnessFactor);
    }
  }
  ValuesToFields(fields);
  FillMaterialList(fields);
  fields.Show(IDC_BROWSE_FOLDER, show_browse_);
}

bool ProgramDialog::OnOk(DialogFields& fields) {
  return FieldsToValues(fields);
}

void ProgramDialog::OnCommand(int control_id, DialogFields& fields) {
  if (control_id == IDC_MATERIAL_LIST) {
    OnMaterialSelected(fields);
  } else if (control_id == IDC_BROWSE_FOLDER) {
    OnBrowseFolder(fields);
  }
}

void ProgramDialog::ValuesToFields(DialogFields& fields) {
  const ProgramHeader& h = header_;
  fields.SetText(IDC_SETUP_NAME, h.SetupName.str());
  fields.SetText(IDC_CONTROL_TYPE_NAME, h.ControlTypeName.str());
  fields.SetText(IDC_MACHINE_MODEL, h.MachineModel.str());
  fields.SetText(IDC_FILE_NAME, h.FileName.str());
  fields.SetText(IDC_PROGRAM_NAME, h.ProgramName.str());
  fields.SetLimit(IDC_PROGRAM_NAME, ProgramNameLimit(h.Control));
  fields.SetText(IDC_PART_REFERENCE, h.PartReference.str());
  fields.SetLimit(IDC_PART_REFERENCE, PartReferenceLimit(h.Control));
  fields.SetText(IDC_TOTAL_STEPS, std::to_string(h.TotalSteps));
  fields.SetText(IDC_HEADER_THICKNESS, FormatFloat(h.HeaderThickness));
  fields.SetText(IDC_MATERIAL_NAME, h.MaterialName.str());
  fields.SetText(IDC_MATERIAL_NUMBER, std::to_string(h.MaterialNumber));
  fields.SetText(IDC_PUNCH_NAME, h.PunchName.str());
  fields.SetText(IDC_DIE_NAME, h.DieName.str());
  fields.SetText(IDC_DIE_HOLDER_NAME, h.DieHolderName.str());
  fields.SetText(IDC_DIE_HOLDER_REV, h.DieHolderRev.str());
  fields.SetText(IDC_SPACER_NAME, h.SpacerName.str());
  fields.SetText(IDC_DIE_REV, h.DieRev.str());
  fields.SetText(IDC_PUNCH_REV, h.PunchRev.str());
  fields.SetText(IDC_CREATION_DATE, h.CreationDate.str());
  fields.SetText(IDC_PUNCH_TARGET_NAME, h.PunchTargetName.str());
  fields.SetLimit(IDC_PUNCH_TARGET_NAME, kTargetNameLimit);
  fields.SetText(IDC_DIE_TARGET_NAME, h.DieTargetName.str());
  fields.SetLimit(IDC_DIE_TARGET_NAME, DieTargetNameLimit(h.Control));
  fields.SetText(IDC_DIE_HOLDER_TARGET_NAME, h.DieHolderTargetName.str());
  fields.SetLimit(IDC_DIE_HOLDER_TARGET_NAME, kTargetNameLimit);
  fields.SetText(IDC_SPACER_TARGET_NAME, h.SpacerTargetName.str());
  fields.SetLimit(IDC_SPACER_TARGET_NAME, kTargetNameLimit);
  fields.SetText(IDC_HARDNESS, FormatFloat(h.Hardness));
}

bool ProgramDialog::FieldsToValues(DialogFields& fields) {
  return TakeHeaderRows(fields) && TakeTargetNames(fields) &&
         CheckControlLimits(fields) && TakeHardness(fields);
}

// The header rows up to the creation date, in table order.
bool ProgramDialog::TakeHeaderRows(DialogFields& fields) {
  ProgramHeader& h = header_;
  h.SetupName = Text(fields, IDC_SETUP_NAME);
  h.ControlTypeName = Text(fields, IDC_CONTROL_TYPE_NAME);
  h.MachineModel = Text(fields, IDC_MACHINE_MODEL);
  h.FileName = Text(fields, IDC_FILE_NAME);
  h.ProgramName = Text(fields, IDC_PROGRAM_NAME);
  h.PartReference = Text(fields, IDC_PART_REFERENCE);
  if (!ReadInt(fields, IDC_TOTAL_STEPS, &h.TotalSteps)) return false;
  if (!ReadFloat(fields, IDC_HEADER_THICKNESS, &h.HeaderThickness)) {
    return false;
  }
  h.MaterialName = Text(fields, IDC_MATERIAL_NAME);
  if (!ReadShort(fields, IDC_MATERIAL_NUMBER, &h.MaterialNumber)) return false;
  h.PunchName = Text(fields, IDC_PUNCH_NAME);
  h.DieName = Text(fields, IDC_DIE_NAME);
  h.DieHolderName = Text(fields, IDC_DIE_HOLDER_NAME);
  h.DieHolderRev = Text(fields, IDC_DIE_HOLDER_REV);
  h.SpacerName = Text(fields, IDC_SPACER_NAME);
  h.DieRev = Text(fields, IDC_DIE_REV);
  h.PunchRev = Text(fields, IDC_PUNCH_REV);
  h.CreationDate = Text(fields, IDC_CREATION_DATE);
  return true;
}

// The four target names, each checked as soon as it is taken.
bool ProgramDialog::TakeTargetNames(DialogFields& fields) {
  ProgramHeader& h = header_;
  const struct {
    int control_id;
    CString* value;
  } targets[] = {
      {IDC_PUNCH_TARGET_NAME, &h.PunchTargetName},
      {IDC_DIE_TARGET_NAME, &h.DieTargetName},
      {IDC_DIE_HOLDER_TARGET_NAME, &h.DieHolderTargetName},
      {IDC_SPACER_TARGET_NAME, &h.SpacerTargetName},
  };
  for (const auto& target : targets) {
    *target.value = Text(fields, target.control_id);
    if (!CheckMaxChars(fields, target.control_id, *target.value,
                       kTargetNameLimit)) {
      return false;
    }
  }
  return true;
}

// The limits that depend on the control type: die target name, program
// name, part reference, in that order.
bool ProgramDialog::CheckControlLimits(DialogFields& fields) {
  const ProgramHeader& h = header_;
  if (!IsKnownControl(h.Control)) return true;
  return CheckMaxChars(fields, IDC_DIE_TARGET_NAME, h.DieTargetName,
                       DieTargetNameLimit(h.Control)) &&
         CheckMaxChars(fields, IDC_PROGRAM_NAME, h.ProgramName,
                       ProgramNameLimit(h.Control)) &&
         CheckMaxChars(fields, IDC_PART_REFERENCE, h.PartReference,
                       PartReferenceLimit(h.Control));
}

// The hardness, in the range of the control's scale.
bool ProgramDialog::TakeHardness(DialogFields& fields) {
  ProgramHeader& h = header_;
  if (!ReadFloat(fields, IDC_HARDNESS, &h.Hardness)) return false;
  if (IsOperateurFamily(h.Control)) {
    return CheckRange(fields, IDC_HARDNESS, h.Hardness, 1.0f,
                      IsInchUnit(h.Unit) ? kMaxInchHardness : kMaxHardness);
  }
  if (h.Control == ControlType::kEx) {
    return CheckRange(fields, IDC_HARDNESS, h.Hardness, 1.0f, kMaxHardness);
  }
  return true;
}

bool ProgramDialog::Refuse(DialogFields& fields, int control_id,
                           const CString& message) {
  ui_.ShowMessage(message.str(), MessageIcon::kError);
  fields.Focus(control_id);
  return false;
}

bool ProgramDialog::RefuseWith(DialogFields& fields, int control_id,
                               int format_id) {
  CString message;
  message.Format(LoadString(format_id).c_str(), FieldName(control_id).c_str());
  return Refuse(fields, control_id, message);
}

bool ProgramDialog::ReadInt(DialogFields& fields, int control_id, int* value) {
  std::optional<int> v = ParseInt(fields.GetText(control_id));
  if (!v) return RefuseWith(fields, control_id, strings::kEnterInteger);
  *value = *v;
  return true;
}

bool ProgramDialog::ReadShort(DialogFields& fields, int control_id,
                              int16_t* value) {
  std::optional<int> v = ParseInt(fields.GetText(control_id));
  if (!v || *v < INT16_MIN || *v > INT16_MAX) {
    return RefuseWith(fields, control_id, strings::kEnterInteger);
  }
  *value = static_cast<int16_t>(*v);
  return true;
}

// A real number that a 32-bit float can hold.
bool ProgramDialog::ReadFloat(DialogFields& fields, int control_id,
                              float* value) {
  std::optional<double> v = ParseDouble(fields.GetText(control_id));
  if (!v || !std::isfinite(*v) || std::fabs(*v) > FLT_MAX) {
    return RefuseWith(fields, control_id, strings::kEnterNumber);
  }
  *value = static_cast<float>(*v);
  return true;
}

bool ProgramDialog::CheckMaxChars(DialogFields& fields, int control_id,
                                  const CString& text, int max_chars) {
  if (text.GetLength() <= max_chars) return true;
  CString message;
  message.Format(LoadString(strings::kEnterNoMoreThan).c_str(),
                 FieldName(control_id).c_str(), max_chars);
  return Refuse(fields, control_id, message);
}

bool ProgramDialog::CheckRange(DialogFields& fields, int control_id,
                               float value, float min_value, float max_value) {
  if (value >= min_value && value <= max_value) return true;
  CString message;
  message.Format(LoadString(strings::kEnterNumberBetween).c_str(),
                 FieldName(control_id).c_str(), FormatFloat(min_value).c_str(),
                 FormatFloat(max_value).c_str());
  return Refuse(fields, control_id, message);
}

}  // namespace bendpost
