#include "records/job.h"

#include "records/record_lookup.h"

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
  return FindToolNamed(Tools, name);
}

CPPMachine* Job::MachineNamed(const CString& name) {
  return FindMachineNamed(Machines, name);
}

// The records' text getters are not const; they only read.
const CPPTool* FindToolNamed(const CArray<CPPTool>& tools,
                             const CString& name) {
  for (int i = 0; i < tools.GetSize(); ++i) {
    if (const_cast<CPPTool&>(tools[i]).GetToolName() == name) return &tools[i];
  }
  return nullptr;
}

CPPTool* FindToolNamed(CArray<CPPTool>& tools, const CString& name) {
  return const_cast<CPPTool*>(
      FindToolNamed(static_cast<const CArray<CPPTool>&>(tools), name));
}

const CPPMachine* FindMachineNamed(const CArray<CPPMachine>& machines,
                                   const CString& name) {
  for (int i = 0; i < machines.GetSize(); ++i) {
    if (const_cast<CPPMachine&>(machines[i]).GetUserMachineName() == name)
      return &machines[i];
  }
  return nullptr;
}

CPPMachine* FindMachineNamed(CArray<CPPMachine>& machines,
                             const CString& name) {
  return const_cast<CPPMachine*>(
      FindMachineNamed(static_cast<const CArray<CPPMachine>&>(machines), name));
}

}  // namespace bendpost
