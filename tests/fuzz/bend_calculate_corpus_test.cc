// The bend_calculate fuzz target's corpus, replayed (see corpus_replay.h).
#define LLVMFuzzerTestOneInput FuzzBendCalculateOneInput
#include "fuzz/bend_calculate_fuzzer.cc"
#undef LLVMFuzzerTestOneInput

#include "tests/fuzz/corpus_replay.h"

namespace {

TEST(FuzzCorpusTest, BendCalculate) {
  bendpost::testing::ReplayCorpus("bend_calculate", &FuzzBendCalculateOneInput);
}

}  // namespace
