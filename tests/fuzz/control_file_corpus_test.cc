// The control_file fuzz target's corpus, replayed (see corpus_replay.h).
#define LLVMFuzzerTestOneInput FuzzControlFileOneInput
#include "fuzz/control_file_fuzzer.cc"
#undef LLVMFuzzerTestOneInput

#include "tests/fuzz/corpus_replay.h"

namespace {

TEST(FuzzCorpusTest, ControlFile) {
  bendpost::testing::ReplayCorpus("control_file", &FuzzControlFileOneInput);
}

}  // namespace
