// A host-style program: it sees the driver only through
// <bendpost/bendpost.h> and the shared library, and calls it in the host's
// order. It checks what a host can observe: the exported record classes
// (constructed, filled, copied and destroyed with the library's code), the
// host's arrays of them, and the C functions. Exit code 0 when every check
// holds.
#include <bendpost/bendpost.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

int g_failures = 0;

void Check(bool ok, const char* what, int line) {
  if (!ok) {
    std::fprintf(stderr, "host_program.cc:%d: check failed: %s\n", line, what);
    ++g_failures;
  }
}
#define CHECK(condition) Check((condition), #condition, __LINE__)

CPPStepInfo MakeStep(int number, int setup, float angle) {
  CPPStepInfo step;
  step.SetNumberInSquence(number);
  step.SetSetupIndex(setup);
  step.SetControlType(7);
  step.SetBendType(0);
  step.SetBendAngle(angle);
  step.SetBendLength(7.5f, 1);  // inch: 190.5 mm, rounded half up
  step.SetODC(10.0f, 1);
  step.SetBendingSpeed(10.0, 1);
  step.SetStepValue(0.12345f, 1);
  step.SetOffset(0.7f, 0);
  char ids[6][32] = {"P88", "D16V12", "H1", "", "S5", ""};
  step.SetToolID(ids);
  bool reverse[6] = {false, true, false, false, true, false};
  step.SetTollReverse(reverse);
  long rays[6] = {1, 2, 3, 4, 5, 6};
  step.SetRayID(rays);
  double xx[4] = {100.5, 0, 0, 0};
  step.SetXX(xx);
  step.SetAuxFunc("010000");
  return step;
}

void CheckStep(const CPPStepInfo& original, int number) {
  CPPStepInfo step(original);
  CHECK(step.GetNumberInSquence() == number);
  CHECK(step.GetBendLength() == 191);
  CHECK(step.GetODC() == 254);
  CHECK(step.GetBendingSpeed() == 254);
  CHECK(step.GetOffset() == 0.7f);
  CHECK(step.GetStepValue() > 3.124f && step.GetStepValue() < 3.1243f);
  CHECK(step.GetDwellEndBend() == 0.2f);
  char ids[6][32];
  step.GetToolID(ids);
  CHECK(std::strcmp(ids[1], "D16V12") == 0);
  bool reverse[6];
  step.GetToolReverse(reverse);
  CHECK(reverse[1] && reverse[4] && !reverse[0]);
  long rays[6];
  step.GetRayID(rays);
  CHECK(rays[5] == 6);
  CHECK(step.GetAuxFunc() == "010000");
}

CPPTool MakeTool(const char* name, double v_width) {
  CPPTool tool;
  tool.SetToolName(name);
  tool.SetCategory("Die");
  tool.SetVWidth(v_width);
  tool.SetAngle(88);
  tool.SetDieResistance(120.5f);
  double profile[64][2] = {};
  for (int i = 0; i < 64; ++i) profile[i][0] = i;
  tool.SetProfile(profile);
  tool.SetNumProfilePoint(64);
  return tool;
}

}  // namespace

int main() {
  int id = 0;
  GetDriverID(&id);
  CHECK(id == 5);
  GetDriverID(nullptr);

  CHECK(CreatePPDBInstance());
  SetUnit(1);
  SetMaterial_1(0.5f, 40, 1);
  SetMaterial_2(0.5f, 40, CString("Stainless Steel"));
  SetPathNames("/tmp/bendpost/part.bmf", "/tmp/bendpost/data",
               "/tmp/bendpost/tools.txt");

  CArray<CPPStepInfo> steps;
  for (int i = 0; i < 4; ++i) steps.Add(MakeStep(i + 1, 1 + i / 2, 90.0f));
  InitPPSequence(&steps);

  CArray<CPPTool> tools;
  tools.Add(MakeTool("P88", 0));
  tools.Add(MakeTool("D16V12", 12));
  InitToolInfo(&tools);

  CArray<CPPSetup> setups;
  CPPSetup setup;
  CHECK(setup.GetControlType() == 7);
  setup.SetSetupName("Setup 1");
  setup.SetUserMachineName("Press 1");
  setup.SetBendingCoefficient(1.0f);
  setups.Add(setup);
  setup.SetSetupIndex(1);
  setups.Add(setup);
  InitSetupInfo(&setups);

  // Machines are large (about 100 KB each); they travel by value all the same.
  CArray<CPPMachine> machines;
  {
    auto machine = std::make_unique<CPPMachine>();
    CHECK(machine->GetLengthUnit() && machine->GetclampAtCerter());
    machine->SetUserMachineName("Press 1");
    machine->SetTonnage(100);
    machine->SetMaxBendingLength(3000);
    auto profile = std::make_unique<double[][64][3]>(32);
    profile[31][63][2] = 42.5;
    machine->SetUpBeamProfile(profile.get());
    machines.Add(*machine);
  }
  InitMachineInfo(&machines);

  CArray<CPPBGauge> gauges;
  CPPBGauge gauge;
  gauge.SetFingerHLeft(12);
  gauges.Add(gauge);
  InitBkGaugeInfo(&gauges);

  // The host's arrays are unchanged by loading and hold what was put in.
  CHECK(steps.GetSize() == 4);
  for (int i = 0; i < steps.GetSize(); ++i) CheckStep(steps.GetAt(i), i + 1);
  CHECK(tools.GetSize() == 2);
  CHECK(tools.GetAt(1).GetVWidth() == 12.0);
  CHECK(tools.GetAt(1).GetToolName() == "D16V12");
  {
    CPPMachine copy(machines.GetAt(0));
    auto out = std::make_unique<double[][64][3]>(32);
    copy.GetUpBeamProfile(out.get());
    CHECK(out[31][63][2] == 42.5);
    CHECK(copy.GetUserMachineName() == "Press 1");
  }
  CHECK(gauges.GetAt(0).GetFingerHLeft() == 12.0);

  // Loading again replaces; an empty array is accepted; a null one is
  // ignored.
  steps.RemoveAll();
  steps.Add(MakeStep(9, 1, 45.0f));
  InitPPSequence(&steps);
  CArray<CPPBGauge> no_gauges;
  InitBkGaugeInfo(&no_gauges);
  InitToolInfo(nullptr);

  // The host may destroy its arrays once loaded.
  steps.RemoveAll();
  tools.RemoveAll();
  machines.RemoveAll();

  DestroyPPDBInstance();
  CHECK(CreatePPDBInstance());
  DestroyPPDBInstance();

  if (g_failures != 0) {
    std::fprintf(stderr, "%d check(s) failed\n", g_failures);
    return 1;
  }
  std::printf("host program: all checks passed\n");
  return 0;
}
