// A job file's records as a driver job (records/job.h), for the code that
// runs the driver's own rules on a job without going through the exports.
#ifndef BENDPOST_DOCUMENTS_JOB_RECORDS_H_
#define BENDPOST_DOCUMENTS_JOB_RECORDS_H_

#include "documents/job_file.h"
#include "records/job.h"

namespace bendpost::documents {

// The job's steps, tools, setups, machines and back gauges, and its data
// folder as the job file gives it. The unit, the material and the other
// paths stay unset: the exports convert those on their way into the
// driver's store (host/driver_calls.h).
bendpost::Job JobRecords(const JobFile& job);

}  // namespace bendpost::documents

#endif  // BENDPOST_DOCUMENTS_JOB_RECORDS_H_
