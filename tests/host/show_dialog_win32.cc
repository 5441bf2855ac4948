// Opens the program creation dialog of bendpost.dll on a job file and
// holds it open for a picture (scripts/dialog-screenshot).
//
// Usage: bendpost_show_dialog JOB.json OUT_FOLDER READY_FILE DONE_FILE
//
// The job is read with the command-line host's own job loader and handed
// to the DLL in the host's order, with the program file placed in
// OUT_FOLDER (as `bendpost generate --out` does). The date the DLL reads is
// fixed on 5 March 2024, so every run shows the same program name. Once the
// dialog is open and painted, its screen rectangle is written to READY_FILE
// as "left top width height"; as soon as DONE_FILE exists the dialog is
// cancelled, so no program is written. Any other window (a message box) is
// reported and fails the run.
//
// Exit code 0 when the dialog was shown and cancelled, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "documents/job_file.h"
#include "documents/json_text.h"
#include "host/driver_calls.h"
#include "support/import_patch_win32.h"
#include "support/modal_script_win32.h"

namespace {

using bendpost::test_support::ForemostDialog;
using bendpost::test_support::PressButton;
using bendpost::test_support::WindowText;

constexpr char kDialogTitle[] = "Postprocessor Program Creation Dialog:";
constexpr UINT kTickMilliseconds = 100;
// Ticks from finding the dialog to announcing it (time to paint), and in
// all before giving up.
constexpr int kSettleTicks = 10;
constexpr int kGiveUpTicks = 1200;

struct State {
  std::string ready_file;
  std::string done_file;
  HWND dialog = nullptr;
  int ticks = 0;
  int seen_at = -1;
  bool announced = false;
  bool cancelled = false;
  bool failed = false;
} state;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
  ++state.ticks;
  HWND window = ForemostDialog();
  if (window == nullptr) return;
  if (WindowText(window) != kDialogTitle) {
    std::fprintf(stderr, "unexpected window \"%s\"\n",
                 WindowText(window).c_str());
    state.failed = true;
    PressButton(window, IDCANCEL);
    return;
  }
  if (state.cancelled) return;
  if (state.seen_at < 0) state.seen_at = state.ticks;
  if (!state.announced && state.ticks - state.seen_at >= kSettleTicks) {
    RECT r;
    GetWindowRect(window, &r);
    std::ofstream ready(state.ready_file, std::ios::trunc);
    ready << r.left << ' ' << r.top << ' ' << (r.right - r.left) << ' '
          << (r.bottom - r.top) << '\n';
    state.announced = static_cast<bool>(ready);
  }
  const bool done =
      GetFileAttributesA(state.done_file.c_str()) != INVALID_FILE_ATTRIBUTES;
  if ((state.announced && done) || state.ticks > kGiveUpTicks) {
    if (!done) {
      std::fprintf(stderr, "gave up waiting for %s\n", state.done_file.c_str());
      state.failed = true;
    }
    state.cancelled = true;
    PressButton(window, IDCANCEL);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr,
                 "usage: bendpost_show_dialog JOB.json OUT_FOLDER READY_FILE "
                 "DONE_FILE\n");
    return 1;
  }
  state.ready_file = argv[3];
  state.done_file = argv[4];

  bendpost::documents::JobFile job;
  std::vector<bendpost::documents::Problem> problems;
  if (!bendpost::documents::LoadJobFile(bendpost::RealFileSystem(), argv[1],
                                        &job, &problems)) {
    std::fprintf(stderr, "%s",
                 bendpost::documents::FormatProblems(problems).c_str());
    return 1;
  }
  const std::string leaf =
      std::filesystem::path(job.program_path).filename().string();
  const std::string program_path =
      (std::filesystem::path(argv[2]) / leaf).make_preferred().string();

  bendpost::test_support::ScopedFixedDate date(GetModuleHandleA("bendpost.dll"),
                                               2024, 3, 5);
  if (!date.ok()) {
    std::fprintf(stderr, "cannot fix the date of bendpost.dll\n");
    return 1;
  }
  const UINT_PTR timer = SetTimer(nullptr, 0, kTickMilliseconds, &OnTick);
  bendpost::host::RunHostSequence(job, program_path,
                                  bendpost::host::RealDriverCalls());
  KillTimer(nullptr, timer);
  if (state.seen_at < 0) std::fprintf(stderr, "the dialog did not open\n");
  return state.cancelled && !state.failed ? 0 : 1;
}
