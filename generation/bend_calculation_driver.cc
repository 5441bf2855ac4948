// The bend data of one step, as the record file writer asks for it before
// writing the step's record: depth and force from the BendCalculator, the
// force corrected for a bend away from the machine's centre, and the
// step's warning shown to the operator.
#include "bendcalc/bend_warnings.h"
#include "dialog/program_dialog.h"
#include "generation/step_bend_data.h"
#include "platform/platform.h"

void ProgramDialog::CalculateBendData(CPPStepInfo& step,
                                      const CPPSetup& setup) {
  if (Store == nullptr) return;

  bendpost::BendMaterialData material;
  bendpost::BendMachineData machine;
  GatherMaterialData(material, step);
  GatherMachineData(machine, setup, step);
  CPPSetup program_setup = setup;
  const bendpost::StepBendData data = bendpost::CalculateStepBendData(
      Store->DataPath, material, machine, step.GetOffset(),
      Store->MachineNamed(program_setup.GetUserMachineName()));

  // The ram moves down: the depth is stored negated (0 becomes -0.0).
  step.SetY1(-data.depth);
  step.SetY2(-data.depth);
  step.SetTonnageValue(data.tonnage);
  ShowBendWarnings(step.GetNumberInSquence(), data.warnings.data());
}

void ProgramDialog::ShowBendWarnings(int stepNumber, const int warnings[16]) {
  bendpost::ShowBendWarnings(*bendpost::CurrentPlatform().ui, stepNumber,
                             warnings);
}
