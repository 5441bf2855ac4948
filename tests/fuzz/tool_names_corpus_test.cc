// The tool_names fuzz target's corpus, replayed (see corpus_replay.h).
#define LLVMFuzzerTestOneInput FuzzToolNamesOneInput
#include "fuzz/tool_names_fuzzer.cc"
#undef LLVMFuzzerTestOneInput

#include "tests/fuzz/corpus_replay.h"

namespace {

TEST(FuzzCorpusTest, ToolNames) {
  bendpost::testing::ReplayCorpus("tool_names", &FuzzToolNamesOneInput);
}

}  // namespace
