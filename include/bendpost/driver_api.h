// The driver's exported functions (C linkage, fixed names).
//
// Calling order expected of the host: CreatePPDBInstance; SetUnit before
// SetMaterial_1 or SetMaterial_2 (the thickness is converted with the unit
// in force at that moment); the five loading functions and SetPathNames in
// any order; then program generation, possibly several times; last
// DestroyPPDBInstance. Every function but GetDriverID works on the driver's
// single job store and creates it first if it does not exist yet.
//
// No function throws: every failure inside is caught at this boundary. If
// the store cannot be allocated, CreatePPDBInstance returns false and the
// other functions return without effect.
#ifndef BENDPOST_DRIVER_API_H_
#define BENDPOST_DRIVER_API_H_

#include "bendpost/bgauge.h"
#include "bendpost/carray.h"
#include "bendpost/cstring.h"
#include "bendpost/export.h"
#include "bendpost/machine.h"
#include "bendpost/setup.h"
#include "bendpost/step_info.h"
#include "bendpost/tool.h"

extern "C" {

// Makes sure the job store exists: true if it does afterwards.
BENDPOST_EXPORT bool CreatePPDBInstance();

// Writes the driver identifier 5 into *id (nothing for a null pointer).
// Does not touch the job store.
BENDPOST_EXPORT void GetDriverID(int* id);

// The loading functions replace the store's array of that record type with
// copies of the host's records, in order; an empty array empties it. The
// host's array is only read. A null pointer changes nothing.
BENDPOST_EXPORT void InitPPSequence(CArray<CPPStepInfo>* steps);
BENDPOST_EXPORT void InitToolInfo(CArray<CPPTool>* tools);
BENDPOST_EXPORT void InitSetupInfo(CArray<CPPSetup>* setups);
BENDPOST_EXPORT void InitMachineInfo(CArray<CPPMachine>* machines);
BENDPOST_EXPORT void InitBkGaugeInfo(CArray<CPPBGauge>* back_gauges);

// Length unit of the job: 1 = inch, any other value = millimetre.
BENDPOST_EXPORT void SetUnit(int unit);

// Thickness (converted to millimetres if the job's unit is inch at the time
// of the call), strength value (stored unchanged) and material code.
BENDPOST_EXPORT void SetMaterial_1(float thickness, float strength,
                                   int material_code);
// As SetMaterial_1, with the code taken from the name by exact,
// case-sensitive match: "Aluminium" 3, "Hot Rolled Steel" 7,
// "Cold Rolled Steel" 1, "Stainless Steel" 5, any other name 1.
BENDPOST_EXPORT void SetMaterial_2(float thickness, float strength,
                                   CString material_name);

// Program path (folder, file name and extension of the program to create),
// data path of the material data files, path of the tool name conversion
// table. All three are replaced; nothing is validated.
BENDPOST_EXPORT void SetPathNames(CString program_path, CString data_path,
                                  CString tool_name_table_path);

// Empties the five record arrays of the store. The store itself, the unit,
// the material values and the paths stay as they are.
BENDPOST_EXPORT void DestroyPPDBInstance();

}  // extern "C"

#endif  // BENDPOST_DRIVER_API_H_
