#include "driver/job_store.h"

#include <new>

namespace {

// The single store, created by the first Instance() call that can allocate
// it and never deleted before the process ends (only the test seam does).
JobStore* g_instance = nullptr;
bool g_allocation_fails = false;

}  // namespace

JobStore::JobStore() = default;
JobStore::~JobStore() = default;

JobStore* JobStore::Instance() {
  if (g_instance == nullptr && !g_allocation_fails) {
    // On failure nothing is remembered, so the next call tries again.
    g_instance = new (std::nothrow) JobStore();
  }
  return g_instance;
}

bool JobStore::FindToolByName(CPPTool& destination, CString name) {
  const CPPTool* found = ToolNamed(name);
  if (found == nullptr) return false;
  destination = *found;
  return true;
}

bool JobStore::FindMachineByName(CPPMachine& destination, CString name) {
  const CPPMachine* found = MachineNamed(name);
  if (found == nullptr) return false;
  destination = *found;
  return true;
}

CPPTool* JobStore::ToolNamed(const CString& name) {
  for (int i = 0; i < Tools.GetSize(); ++i) {
    if (Tools[i].GetToolName() == name) return &Tools[i];
  }
  return nullptr;
}

CPPMachine* JobStore::MachineNamed(const CString& name) {
  for (int i = 0; i < Machines.GetSize(); ++i) {
    if (Machines[i].GetUserMachineName() == name) return &Machines[i];
  }
  return nullptr;
}

void JobStore::ResetForTesting() {
  Unit = 0;
  Steps.RemoveAll();
  Tools.RemoveAll();
  Setups.RemoveAll();
  Machines.RemoveAll();
  BackGauges.RemoveAll();
  ProgramPath.Empty();
  DataPath.Empty();
  ToolNameTablePath.Empty();
  Thickness = 0;
  MaterialTensile = 0;
  MaterialCode = 0;
}

void JobStore::SimulateAllocationFailureForTesting(bool fail) {
  delete g_instance;
  g_instance = nullptr;
  g_allocation_fails = fail;
}
