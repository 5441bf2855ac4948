// A fresh, empty folder below the system's temporary folder, for tests on
// the real file system; portable (POSIX and Windows).
#ifndef BENDPOST_TESTS_SUPPORT_TEMP_DIR_H_
#define BENDPOST_TESTS_SUPPORT_TEMP_DIR_H_

#include <string>

namespace bendpost::test_support {

// Creates the folder "<temp>/<prefix><random>" and returns its path
// without a trailing separator; "" when no folder could be created.
std::string MakeTempDir(const std::string& prefix);

}  // namespace bendpost::test_support

#endif  // BENDPOST_TESTS_SUPPORT_TEMP_DIR_H_
