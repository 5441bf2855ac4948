#include "generation/program_generator.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "dialog/program_dialog.h"
#include "driver/job_store.h"
#include "platform/platform.h"
#include "base/status.h"
#include "resources/strings.h"

namespace bendpost {
namespace {

constexpr int kShowBrowse = 1;

// A 0-based ordinal counted from 1, without overflow.
int CountedFromOne(int value) { return value == INT_MAX ? value : value + 1; }

// One less, wrapping at the bottom of the range as the host's integer
// arithmetic does (never undefined).
int OneLess(int value) {
  return static_cast<int>(static_cast<unsigned>(value) - 1u);
}

void Show(int string_id, MessageIcon icon) {
  CurrentPlatform().ui->ShowMessage(LoadString(string_id), icon);
}

}  // namespace

void CopyProgramPathToHost(const CString& path, char* buffer) {
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
  CurrentPlatform().ui->ShowMessage(message.str(), MessageIcon::kError);
}

bool ProgramGenerator::GeneratePrograms(char* programPath) {
  JobStore* store = JobStore::Instance();
  if (store == nullptr) return true;
  CArray<CPPStepInfo>& job_steps = store->Steps;
  for (int i = 0; i < job_steps.GetSize(); ++i) {
    job_steps[i].SetSetupIndex(OneLess(job_steps[i].GetSetupIndex()));
  }

  CArray<CPPStepInfo> program_steps;
  int group_number = 0;
  int first = 0;
  while (first < job_steps.GetSize()) {
    const int setup_key = job_steps[first].GetSetupIndex();
    int end = first + 1;
    while (end < job_steps.GetSize() &&
           job_steps[end].GetSetupIndex() == setup_key) {
      ++end;
    }
    program_steps.RemoveAll();
    for (int k = first; k < end; ++k) program_steps.Add(job_steps[k]);

    const Outcome outcome = RunProgram(setup_key, group_number, end - first,
                                       program_steps, programPath);
    if (outcome == Outcome::kFailed) break;
    ++group_number;
    first = end;
  }
  return true;
}

ProgramGenerator::Outcome ProgramGenerator::RunProgram(
    int setup_key, int group_number, int step_count, CArray<CPPStepInfo>& steps,
    char* programPath) {
  UserInterface& ui = *CurrentPlatform().ui;

  // Checked before the dialog exists: no dialog, no serial number used.
  if (step_count > kMaxProgramSteps) {
    CString message;
    message.Format(LoadString(strings::kTooManySteps).c_str(),
                   CountedFromOne(group_number), step_count, kMaxProgramSteps);
    ui.ShowMessage(message.str(), MessageIcon::kError);
    return Outcome::kSkipped;
  }

  ProgramDialog dialog(setup_key, group_number, step_count, steps, kShowBrowse);
  if (!dialog.HasSetup()) {
    ui.ShowMessage(dialog.NoSetupMessage(), MessageIcon::kError);
    return Outcome::kSkipped;
  }
  if (dialog.Run() != DialogResult::kOk) return Outcome::kCancelled;

  Status finished;
  try {
    finished = dialog.TryFinishProgram();
  } catch (...) {
    // Whatever the finishing left was cleaned up on the way out.
    finished = Status::Error("finishing the program was interrupted");
  }
  if (!finished.ok()) {
    Show(strings::kProgramFailed, MessageIcon::kError);
    return Outcome::kFailed;
  }
  Show(strings::kProgramCreated, MessageIcon::kNone);
  CopyProgramPathToHost(
      dialog.Store != nullptr ? dialog.Store->ProgramPath : CString(),
      programPath);
  return Outcome::kCreated;
}

}  // namespace bendpost
