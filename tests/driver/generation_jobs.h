// Jobs handed to the driver through its exports, as a host does, for the
// end-to-end generation tests. Each job is loaded with CreatePPDBInstance,
// SetUnit, SetMaterial_1, the five loading functions and SetPathNames; the
// test then calls GenerateMachineCodeFile and DestroyPPDBInstance.
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
#include "platform/mem_file_system.h"
#include "platform/platform.h"
#include "platform/scripted_ui.h"
#include "platform/settings_store.h"
#include "support/job_store_reset.h"
#include "support/native_path.h"
#include "tests/bendcalc/bendcalc_fixtures.h"

namespace bendpost::testing {

using test_support::NativePath;

// A step of the host: tools by name, values in the job's unit.
struct HostStep {
  int setup_index = 1;  // as the host counts (from 1)
  const char* punch = "P1";
  const char* die = "D16";
  const char* holder = "H1";
  float bend_angle = 90;
  float bend_length = 1000;  // job unit
  int bend_type = 0;
  float step_value = 0;  // job unit
  short cycles = 0;
  float offset = 0;  // job unit
  double xx[4] = {};
  double yy[4] = {};
  double zz[4] = {};
  const char* aux = "000000";
  float y1 = 0, y2 = 0, tonnage = 0;  // kept only when Mode is not 0
};

class GenerationJobTest : public ::testing::Test {
 protected:
  GenerationJobTest()
      : clock_(Date{2024, 3, 5}),
        platform_(Platform{&mem_, &clock_, &settings_, &ui_}) {
    settings_.CreateKey(SerialCounterKeyPath());
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
    Put(files, NativePath(folder + "tools.txt"),
        "P1 PU01\nD16 DV16 DS16\nD24\tDV24\nH1 HOLD1\n");
  }

  // Loads a job through the exports.
  void LoadJob(int unit, float thickness, int material_code,
               const std::vector<HostStep>& host_steps, int setup_count,
               const std::string& folder) {
    ASSERT_TRUE(CreatePPDBInstance());
    SetUnit(unit);
    SetMaterial_1(thickness, 45, material_code);

    CArray<CPPStepInfo> steps;
    int number = 1;
    for (const HostStep& h : host_steps)
      steps.Add(MakeHostStep(h, unit, number++));
    InitPPSequence(&steps);

    CArray<CPPTool> tools;
    tools.Add(Tool("P1", 100, 0, 0, 0, 0));
    tools.Add(Tool("D16", 0, 16, 88, 2, 100));
    tools.Add(Tool("D24", 0, 24, 88, 3, 100));
    tools.Add(Tool("H1", 0, 0, 0, 0, 0));
    InitToolInfo(&tools);

    CArray<CPPSetup> setups;
    for (int i = 1; i <= setup_count; ++i) {
      CPPSetup setup;
      setup.SetSetupIndex(i - 1);
      setup.SetControlType(7);
      setup.SetSetupName(("Setup " + std::to_string(i)).c_str());
      setup.SetMachineModel("PB-100");
      setup.SetUserMachineName(i == 1 ? "PB1" : "PB2");
      setup.SetBendingCoefficient(1);
      setups.Add(setup);
    }
    InitSetupInfo(&setups);

    CArray<CPPMachine> machines;
    machines.Add(Machine("PB1", 100, 5, 3000));
    machines.Add(Machine("PB2", 60, 4, 2000));
    InitMachineInfo(&machines);

    CArray<CPPBGauge> gauges;
    gauges.Add(CPPBGauge());
    InitBkGaugeInfo(&gauges);

    SetPathNames(NativePath(folder + "jobs/bracket.bmf").c_str(),
                 NativePath(folder + "data").c_str(),
                 NativePath(folder + "tools.txt").c_str());
  }

