#include <gtest/gtest.h>

#include "dialog/program_identity.h"
#include "platform/scripted_ui.h"
#include "platform/serial_key.h"

namespace bendpost {
namespace {

// No 32-bit registry view outside Windows: always the plain branch.
TEST(SerialKeyTest, ThisProcessUsesThePlainBranch) {
  ScriptedUserInterface ui;
  EXPECT_FALSE(IsWow64(ui));
  EXPECT_EQ(SerialCounterKeyPathFor(false), SerialCounterKeyPath(ui));
  EXPECT_TRUE(ui.messages().empty());
}

}  // namespace
}  // namespace bendpost
