// The record_file fuzz target's corpus, replayed (see corpus_replay.h).
#define LLVMFuzzerTestOneInput FuzzRecordFileOneInput
#include "fuzz/record_file_fuzzer.cc"
#undef LLVMFuzzerTestOneInput

#include "tests/fuzz/corpus_replay.h"

namespace {

TEST(FuzzCorpusTest, RecordFile) {
  bendpost::testing::ReplayCorpus("record_file", &FuzzRecordFileOneInput);
}

}  // namespace
