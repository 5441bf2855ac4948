// The run's hold on the serial counter store (flock on its lock file): a
// second run finds it held, says so once, and holds the store as soon as
// the first run lets go.

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_test_support.h"
#include "host/counter_store.h"
#include "host/lock_probe_posix.h"

namespace bendpost::cli {

using namespace bendpost::documents;
using namespace bendpost::host;
namespace {

using testing::LockedElsewhere;

TEST(CounterStoreLockTest, ASecondRunWaitsOnceAndHoldsTheStoreAfterTheFirst) {
  const std::string dir = (testing::ScratchDir() / "settings").string();
  const std::string lock_file = dir + "/serial-counter.lock";
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

}  // namespace
}  // namespace bendpost::cli