  // The bracket of the millimetre job: a plain bend, an off-centre bend, a
  // bend in three hits, a coining step and a bend over the wider die.
  static std::vector<HostStep> BracketMm() {
    std::vector<HostStep> steps(5);
    steps[0].bend_angle = 90;
    steps[0].xx[0] = steps[0].xx[1] = 120.5;
    steps[0].zz[0] = -300.25;
    steps[0].zz[1] = 300.25;
    steps[0].aux = "M12";
    steps[1].bend_angle = 135;
    steps[1].offset = 10;
    steps[1].xx[0] = steps[1].xx[1] = 55.125;
    steps[2].bend_type = 3;
    steps[2].step_value = 2.5f;
    steps[2].cycles = 3;
    steps[2].bend_angle = 90;
    steps[3].bend_type = 2;
    steps[3].bend_angle = 90;
    steps[3].y1 = steps[3].y2 = -3.5f;
    steps[3].tonnage = 850.75f;
    steps[4].die = "D24";
    steps[4].bend_angle = 120;
    steps[4].bend_length = 600;
    steps[4].yy[0] = steps[4].yy[1] = 12.3456;
    return steps;
  }

  // The same part in inches, on aluminium (AL1).
  static std::vector<HostStep> BracketInch() {
    std::vector<HostStep> steps(3);
    for (HostStep& s : steps) s.bend_length = 39.37f;
    steps[0].bend_angle = 90;
    steps[0].xx[0] = steps[0].xx[1] = 4.75;
    steps[0].zz[0] = -11.8125;
    steps[0].zz[1] = 11.8125;
    steps[1].bend_angle = 135;
    steps[1].offset = 0.4f;
    steps[2].bend_type = 3;
    steps[2].step_value = 0.1f;
    steps[2].cycles = 2;
    steps[2].bend_angle = 100;
    return steps;
  }

  // Two setups: steps 1 and 2 on the first, step 3 on the second.
  static std::vector<HostStep> TwoSetups() {
    std::vector<HostStep> steps(3);
    steps[2].setup_index = 2;
    steps[2].die = "D24";
    steps[2].bend_angle = 120;
    return steps;
  }

  static CPPStepInfo MakeHostStep(const HostStep& h, int unit, int number) {
    CPPStepInfo step;
    step.SetNumberInSquence(number);
    step.SetSequenceOrder(static_cast<short>(number));
    step.SetSetupIndex(h.setup_index);
    step.SetControlType(7);
    step.SetBendType(h.bend_type);
    step.SetBendAngle(h.bend_angle);
    step.SetBendLength(h.bend_length, unit);
    step.SetStepValue(h.step_value, unit);
    step.SetCycleNo(h.cycles);
    step.SetOffset(h.offset, unit);
    step.SetBendingSpeed(10, unit);
    step.SetReturnSpeed(100);
    step.SetODC(200, 0);
    step.SetDwellEndBend(0.5f);
    double xx[4], yy[4], zz[4];
    std::memcpy(xx, h.xx, sizeof xx);
    std::memcpy(yy, h.yy, sizeof yy);
    std::memcpy(zz, h.zz, sizeof zz);
    step.SetXX(xx);
    step.SetYY(yy);
    step.SetZZ(zz);
    step.SetAuxFunc(h.aux);
    step.SetY1(h.y1);
    step.SetY2(h.y2);
    step.SetTonnageValue(h.tonnage);
    char ids[6][32] = {};
    std::strncpy(ids[0], h.punch, 31);
    std::strncpy(ids[1], h.die, 31);
    std::strncpy(ids[2], h.holder, 31);
    step.SetToolID(ids);
    return step;
  }

  static CPPTool Tool(const char* name, float punch_resistance, double v_width,
                      double angle, double radius, float die_resistance) {
    CPPTool tool;
    tool.SetToolName(name);
    tool.SetPunchResistance(punch_resistance);
    tool.SetVWidth(v_width);
    tool.SetAngle(angle);
    tool.SetRadius(radius);
    tool.SetDieResistance(die_resistance);
    return tool;
  }

  static CPPMachine Machine(const char* name, double tonnage,
                            double min_tonnage, double max_length) {
    CPPMachine machine;
    machine.SetUserMachineName(name);
    machine.SetTonnage(tonnage);
    machine.SetMinTonnage(min_tonnage);
    machine.SetMaxBendingLength(max_length);
    return machine;
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
