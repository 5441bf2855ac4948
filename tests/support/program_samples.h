// Fixed programs for the program file tests: headers and steps in the form
// the record file writer produces them (values already converted to
// millimetres, texts as the dialog leaves them), plus the final default
// record.
#ifndef BENDPOST_TESTS_SUPPORT_PROGRAM_SAMPLES_H_
#define BENDPOST_TESTS_SUPPORT_PROGRAM_SAMPLES_H_

#include <string>
#include <vector>

#include "formats/record_file.h"

namespace bendpost {
namespace test_support {

struct ProgramSample {
  std::string name;  // file stem under tests/testdata/program/
  RecordFileHeader header;
  // The program's steps followed by the default record: RecordCount entries.
  std::vector<RecordFileStep> records;
  // Control file name the converter makes for the target C:\Jobs\P1.NMB.
  std::string control_file_name;
};

// The record of a newly made step (ODC 251, BendingSpeed 8, DwellEndBend 0.2,
// AuxFunc "000000", everything else 0).
RecordFileStep DefaultRecordStep();

// One step, millimetre job, short texts, empty AuxFunc, Rev "1", "0", " ".
ProgramSample OneStepMillimetre();
// Three steps, inch job (values converted), texts of full width, AuxFunc of
// three and six characters and empty, Rev 0, "1", "0".
ProgramSample ThreeStepsInch();
// 25 steps (the most a control file holds), empty texts, Rev " ", "1", 0.
ProgramSample TwentyFiveSteps();

std::vector<ProgramSample> AllProgramSamples();

// A plain valid program of `steps` steps (RecordCount steps + 1).
ProgramSample SimpleProgram(int steps);

}  // namespace test_support
}  // namespace bendpost

#endif  // BENDPOST_TESTS_SUPPORT_PROGRAM_SAMPLES_H_
