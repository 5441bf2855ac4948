// JobStore: the single process-wide store of the host's job. Every export
// but GetDriverID copies into it or reads from it; the rest of the driver
// (generation, dialog, calculation) reads it. Created on first use, never
// destroyed before the process ends.
#ifndef BENDPOST_DRIVER_JOB_STORE_H_
#define BENDPOST_DRIVER_JOB_STORE_H_

#include "bendpost/bendpost.h"

class JobStore {
 public:
  // The store, created on first use; null only if it cannot be allocated
  // (the next call tries again).
  static JobStore* Instance();

  virtual ~JobStore();

  // First tool whose ToolName equals `name` byte for byte, copied into
  // `destination`; false (destination unchanged) when none matches.
  bool FindToolByName(CPPTool& destination, CString name);
  // First machine whose UserMachineName equals `name` byte for byte.
  bool FindMachineByName(CPPMachine& destination, CString name);

  // The same first matches, without the copy (a machine record is about
  // 100 KB); null when none matches. The pointer is valid until the array
  // changes. (The records' getters are not const; callers only read.)
  CPPTool* ToolNamed(const CString& name);
  CPPMachine* MachineNamed(const CString& name);

  // Members in the order of the job; values the host has not set are 0.
  int Unit = 0;
  CArray<CPPStepInfo> Steps;
  CArray<CPPTool> Tools;
  CArray<CPPSetup> Setups;
  CArray<CPPMachine> Machines;
  CArray<CPPBGauge> BackGauges;
  CString ProgramPath;
  CString DataPath;
  CString ToolNameTablePath;
  float Thickness = 0;
  float MaterialTensile = 0;
  int MaterialCode = 0;

  // Test seams; the driver never calls them.
  // Puts every member back to its value at creation: empty arrays and
  // paths, zero unit and material values.
  void ResetForTesting();
  // Deletes the instance, if any. While `fail` is true, creating the store
  // fails as if memory were exhausted (Instance returns null).
  static void SimulateAllocationFailureForTesting(bool fail);

 protected:
  JobStore();
};

#endif  // BENDPOST_DRIVER_JOB_STORE_H_
