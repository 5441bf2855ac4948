// The jobs of the end-to-end generation tests as a host builds them: only
// the public interface (<bendpost/bendpost.h>) is used, and the C functions
// are called through a table of entry points, so the same job can be
// handed to the driver linked into a test (the functions themselves) or to
// bendpost.dll loaded at run time (GetProcAddress).
//
// Every job has the tools P1 (punch), D16 and D24 (dies), H1 (holder), the
// machines PB1 (100 t, 3000 mm) and PB2 (60 t, 2000 mm), one back gauge,
// and setups "Setup 1" (PB1), "Setup 2" (PB2), ... of control type 7.
// Steps bend 1000 (job unit) at 90 degrees over P1/D16/H1 unless a job says
// otherwise.
#ifndef BENDPOST_TESTS_DRIVER_HOST_JOBS_H_
#define BENDPOST_TESTS_DRIVER_HOST_JOBS_H_

#include <cstring>
#include <string>
#include <vector>

#include "bendpost/bendpost.h"

namespace bendpost::testing {

// The driver's C functions, by their exported names.
struct DriverExports {
  decltype(&::CreatePPDBInstance) CreatePPDBInstance = nullptr;
  decltype(&::GetDriverID) GetDriverID = nullptr;
  decltype(&::InitPPSequence) InitPPSequence = nullptr;
  decltype(&::InitToolInfo) InitToolInfo = nullptr;
  decltype(&::InitSetupInfo) InitSetupInfo = nullptr;
  decltype(&::InitMachineInfo) InitMachineInfo = nullptr;
  decltype(&::InitBkGaugeInfo) InitBkGaugeInfo = nullptr;
  decltype(&::SetUnit) SetUnit = nullptr;
  decltype(&::SetMaterial_1) SetMaterial_1 = nullptr;
  decltype(&::SetMaterial_2) SetMaterial_2 = nullptr;
  decltype(&::SetPathNames) SetPathNames = nullptr;
  decltype(&::GenerateMachineCodeFile) GenerateMachineCodeFile = nullptr;
  decltype(&::DestroyPPDBInstance) DestroyPPDBInstance = nullptr;
};

// The tool name table of every job.
inline constexpr char kHostToolTable[] =
    "P1 PU01\nD16 DV16 DS16\nD24\tDV24\nH1 HOLD1\n";

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

// The bracket of the millimetre job: a plain bend, an off-centre bend, a
// bend in three hits, a coining step and a bend over the wider die.
inline std::vector<HostStep> BracketMm() {
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
inline std::vector<HostStep> BracketInch() {
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
inline std::vector<HostStep> TwoSetups() {
  std::vector<HostStep> steps(3);
  steps[2].setup_index = 2;
  steps[2].die = "D24";
  steps[2].bend_angle = 120;
  return steps;
}

inline CPPStepInfo MakeHostStep(const HostStep& h, int unit, int number) {
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

inline CPPTool HostTool(const char* name, float punch_resistance,
                        double v_width, double angle, double radius,
                        float die_resistance) {
  CPPTool tool;
  tool.SetToolName(name);
  tool.SetPunchResistance(punch_resistance);
  tool.SetVWidth(v_width);
  tool.SetAngle(angle);
  tool.SetRadius(radius);
  tool.SetDieResistance(die_resistance);
  return tool;
}

inline CPPMachine HostMachine(const char* name, double tonnage,
                              double min_tonnage, double max_length) {
  CPPMachine machine;
  machine.SetUserMachineName(name);
  machine.SetTonnage(tonnage);
  machine.SetMinTonnage(min_tonnage);
  machine.SetMaxBendingLength(max_length);
  return machine;
}

// Hands a job to the driver in the host's order: CreatePPDBInstance,
// SetUnit, SetMaterial_1 (strength 45), the five loading functions,
// SetPathNames. False, with nothing else called, when the driver has no
// store.
inline bool LoadHostJob(const DriverExports& driver, int unit, float thickness,
                        int material_code,
                        const std::vector<HostStep>& host_steps,
                        int setup_count, const std::string& program_path,
                        const std::string& data_path,
                        const std::string& tool_table_path) {
  if (!driver.CreatePPDBInstance()) return false;
  driver.SetUnit(unit);
  driver.SetMaterial_1(thickness, 45, material_code);

  CArray<CPPStepInfo> steps;
  int number = 1;
  for (const HostStep& h : host_steps)
    steps.Add(MakeHostStep(h, unit, number++));
  driver.InitPPSequence(&steps);

  CArray<CPPTool> tools;
  tools.Add(HostTool("P1", 100, 0, 0, 0, 0));
  tools.Add(HostTool("D16", 0, 16, 88, 2, 100));
  tools.Add(HostTool("D24", 0, 24, 88, 3, 100));
  tools.Add(HostTool("H1", 0, 0, 0, 0, 0));
  driver.InitToolInfo(&tools);

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
  driver.InitSetupInfo(&setups);

  CArray<CPPMachine> machines;
  machines.Add(HostMachine("PB1", 100, 5, 3000));
  machines.Add(HostMachine("PB2", 60, 4, 2000));
  driver.InitMachineInfo(&machines);

  CArray<CPPBGauge> gauges;
  gauges.Add(CPPBGauge());
  driver.InitBkGaugeInfo(&gauges);

  driver.SetPathNames(program_path.c_str(), data_path.c_str(),
                      tool_table_path.c_str());
  return true;
}

}  // namespace bendpost::testing

#endif  // BENDPOST_TESTS_DRIVER_HOST_JOBS_H_
