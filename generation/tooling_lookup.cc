// Step tooling lookup (table in tooling_lookup.h).
#include "generation/tooling_lookup.h"

#include <memory>

#include "dialog/tool_names.h"
#include "records/control_type.h"

namespace bendpost {

float ScaleByTen(double value) {
  const float narrowed = static_cast<float>(value);
  return static_cast<float>(narrowed * 10.0f);
}

float BendLengthInMetres(short bend_length) {
  return static_cast<float>(bend_length * 0.001);
}

namespace {

// The step's tool name in `slot`.
CString ToolName(const CPPStepInfo& step, int slot) {
  char names[6][32] = {};
  step.GetToolID(names);
  return ToolNameFromId(names[slot]);
}

}  // namespace

void GatherMachineData(const ProgramHeader& header, Job& job,
                       const CPPSetup& setup, const CPPStepInfo& step,
                       BendMachineData& machine) {
  // Without a match a newly made record stands in, with its defaults. A
  // machine record is large (its beam profiles), so the store's own is read
  // in place rather than copied.
  CPPSetup program_setup = setup;
  CPPMachine* found_machine =
      job.MachineNamed(program_setup.GetUserMachineName());
  CPPTool* punch = job.ToolNamed(ToolName(step, tool_slot::kPunch));
  CPPTool* die = job.ToolNamed(ToolName(step, tool_slot::kDie));
  std::unique_ptr<CPPMachine> no_machine;
  if (found_machine == nullptr) {
    no_machine = std::make_unique<CPPMachine>();
    found_machine = no_machine.get();
  }
  CPPTool no_tool;
  if (punch == nullptr) punch = &no_tool;
  if (die == nullptr) die = &no_tool;
  machine.FrameFlag = IsOperateurFamily(header.Control) ? 0.0f : 1.0f;
  machine.FrameTightness =
      static_cast<float>(found_machine->GetFrameTightness());
  machine.MaxTonnage = ScaleByTen(found_machine->GetTonnage());
  machine.MinTonnage = ScaleByTen(found_machine->GetMinTonnage());
  machine.MaxBendingLength =
      static_cast<float>(found_machine->GetMaxBendingLength());
  machine.BendingCoefficient = program_setup.GetBendingCoefficient();
  machine.PunchLimit = ScaleByTen(punch->GetPunchResistance());
  machine.DieLimit = ScaleByTen(die->GetDieResistance());
}

void GatherMaterialData(const ProgramHeader& header, Job& job,
                        const CPPStepInfo& step, BendMaterialData& material) {
  CPPTool die;
  job.FindToolByName(die, ToolName(step, tool_slot::kDie));
  material.MaterialNumber = header.MaterialNumber;
  material.Thickness = header.HeaderThickness;
  material.VWidth = static_cast<float>(die.GetVWidth());
  material.DieAngle = static_cast<float>(die.GetAngle());
  material.DieRadius = static_cast<float>(die.GetRadius());
  material.BendLength = BendLengthInMetres(step.GetBendLength());
  material.TensileStrength = header.Hardness;
  material.BendAngle = step.GetBendAngle();
}

}  // namespace bendpost
