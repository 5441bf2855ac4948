// HostUserInterface: the user interface the host installs in the driver. It
// passes everything on to the front end that really talks to the operator
// (the terminal dialog, or the scripted answers of --yes/--answers) and
// keeps, program by program, what the operator saw: the dialog's names
// when it closed, how it closed, the step warnings and the outcome message.
//
// How the driver's messages are attributed (the driver tells the host
// nothing else):
//   - messages while a dialog is open belong to its program (validation,
//     folder choice);
//   - after "Create...", messages belong to that program until the
//     driver's "created" or "failed" message, which ends it; step warnings
//     are recognised by their heading and parsed into step and texts;
//   - a message while no program is under way announces a program the
//     driver skipped without a dialog (a program whose setup is missing,
//     or which has too many steps), except the note that a created
//     program's path did not fit the host's buffer, which belongs to that
//     program.
#ifndef BENDPOST_HOST_HOST_UI_H_
#define BENDPOST_HOST_HOST_UI_H_

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui.h"

namespace bendpost::host {

enum class ProgramStatus {
  kCreated,      // confirmed, and the driver reported the program created
  kFailed,       // confirmed, and the driver reported a failure
  kConfirmed,    // confirmed; the driver reported neither (yet)
  kCancelled,    // the operator (or the answers) cancelled
  kRefused,      // "Create..." refused by validation, then closed
  kScriptError,  // the answers did not fit the dialog
  kSkipped,      // the driver skipped the program without a dialog
  kNotOffered,   // never reached: generation stopped before it
};

const char* ProgramStatusName(ProgramStatus status);

struct StepWarning {
  int step = 0;  // the step's NumberInSquence
  std::vector<std::string> messages;
};

struct ProgramEvent {
  ProgramStatus status = ProgramStatus::kCancelled;
  // The fields the summary reads (SnapshotFields), by control id, as the
  // dialog held them when it closed (after the last transfer). Empty for a
  // skipped program. Only these few are kept: a job may hold a thousand
  // programs.
  std::map<int, std::string> closed;
  std::vector<StepWarning> warnings;
  std::vector<std::string> messages;  // every other message of the program
  // Set by the confirm listener: the program's control file was there
  // when the operator confirmed, before the driver wrote anything.
  bool control_file_existed = false;
};

class HostUserInterface : public UserInterface {
 public:
  explicit HostUserInterface(UserInterface& front_end);

  const std::vector<ProgramEvent>& events() const { return events_; }
  std::vector<ProgramEvent>& mutable_events() { return events_; }

  // Called with the program's event when the operator confirmed its
  // dialog, before the driver writes the program's files.
  void SetConfirmListener(std::function<void(ProgramEvent&)> listener) {
    confirm_listener_ = std::move(listener);
  }

  void ShowMessage(const std::string& text, MessageIcon icon) override;
  DialogResult RunDialog(int template_id,
                         DialogController& controller) override;
  FolderChoice BrowseForFolder(const std::string& title,
                               const std::string& initial_folder) override;

 private:
  enum class State { kIdle, kInDialog, kFinishing };

  UserInterface& front_end_;
  std::vector<ProgramEvent> events_;
  State state_ = State::kIdle;
  std::function<void(ProgramEvent&)> confirm_listener_;
};

// Parses a step warning box: "Please note: [for step number: 3]\n" followed
// by one message per line. False when `text` is not one.
bool ParseStepWarning(const std::string& text, StepWarning* warning);

// True when `text` is `format` with a decimal number in place of each "%d".
bool MatchesFormat(const std::string& text, const std::string& format);

// The fields the summary reads, by control id: program name, part
// reference, file name and setup name.
std::map<int, std::string> SnapshotFields(DialogFields& fields);

}  // namespace bendpost::host

#endif  // BENDPOST_HOST_HOST_UI_H_
