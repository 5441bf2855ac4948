// JobStore: the single process-wide holder of the host's job. Every export
// but GetDriverID copies into it or reads from it; the exports hand the job
// down to the generation (dialog/job_context.h), which never looks the
// store up itself. Created on first use, never destroyed before the
// process ends.
//
// The store is the job (it derives from the plain Job rather than holding
// one), so the exports and the command-line host address the job's members
// on the store directly.
#ifndef BENDPOST_DRIVER_JOB_STORE_H_
#define BENDPOST_DRIVER_JOB_STORE_H_

#include "records/job.h"

class JobStore : public bendpost::Job {
 public:
  // The store, created on first use; null only if it cannot be allocated
  // (the next call tries again).
  static JobStore* Instance();

  virtual ~JobStore();

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
