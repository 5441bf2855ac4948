// The bend data of one step, as the record file writer asks for it before
// writing the step's record: depth and force from the BendCalculator, the
// force corrected for a bend away from the machine's centre, and the
// step's warning shown to the operator.
#include "generation/bend_calculation_driver.h"

#include "bendcalc/bend_data.h"
#include "bendcalc/bend_warnings.h"
#include "generation/step_bend_data.h"
#include "generation/tooling_lookup.h"

namespace bendpost {

void CalculateBendData(const ProgramHeader& header, const JobContext& context,
                       const CPPSetup& setup, CPPStepInfo& step) {
  Job& job = context.job;
  BendMaterialData material;
  BendMachineData machine;
  GatherMaterialData(header, job, step, material);
  GatherMachineData(header, job, setup, step, machine);
  CPPSetup program_setup = setup;
  // One calculator per step: the material data file is read anew.
  const StepBendData data = CalculateStepBendData(
      context.files, job.DataPath, material, machine, step.GetOffset(),
      job.MachineNamed(program_setup.GetUserMachineName()));

  // The ram moves down: the depth is stored negated (0 becomes -0.0).
  step.SetY1(-data.depth);
  step.SetY2(-data.depth);
  step.SetTonnageValue(data.tonnage);
  ShowBendWarnings(context.ui, step.GetNumberInSquence(), data.warnings.data());
}

}  // namespace bendpost
