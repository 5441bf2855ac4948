// Jobs handed to the driver through its exports, as a host does, for the
// end-to-end generation tests (the jobs themselves are in host_jobs.h).
// Each job is loaded with CreatePPDBInstance, SetUnit, SetMaterial_1, the
// five loading functions and SetPathNames; the test then calls
// GenerateMachineCodeFile and DestroyPPDBInstance.
//
// The platform: files in memory (or a folder given by the test), a fixed
// clock on 5 March 2024, an in-memory settings store holding the serial
// counter's key, and the scripted user interface.
//
// Material data files (built with the material file writer):
//   f_1 (C.R.S.): the calculation's worked example models
//   f_2 (AL1):    springback 3 degrees, neutral factor 0.42, inner radius
//                 10^0.1 T, depth correction 0.05 x T' x K2
//   f_4 (S.S.):   missing, so a stainless job calculates nothing
#ifndef BENDPOST_TESTS_DRIVER_GENERATION_JOBS_H_
#define BENDPOST_TESTS_DRIVER_GENERATION_JOBS_H_

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bendcalc/material_file.h"
#include "bendpost/bendpost.h"
#include "dialog/program_identity.h"
#include "platform/clock.h"
#include "platform/file.h"
#include "platform/platform.h"
#include "platform/scripted_ui.h"
#include "platform/settings_store.h"
#include "support/job_store_reset.h"
#include "support/native_path.h"
#include "testing/mem_file_system.h"
#include "tests/bendcalc/bendcalc_fixtures.h"
#include "tests/driver/host_jobs.h"

namespace bendpost::testing {

using test_support::NativePath;

class GenerationJobTest : public ::testing::Test {
 protected:
  GenerationJobTest()
      : clock_(Date{2024, 3, 5}),
        platform_(Platform{&mem_, &clock_, &settings_, &ui_}) {
    settings_.CreateKey(SerialCounterKeyPath(ui_));
  }

  // Writes the data files and the tool name table through `files` into
  // `folder` (with a trailing separator). Paths are written with "/" and
  // handed over in the platform's form.
  void WriteJobFiles(FileSystem& files, const std::string& folder) {
    Put(files, NativePath(folder + "data/f_1"), Encode(WorkedExampleModels()));
    MaterialModelSet al1 = WorkedExampleModels();
    al1[kSpringback] = Polynomial(3);
    al1[kNeutralFactor] = Polynomial(0.42f);
    al1[kInnerRadius] = Polynomial(0.1f);
    al1[kDepthCorrection] = Polynomial(0.05f);
    Put(files, NativePath(folder + "data/f_2"), Encode(al1));
    Put(files, NativePath(folder + "tools.txt"), kHostToolTable);
  }

  // Loads a job through the exports linked into the test; `folder` as for
  // WriteJobFiles.
  void LoadJob(int unit, float thickness, int material_code,
               const std::vector<HostStep>& host_steps, int setup_count,
               const std::string& folder) {
    ASSERT_TRUE(LoadHostJob(
        LinkedExports(), unit, thickness, material_code, host_steps,
        setup_count, NativePath(folder + "jobs/bracket.bmf"),
        NativePath(folder + "data"), NativePath(folder + "tools.txt")));
  }

  static DriverExports LinkedExports() {
    DriverExports driver;
    driver.CreatePPDBInstance = &::CreatePPDBInstance;
    driver.GetDriverID = &::GetDriverID;
    driver.InitPPSequence = &::InitPPSequence;
    driver.InitToolInfo = &::InitToolInfo;
    driver.InitSetupInfo = &::InitSetupInfo;
    driver.InitMachineInfo = &::InitMachineInfo;
    driver.InitBkGaugeInfo = &::InitBkGaugeInfo;
    driver.SetUnit = &::SetUnit;
    driver.SetMaterial_1 = &::SetMaterial_1;
    driver.SetMaterial_2 = &::SetMaterial_2;
    driver.SetPathNames = &::SetPathNames;
    driver.GenerateMachineCodeFile = &::GenerateMachineCodeFile;
    driver.DestroyPPDBInstance = &::DestroyPPDBInstance;
    return driver;
  }

  static void Put(FileSystem& files, const std::string& path,
                  const std::string& bytes) {
    std::unique_ptr<File> file;
    ASSERT_TRUE(files.Create(path, &file).ok()) << path;
    ASSERT_TRUE(file->Write(bytes.data(), bytes.size()).ok()) << path;
    ASSERT_TRUE(file->Close().ok()) << path;
  }

  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : ui_.messages()) texts.push_back(m.text);
    return texts;
  }

  ScopedJobStoreReset reset_;
  MemFileSystem mem_;
  FixedClock clock_;
  MemSettingsStore settings_;
  ScriptedUserInterface ui_;
  ScopedPlatform platform_;
};

}  // namespace bendpost::testing

#endif  // BENDPOST_TESTS_DRIVER_GENERATION_JOBS_H_
