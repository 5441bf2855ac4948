// Step tooling lookup (table in tooling_lookup.h).
#include "program/tooling_lookup.h"

#include <memory>

#include "dialog/program_dialog.h"
#include "dialog/tool_names.h"

namespace bendpost {

float ScaleByTen(double value) {
  const float narrowed = static_cast<float>(value);
  return static_cast<float>(narrowed * 10.0f);
}

float BendLengthInMetres(short bend_length) {
  return static_cast<float>(bend_length * 0.001);
}

}  // namespace bendpost

namespace {

constexpr int kPunchSlot = 0;
constexpr int kDieSlot = 1;

// The step's tool name in `slot`.
CString ToolName(const CPPStepInfo& step, int slot) {
  char names[6][32] = {};
  step.GetToolID(names);
  return bendpost::ToolNameFromId(names[slot]);
}

}  // namespace

void ProgramDialog::GatherMachineData(bendpost::BendMachineData& machine,
                                      const CPPSetup& setup,
                                      const CPPStepInfo& step) const {
  // Lookup targets stay as newly made when a name has no match. A machine
  // record is large (its beam profiles), so it lives on the heap.
  auto found = std::make_unique<CPPMachine>();
  CPPMachine& found_machine = *found;
  CPPTool punch;
  CPPTool die;
  CPPSetup program_setup = setup;
  if (Store != nullptr) {
    Store->FindMachineByName(found_machine, program_setup.GetUserMachineName());
    Store->FindToolByName(punch, ToolName(step, kPunchSlot));
    Store->FindToolByName(die, ToolName(step, kDieSlot));
  }
  machine.FrameFlag = ControlType == 2 || ControlType == 7 ? 0.0f : 1.0f;
  machine.FrameTightness =
      static_cast<float>(found_machine.GetFrameTightness());
  machine.MaxTonnage = bendpost::ScaleByTen(found_machine.GetTonnage());
  machine.MinTonnage = bendpost::ScaleByTen(found_machine.GetMinTonnage());
  machine.MaxBendingLength =
      static_cast<float>(found_machine.GetMaxBendingLength());
  machine.BendingCoefficient = program_setup.GetBendingCoefficient();
  machine.PunchLimit = bendpost::ScaleByTen(punch.GetPunchResistance());
  machine.DieLimit = bendpost::ScaleByTen(die.GetDieResistance());
}

void ProgramDialog::GatherMaterialData(bendpost::BendMaterialData& material,
                                       const CPPStepInfo& step) const {
  CPPTool die;
  if (Store != nullptr) Store->FindToolByName(die, ToolName(step, kDieSlot));
  material.MaterialNumber = MaterialNumber;
  material.Thickness = HeaderThickness;
  material.VWidth = static_cast<float>(die.GetVWidth());
  material.DieAngle = static_cast<float>(die.GetAngle());
  material.DieRadius = static_cast<float>(die.GetRadius());
  material.BendLength = bendpost::BendLengthInMetres(step.GetBendLength());
  material.TensileStrength = Hardness;
  material.BendAngle = step.GetBendAngle();
}
