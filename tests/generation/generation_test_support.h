// A job for the tests of program generation: the dialog tests' platform
// (fixed clock on 5 March 2024, in-memory settings store holding the serial
// counter's key, in-memory files, scripted user interface) plus the tooling
// and material of the bend calculation's worked example, so that a step
// calculates to a known depth (about 7.4055 mm) and force (about 232.36).
//
//   setup:    "BandR" (7), machine "PB1", bending coefficient 1
//   machine:  "PB1", tonnage 100, minimum 5, maximum bending length 3000
//   punch:    "P1", resistance 100;  die: "D16", V 16, 88 degrees, radius 2,
//             resistance 100
//   material: code 1 (C.R.S., number 1, hardness 40), 2 mm; its data file
//             /data/f_1 holds the worked example's models
//   step:     punch P1, die D16, bend length 1000 mm, 90 degrees
#ifndef BENDPOST_TESTS_PROGRAM_GENERATION_TEST_SUPPORT_H_
#define BENDPOST_TESTS_PROGRAM_GENERATION_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bendcalc/material_file.h"
#include "generation/bend_calculation_driver.h"
#include "generation/finish_program.h"
#include "generation/record_file_writer.h"
#include "generation/tooling_lookup.h"
#include "resources/strings.h"
#include "tests/bendcalc/bendcalc_fixtures.h"
#include "tests/dialog/dialog_test_support.h"

namespace bendpost::testing {

using test_support::NativePath;

inline constexpr float kWorkedDepth = 7.4055f;
inline constexpr float kWorkedForce = 232.36f;

class GenerationTest : public DialogTest {
 protected:
  GenerationTest() {
    store_->DataPath = NativePath("/data");
    files_.SetFile(NativePath("/data/f_1"), Encode(WorkedExampleModels()));
  }

  // A setup of the worked example under `index` (as the dialog sees it,
  // i.e. already lowered), with its own name.
  void AddBandRSetup(int index, const char* machine = "PB1",
                     int control_type = 7) {
    CPPSetup setup;
    setup.SetSetupIndex(index);
    setup.SetControlType(control_type);
    setup.SetSetupName(("Setup " + std::to_string(index + 1)).c_str());
    setup.SetMachineModel("PB-100");
    setup.SetUserMachineName(machine);
    setup.SetBendingCoefficient(1);
    store_->Setups.Add(setup);
  }
  void AddMachine(const char* name, double tonnage = 100,
                  double min_tonnage = 5, double max_length = 3000) {
    CPPMachine machine;
    machine.SetUserMachineName(name);
    machine.SetTonnage(tonnage);
    machine.SetMinTonnage(min_tonnage);
    machine.SetMaxBendingLength(max_length);
    store_->Machines.Add(machine);
  }
  void AddPunch(const char* name, float resistance = 100) {
    CPPTool punch;
    punch.SetToolName(name);
    punch.SetPunchResistance(resistance);
    store_->Tools.Add(punch);
  }
  void AddDie(const char* name, double v_width = 16, double angle = 88,
              double radius = 2, float resistance = 100) {
    CPPTool die;
    die.SetToolName(name);
    die.SetVWidth(v_width);
    die.SetAngle(angle);
    die.SetRadius(radius);
    die.SetDieResistance(resistance);
    store_->Tools.Add(die);
  }
  // Setup 0, machine, punch and die of the worked example.
  void AddWorkedExampleJob() {
    AddBandRSetup(0);
    AddMachine("PB1");
    AddPunch("P1");
    AddDie("D16");
  }
  static CPPStepInfo WorkedStep(int number, float angle = 90) {
    CPPStepInfo step = MakeStep(StepTools{"P1", "D16"});
    step.SetNumberInSquence(number);
    step.SetSequenceOrder(static_cast<short>(number));
    step.SetBendLength(1000, 0);
    step.SetBendAngle(angle);
    return step;
  }
  std::vector<CPPStepInfo> WorkedSteps(int count) {
    std::vector<CPPStepInfo> steps;
    for (int i = 1; i <= count; ++i) steps.push_back(WorkedStep(i));
    return steps;
  }

  // Messages shown with the error icon / without an icon.
  std::vector<std::string> ErrorMessages() const {
    std::vector<std::string> texts;
    for (const auto& m : ui_.messages())
      if (m.icon == MessageIcon::kError) texts.push_back(m.text);
    return texts;
  }
  static std::string Text(int string_id) { return LoadString(string_id); }
  // The warning message of one step with one code's line.
  static std::string WarningText(int step_number, int string_id) {
    return "Please note: [for step number: " + std::to_string(step_number) +
           "]\n" + LoadString(string_id) + "\n";
  }
};

}  // namespace bendpost::testing

#endif  // BENDPOST_TESTS_PROGRAM_GENERATION_TEST_SUPPORT_H_
