// Replays a fuzz target's committed corpus (fuzz/corpus/NAME/) through the
// target's own entry point inside the unit tests, so every seed and every
// input that once crashed runs on each test build (also under the asan
// preset and with compilers that have no libFuzzer).
//
// Each *_corpus_test.cc includes one fuzz target's source with its entry
// point renamed, so the targets' file-local helpers never meet in one
// translation unit. A failed property check aborts the test program with
// the check's text.
#ifndef BENDPOST_TESTS_FUZZ_CORPUS_REPLAY_H_
#define BENDPOST_TESTS_FUZZ_CORPUS_REPLAY_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace bendpost::testing {

using FuzzEntry = int (*)(const uint8_t* data, size_t size);

inline void ReplayCorpus(const std::string& target, FuzzEntry entry) {
  const std::filesystem::path folder =
      std::filesystem::path(BENDPOST_SOURCE_DIR) / "fuzz" / "corpus" / target;
  ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
  std::vector<std::filesystem::path> files;
  for (const auto& entry_file : std::filesystem::directory_iterator(folder))
    if (entry_file.is_regular_file()) files.push_back(entry_file.path());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty()) << folder;
  for (const std::filesystem::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in) << file;
    const std::string bytes((std::istreambuf_iterator<char>(in)),
                            std::istreambuf_iterator<char>());
    // libFuzzer never passes a null pointer, not even for an empty input.
    static const uint8_t kEmpty = 0;
    const uint8_t* data = bytes.empty()
                              ? &kEmpty
                              : reinterpret_cast<const uint8_t*>(bytes.data());
    EXPECT_EQ(0, entry(data, bytes.size()));
  }
  // The empty input too, which every target must take.
  static const uint8_t kNothing = 0;
  EXPECT_EQ(0, entry(&kNothing, 0));
}

}  // namespace bendpost::testing

#endif  // BENDPOST_TESTS_FUZZ_CORPUS_REPLAY_H_
