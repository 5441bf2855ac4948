// The run's hold on the serial counter store (LockFileEx on its lock
// file): a second run finds it held, says so once, and holds the store as
// soon as the first run lets go.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_test_support.h"
#include "host/counter_store.h"

namespace bendpost::cli {

using namespace bendpost::documents;
using namespace bendpost::host;
namespace {

// Whether a lock of `path` through a handle of its own is refused now.
bool LockedElsewhere(const std::string& path) {
  const HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  OVERLAPPED at = {};
  const bool refused =
      LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                 1, 0, &at) == FALSE;
  if (!refused) UnlockFileEx(file, 0, 1, 0, &at);
  CloseHandle(file);
  return refused;
}

TEST(CounterStoreLockTest, ASecondRunWaitsOnceAndHoldsTheStoreAfterTheFirst) {
  const std::string dir = (testing::ScratchDir() / "settings").string();
  const std::string lock_file = dir + "\\serial-counter.lock";
  std::string error;
  int first_waits = 0;
  std::unique_ptr<CounterStoreLock> first = LockCounterStore(
      dir, [&](const std::string&) { ++first_waits; }, &error);
  ASSERT_NE(first, nullptr) << error;
  EXPECT_EQ(first->path(), lock_file);
  EXPECT_EQ(first_waits, 0);
  EXPECT_TRUE(LockedElsewhere(lock_file));

  // The first run ends while the second one waits for it.
  std::vector<std::string> waits;
  std::unique_ptr<CounterStoreLock> second = LockCounterStore(
      dir,
      [&](const std::string& path) {
        waits.push_back(path);
        first.reset();
      },
      &error);
  ASSERT_NE(second, nullptr) << error;
  EXPECT_EQ(waits, std::vector<std::string>{lock_file});
  EXPECT_TRUE(LockedElsewhere(lock_file));
  second.reset();
  EXPECT_FALSE(LockedElsewhere(lock_file));
}

TEST(CounterStoreLockTest, WithoutSettingsTheLockIsInTheUsersLocalData) {
  std::string error;
  std::unique_ptr<CounterStoreLock> lock = LockCounterStore(
      "", [](const std::string&) {}, &error);
  ASSERT_NE(lock, nullptr) << error;
  EXPECT_NE(lock->path().find("\\bendpost\\serial-counter.lock"),
            std::string::npos)
      << lock->path();
  EXPECT_TRUE(LockedElsewhere(lock->path()));
}

}  // namespace
}  // namespace bendpost::cli
