// The C-linkage exports. Each one is a thin shell: it reaches the job store
// (and, for the generation, the platform's services), hands them down and
// catches everything, so that no exception ever crosses into the host.
// This is the only code of the driver that looks up these globals.
#include "bendpost/driver_api.h"
#include "driver/job_store.h"
#include "driver/material_codes.h"
#include "generation/program_generator.h"
#include "platform/platform.h"

namespace {

constexpr int kDriverId = 5;

// Runs `action` on the store (creating it first); nothing if the store
// cannot be created.
template <typename Action>
void WithStore(Action action) {
  try {
    if (JobStore* store = JobStore::Instance()) action(*store);
  } catch (...) {
    // Nothing may cross the boundary; the host has no channel for errors.
  }
}

}  // namespace

extern "C" {

bool CreatePPDBInstance() {
  try {
    return JobStore::Instance() != nullptr;
  } catch (...) {
    return false;
  }
}

void GetDriverID(int* id) {
  try {
    if (id != nullptr) *id = kDriverId;
  } catch (...) {
    // Cannot throw; kept so that every export has the same shell.
  }
}

void InitPPSequence(CArray<CPPStepInfo>* steps) {
  WithStore([&](JobStore& store) { ReplaceRecords(store.Steps, steps); });
}

void InitToolInfo(CArray<CPPTool>* tools) {
  WithStore([&](JobStore& store) { ReplaceRecords(store.Tools, tools); });
}

void InitSetupInfo(CArray<CPPSetup>* setups) {
  WithStore([&](JobStore& store) { ReplaceRecords(store.Setups, setups); });
}

void InitMachineInfo(CArray<CPPMachine>* machines) {
  WithStore([&](JobStore& store) { ReplaceRecords(store.Machines, machines); });
}

void InitBkGaugeInfo(CArray<CPPBGauge>* back_gauges) {
  WithStore(
      [&](JobStore& store) { ReplaceRecords(store.BackGauges, back_gauges); });
}

void SetUnit(int unit) {
  WithStore([&](JobStore& store) { store.Unit = unit; });
}

void SetMaterial_1(float thickness, float strength, int material_code) {
  WithStore([&](JobStore& store) {
    store.Thickness = bendpost::ThicknessInMillimetres(thickness, store.Unit);
    store.MaterialTensile = strength;
    store.MaterialCode = material_code;
  });
}

void SetMaterial_2(float thickness, float strength, CString material_name) {
  WithStore([&](JobStore& store) {
    store.Thickness = bendpost::ThicknessInMillimetres(thickness, store.Unit);
    store.MaterialTensile = strength;
    store.MaterialCode = bendpost::MaterialCodeForName(material_name);
  });
}

void SetPathNames(CString program_path, CString data_path,
                  CString tool_name_table_path) {
  WithStore([&](JobStore& store) {
    store.ProgramPath = program_path;
    store.DataPath = data_path;
    store.ToolNameTablePath = tool_name_table_path;
  });
}

bool GenerateMachineCodeFile(char* programPath) {
  try {
    JobStore* store = JobStore::Instance();
    if (store == nullptr) return true;
    const bendpost::Platform& services = bendpost::CurrentPlatform();
    const bendpost::JobContext context{*store, *services.files, *services.clock,
                                       *services.settings, *services.ui};
    bendpost::GeneratePrograms(context, programPath);
  } catch (...) {
    // The generation stops; what was created stays, and the operator was
    // told about every program finished so far.
  }
  return true;
}

void DestroyPPDBInstance() {
  WithStore([](JobStore& store) {
    store.Steps.RemoveAll();
    store.Tools.RemoveAll();
    store.Setups.RemoveAll();
    store.Machines.RemoveAll();
    store.BackGauges.RemoveAll();
  });
}

}  // extern "C"
