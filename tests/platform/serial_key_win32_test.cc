// The WOW64 test with stand-ins for "IsWow64Process".
#include "platform/serial_key_win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "dialog/program_identity.h"
#include "platform/serial_key.h"
#include "support/process_width_win32.h"

namespace bendpost {
namespace {

class RecordingUserInterface : public UserInterface {
 public:
  void ShowMessage(const std::string& text, MessageIcon icon) override {
    messages.push_back(text);
    icons.push_back(icon);
  }
  DialogResult RunDialog(int, DialogController&) override {
    return DialogResult::kCancel;
  }
  FolderChoice BrowseForFolder(const std::string&,
                               const std::string&) override {
    return FolderChoice{};
  }
  std::vector<std::string> messages;
  std::vector<MessageIcon> icons;
};

BOOL WINAPI Fails(HANDLE, PBOOL wow64) {
  *wow64 = TRUE;  // must not be believed when the call fails
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}
BOOL WINAPI AnswersYes(HANDLE, PBOOL wow64) {
  *wow64 = TRUE;
  return TRUE;
}
BOOL WINAPI AnswersNo(HANDLE, PBOOL wow64) {
  *wow64 = FALSE;
  return TRUE;
}

class Wow64Test : public ::testing::Test {
 protected:
  RecordingUserInterface ui_;
};

TEST_F(Wow64Test, WithoutTheEntryPointTheAnswerIsNoAndNothingIsShown) {
  EXPECT_FALSE(IsWow64Through(nullptr, GetCurrentProcess(), ui_));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(Wow64Test, AFailingCallAsksForAnUpgradeEveryTimeAndAnswersNo) {
  EXPECT_FALSE(IsWow64Through(Fails, GetCurrentProcess(), ui_));
  EXPECT_FALSE(IsWow64Through(Fails, GetCurrentProcess(), ui_));
  ASSERT_EQ(2u, ui_.messages.size());
  EXPECT_EQ("Please upgrade to Windows XP SP2 or later.", ui_.messages[0]);
  EXPECT_EQ(MessageIcon::kNone, ui_.icons[0]);
}

TEST_F(Wow64Test, TheEntryPointsAnswerIsTaken) {
  EXPECT_TRUE(IsWow64Through(AnswersYes, GetCurrentProcess(), ui_));
  EXPECT_FALSE(IsWow64Through(AnswersNo, GetCurrentProcess(), ui_));
  EXPECT_TRUE(ui_.messages.empty());
}

// The real entry point answers for the width of this process (true for the
// 32-bit tests on a 64-bit system), and the counter's key follows it. The
// 32-bit build's tests are meant for a 64-bit prefix (BENDPOST_REQUIRE_WOW64,
// set by tests/CMakeLists.txt): a 32-bit prefix would leave the WOW64 branch
// untried while every test still passed.
TEST_F(Wow64Test, TheSystemAnswersForTheWidthOfThisProcess) {
  IsWow64ProcessFn fn = LookUpIsWow64Process();
  ASSERT_NE(nullptr, fn);
  const bool wow64 = test_support::ThirtyTwoBitProcessOnSixtyFourBitWindows();
  if (std::getenv("BENDPOST_REQUIRE_WOW64") != nullptr) {
    ASSERT_TRUE(wow64) << "a 32-bit test process on 64-bit Windows expected";
  }
  EXPECT_EQ(wow64, IsWow64Through(fn, GetCurrentProcess(), ui_));
  EXPECT_EQ(SerialCounterKeyPathFor(wow64), SerialCounterKeyPath(ui_));
  EXPECT_TRUE(ui_.messages.empty());
}

}  // namespace
}  // namespace bendpost
