#include "platform/serial_key.h"

#include <gtest/gtest.h>

#include "dialog/program_identity.h"
#include "platform/scripted_ui.h"

namespace bendpost {
namespace {

TEST(SerialKeyTest, ThirtyTwoBitProcessesOnSixtyFourBitWindowsUseTheWowBranch) {
  EXPECT_EQ("Software\\Orvanix\\VantorelCommon\\Default",
            SerialCounterKeyPathFor(false));
  EXPECT_EQ("Software\\Wow6432Node\\Orvanix\\VantorelCommon\\Default",
            SerialCounterKeyPathFor(true));
}

// The tests are 64-bit (or not Windows at all): never the WOW64 branch.
TEST(SerialKeyTest, ThisProcessUsesThePlainBranch) {
  ScriptedUserInterface ui;
  EXPECT_FALSE(IsWow64(ui));
  EXPECT_EQ(SerialCounterKeyPathFor(false), SerialCounterKeyPath(ui));
  EXPECT_TRUE(ui.messages().empty());
}

}  // namespace
}  // namespace bendpost
