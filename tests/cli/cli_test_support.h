// Helpers of the command-line host's tests: scratch folders, files, and a
// stand-in for the generation export that plays the program dialogs the
// way the driver does, so the host can be tested on its own.
#ifndef BENDPOST_TESTS_CLI_CLI_TEST_SUPPORT_H_
#define BENDPOST_TESTS_CLI_CLI_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "dialog/program_dialog.h"
#include "dialog/program_identity.h"
#include "documents/program_json.h"
#include "driver/job_store.h"
#include "formats/control_file.h"
#include "host/summary.h"
#include "platform/platform.h"
#include "resources/dialog_ids.h"
#include "resources/strings.h"

namespace bendpost::cli::testing {

using namespace bendpost::documents;
using namespace bendpost::host;

// A fresh, empty folder for the running test.
inline std::filesystem::path ScratchDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path dir =
      std::filesystem::path(::testing::TempDir()) / "bendpost_cli" /
      (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

// The services main() hands the commands, with `driver` for the exports.
inline Services RealServices(const DriverCalls& driver) {
  return Services{RealFileSystem(), *CurrentPlatform().clock,
                  *CurrentPlatform().ui, driver};
}

inline void WriteText(const std::filesystem::path& path,
                      const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

// The control file made again from the JSON of `inspect --json`: what a
// user who edits that JSON and encodes it back would get.
inline std::string ControlFileFromInspectJson(const ordered_json& j) {
  ControlFileHeader header;
  const Status read = FromJson(j["header"], &header);
  EXPECT_TRUE(read.ok()) << read.message();
  ControlFileImage image;
  EncodeControlFileHeader(header, image.bytes.data());
  for (size_t k = 0; k < j["steps"].size(); ++k) {
    ControlFileStep step;
    const Status step_read = FromJson(j["steps"][k], &step);
    EXPECT_TRUE(step_read.ok()) << step_read.message();
    EncodeControlFileStep(step,
                          image.bytes.data() + control_file::SlotOffset(k));
  }
  return std::string(image.bytes.begin(), image.bytes.end());
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Plays the generation's loop on the job store without writing programs:
// setup indexes lowered, programs cut from adjacent steps, a skip message
// for a program without setup, the dialog for the others and, for a
// confirmed one, an (empty) control file under the name the driver gives
// it, the serial counter stored as the finishing step stores it, and the
// "created" message. Counts its calls and keeps the confirmed headers.
struct FakeGeneration {
  struct Confirmed {
    std::string program_name;
    std::string material_name;
    int material_number = 0;
    float hardness = 0;
  };
  int calls = 0;
  std::vector<Confirmed> confirmed;
  bool operator()(char* program_path) {
    ++calls;
    JobStore* store = JobStore::Instance();
    for (int i = 0; i < store->Steps.GetSize(); ++i) {
      store->Steps[i].SetSetupIndex(store->Steps[i].GetSetupIndex() - 1);
    }
    const Platform& services = CurrentPlatform();
    UserInterface& ui = *services.ui;
    const JobContext context{*store, *services.files, *services.clock,
                             *services.settings, ui};
    int group = 0;
    for (int i = 0; i < store->Steps.GetSize(); ++group) {
      const int key = store->Steps[i].GetSetupIndex();
      CArray<CPPStepInfo> steps;
      while (i < store->Steps.GetSize() &&
             store->Steps[i].GetSetupIndex() == key) {
        steps.Add(store->Steps[i++]);
      }
      ProgramHeader header =
          BuildProgramHeader(context, key, group, steps.GetSize(), steps);
      if (!header.SetupFound) {
        ui.ShowMessage(NoSetupMessage(header), MessageIcon::kError);
        continue;
      }
      if (ProgramDialog(header, context, true).Run() != DialogResult::kOk) {
        continue;
      }
      confirmed.push_back({header.ProgramName.str(), header.MaterialName.str(),
                           header.MaterialNumber, header.Hardness});
      WriteSerialCounter(context.settings, ui, header.NextSerial,
                         header.SerialMonth, header.SerialDay);
      CString name = header.ProgramName;
      std::ofstream(ControlFilePath(header.FileName.str(), name.str()))
          << "control";
      ui.ShowMessage(LoadString(strings::kProgramCreated), MessageIcon::kNone);
      std::strcpy(program_path, store->ProgramPath.GetString());
    }
    return true;
  }
};

}  // namespace bendpost::cli::testing

#endif  // BENDPOST_TESTS_CLI_CLI_TEST_SUPPORT_H_
