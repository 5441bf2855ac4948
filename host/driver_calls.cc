#include "host/driver_calls.h"

#include <vector>

namespace bendpost::host {

using documents::JobFile;

HostRunResult RunHostSequence(JobFile& job, const std::string& program_path,
                              const DriverCalls& calls) {
  HostRunResult result;
  result.store_created = calls.create_instance();
  if (!result.store_created) return result;
  calls.set_unit(job.unit);
  if (job.material_code.has_value()) {
    calls.set_material_1(job.thickness, job.material_tensile,
                         *job.material_code);
  } else {
    calls.set_material_2(job.thickness, job.material_tensile,
                         CString(job.material_name.value_or("")));
  }
  calls.init_steps(&job.steps);
  calls.init_tools(&job.tools);
  calls.init_setups(&job.setups);
  calls.init_machines(&job.machines);
  calls.init_back_gauges(&job.back_gauges);
  calls.set_path_names(CString(DriverPath(program_path)),
                       CString(DriverPath(job.data_path)),
                       CString(DriverPath(job.tool_name_table_path)));
  std::vector<char> buffer(kProgramPathBufferSize, '\0');
  calls.generate(buffer.data());
  buffer.back() = '\0';
  result.program_path = buffer.data();
  calls.destroy_instance();
  return result;
}

}  // namespace bendpost::host
