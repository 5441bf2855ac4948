// ProgramDialog: construction, opening and the data transfer between the
// dialog's fields and the header values.
#include "dialog/program_dialog.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "dialog/dialog_fields.h"
#include "dialog/material_naming.h"
#include "platform/platform.h"
#include "base/text.h"
#include "resources/dialog_ids.h"
#include "resources/strings.h"

using bendpost::DialogFields;
using bendpost::DialogResult;

namespace bendpost {

std::string NoSetupMessage(int program_number, int setup_number) {
  CString text;
  text.Format(LoadString(strings::kNoSetupForProgram).c_str(), program_number,
              setup_number);
  return text.str();
}

}  // namespace bendpost

namespace {

// Display names of the known control types; any other keeps "B-and-R".
const char* KnownControlTypeName(int control_type) {
  switch (control_type) {
    case 0:
      return "EX";
    case 2:
      return "Operateur";
    case 7:
      return "BandR";
  }
  return nullptr;
}

bool IsOperateurOrBandR(int control_type) {
  return control_type == 2 || control_type == 7;
}

// Length limits of the editable text fields by control type; 0: no limit.
int DieTargetNameLimit(int control_type) { return control_type == 0 ? 50 : 6; }
int ProgramNameLimit(int control_type) {
  if (IsOperateurOrBandR(control_type)) return 6;
  return control_type == 0 ? 50 : 0;
}
int PartReferenceLimit(int control_type) {
  if (IsOperateurOrBandR(control_type)) return 13;
  return control_type == 0 ? 50 : 0;
}
constexpr int kTargetNameLimit = 6;

// The name of a field in validation messages.
std::string FieldName(int control_id) {
  const bendpost::DialogFieldInfo* info =
      bendpost::FindFieldByControlId(control_id);
  if (info == nullptr || info->name_string_id == 0) return std::string();
  return bendpost::LoadString(info->name_string_id);
}

// A failed field: the operator is told which field and what it expects,
// and the field gets the focus.
bool Refuse(DialogFields& fields, int control_id, const CString& message) {
  bendpost::CurrentPlatform().ui->ShowMessage(message.str(),
                                              bendpost::MessageIcon::kError);
  fields.Focus(control_id);
  return false;
}

bool RefuseWith(DialogFields& fields, int control_id, int format_id) {
  CString message;
  message.Format(bendpost::LoadString(format_id).c_str(),
                 FieldName(control_id).c_str());
  return Refuse(fields, control_id, message);
}

bool ReadInt(DialogFields& fields, int control_id, int* value) {
  std::optional<int> v = bendpost::ParseInt(fields.GetText(control_id));
  if (!v)
    return RefuseWith(fields, control_id, bendpost::strings::kEnterInteger);
  *value = *v;
  return true;
}

bool ReadShort(DialogFields& fields, int control_id, int16_t* value) {
  std::optional<int> v = bendpost::ParseInt(fields.GetText(control_id));
  if (!v || *v < INT16_MIN || *v > INT16_MAX) {
    return RefuseWith(fields, control_id, bendpost::strings::kEnterInteger);
  }
  *value = static_cast<int16_t>(*v);
  return true;
}

// A real number that a 32-bit float can hold.
bool ReadFloat(DialogFields& fields, int control_id, float* value) {
  std::optional<double> v = bendpost::ParseDouble(fields.GetText(control_id));
  if (!v || !std::isfinite(*v) || std::fabs(*v) > FLT_MAX) {
    return RefuseWith(fields, control_id, bendpost::strings::kEnterNumber);
  }
  *value = static_cast<float>(*v);
  return true;
}

bool CheckMaxChars(DialogFields& fields, int control_id, const CString& text,
                   int max_chars) {
  if (text.GetLength() <= max_chars) return true;
  CString message;
  message.Format(
      bendpost::LoadString(bendpost::strings::kEnterNoMoreThan).c_str(),
      FieldName(control_id).c_str(), max_chars);
  return Refuse(fields, control_id, message);
}

bool CheckRange(DialogFields& fields, int control_id, float value,
                float min_value, float max_value) {
  if (value >= min_value && value <= max_value) return true;
  CString message;
  message.Format(
      bendpost::LoadString(bendpost::strings::kEnterNumberBetween).c_str(),
      FieldName(control_id).c_str(), bendpost::FormatFloat(min_value).c_str(),
      bendpost::FormatFloat(max_value).c_str());
  return Refuse(fields, control_id, message);
}

CString Text(DialogFields& fields, int control_id) {
  return CString(fields.GetText(control_id));
}

}  // namespace

