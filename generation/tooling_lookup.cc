// Step tooling lookup (table in tooling_lookup.h).
#include "generation/tooling_lookup.h"

#include <memory>

#include "dialog/program_dialog.h"
#include "dialog/tool_names.h"
#include "generation/step_bend_data.h"

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
  // Without a match a newly made record stands in, with its defaults. A
  // machine record is large (its beam profiles), so the store's own is read
  // in place rather than copied.
  CPPMachine* found_machine = nullptr;
  CPPTool* punch = nullptr;
  CPPTool* die = nullptr;
  CPPSetup program_setup = setup;
  if (Store != nullptr) {
    found_machine = Store->MachineNamed(program_setup.GetUserMachineName());
    punch = Store->ToolNamed(ToolName(step, kPunchSlot));
    die = Store->ToolNamed(ToolName(step, kDieSlot));
  }
  std::unique_ptr<CPPMachine> no_machine;
  if (found_machine == nullptr) {
    no_machine = std::make_unique<CPPMachine>();
    found_machine = no_machine.get();
  }
  CPPTool no_tool;
  machine = bendpost::MachineDataFor(HeaderValues(), setup, *found_machine,
                                     punch != nullptr ? *punch : no_tool,
                                     die != nullptr ? *die : no_tool);
}

void ProgramDialog::GatherMaterialData(bendpost::BendMaterialData& material,
                                       const CPPStepInfo& step) const {
  CPPTool die;
  if (Store != nullptr) Store->FindToolByName(die, ToolName(step, kDieSlot));
  material = bendpost::MaterialDataFor(HeaderValues(), die, step);
}

bendpost::BendHeaderValues ProgramDialog::HeaderValues() const {
  bendpost::BendHeaderValues header;
  header.control_type = ControlType;
  header.material_number = MaterialNumber;
  header.thickness = HeaderThickness;
  header.hardness = Hardness;
  return header;
}
