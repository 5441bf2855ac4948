#include "documents/job_records.h"

namespace bendpost::documents {

bendpost::Job JobRecords(const JobFile& job) {
  bendpost::Job records;
  records.Steps = job.steps;
  records.Tools = job.tools;
  records.Setups = job.setups;
  records.Machines = job.machines;
  records.BackGauges = job.back_gauges;
  records.DataPath = CString(job.data_path);
  return records;
}

}  // namespace bendpost::documents
