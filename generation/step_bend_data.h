// One step's bend data as the generation calculates it, without writing
// the step or telling the operator: the calculation of the two input
// blocks (tooling_lookup.h), the tonnage corrected for a bend away from the
// machine's centre, and the warning after the minimum-tonnage withdrawal.
// CalculateBendData (bend_calculation_driver.h) is this plus the step's
// record and the operator's message; a host that shows a program without
// generating it (the command line's setup sheet) calls it directly, and so
// gets the same numbers and warnings.
#ifndef BENDPOST_GENERATION_STEP_BEND_DATA_H_
#define BENDPOST_GENERATION_STEP_BEND_DATA_H_

#include "bendcalc/bend_data.h"
#include "bendpost/bendpost.h"
#include "platform/file.h"

namespace bendpost {

struct StepBendData {
  float depth = 0;    // the calculation's depth (the record: -depth)
  float force = 0;    // the calculation's force
  float tonnage = 0;  // the force after the off-centre correction
  // After the minimum-tonnage withdrawal; kWarningNotCalculated when the
  // tonnage is no finite number.
  WarningCodes warnings{};
};

// Calculates one step with a calculator reading the material data files of
// `data_path` anew, on a machine of `max_bending_length` millimetres: with
// 0 there is no length to scale by and the tonnage keeps the calculated
// force. (The command line's one-bend calculation calls this directly.)
StepBendData CalculateStepBendData(FileSystem& files, const CString& data_path,
                                   const BendMaterialData& material,
                                   const BendMachineData& machine_data,
                                   float offset, double max_bending_length);

// The same for a setup's `machine`, null when none has its name (then, as
// with a maximum bending length of 0, the tonnage keeps the force).
StepBendData CalculateStepBendData(FileSystem& files, const CString& data_path,
                                   const BendMaterialData& material,
                                   const BendMachineData& machine_data,
                                   float offset, const CPPMachine* machine);

}  // namespace bendpost

#endif  // BENDPOST_GENERATION_STEP_BEND_DATA_H_
