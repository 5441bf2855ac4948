#include "host/host_ui.h"

#include "base/text.h"
#include "resources/dialog_ids.h"
#include "resources/strings.h"

namespace bendpost::host {
namespace {

constexpr int kSummaryFieldIds[] = {
    IDC_SETUP_NAME,
    IDC_FILE_NAME,
    IDC_PROGRAM_NAME,
    IDC_PART_REFERENCE,
};

// Passes the dialog's events on and notes what the fields held.
class RecordingController : public DialogController {
 public:
  RecordingController(DialogController& inner, ProgramEvent& event)
      : inner_(inner), event_(event) {}

  void OnInitDialog(DialogFields& fields) override {
    inner_.OnInitDialog(fields);
    event_.closed = SnapshotFields(fields);
  }
  bool OnOk(DialogFields& fields) override {
    const bool ok = inner_.OnOk(fields);
    event_.closed = SnapshotFields(fields);
    refused_ = !ok;
    return ok;
  }
  void OnCommand(int control_id, DialogFields& fields) override {
    inner_.OnCommand(control_id, fields);
    event_.closed = SnapshotFields(fields);
    refused_ = false;
  }
  // "Create..." was refused and nothing happened after it.
  bool refused() const { return refused_; }

 private:
  DialogController& inner_;
  ProgramEvent& event_;
  bool refused_ = false;
};

}  // namespace

bool MatchesFormat(const std::string& text, const std::string& format) {
  size_t t = 0;
  size_t f = 0;
  while (f < format.size()) {
    const size_t hole = format.find("%d", f);
    const size_t literal_end = hole == std::string::npos ? format.size() : hole;
    const size_t length = literal_end - f;
    if (text.compare(t, length, format, f, length) != 0) return false;
    t += length;
    if (hole == std::string::npos) break;
    if (t < text.size() && text[t] == '-') ++t;
    const size_t digits = t;
    while (t < text.size() && text[t] >= '0' && text[t] <= '9') ++t;
    if (t == digits) return false;
    f = hole + 2;
  }
  return t == text.size();
}

const char* ProgramStatusName(ProgramStatus status) {
  switch (status) {
    case ProgramStatus::kCreated:
      return "created";
    case ProgramStatus::kFailed:
      return "failed";
    case ProgramStatus::kConfirmed:
      return "confirmed";
    case ProgramStatus::kCancelled:
      return "cancelled";
    case ProgramStatus::kRefused:
      return "refused";
    case ProgramStatus::kScriptError:
      return "answers error";
    case ProgramStatus::kSkipped:
      return "skipped";
    case ProgramStatus::kNotOffered:
      return "not offered";
  }
  return "?";
}

std::map<int, std::string> SnapshotFields(DialogFields& fields) {
  std::map<int, std::string> snapshot;
  for (int id : kSummaryFieldIds) snapshot[id] = fields.GetText(id);
  return snapshot;
}

bool ParseStepWarning(const std::string& text, StepWarning* warning) {
  const std::string heading = LoadString(strings::kBendWarningHeading);
  const size_t hole = heading.find("%d");
  if (hole == std::string::npos) return false;
  const std::string before = heading.substr(0, hole);
  const std::string after = heading.substr(hole + 2);
  if (text.compare(0, before.size(), before) != 0) return false;
  size_t pos = before.size();
  size_t end = pos;
  if (end < text.size() && text[end] == '-') ++end;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  const std::optional<int> step = ParseInt(text.substr(pos, end - pos));
  if (!step.has_value()) return false;
  if (text.compare(end, after.size(), after) != 0) return false;
  pos = end + after.size();
  StepWarning parsed;
  parsed.step = *step;
  while (pos < text.size()) {
    size_t line_end = text.find('\n', pos);
    if (line_end == std::string::npos) line_end = text.size();
    if (line_end > pos)
      parsed.messages.push_back(text.substr(pos, line_end - pos));
    pos = line_end + 1;
  }
  *warning = parsed;
  return true;
}

HostUserInterface::HostUserInterface(UserInterface& front_end)
    : front_end_(front_end) {}

void HostUserInterface::ShowMessage(const std::string& text, MessageIcon icon) {
  front_end_.ShowMessage(text, icon);
  switch (state_) {
    case State::kIdle: {
      // After a created program the driver may add that its path did not
      // fit the host's buffer: a note on that program, not a skipped one.
      if (!events_.empty() &&
          MatchesFormat(text, LoadString(strings::kProgramPathTooLong))) {
        events_.back().messages.push_back(text);
        return;
      }
      ProgramEvent skipped;
      skipped.status = ProgramStatus::kSkipped;
      skipped.messages.push_back(text);
      events_.push_back(skipped);
      return;
    }
    case State::kInDialog:
      events_.back().messages.push_back(text);
      return;
    case State::kFinishing: {
      ProgramEvent& event = events_.back();
      StepWarning warning;
      if (text == LoadString(strings::kProgramCreated)) {
        event.status = ProgramStatus::kCreated;
        state_ = State::kIdle;
      } else if (text == LoadString(strings::kProgramFailed)) {
        event.status = ProgramStatus::kFailed;
        event.messages.push_back(text);
        state_ = State::kIdle;
      } else if (ParseStepWarning(text, &warning)) {
        event.warnings.push_back(warning);
      } else {
        event.messages.push_back(text);
      }
      return;
    }
  }
}

DialogResult HostUserInterface::RunDialog(int template_id,
                                          DialogController& controller) {
  events_.emplace_back();
  state_ = State::kInDialog;
  RecordingController recording(controller, events_.back());
  const DialogResult result = front_end_.RunDialog(template_id, recording);
  ProgramEvent& event = events_.back();
  if (result == DialogResult::kOk) {
    event.status = ProgramStatus::kConfirmed;
    state_ = State::kFinishing;
    if (confirm_listener_) confirm_listener_(event);
  } else {
    event.status = recording.refused() ? ProgramStatus::kRefused
                                       : ProgramStatus::kCancelled;
    state_ = State::kIdle;
  }
  return result;
}

FolderChoice HostUserInterface::BrowseForFolder(
    const std::string& title, const std::string& initial_folder) {
  return front_end_.BrowseForFolder(title, initial_folder);
}

}  // namespace bendpost::host
