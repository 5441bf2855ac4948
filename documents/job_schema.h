// The JSON Schema of the job file (docs/job.schema.json), made from the same
// field tables the loader checks a job against, so the two cannot drift
// apart: a test compares the committed file with this.
#ifndef BENDPOST_DOCUMENTS_JOB_SCHEMA_H_
#define BENDPOST_DOCUMENTS_JOB_SCHEMA_H_

#include <nlohmann/json.hpp>

namespace bendpost::documents {

nlohmann::ordered_json JobSchema();

}  // namespace bendpost::documents

#endif  // BENDPOST_DOCUMENTS_JOB_SCHEMA_H_
