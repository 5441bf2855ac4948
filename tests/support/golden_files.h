// Golden files: committed expected outputs under tests/testdata/.
//
// A test compares what it produced with the committed file. Only when the
// environment variable BENDPOST_UPDATE_GOLDEN is set to 1 does it write its
// output over the committed file instead (and say so); regenerating is a
// deliberate step whose result is reviewed in the diff.
#ifndef BENDPOST_TESTS_SUPPORT_GOLDEN_FILES_H_
#define BENDPOST_TESTS_SUPPORT_GOLDEN_FILES_H_

#include <string>

namespace bendpost {
namespace test_support {

// Full path of a file under tests/testdata/.
std::string TestDataPath(const std::string& relative);

// True when BENDPOST_UPDATE_GOLDEN=1.
bool UpdatingGoldenFiles();

// Compares `actual` with the golden file `relative` (a path under
// tests/testdata/) byte for byte; a mismatch is a test failure that names
// the first differing offset. Text files are also shown as text.
void ExpectMatchesGoldenFile(const std::string& relative,
                             const std::string& actual, bool is_text);

}  // namespace test_support
}  // namespace bendpost

#endif  // BENDPOST_TESTS_SUPPORT_GOLDEN_FILES_H_
