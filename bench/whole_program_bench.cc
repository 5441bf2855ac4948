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
//
// BM_WholeProgramNoSync is the same program with the file system's flushes
// (File::Sync, FileSystem::SyncFolderOf) turned into no-ops: what flushing
// the control file and its folder costs one program.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bendpost/bendpost.h"
#include "dialog/program_identity.h"
#include "driver/host_jobs.h"
#include "platform/clock.h"
#include "platform/file.h"
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

// The real file system with every flush left out.
class NoSyncFile : public File {
 public:
  explicit NoSyncFile(std::unique_ptr<File> inner) : inner_(std::move(inner)) {}
  Status SetLength(uint64_t length) override {
    return inner_->SetLength(length);
  }
  Status Seek(uint64_t offset) override { return inner_->Seek(offset); }
  Status Write(const void* data, size_t size) override {
    return inner_->Write(data, size);
  }
  Status Read(void* data, size_t size, size_t* read) override {
    return inner_->Read(data, size, read);
  }
  Status Sync() override { return Status::OK(); }
  Status Close() override { return inner_->Close(); }

 private:
  std::unique_ptr<File> inner_;
};

class NoSyncFileSystem : public FileSystem {
 public:
  Status Create(const std::string& path, std::unique_ptr<File>* file) override {
    return Wrap(real_.Create(path, file), file);
  }
  Status OpenForRead(const std::string& path,
                     std::unique_ptr<File>* file) override {
    return Wrap(real_.OpenForRead(path, file), file);
  }
  Status Rename(const std::string& from, const std::string& to) override {
    return real_.Rename(from, to);
  }
  Status Remove(const std::string& path) override { return real_.Remove(path); }
  Status SyncFolderOf(const std::string&) override { return Status::OK(); }
  bool Exists(const std::string& path) override { return real_.Exists(path); }
  Status CheckWritable(const std::string& path) override {
    return real_.CheckWritable(path);
  }
  Status ListFolder(const std::string& folder,
                    std::vector<std::string>* names) override {
    return real_.ListFolder(folder, names);
  }

 private:
  static Status Wrap(Status s, std::unique_ptr<File>* file) {
    if (s.ok()) *file = std::make_unique<NoSyncFile>(std::move(*file));
    return s;
  }
  FileSystem& real_ = RealFileSystem();
};

// What one iteration needs around the generation call.
struct Run {
  explicit Run(FileSystem* files = nullptr)
      : ui({}, ScriptedAction::kCreate),
        platform(Platform{files, &clock, &settings, &ui}) {
    settings.CreateKey(SerialCounterKeyPath(ui));
    LoadJob();
  }
  ~Run() { DestroyPPDBInstance(); }

  MemSettingsStore settings;
  FixedClock clock{Date{2024, 3, 5}};
  ScriptedUserInterface ui;
  ScopedPlatform platform;
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

void WholeProgram(benchmark::State& state, FileSystem* files) {
  std::filesystem::create_directories(ProgramFolder());
  WriteFile(InWork("tools.txt"), "P1 PU01\nD16 DV16 DS16\nH1 HOLD1\n");
  {
    Run first(files);
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
      Run run(files);
      state.ResumeTiming();
      benchmark::DoNotOptimize(GenerateMachineCodeFile(run.program_path));
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  Run last(files);
  GenerateMachineCodeFile(last.program_path);
  const std::string problem = CheckOneProgram(last);
  if (!problem.empty()) state.SkipWithError(problem.c_str());
}

void BM_WholeProgram(benchmark::State& state) { WholeProgram(state, nullptr); }
BENCHMARK(BM_WholeProgram);

void BM_WholeProgramNoSync(benchmark::State& state) {
  NoSyncFileSystem files;
  WholeProgram(state, &files);
}
BENCHMARK(BM_WholeProgramNoSync);

}  // namespace
}  // namespace bendpost::bench
