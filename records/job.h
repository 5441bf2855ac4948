// Job: the host's job as the exports load it, a plain value. The driver's
// store (driver/job_store.h) holds the one job of the process; everything
// below the exports gets the job it works on passed in.
#ifndef BENDPOST_RECORDS_JOB_H_
#define BENDPOST_RECORDS_JOB_H_

#include "bendpost/bendpost.h"

namespace bendpost {

struct Job {
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
  int Unit = 0;  // 1: inch, any other value millimetre (base/units.h)
  CArray<CPPStepInfo> Steps;
  CArray<CPPTool> Tools;
  CArray<CPPSetup> Setups;
  CArray<CPPMachine> Machines;
  CArray<CPPBGauge> BackGauges;
  CString ProgramPath;
  CString DataPath;
  CString ToolNameTablePath;
  float Thickness = 0;  // millimetres
  float MaterialTensile = 0;
  int MaterialCode = 0;
};

}  // namespace bendpost

#endif  // BENDPOST_RECORDS_JOB_H_
