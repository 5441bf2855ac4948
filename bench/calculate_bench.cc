// The bend calculation: Calculate alone with the models loaded, and one
// step's whole calculation as the driver runs it (a new BendCalculator that
// reads its material data file from disk, then calculates).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_support.h"
#include "bendcalc/bend_calculator.h"

namespace bendpost::bench {
namespace {

void BM_Calculate(benchmark::State& state) {
  const std::vector<BendMaterialData>& steps = StepInputs();
  const BendMachineData machine = Machine();
  BendCalculator calculator(RealFileSystem(), DataFolder());
  BendResult result;
  WarningCodes warnings{};
  calculator.Calculate(steps[0], machine, result, warnings);  // loads f_1
  if (calculator.LoadedMaterial() != 1) {
    state.SkipWithError("material 1 did not load");
    return;
  }
  size_t i = 0;
  for (auto _ : state) {
    calculator.Calculate(steps[i], machine, result, warnings);
    benchmark::DoNotOptimize(result);
    benchmark::DoNotOptimize(warnings);
    i = (i + 1) % steps.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Calculate);

void BM_StepCalculation(benchmark::State& state) {
  const std::vector<BendMaterialData>& steps = StepInputs();
  const BendMachineData machine = Machine();
  const CString data = DataFolder();
  size_t i = 0;
  for (auto _ : state) {
    BendCalculator calculator(RealFileSystem(), data);
    BendResult result;
    WarningCodes warnings{};
    calculator.Calculate(steps[i], machine, result, warnings);
    benchmark::DoNotOptimize(result);
    if (result.Depth == 0) {
      state.SkipWithError("the material file was not read");
      break;
    }
    i = (i + 1) % steps.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StepCalculation);

}  // namespace
}  // namespace bendpost::bench
