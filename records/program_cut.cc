#include "records/program_cut.h"

namespace bendpost {

ProgramCut ProgramStartingAt(const CArray<CPPStepInfo>& steps, int first) {
  ProgramCut cut;
  cut.first_step = first;
  cut.setup_index = steps[first].GetSetupIndex();
  int end = first + 1;
  while (end < steps.GetSize() &&
         steps[end].GetSetupIndex() == cut.setup_index) {
    ++end;
  }
  cut.step_count = end - first;
  return cut;
}

std::vector<ProgramCut> CutIntoPrograms(const CArray<CPPStepInfo>& steps) {
  std::vector<ProgramCut> cuts;
  for (int first = 0; first < steps.GetSize();) {
    cuts.push_back(ProgramStartingAt(steps, first));
    first += cuts.back().step_count;
  }
  return cuts;
}

int SetupKeyOf(int setup_index) {
  return static_cast<int>(static_cast<unsigned>(setup_index) - 1u);
}

const CPPSetup* FindSetupByKey(const CArray<CPPSetup>& setups, int key) {
  for (int i = 0; i < setups.GetSize(); ++i) {
    if (setups[i].GetSetupIndex() == key) return &setups[i];
  }
  return nullptr;
}

}  // namespace bendpost
