// The material_file fuzz target's corpus, replayed (see corpus_replay.h).
#define LLVMFuzzerTestOneInput FuzzMaterialFileOneInput
#include "fuzz/material_file_fuzzer.cc"
#undef LLVMFuzzerTestOneInput

#include "tests/fuzz/corpus_replay.h"

namespace {

TEST(FuzzCorpusTest, MaterialFile) {
  bendpost::testing::ReplayCorpus("material_file", &FuzzMaterialFileOneInput);
}

}  // namespace
