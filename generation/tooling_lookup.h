// Step tooling lookup: GatherMachineData and GatherMaterialData fill the two
// input blocks of the bend calculation (bendcalc/bend_data.h) from the job,
// the program's setup and header, and the step.
//
//   BendMachineData                     BendMaterialData
//   0 0.0 for the "Operateur" family,   0 header MaterialNumber
//     else 1.0                          1 header HeaderThickness (mm)
//   1 machine FrameTightness            2 die VWidth
//   2 ScaleByTen(machine Tonnage)       3 die Angle
//   3 ScaleByTen(machine MinTonnage)    4 die Radius
//   4 machine MaxBendingLength          5 step BendLength x 0.001
//   5 setup BendingCoefficient          6 header Hardness
//   6 ScaleByTen(punch PunchResistance) 7 step BendAngle
//   7 ScaleByTen(die DieResistance)
//
// 64-bit record values are narrowed to 32-bit floats. The machine is found
// by the setup's UserMachineName, the punch by the step's ToolID entry 0
// and the die by entry 1, each the first exact (case-sensitive) match in
// the job store; a name without a match gives the values of a new record.
#ifndef BENDPOST_GENERATION_TOOLING_LOOKUP_H_
#define BENDPOST_GENERATION_TOOLING_LOOKUP_H_

#include "bendcalc/bend_data.h"
#include "dialog/program_header.h"
#include "records/job.h"

namespace bendpost {

// The machine block of `step`: the job's machine named by the setup's
// UserMachineName, the job's punch and die named by the step's ToolID.
void GatherMachineData(const ProgramHeader& header, Job& job,
                       const CPPSetup& setup, const CPPStepInfo& step,
                       BendMachineData& machine);
// The material block of `step`.
void GatherMaterialData(const ProgramHeader& header, Job& job,
                        const CPPStepInfo& step, BendMaterialData& material);

// A value on the calculation's force scale: narrowed to a 32-bit float
// first, then multiplied by 10 and stored as a 32-bit float.
float ScaleByTen(double value);

// The step's bend length in metres: millimetres x 0.001 in double
// precision, then narrowed (1500 gives exactly 1.5).
float BendLengthInMetres(short bend_length);

}  // namespace bendpost

#endif  // BENDPOST_GENERATION_TOOLING_LOOKUP_H_
