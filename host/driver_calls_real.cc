// The table of the driver's own exports.
#include "host/driver_calls.h"

namespace bendpost::host {

DriverCalls RealDriverCalls() {
  DriverCalls calls;
  calls.create_instance = &CreatePPDBInstance;
  calls.set_unit = &SetUnit;
  calls.set_material_1 = &SetMaterial_1;
  calls.set_material_2 = &SetMaterial_2;
  calls.init_steps = &InitPPSequence;
  calls.init_tools = &InitToolInfo;
  calls.init_setups = &InitSetupInfo;
  calls.init_machines = &InitMachineInfo;
  calls.init_back_gauges = &InitBkGaugeInfo;
  calls.set_path_names = &SetPathNames;
  calls.generate = &GenerateMachineCodeFile;
  calls.destroy_instance = &DestroyPPDBInstance;
  return calls;
}

}  // namespace bendpost::host
