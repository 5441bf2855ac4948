#include "platform/serial_key.h"

#include <gtest/gtest.h>

namespace bendpost {
namespace {

TEST(SerialKeyTest, ThirtyTwoBitProcessesOnSixtyFourBitWindowsUseTheWowBranch) {
  EXPECT_EQ("Software\\Orvanix\\VantorelCommon\\Default",
            SerialCounterKeyPathFor(false));
  EXPECT_EQ("Software\\Wow6432Node\\Orvanix\\VantorelCommon\\Default",
            SerialCounterKeyPathFor(true));
}

}  // namespace
}  // namespace bendpost
