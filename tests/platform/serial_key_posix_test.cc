#include <gtest/gtest.h>

#include "dialog/program_identity.h"
#include "platform/serial_key.h"

namespace bendpost {
namespace {

// No 32-bit registry view outside Windows: always the plain branch.
TEST(SerialKeyTest, ThisProcessUsesThePlainBranch) {
  EXPECT_FALSE(IsWow64());
  EXPECT_EQ(SerialCounterKeyPathFor(false), SerialCounterKeyPath());
}

}  // namespace
}  // namespace bendpost
