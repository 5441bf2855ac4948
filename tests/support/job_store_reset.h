// Gives each test a job store in its creation state and leaves it so.
// The store is process-wide; tests that use it (directly or through the
// exports) hold one of these for their whole body, usually as a fixture
// member.
#ifndef BENDPOST_TESTS_SUPPORT_JOB_STORE_RESET_H_
#define BENDPOST_TESTS_SUPPORT_JOB_STORE_RESET_H_

#include "driver/job_store.h"

namespace bendpost::testing {

class ScopedJobStoreReset {
 public:
  ScopedJobStoreReset() { Reset(); }
  ~ScopedJobStoreReset() { Reset(); }
  ScopedJobStoreReset(const ScopedJobStoreReset&) = delete;
  ScopedJobStoreReset& operator=(const ScopedJobStoreReset&) = delete;

 private:
  static void Reset() {
    // Also ends any simulated allocation failure; the next use creates a
    // fresh store.
    JobStore::SimulateAllocationFailureForTesting(false);
  }
};

}  // namespace bendpost::testing

#endif  // BENDPOST_TESTS_SUPPORT_JOB_STORE_RESET_H_
