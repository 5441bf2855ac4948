// The rules by which the generation turns a job's steps into programs and
// finds each program's setup. Everything that has to agree with the
// generation (the host's summary, the setup sheet) calls these rather than
// working them out again.
#ifndef BENDPOST_RECORDS_PROGRAM_CUT_H_
#define BENDPOST_RECORDS_PROGRAM_CUT_H_

#include <vector>

#include "bendpost/bendpost.h"

namespace bendpost {

// One program: a run of adjacent steps with the same SetupIndex. Steps of
// one setup that are not adjacent make separate programs.
struct ProgramCut {
  int first_step = 0;   // index into the job's steps
  int step_count = 0;   // at least 1
  int setup_index = 0;  // the SetupIndex its steps share
};

// The program that starts at step `first` (0 <= first < steps.GetSize()).
ProgramCut ProgramStartingAt(const CArray<CPPStepInfo>& steps, int first);

// Every program of `steps`, in order; none for no steps.
std::vector<ProgramCut> CutIntoPrograms(const CArray<CPPStepInfo>& steps);

// The key a program's setup is found by: its steps' SetupIndex less one,
// wrapping from the bottom of the int range to its top as the host's
// integer arithmetic does (never undefined). The generation stores the key
// in the steps before it cuts them; the runs stay the same.
int SetupKeyOf(int setup_index);

// The first setup whose SetupIndex equals `key`; null when none has it.
// The pointer is valid until the array changes.
const CPPSetup* FindSetupByKey(const CArray<CPPSetup>& setups, int key);

}  // namespace bendpost

#endif  // BENDPOST_RECORDS_PROGRAM_CUT_H_
