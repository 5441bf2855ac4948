#include "driver/job_store.h"

#include <new>

namespace {

// The single store, created by the first Instance() call that can allocate
// it and never deleted before the process ends (only the test seam does).
JobStore* g_instance = nullptr;
bool g_allocation_fails = false;

}  // namespace

JobStore::JobStore() = default;
JobStore::~JobStore() = default;

JobStore* JobStore::Instance() {
  if (g_instance == nullptr && !g_allocation_fails) {
    // On failure nothing is remembered, so the next call tries again.
    g_instance = new (std::nothrow) JobStore();
  }
  return g_instance;
}

void JobStore::ResetForTesting() { static_cast<bendpost::Job&>(*this) = {}; }

void JobStore::SimulateAllocationFailureForTesting(bool fail) {
  delete g_instance;
  g_instance = nullptr;
  g_allocation_fails = fail;
}
