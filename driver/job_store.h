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

// Replaces `destination` with copies of the host's records, in order, using
// only the host array's count and a by-value copy of each element (what an
// Init* export does with the host's array; null leaves `destination` as it
// is). If a copy throws part-way, `destination` is left empty rather than
// half loaded, and the exception goes on.
template <typename Record>
void ReplaceRecords(CArray<Record>& destination, const CArray<Record>* host) {
  if (host == nullptr) return;
  destination.RemoveAll();
  try {
    for (int i = 0; i < host->GetSize(); ++i) {
      destination.Add(host->GetAt(i));
    }
  } catch (...) {
    destination.RemoveAll();
    throw;
  }
}

#endif  // BENDPOST_DRIVER_JOB_STORE_H_
