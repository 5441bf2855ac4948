#include "generation/program_generator.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "base/status.h"
#include "dialog/program_dialog.h"
#include "dialog/program_header.h"
#include "generation/finish_program.h"
#include "records/program_cut.h"
#include "resources/strings.h"

namespace bendpost {
namespace {

constexpr bool kShowBrowse = true;

enum class Outcome { kSkipped, kCancelled, kCreated, kFailed };

// A 0-based ordinal counted from 1, without overflow.
int CountedFromOne(int value) { return value == INT_MAX ? value : value + 1; }

// The next program: the job's steps from `first` on that share its
// SetupIndex, copied into `program_steps`. Returns the index after them.
int NextProgram(CArray<CPPStepInfo>& job_steps, int first,
                CArray<CPPStepInfo>& program_steps) {
  const ProgramCut cut = ProgramStartingAt(job_steps, first);
  const int end = first + cut.step_count;
  program_steps.RemoveAll();
  for (int k = first; k < end; ++k) program_steps.Add(job_steps[k]);
  return end;
}

// The finishing step; an exception that leaves it (whatever it left was
// cleaned up on the way out) is a failure of the program.
Status Finish(ProgramHeader& header, CArray<CPPStepInfo>& steps,
              const JobContext& context) {
  try {
    return FinishProgram(header, steps, context);
  } catch (...) {
    return Status::Error("finishing the program was interrupted");
  }
}

Outcome RunProgram(const JobContext& context, int setup_key, int group_number,
                   CArray<CPPStepInfo>& steps, char* programPath) {
  UserInterface& ui = context.ui;
  const int step_count = steps.GetSize();

  // Checked before the dialog exists: no dialog, no serial number used.
  if (step_count > kMaxProgramSteps) {
    CString message;
    message.Format(LoadString(strings::kTooManySteps).c_str(),
                   CountedFromOne(group_number), step_count, kMaxProgramSteps);
    ui.ShowMessage(message.str(), MessageIcon::kError);
    return Outcome::kSkipped;
  }

  ProgramHeader header =
      BuildProgramHeader(context, setup_key, group_number, step_count, steps);
  if (!header.SetupFound) {
    ui.ShowMessage(NoSetupMessage(header), MessageIcon::kError);
    return Outcome::kSkipped;
  }
  ProgramDialog dialog(header, context, kShowBrowse);
  if (dialog.Run() != DialogResult::kOk) return Outcome::kCancelled;

  if (!Finish(header, steps, context).ok()) {
    ui.ShowMessage(LoadString(strings::kProgramFailed), MessageIcon::kError);
    return Outcome::kFailed;
  }
  ui.ShowMessage(LoadString(strings::kProgramCreated), MessageIcon::kNone);
  CopyProgramPathToHost(context.job.ProgramPath, programPath, ui);
  return Outcome::kCreated;
}

}  // namespace

void CopyProgramPathToHost(const CString& path, char* buffer,
                           UserInterface& ui) {
  if (buffer == nullptr) return;
  const size_t length = path.str().size();
  if (length < kHostPathBufferSize) {
    std::memcpy(buffer, path.str().data(), length);
    buffer[length] = '\0';
    return;
  }
  buffer[0] = '\0';
  CString message;
  message.Format(LoadString(strings::kProgramPathTooLong).c_str(),
                 length > INT_MAX ? INT_MAX : static_cast<int>(length),
                 static_cast<int>(kHostPathBufferSize - 1));
  ui.ShowMessage(message.str(), MessageIcon::kError);
}

bool GeneratePrograms(const JobContext& context, char* programPath) {
  CArray<CPPStepInfo>& job_steps = context.job.Steps;
  for (int i = 0; i < job_steps.GetSize(); ++i) {
    job_steps[i].SetSetupIndex(SetupKeyOf(job_steps[i].GetSetupIndex()));
  }

  CArray<CPPStepInfo> program_steps;
  int group_number = 0;
  int first = 0;
  while (first < job_steps.GetSize()) {
    const int setup_key = job_steps[first].GetSetupIndex();
    const int end = NextProgram(job_steps, first, program_steps);
    const Outcome outcome = RunProgram(context, setup_key, group_number,
                                       program_steps, programPath);
    if (outcome == Outcome::kFailed) break;
    ++group_number;
    first = end;
  }
  return true;
}

}  // namespace bendpost