ProgramDialog::ProgramDialog(int setup_key, int group_number, int step_count,
                             CArray<CPPStepInfo>& steps, int show_browse)
    : ProgramSteps(steps), SetupKey(setup_key), GroupNumber(group_number) {
  Store = JobStore::Instance();

  // The program's setup: the first of the store with the program's index.
  if (Store != nullptr) {
    Unit = Store->Unit;
    SetupCount = Store->Setups.GetSize();
    for (int i = 0; i < Store->Setups.GetSize(); ++i) {
      if (Store->Setups[i].GetSetupIndex() == SetupKey) {
        Setup = Store->Setups[i];
        setup_found_ = true;
        break;
      }
    }
  }
  // Without a setup the program is never shown (see HasSetup); its values
  // stay at their initial ones, and ControlType 0 with the name "B-and-R"
  // can never produce a program file.
  if (setup_found_) {
    SetupName = Setup.GetSetupName();
    MachineModel = Setup.GetMachineModel();
    ControlType = Setup.GetControlType();
    if (const char* name = KnownControlTypeName(ControlType)) {
      ControlTypeName = name;
    }
  }

  ApplyMaterialDefaults();
  FileExtension = ".NMB";
  BuildProgramIdentity();

  // The writer writes one record more than the program has steps: a step
  // with the defaults of a new record.
  TotalSteps = step_count;
  RecordCount = static_cast<int16_t>(static_cast<int64_t>(step_count) + 1);
  ProgramSteps.SetSize(step_count < 0 ? 0 : step_count);
  ProgramSteps.Add(CPPStepInfo());

  FillProgramTools();

  bendpost::Date today = bendpost::CurrentPlatform().clock->TodayLocal();
  CreationDate.Format("%02d/%02d/%02d", today.month, today.day,
                      ((today.year % 100) + 100) % 100);

  ShowBrowse = show_browse;
}

ProgramDialog::~ProgramDialog() = default;

std::string ProgramDialog::NoSetupMessage() const {
  auto plus_one = [](int v) { return v == INT32_MAX ? v : v + 1; };
  return bendpost::NoSetupMessage(plus_one(GroupNumber), plus_one(SetupKey));
}

DialogResult ProgramDialog::Run() {
  return bendpost::CurrentPlatform().ui->RunDialog(IDD_PROGRAM_DIALOG, *this);
}

void ProgramDialog::OnInitDialog(DialogFields& fields) {
  // Inch jobs see the thickness in inches and, for the controls that know
  // it, the hardness on their inch scale; the writer converts both back.
  if (Unit == 1) {
    HeaderThickness = static_cast<float>(HeaderThickness * 0.03937007874015748);
    if (IsOperateurOrBandR(ControlType)) {
      Hardness = static_cast<float>(Hardness * bendpost::kInchHardnessFactor);
    }
  }
  ValuesToFields(fields);
  FillMaterialList(fields);
  fields.Show(IDC_BROWSE_FOLDER, ShowBrowse != 0);
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
  using bendpost::FormatFloat;
  fields.SetText(IDC_SETUP_NAME, SetupName.str());
  fields.SetText(IDC_CONTROL_TYPE_NAME, ControlTypeName.str());
  fields.SetText(IDC_MACHINE_MODEL, MachineModel.str());
  fields.SetText(IDC_FILE_NAME, FileName.str());
  fields.SetText(IDC_PROGRAM_NAME, ProgramName.str());
  fields.SetLimit(IDC_PROGRAM_NAME, ProgramNameLimit(ControlType));
  fields.SetText(IDC_PART_REFERENCE, PartReference.str());
  fields.SetLimit(IDC_PART_REFERENCE, PartReferenceLimit(ControlType));
  fields.SetText(IDC_TOTAL_STEPS, std::to_string(TotalSteps));
  fields.SetText(IDC_HEADER_THICKNESS, FormatFloat(HeaderThickness));
  fields.SetText(IDC_MATERIAL_NAME, MaterialName.str());
  fields.SetText(IDC_MATERIAL_NUMBER, std::to_string(MaterialNumber));
  fields.SetText(IDC_PUNCH_NAME, PunchName.str());
  fields.SetText(IDC_DIE_NAME, DieName.str());
  fields.SetText(IDC_DIE_HOLDER_NAME, DieHolderName.str());
  fields.SetText(IDC_DIE_HOLDER_REV, DieHolderRev.str());
  fields.SetText(IDC_SPACER_NAME, SpacerName.str());
  fields.SetText(IDC_DIE_REV, DieRev.str());
  fields.SetText(IDC_PUNCH_REV, PunchRev.str());
  fields.SetText(IDC_CREATION_DATE, CreationDate.str());
  fields.SetText(IDC_PUNCH_TARGET_NAME, PunchTargetName.str());
  fields.SetLimit(IDC_PUNCH_TARGET_NAME, kTargetNameLimit);
  fields.SetText(IDC_DIE_TARGET_NAME, DieTargetName.str());
  fields.SetLimit(IDC_DIE_TARGET_NAME, DieTargetNameLimit(ControlType));
  fields.SetText(IDC_DIE_HOLDER_TARGET_NAME, DieHolderTargetName.str());
  fields.SetLimit(IDC_DIE_HOLDER_TARGET_NAME, kTargetNameLimit);
  fields.SetText(IDC_SPACER_TARGET_NAME, SpacerTargetName.str());
  fields.SetLimit(IDC_SPACER_TARGET_NAME, kTargetNameLimit);
  fields.SetText(IDC_HARDNESS, FormatFloat(Hardness));
}

