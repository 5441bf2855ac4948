// The bend data of one step, as the record file writer asks for it before
// writing the step's record: depth and force from the BendCalculator, the
// force corrected for a bend away from the machine's centre, and the
// step's warning shown to the operator.
#include "generation/bend_calculation_driver.h"

#include <cmath>

#include "base/numeric.h"
#include "bendcalc/bend_calculator.h"
#include "bendcalc/bend_data.h"
#include "bendcalc/bend_warnings.h"
#include "generation/tooling_lookup.h"

namespace bendpost {
namespace {

// The tonnage of a bend at `offset` millimetres from the centre of a
// machine of `max_bending_length`: scaled by (L + s) / L with s twice the
// offset, cut to a whole number and taken without sign, formed in extended
// precision. A bend at the centre (s = 0) keeps its tonnage.
float OffCentreTonnage(float tonnage, float offset, double max_bending_length) {
  const long double s =
      std::fabs(static_cast<long double>(TruncToInt32(2.0L * offset)));
  const long double length = max_bending_length;
  return static_cast<float>(static_cast<long double>(tonnage) * (length + s) /
                            length);
}

}  // namespace

void CalculateBendData(const ProgramHeader& header, const JobContext& context,
                       const CPPSetup& setup, CPPStepInfo& step) {
  Job& job = context.job;
  // One calculator per step: the material data file is read anew.
  BendCalculator calculator(context.files, job.DataPath);
  BendMaterialData material;
  BendMachineData machine;
  GatherMaterialData(header, job, step, material);
  GatherMachineData(header, job, setup, step, machine);
  WarningCodes warnings{};
  BendResult result;
  calculator.Calculate(material, machine, result, warnings);

  // The ram moves down: the depth is stored negated (0 becomes -0.0).
  step.SetY1(-result.Depth);
  step.SetY2(-result.Depth);
  float tonnage = result.Force;

  // Off-centre correction. Without a machine of the setup's name, or with a
  // maximum bending length of 0, there is no length to scale by: the
  // tonnage keeps the calculated force.
  CPPSetup program_setup = setup;
  CPPMachine* found = job.MachineNamed(program_setup.GetUserMachineName());
  if (found != nullptr && found->GetMaxBendingLength() != 0) {
    tonnage = OffCentreTonnage(tonnage, step.GetOffset(),
                               found->GetMaxBendingLength());
  }
  step.SetTonnageValue(tonnage);

  // The minimum-tonnage warning stands only while the corrected tonnage is
  // still below the minimum the calculation compared with. (The calculation
  // raised the force to that minimum, so a correction factor of 1 or more
  // always withdraws it.)
  if (!(tonnage < machine.MinTonnage) &&
      warnings[0] == kWarningBelowMinTonnage) {
    warnings[0] = 0;
  }

  ShowBendWarnings(context.ui, step.GetNumberInSquence(), warnings.data());
}

}  // namespace bendpost
