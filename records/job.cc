#include "records/job.h"

namespace bendpost {

bool Job::FindToolByName(CPPTool& destination, CString name) {
  const CPPTool* found = ToolNamed(name);
  if (found == nullptr) return false;
  destination = *found;
  return true;
}

bool Job::FindMachineByName(CPPMachine& destination, CString name) {
  const CPPMachine* found = MachineNamed(name);
  if (found == nullptr) return false;
  destination = *found;
  return true;
}

CPPTool* Job::ToolNamed(const CString& name) {
  for (int i = 0; i < Tools.GetSize(); ++i) {
    if (Tools[i].GetToolName() == name) return &Tools[i];
  }
  return nullptr;
}

CPPMachine* Job::MachineNamed(const CString& name) {
  for (int i = 0; i < Machines.GetSize(); ++i) {
    if (Machines[i].GetUserMachineName() == name) return &Machines[i];
  }
  return nullptr;
}

}  // namespace bendpost