bool ProgramDialog::FieldsToValues(DialogFields& fields) {
  // 1. The header rows up to the creation date, in table order.
  SetupName = Text(fields, IDC_SETUP_NAME);
  ControlTypeName = Text(fields, IDC_CONTROL_TYPE_NAME);
  MachineModel = Text(fields, IDC_MACHINE_MODEL);
  FileName = Text(fields, IDC_FILE_NAME);
  ProgramName = Text(fields, IDC_PROGRAM_NAME);
  PartReference = Text(fields, IDC_PART_REFERENCE);
  if (!ReadInt(fields, IDC_TOTAL_STEPS, &TotalSteps)) return false;
  if (!ReadFloat(fields, IDC_HEADER_THICKNESS, &HeaderThickness)) return false;
  MaterialName = Text(fields, IDC_MATERIAL_NAME);
  if (!ReadShort(fields, IDC_MATERIAL_NUMBER, &MaterialNumber)) return false;
  PunchName = Text(fields, IDC_PUNCH_NAME);
  DieName = Text(fields, IDC_DIE_NAME);
  DieHolderName = Text(fields, IDC_DIE_HOLDER_NAME);
  DieHolderRev = Text(fields, IDC_DIE_HOLDER_REV);
  SpacerName = Text(fields, IDC_SPACER_NAME);
  DieRev = Text(fields, IDC_DIE_REV);
  PunchRev = Text(fields, IDC_PUNCH_REV);
  CreationDate = Text(fields, IDC_CREATION_DATE);

  // 2. The four target names, each checked at once: the control's tool
  // names have at most 6 characters.
  PunchTargetName = Text(fields, IDC_PUNCH_TARGET_NAME);
  if (!CheckMaxChars(fields, IDC_PUNCH_TARGET_NAME, PunchTargetName,
                     kTargetNameLimit)) {
    return false;
  }
  DieTargetName = Text(fields, IDC_DIE_TARGET_NAME);
  if (!CheckMaxChars(fields, IDC_DIE_TARGET_NAME, DieTargetName,
                     kTargetNameLimit)) {
    return false;
  }
  DieHolderTargetName = Text(fields, IDC_DIE_HOLDER_TARGET_NAME);
  if (!CheckMaxChars(fields, IDC_DIE_HOLDER_TARGET_NAME, DieHolderTargetName,
                     kTargetNameLimit)) {
    return false;
  }
  SpacerTargetName = Text(fields, IDC_SPACER_TARGET_NAME);
  if (!CheckMaxChars(fields, IDC_SPACER_TARGET_NAME, SpacerTargetName,
                     kTargetNameLimit)) {
    return false;
  }

  // 3.-5. The limits that depend on the control type.
  const bool known_limits = IsOperateurOrBandR(ControlType) || ControlType == 0;
  if (known_limits &&
      (!CheckMaxChars(fields, IDC_DIE_TARGET_NAME, DieTargetName,
                      DieTargetNameLimit(ControlType)) ||
       !CheckMaxChars(fields, IDC_PROGRAM_NAME, ProgramName,
                      ProgramNameLimit(ControlType)) ||
       !CheckMaxChars(fields, IDC_PART_REFERENCE, PartReference,
                      PartReferenceLimit(ControlType)))) {
    return false;
  }

  // 6. The hardness, in the range of the control's scale.
  if (!ReadFloat(fields, IDC_HARDNESS, &Hardness)) return false;
  if (IsOperateurOrBandR(ControlType)) {
    return CheckRange(fields, IDC_HARDNESS, Hardness, 1.0f,
                      Unit == 1 ? 1446.0f : 1000.0f);
  }
  if (ControlType == 0) {
    return CheckRange(fields, IDC_HARDNESS, Hardness, 1.0f, 1000.0f);
  }
  return true;
}
