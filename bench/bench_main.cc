// The benchmarks' main: runs the benchmarks as Google Benchmark's own main
// does (every --benchmark_* flag applies), then prints the ratios of the
// driver's timings to the I/O floor measured in the same run, and the
// calculation's rate against its target.
//
// Ratios are given for real (wall-clock) time, the one the operator waits
// for, and for CPU time (user and system time of the process), which other
// load on the machine and the device's write-back disturb less. With
// --benchmark_repetitions the median of the repetitions is used.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/bench_support.h"

namespace bendpost::bench {
namespace {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(isatty(1) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median =
          run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      Timing& t = timings_[run.run_name.function_name];
      if (t.median && !median) continue;
      t.median = median;
      const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
      t.real = run.GetAdjustedRealTime() / unit;
      t.cpu = run.GetAdjustedCPUTime() / unit;
    }
  }

  struct Timing {
    double real = 0;  // seconds per iteration
    double cpu = 0;
    bool median = false;
  };
  // A benchmark's timing, zero when it did not run.
  Timing Get(const std::string& name) const {
    auto it = timings_.find(name);
    return it == timings_.end() ? Timing() : it->second;
  }

 private:
  std::map<std::string, Timing> timings_;
};

struct Ratio {
  const char* label;
  const char* driver;   // benchmark of the driver's code
  double count;         // iterations of it that make one floor iteration
  const char* floor;    // benchmark of the plain system calls
  const char* missing;  // what to say when the driver's benchmark is absent
};

constexpr Ratio kRatios[] = {
    {"one step's calculation / one material file read", "BM_StepCalculation", 1,
     "BM_FloorMaterialRead", nullptr},
    {"25 steps' calculations / 25 material file reads", "BM_StepCalculation",
     25, "BM_Floor25MaterialReads", nullptr},
    {"conversion to the control file / its file work",
     "BM_ConvertToControlFile", 1, "BM_FloorConversion", nullptr},
    {"whole 25-step program / its file work (target <= 2)", "BM_WholeProgram",
     1, "BM_FloorProgram",
     "not measured in this build (no whole-program benchmark)"},
    {"the same without flushing / its file work unflushed",
     "BM_WholeProgramNoSync", 1, "BM_FloorProgramNoSync", nullptr},
    {"whole 25-step program flushed / unflushed", "BM_WholeProgram", 1,
     "BM_WholeProgramNoSync", nullptr},
    {"catalogue of 10,000 control files / reading them (target <= 2)",
     "BM_ProgramCatalogue", 1, "BM_FloorCatalogueReads", nullptr},
};

constexpr double kCalculateTarget = 2e6;  // calls per second, one core

void PrintSummary(const RatioReporter& r) {
  std::printf(
      "\nAgainst the I/O floor of this run:   real-time ratio (us / us)   "
      "CPU-time ratio (us / us)\n");
  for (const Ratio& ratio : kRatios) {
    const RatioReporter::Timing driver = r.Get(ratio.driver);
    const RatioReporter::Timing floor = r.Get(ratio.floor);
    const double real = driver.real * ratio.count;
    const double cpu = driver.cpu * ratio.count;
    if (real > 0 && floor.real > 0) {
      std::printf("  %-54s %6.2f (%.1f / %.1f)   %6.2f (%.1f / %.1f)\n",
                  ratio.label, real / floor.real, real * 1e6, floor.real * 1e6,
                  cpu / floor.cpu, cpu * 1e6, floor.cpu * 1e6);
    } else if (ratio.missing != nullptr && floor.real > 0) {
      std::printf("  %-54s %s; floor %.1f us real, %.1f us CPU\n", ratio.label,
                  ratio.missing, floor.real * 1e6, floor.cpu * 1e6);
    }
  }
  const double calculate = r.Get("BM_Calculate").real;
  if (calculate > 0) {
    const double rate = 1 / calculate;
    std::printf("  %-54s %6.2f M/s (target >= %.0f M/s: %s)\n",
                "Calculate with loaded models, calls per second", rate / 1e6,
                kCalculateTarget / 1e6,
                rate >= kCalculateTarget ? "met" : "MISSED");
  }
}

}  // namespace
}  // namespace bendpost::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bendpost::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bendpost::bench::PrintSummary(reporter);
  benchmark::Shutdown();
  bendpost::bench::RemoveWorkFolder();
  return 0;
}
