// Building a program's header from the job.
#include "dialog/program_header.h"

#include <cstdint>

#include "records/program_cut.h"
#include "resources/strings.h"

namespace bendpost {
namespace {

// A 0-based ordinal counted from 1, without overflow.
int CountedFromOne(int value) { return value == INT32_MAX ? value : value + 1; }

// The first setup of the job with the program's index.
void FindProgramSetup(ProgramHeader& header, const Job& job) {
  header.Unit = job.Unit;
  header.SetupCount = job.Setups.GetSize();
  if (const CPPSetup* setup = FindSetupByKey(job.Setups, header.SetupKey)) {
    header.Setup = *setup;
    header.SetupFound = true;
  }
  // Without a setup the program is never shown; its values stay at their
  // initial ones, and control type 0 with the name "B-and-R" can never
  // produce a program file.
  if (!header.SetupFound) return;
  header.SetupName = header.Setup.GetSetupName();
  header.MachineModel = header.Setup.GetMachineModel();
  header.Control = ControlTypeOf(header.Setup.GetControlType());
  if (const char* name = KnownControlTypeName(header.Control)) {
    header.ControlTypeName = name;
  }
}

// The writer writes one record more than the program has steps: a step
// with the defaults of a new record.
void AppendFinalStep(ProgramHeader& header, int step_count,
                     CArray<CPPStepInfo>& steps) {
  header.TotalSteps = step_count;
  header.RecordCount =
      static_cast<int16_t>(static_cast<int64_t>(step_count) + 1);
  steps.SetSize(step_count < 0 ? 0 : step_count);
  steps.Add(CPPStepInfo());
}

// "MM/DD/YY" of the local date.
CString CreationDateText(const Date& today) {
  CString text;
  text.Format("%02d/%02d/%02d", today.month, today.day,
              ((today.year % 100) + 100) % 100);
  return text;
}

}  // namespace

ProgramHeader BuildProgramHeader(const JobContext& context, int setup_key,
                                 int group_number, int step_count,
                                 CArray<CPPStepInfo>& steps) {
  ProgramHeader header;
  header.SetupKey = setup_key;
  header.GroupNumber = group_number;
  FindProgramSetup(header, context.job);
  ApplyMaterialDefaults(header, context.job);
  header.FileExtension = ".NMB";
  BuildProgramIdentity(header, context);
  AppendFinalStep(header, step_count, steps);
  FillProgramTools(header, steps, context);
  header.CreationDate = CreationDateText(context.clock.TodayLocal());
  return header;
}

std::string NoSetupMessage(int program_number, int setup_number) {
  CString text;
  text.Format(LoadString(strings::kNoSetupForProgram).c_str(), program_number,
              setup_number);
  return text.str();
}

std::string NoSetupMessage(const ProgramHeader& header) {
  return NoSetupMessage(CountedFromOne(header.GroupNumber),
                        CountedFromOne(header.SetupKey));
}

}  // namespace bendpost
