// Program naming and the daily serial counter (format in
// program_identity.h).
#include "dialog/program_identity.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "base/text.h"
#include "dialog/program_header.h"
#include "platform/path.h"

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

bool ReadSerialCounter(SettingsStore& settings, UserInterface& ui, int& serial,
                       int& month, int& day) {
  std::unique_ptr<SettingsKey> key =
      settings.OpenKey(SerialCounterKeyPath(ui), KeyAccess::kRead);
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

bool WriteSerialCounter(SettingsStore& settings, UserInterface& ui, int serial,
                        int month, int day) {
  std::unique_ptr<SettingsKey> key =
      settings.OpenKey(SerialCounterKeyPath(ui), KeyAccess::kWrite);
  if (!key) return false;
  bool ok = key->Set(kSerialNumberValue, SerialValueBytes(serial));
  ok = key->Set(kSerialMonthValue, SerialValueBytes(month)) && ok;
  ok = key->Set(kSerialDayValue, SerialValueBytes(day)) && ok;
  return ok;
}

namespace {

// Decimal text of `value` + 1, without overflow.
CString PlusOneText(int value) {
  return CString(std::to_string(static_cast<int64_t>(value) + 1));
}

// The "Operateur" family's names are short: the part reference keeps 13
// characters, the program name 6 (its group number kept at the end), and
// "BandR" files are named after the program.
void ShortenForOperateurFamily(ProgramHeader& h, const CString& group_text,
                               const CString& program_suffix) {
  if (h.PartReference.GetLength() > 13) {
    h.PartReference = h.PartReference.Left(12) + "~";
  }
  if (h.ProgramName.GetLength() > 6) {
    const int keep = 5 - group_text.GetLength();
    h.ProgramName = keep > 0 ? h.ProgramName.Left(keep) + "~" + group_text
                             : h.ProgramName.Left(5) + "~";
  }
  if (h.Control == ControlType::kBandR) {
    if (h.NamePrefixDigit < 1 || h.NamePrefixDigit > 3) h.NamePrefixDigit = 2;
    CString prefix;
    prefix.Format("%d", h.NamePrefixDigit);
    h.FileName = h.OutputFolder + prefix + h.ProgramName + program_suffix +
                 h.FileExtension;
  }
}

}  // namespace

void BuildProgramIdentity(ProgramHeader& h, const JobContext& context) {
  // Folder and base name of the job's program path.
  const CString path = context.job.ProgramPath;
  const int slash = path.ReverseFind(PathSeparator());
  h.OutputFolder = path.Left(slash + 1);
  const int dot = path.ReverseFind('.');
  h.BaseName =
      dot > slash ? path.Mid(slash + 1, dot - slash - 1) : path.Mid(slash + 1);

  // With several setups every program's file names its setup and ordinal.
  const CString setup_text = PlusOneText(h.SetupKey);
  const CString group_text = PlusOneText(h.GroupNumber);
  const CString program_suffix =
      h.SetupCount > 1 ? ".S" + setup_text + "P" + group_text : CString();
  h.FileName = h.OutputFolder + h.BaseName + program_suffix + h.FileExtension;

  // The serial number counts the programs created on one day (UTC); a
  // stored number of another day starts again at 0.
  int serial = 0;
  int stored_month = 0;
  int stored_day = 0;
  ReadSerialCounter(context.settings, context.ui, serial, stored_month,
                    stored_day);
  const Date today = context.clock.TodayUtc();
  if (stored_month != today.month || stored_day != today.day) serial = 0;
  h.ProgramName.Format("%02d%02d%02d", today.month, today.day, serial);
  h.NextSerial = serial + 1 == 100 ? 0 : serial + 1;
  h.SerialMonth = today.month;
  h.SerialDay = today.day;

  h.PartReference = h.BaseName;
  h.PartReference.MakeUpper();

  if (IsOperateurFamily(h.Control)) {
    ShortenForOperateurFamily(h, group_text, program_suffix);
  }
}

}  // namespace bendpost
