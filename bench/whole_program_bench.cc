// One whole 25-step program, from the operator's confirmation of the
// program dialog to the control file on disk: GenerateMachineCodeFile on a
// job loaded through the exports, with the scripted user interface
// answering "Create...", an in-memory serial counter, a fixed clock and real
// files in the benchmark's folder (the material data files written by the
// material file writer, a tool name table, the program folder).
//
// Each iteration times the generation call only. Loading the job again
// (the generation lowers the steps' setup indexes for good), a fresh
// serial counter (so every iteration writes the same control file name and
// renames over the previous one, as the floor does) and a fresh user
// interface are set up with the timers paused.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bendpost/bendpost.h"
#include "dialog/program_identity.h"
#include "driver/host_jobs.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/scripted_ui.h"
#include "platform/settings_store.h"
#include "resources/strings.h"

namespace bendpost::bench {
namespace {

constexpr int kSteps = 25;

std::string ProgramFolder() { return InWork("programs"); }

// 25 steps of one setup, 2 mm sheet of material 1 over a 16 mm die, bend
// angles 30 to 170 degrees, every third step off centre: each step runs the
// calculation and reads its material data file.
CArray<CPPStepInfo> Steps() {
  CArray<CPPStepInfo> steps;
  for (int i = 0; i < kSteps; ++i) {
    CPPStepInfo step;
    step.SetNumberInSquence(i + 1);
    step.SetSequenceOrder(static_cast<short>(i + 1));
    step.SetSetupIndex(1);
    step.SetControlType(7);
    step.SetBendType(0);
    step.SetBendAngle(30.0f + 140.0f * i / (kSteps - 1));
    step.SetBendLength(800, 0);
    step.SetOffset(i % 3 == 0 ? 150.0f : 0.0f, 0);
    step.SetBendingSpeed(10, 0);
    step.SetReturnSpeed(100);
    step.SetODC(200, 0);
    step.SetDwellEndBend(0.5f);
    double xx[4] = {40.0 + i, 40.0 + i, 0, 0};
    double yy[4] = {};
    double zz[4] = {-400, 400, 0, 0};
    step.SetXX(xx);
    step.SetYY(yy);
    step.SetZZ(zz);
    step.SetAuxFunc("000000");
    char ids[6][32] = {};
    std::strcpy(ids[0], "P1");
    std::strcpy(ids[1], "D16");
    std::strcpy(ids[2], "H1");
    step.SetToolID(ids);
    steps.Add(step);
  }
  return steps;
}

// The job as a host hands it over, in the host's calling order.
void LoadJob() {
  if (!CreatePPDBInstance()) std::abort();
  SetUnit(0);
  SetMaterial_1(2, 40, 1);
  CArray<CPPStepInfo> steps = Steps();
  InitPPSequence(&steps);
  CArray<CPPTool> tools;
  tools.Add(testing::HostTool("P1", 1000, 0, 0, 0, 0));
  tools.Add(testing::HostTool("D16", 0, 16, 88, 2, 1000));
  tools.Add(testing::HostTool("H1", 0, 0, 0, 0, 0));
  InitToolInfo(&tools);
  CArray<CPPSetup> setups;
  CPPSetup setup;
  setup.SetSetupIndex(0);
  setup.SetControlType(7);
  setup.SetSetupName("Setup 1");
  setup.SetMachineModel("PB-1000");
  setup.SetUserMachineName("PB1");
  setup.SetBendingCoefficient(1);
  setups.Add(setup);
  InitSetupInfo(&setups);
  CArray<CPPMachine> machines;
  machines.Add(testing::HostMachine("PB1", 1000, 5, 3000));
  InitMachineInfo(&machines);
  CArray<CPPBGauge> gauges;
  gauges.Add(CPPBGauge());
  InitBkGaugeInfo(&gauges);
  SetPathNames((ProgramFolder() + "/bracket.bmf").c_str(), DataFolder().c_str(),
               InWork("tools.txt").c_str());
}

// What one iteration needs around the generation call.
struct Run {
  Run() : ui({}, ScriptedAction::kCreate) {
    settings.CreateKey(SerialCounterKeyPath(ui));
    LoadJob();
  }
  ~Run() { DestroyPPDBInstance(); }

  MemSettingsStore settings;
  FixedClock clock{Date{2024, 3, 5}};
  ScriptedUserInterface ui;
  ScopedPlatform platform{Platform{nullptr, &clock, &settings, &ui}};
  char program_path[260] = {};
};

// The folder after one generation: exactly one control file and the
// "created" message, else the benchmark would time an error path.
std::string CheckOneProgram(const Run& run) {
  const std::string created = LoadString(strings::kProgramCreated);
  if (run.ui.messages().size() != 1 || run.ui.messages()[0].text != created) {
    return "the program was not created: " + (run.ui.messages().empty()
                                                  ? std::string("no message")
                                                  : run.ui.messages()[0].text);
  }
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(ProgramFolder()))
    names.push_back(entry.path().filename().string());
  if (names.size() != 1 || names[0].size() < 4 ||
      names[0].substr(names[0].size() - 4) != ".NMB") {
    std::string listed;
    for (const std::string& n : names) listed += " " + n;
    return "expected one control file in the program folder, found:" + listed;
  }
  return "";
}

void BM_WholeProgram(benchmark::State& state) {
  std::filesystem::create_directories(ProgramFolder());
  WriteFile(InWork("tools.txt"), "P1 PU01\nD16 DV16 DS16\nH1 HOLD1\n");
  {
    Run first;
    GenerateMachineCodeFile(first.program_path);
    const std::string problem = CheckOneProgram(first);
    if (!problem.empty()) {
      state.SkipWithError(problem.c_str());
      return;
    }
  }
  for (auto _ : state) {
    state.PauseTiming();
    {
      Run run;
      state.ResumeTiming();
      benchmark::DoNotOptimize(GenerateMachineCodeFile(run.program_path));
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  Run last;
  GenerateMachineCodeFile(last.program_path);
  const std::string problem = CheckOneProgram(last);
  if (!problem.empty()) state.SkipWithError(problem.c_str());
}
BENCHMARK(BM_WholeProgram);

}  // namespace
}  // namespace bendpost::bench
