// The bend data of one step, as the record file writer asks for it before
// writing the step's record.
#ifndef BENDPOST_GENERATION_BEND_CALCULATION_DRIVER_H_
#define BENDPOST_GENERATION_BEND_CALCULATION_DRIVER_H_

#include "bendpost/bendpost.h"
#include "dialog/job_context.h"
#include "dialog/program_header.h"

namespace bendpost {

// Calculates `step` of the program of `header` and `setup`: the ram depth
// into Y1 and Y2 (negated), the force, corrected for an off-centre bend,
// into TonnageValue; the step's warning is shown to the operator. The
// material files are read from the job's DataPath anew for every step.
void CalculateBendData(const ProgramHeader& header, const JobContext& context,
                       const CPPSetup& setup, CPPStepInfo& step);

}  // namespace bendpost

#endif  // BENDPOST_GENERATION_BEND_CALCULATION_DRIVER_H_
