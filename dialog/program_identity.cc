// Program naming and the daily serial counter (format in
// program_identity.h).
#include "dialog/program_identity.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "dialog/program_dialog.h"
#include "platform/path.h"
#include "platform/platform.h"
#include "base/text.h"

namespace bendpost {

std::string SerialValueBytes(int value) {
  std::string bytes = std::to_string(value);
  bytes.resize(kSerialValueBytes, '\0');
  return bytes;
}

int SerialValueNumber(const std::string& bytes) {
  std::string_view first(bytes.data(),
                         std::min<size_t>(bytes.size(), kSerialValueBytes));
  return LeadingDigitsValue(first);
}

bool ReadSerialCounter(int& serial, int& month, int& day) {
  std::unique_ptr<SettingsKey> key = CurrentPlatform().settings->OpenKey(
      SerialCounterKeyPath(), KeyAccess::kRead);
  if (!key) return false;
  std::string number = key->Query(kSerialNumberValue).value_or(std::string());
  std::string stored_month =
      key->Query(kSerialMonthValue).value_or(std::string());
  std::string stored_day = key->Query(kSerialDayValue).value_or(std::string());
  key.reset();
  if (number.empty() || number[0] == '\0') {
    serial = month = day = 0;
  } else {
    serial = SerialValueNumber(number);
    month = SerialValueNumber(stored_month);
    day = SerialValueNumber(stored_day);
  }
  return true;
}

bool WriteSerialCounter(int serial, int month, int day) {
  std::unique_ptr<SettingsKey> key = CurrentPlatform().settings->OpenKey(
      SerialCounterKeyPath(), KeyAccess::kWrite);
  if (!key) return false;
  bool ok = key->Set(kSerialNumberValue, SerialValueBytes(serial));
  ok = key->Set(kSerialMonthValue, SerialValueBytes(month)) && ok;
  ok = key->Set(kSerialDayValue, SerialValueBytes(day)) && ok;
  return ok;
}

}  // namespace bendpost

namespace {

// Decimal text of `value` + 1, without overflow.
CString PlusOneText(int value) {
  return CString(std::to_string(static_cast<int64_t>(value) + 1));
}

}  // namespace

void ProgramDialog::BuildProgramIdentity() {
  // Folder and base name of the job's program path.
  CString path = Store != nullptr ? Store->ProgramPath : CString();
  const int slash = path.ReverseFind(bendpost::PathSeparator());
  OutputFolder = path.Left(slash + 1);
  const int dot = path.ReverseFind('.');
  BaseName =
      dot > slash ? path.Mid(slash + 1, dot - slash - 1) : path.Mid(slash + 1);

  // With several setups every program's file names its setup and ordinal.
  const CString setup_text = PlusOneText(SetupKey);
  const CString group_text = PlusOneText(GroupNumber);
  const CString program_suffix =
      SetupCount > 1 ? ".S" + setup_text + "P" + group_text : CString();
  FileName = OutputFolder + BaseName + program_suffix + FileExtension;

  // The serial number counts the programs created on one day (UTC); a
  // stored number of another day starts again at 0.
  int serial = 0;
  int stored_month = 0;
  int stored_day = 0;
  bendpost::ReadSerialCounter(serial, stored_month, stored_day);
  const bendpost::Date today = bendpost::CurrentPlatform().clock->TodayUtc();
  if (stored_month != today.month || stored_day != today.day) serial = 0;
  ProgramName.Format("%02d%02d%02d", today.month, today.day, serial);
  NextSerial = serial + 1 == 100 ? 0 : serial + 1;
  SerialMonth = today.month;
  SerialDay = today.day;

  PartReference = BaseName;
  PartReference.MakeUpper();

  if (ControlTypeName == "Operateur" || ControlTypeName == "BandR") {
    if (PartReference.GetLength() > 13) {
      PartReference = PartReference.Left(12) + "~";
    }
    if (ProgramName.GetLength() > 6) {
      const int keep = 5 - group_text.GetLength();
      ProgramName = keep > 0 ? ProgramName.Left(keep) + "~" + group_text
                             : ProgramName.Left(5) + "~";
    }
    if (ControlTypeName == "BandR") {
      if (NamePrefixDigit < 1 || NamePrefixDigit > 3) NamePrefixDigit = 2;
      CString prefix;
      prefix.Format("%d", NamePrefixDigit);
      FileName =
          OutputFolder + prefix + ProgramName + program_suffix + FileExtension;
    }
  }
}
