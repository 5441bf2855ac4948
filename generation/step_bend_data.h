// One step's bend data as the generation calculates it, with every input
// passed in: the two calculation blocks built from the records the tooling
// lookup found (tooling_lookup.h has the table of their fields), and the
// calculation of a step with its off-centre correction and the withdrawal
// of the minimum-tonnage warning. The program dialog's GatherMachineData,
// GatherMaterialData and CalculateBendData are these functions on the
// dialog's header and the job store; a host that shows a program without
// generating it (the command line's setup sheet) calls them with the
// records it found itself, and so gets the same numbers and warnings.
#ifndef BENDPOST_GENERATION_STEP_BEND_DATA_H_
#define BENDPOST_GENERATION_STEP_BEND_DATA_H_

#include <cstdint>

#include "bendcalc/bend_data.h"
#include "bendpost/bendpost.h"

namespace bendpost {

// The program header's values that the calculation reads, in their
// millimetre form (after the record file writer's conversion).
struct BendHeaderValues {
  int control_type = 0;
  int16_t material_number = 0;
  float thickness = 0;  // millimetres
  float hardness = 0;
};

// `machine`, `punch` and `die` are the records found by name, or newly
// constructed ones when a name matched nothing.
BendMachineData MachineDataFor(const BendHeaderValues& header,
                               const CPPSetup& setup, const CPPMachine& machine,
                               const CPPTool& punch, const CPPTool& die);
BendMaterialData MaterialDataFor(const BendHeaderValues& header,
                                 const CPPTool& die, const CPPStepInfo& step);

struct StepBendData {
  float depth = 0;          // the calculation's depth (the record holds -depth)
  float force = 0;          // the calculation's force
  float tonnage = 0;        // the force after the off-centre correction
  WarningCodes warnings{};  // after the minimum-tonnage withdrawal
};

// Calculates one step with a calculator reading the material data files of
// `data_path`. `machine` is the setup's machine, null when none has its
// name: then, as with a maximum bending length of 0, the tonnage keeps the
// calculated force.
StepBendData CalculateStepBendData(const CString& data_path,
                                   const BendMaterialData& material,
                                   const BendMachineData& machine_data,
                                   float offset, const CPPMachine* machine);

}  // namespace bendpost

#endif  // BENDPOST_GENERATION_STEP_BEND_DATA_H_
