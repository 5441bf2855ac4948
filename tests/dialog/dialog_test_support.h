// A job and its context for the program header's and dialog's tests: a
// fixed clock (5 March 2024), an in-memory settings store holding the serial
// counter's key, an in-memory file system and the scripted user interface.
#ifndef BENDPOST_TESTS_DIALOG_DIALOG_TEST_SUPPORT_H_
#define BENDPOST_TESTS_DIALOG_DIALOG_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dialog/job_context.h"
#include "dialog/program_dialog.h"
#include "dialog/program_header.h"
#include "dialog/program_identity.h"
#include "platform/clock.h"
#include "platform/scripted_ui.h"
#include "platform/settings_store.h"
#include "records/job.h"
#include "resources/dialog_ids.h"
#include "support/native_path.h"
#include "testing/mem_file_system.h"

namespace bendpost::testing {

struct StepTools {
  std::string punch = "";
  std::string die = "";
  std::string holder = "";
  std::string spacer = "";
  bool punch_reverse = false, die_reverse = false, holder_reverse = false;
};

inline CPPStepInfo MakeStep(const StepTools& t) {
  CPPStepInfo step;
  char ids[6][32] = {};
  auto put = [&ids](int slot, const std::string& name) {
    std::memcpy(ids[slot], name.data(), name.size() < 32 ? name.size() : 32);
  };
  put(0, t.punch);
  put(1, t.die);
  put(2, t.holder);
  put(4, t.spacer);
  step.SetToolID(ids);
  bool reverse[6] = {t.punch_reverse, t.die_reverse, t.holder_reverse,
                     false,           false,         false};
  step.SetTollReverse(reverse);
  return step;
}

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() : clock_(Date{2024, 3, 5}) {
    store_->ProgramPath = test_support::NativePath("/jobs/bracket.bmf").c_str();
    store_->ToolNameTablePath = "/tables/tools.txt";
    store_->Thickness = 2;
    store_->MaterialTensile = 45;
    store_->MaterialCode = 1;
    settings_.CreateKey(SerialCounterKeyPath(ui_));
  }

  // The context of the fixture's job; the file system is files_ unless a
  // test puts another (a fault-injecting one over files_) in `files_used_`.
  JobContext Context() {
    return JobContext{job_, *files_used_, clock_, settings_, ui_};
  }

  void AddSetup(int index, int control_type, const char* name = "Setup",
                const char* model = "PB-100") {
    CPPSetup setup;
    setup.SetSetupIndex(index);
    setup.SetControlType(control_type);
    setup.SetSetupName(name);
    setup.SetMachineModel(model);
    store_->Setups.Add(setup);
  }
  void AddTool(const char* name, int sectional = 0, const char* category = "",
               int small_or_larger = 0) {
    CPPTool tool;
    tool.SetToolName(name);
    tool.SetSectional(sectional);
    tool.SetCategory(category);
    tool.SetSmallorLarger(small_or_larger);
    store_->Tools.Add(tool);
  }
  void SetTable(const std::string& text) {
    files_.SetFile("/tables/tools.txt", text);
  }
  void StoreSerial(const std::string& number, const std::string& month,
                   const std::string& day) {
    auto* values = settings_.Values(SerialCounterKeyPath(ui_));
    (*values)[kSerialNumberValue] = number;
    (*values)[kSerialMonthValue] = month;
    (*values)[kSerialDayValue] = day;
  }

  // The header of a program of `steps` (held in steps_) with setup key 0
  // unless told, built as the generation builds it.
  std::unique_ptr<ProgramHeader> MakeHeader(std::vector<CPPStepInfo> steps = {},
                                            int setup_key = 0,
                                            int group_number = 0) {
    steps_.RemoveAll();
    for (const CPPStepInfo& s : steps) steps_.Add(s);
    return std::make_unique<ProgramHeader>(
        BuildProgramHeader(Context(), setup_key, group_number,
                           static_cast<int>(steps.size()), steps_));
  }
  // The dialog on `header`, with the "..." button. (The dialog holds no
  // state of its own beyond the header and the context.)
  ProgramDialog DialogOn(ProgramHeader& header) {
    return ProgramDialog(header, Context(), true);
  }
  // Opens the dialog on `header` on the scripted fields, as the window
  // would.
  void Open(ProgramHeader& header) {
    ui_.ResetFields();
    DialogOn(header).OnInitDialog(ui_);
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : ui_.messages()) texts.push_back(m.text);
    return texts;
  }

  MemFileSystem files_;
  FixedClock clock_;
  MemSettingsStore settings_;
  ScriptedUserInterface ui_;
  FileSystem* files_used_ = &files_;
  Job job_;
  Job* const store_ = &job_;
  CArray<CPPStepInfo> steps_;
};

}  // namespace bendpost::testing

#endif  // BENDPOST_TESTS_DIALOG_DIALOG_TEST_SUPPORT_H_
