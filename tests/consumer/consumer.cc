// The smallest host: compiles against the installed <bendpost/bendpost.h>,
// links the installed library, and checks that the driver answers: its
// identifier, its job store, and a record built and copied with the
// library's own code. Exit code 0 when all of that holds.
#include <bendpost/bendpost.h>

#include <cstdio>

int main() {
  int id = 0;
  GetDriverID(&id);
  if (id != 5) {
    std::fprintf(stderr, "GetDriverID gave %d, expected 5\n", id);
    return 1;
  }
  if (!CreatePPDBInstance()) {
    std::fprintf(stderr, "CreatePPDBInstance failed\n");
    return 1;
  }
  CPPStepInfo step;
  step.SetBendAngle(90.0f);
  CArray<CPPStepInfo> steps;
  steps.Add(step);
  InitPPSequence(&steps);
  DestroyPPDBInstance();
  if (steps.GetAt(0).GetBendAngle() != 90.0f) {
    std::fprintf(stderr, "the step record did not keep its angle\n");
    return 1;
  }
  std::printf("bendpost driver %d answers\n", id);
  return 0;
}
