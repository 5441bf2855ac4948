#include "support/golden_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace bendpost {
namespace test_support {

std::string TestDataPath(const std::string& relative) {
  return std::string(BENDPOST_TESTDATA_DIR) + "/" + relative;
}

bool UpdatingGoldenFiles() {
  const char* v = std::getenv("BENDPOST_UPDATE_GOLDEN");
  return v != nullptr && std::string(v) == "1";
}

void ExpectMatchesGoldenFile(const std::string& relative,
                             const std::string& actual, bool is_text) {
  const std::string path = TestDataPath(relative);
  if (UpdatingGoldenFiles()) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(actual.data(), static_cast<std::streamsize>(actual.size()));
    out.close();
    ASSERT_TRUE(out) << "cannot write the golden file " << path;
    std::cout << "[golden] rewrote " << relative << "\n";
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing golden file " << path
                  << " (run the tests with BENDPOST_UPDATE_GOLDEN=1 to "
                     "create it, then review it)";
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string expected = buffer.str();
  if (expected == actual) return;
  size_t i = 0;
  while (i < expected.size() && i < actual.size() && expected[i] == actual[i])
    ++i;
  ADD_FAILURE() << relative << " differs from the output at offset " << i
                << " (golden " << expected.size() << " bytes, output "
                << actual.size() << " bytes)";
  if (is_text) {
    EXPECT_EQ(expected, actual);
  }
}

}  // namespace test_support
}  // namespace bendpost
