// The job_file fuzz target's corpus, replayed (see corpus_replay.h). It
// lives with the host's tests because the loader is the host's.
#define LLVMFuzzerTestOneInput FuzzJobFileOneInput
#include "fuzz/job_file_fuzzer.cc"
#undef LLVMFuzzerTestOneInput

#include "tests/fuzz/corpus_replay.h"

namespace {

TEST(FuzzCorpusTest, JobFile) {
  bendpost::testing::ReplayCorpus("job_file", &FuzzJobFileOneInput);
}

}  // namespace
