// The differences between two program files of the same kind, field by
// field over the blocks' field tables (reserved fields included): the
// header's fields, then each step's. Steps are matched by position; a step
// that only one file has (by its header's count: StepCount of a control
// file, RecordCount - 1 of a record file) is "added" when only the second
// file has it and "removed" when only the first does.
//
// Numbers are equal when their stored bits are; an array field is compared
// element by element, an element named "Name[i]".
#ifndef BENDPOST_FORMATS_PROGRAM_DIFF_H_
#define BENDPOST_FORMATS_PROGRAM_DIFF_H_

#include <string>
#include <string_view>
#include <vector>

#include "formats/control_file.h"
#include "formats/program_kind.h"
#include "formats/record_file.h"

namespace bendpost {

enum class DiffValueType { kInteger, kFloat, kText };

struct FieldDifference {
  std::string field;
  DiffValueType type = DiffValueType::kInteger;
  double a = 0, b = 0;         // numbers (a float exactly as stored)
  std::string a_text, b_text;  // texts, as their bytes
};

enum class StepChange { kChanged, kAdded, kRemoved };

struct StepDifference {
  int step = 0;  // counted from 1
  StepChange change = StepChange::kChanged;
  std::vector<FieldDifference> fields;  // kChanged only
};

struct ProgramDifference {
  ProgramFileKind kind = ProgramFileKind::kControl;
  std::vector<FieldDifference> header;
  std::vector<StepDifference> steps;

  bool same() const { return header.empty() && steps.empty(); }
};

ProgramDifference CompareControlFiles(const DecodedControlFile& a,
                                      const DecodedControlFile& b);
ProgramDifference CompareRecordFiles(const DecodedRecordFile& a,
                                     const DecodedRecordFile& b);
// Bytes that IdentifyProgramFile found to be of the same kind (control or
// record file; `a` and `b` its identities).
ProgramDifference CompareProgramFiles(std::string_view a_bytes,
                                      const ProgramFileIdentity& a,
                                      std::string_view b_bytes,
                                      const ProgramFileIdentity& b);

// A number as the reports print it: a float as its shortest decimal that
// reads back the same (FormatFloat), an integer in decimal.
std::string DiffNumberText(DiffValueType type, double value);

// b - a of a numeric difference, signed ("+0.085538", "-3"), with as many
// decimals as the longer of the two numbers' texts; "" for a text field
// or a value that is not finite.
std::string DifferenceText(const FieldDifference& d);

}  // namespace bendpost

#endif  // BENDPOST_FORMATS_PROGRAM_DIFF_H_
