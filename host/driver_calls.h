// The host's calling sequence on the driver's C exports.
//
// The exports are reached through a table of functions so that tests can
// check the order of the calls and that a job with errors makes none.
#ifndef BENDPOST_HOST_DRIVER_CALLS_H_
#define BENDPOST_HOST_DRIVER_CALLS_H_

#include <functional>
#include <string>

#include "bendpost/bendpost.h"
#include "documents/job_file.h"

namespace bendpost::host {

using documents::JobFile;

struct DriverCalls {
  std::function<bool()> create_instance;
  std::function<void(int)> set_unit;
  std::function<void(float, float, int)> set_material_1;
  std::function<void(float, float, CString)> set_material_2;
  std::function<void(CArray<CPPStepInfo>*)> init_steps;
  std::function<void(CArray<CPPTool>*)> init_tools;
  std::function<void(CArray<CPPSetup>*)> init_setups;
  std::function<void(CArray<CPPMachine>*)> init_machines;
  std::function<void(CArray<CPPBGauge>*)> init_back_gauges;
  std::function<void(CString, CString, CString)> set_path_names;
  std::function<bool(char*)> generate;
  std::function<void()> destroy_instance;
};

// The driver's own exports.
DriverCalls RealDriverCalls();

// Size of the buffer that receives the program path from the generation:
// the longest path the driver hands back, terminator included.
inline constexpr size_t kProgramPathBufferSize = 4096;

struct HostRunResult {
  bool store_created = false;
  // What the driver left in the program path buffer ("" when no program
  // was created).
  std::string program_path;
};

// A path as the host hands it to the driver. On Windows the driver cuts
// paths only at "\\", and a path typed with "/" (C:/jobs/bracket.bmf) would
// leave it no folder: every "/" becomes "\\" there. Elsewhere the path as
// it is ("\\" is an ordinary file name byte on POSIX systems).
std::string DriverPath(const std::string& path);

// CreatePPDBInstance; SetUnit; SetMaterial_1 (code) or SetMaterial_2
// (name); the five loading functions; SetPathNames; GenerateMachineCodeFile;
// DestroyPPDBInstance. `program_path` replaces the job's (--out). The three
// paths go through DriverPath.
HostRunResult RunHostSequence(JobFile& job, const std::string& program_path,
                              const DriverCalls& calls);

}  // namespace bendpost::host

#endif  // BENDPOST_HOST_DRIVER_CALLS_H_
