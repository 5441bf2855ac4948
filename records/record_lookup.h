// Finding a job's tools and machines by name, as the driver's store does
// (Job::ToolNamed, Job::MachineNamed) and as everything that has to find
// the same record does.
#ifndef BENDPOST_RECORDS_RECORD_LOOKUP_H_
#define BENDPOST_RECORDS_RECORD_LOOKUP_H_

#include "bendpost/bendpost.h"

namespace bendpost {

// The first tool whose ToolName equals `name` byte for byte (case
// included); null when none has it. The pointer is valid until the array
// changes.
const CPPTool* FindToolNamed(const CArray<CPPTool>& tools, const CString& name);
CPPTool* FindToolNamed(CArray<CPPTool>& tools, const CString& name);

// The first machine whose UserMachineName equals `name` byte for byte,
// read in place (a machine record is about 100 KB); null when none has it.
const CPPMachine* FindMachineNamed(const CArray<CPPMachine>& machines,
                                   const CString& name);
CPPMachine* FindMachineNamed(CArray<CPPMachine>& machines, const CString& name);

}  // namespace bendpost

#endif  // BENDPOST_RECORDS_RECORD_LOOKUP_H_
