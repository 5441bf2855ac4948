#include "bendcalc/bend_warnings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "bendcalc/bend_data.h"

namespace bendpost {
namespace {

// Records the message boxes shown.
class RecordingUserInterface : public UserInterface {
 public:
  void ShowMessage(const std::string& text, MessageIcon icon) override {
    shown.emplace_back(text, icon);
  }
  DialogResult RunDialog(int, DialogController&) override {
    return DialogResult::kCancel;
  }
  FolderChoice BrowseForFolder(const std::string&,
                               const std::string&) override {
    return FolderChoice{};
  }
  std::vector<std::pair<std::string, MessageIcon>> shown;
};

WarningCodes Codes(std::initializer_list<std::pair<int, int>> set) {
  WarningCodes w{};
  for (const auto& [index, code] : set) w[index] = code;
  return w;
}

TEST(BendWarningsTest, NothingRecognisedGivesNoText) {
  EXPECT_EQ("", ComposeBendWarnings(1, Codes({}).data()));
  EXPECT_EQ("", ComposeBendWarnings(1, Codes({{0, 7}}).data()));
  EXPECT_EQ("", ComposeBendWarnings(1, Codes({{0, -3}, {15, 55}}).data()));
  RecordingUserInterface ui;
  ShowBendWarnings(ui, 1, Codes({{0, 21}}).data());
  EXPECT_TRUE(ui.shown.empty());
}

TEST(BendWarningsTest, HeadingWithStepNumberThenOneLinePerCode) {
  EXPECT_EQ(
      "Please note: [for step number: 4]\n"
      "The material is not supported.\n",
      ComposeBendWarnings(4, Codes({{0, kWarningMaterialFile}}).data()));
  EXPECT_EQ(
      "Please note: [for step number: -12]\n"
      "The material is not supported.\n",
      ComposeBendWarnings(-12, Codes({{0, 3}}).data()));
}

TEST(BendWarningsTest, EveryCodeHasItsMessage) {
  const std::pair<int, const char*> cases[] = {
      {3, "The material is not supported."},
      {10, "The material is not supported."},
      {22, "The elongation is greater than 50%"},
      {23, "The Die V width / Thickness is less than 4"},
      {24, "The Die V Width / Thickness is greater than 20"},
      {51, "The calculated force is less than machine minimum tonnage"},
      {52, "The calculated force is greater than machine maximum tonnage"},
      {53, "The calculated force is greater than punch allowable tonnage"},
      {54, "The calculated force is greater than die allowable tonnage"},
      {60,
       "The bend data of this step could not be calculated: check the "
       "material data."},
  };
  for (const auto& [code, message] : cases) {
    EXPECT_EQ(
        std::string("Please note: [for step number: 2]\n") + message + "\n",
        ComposeBendWarnings(2, Codes({{0, code}}).data()))
        << code;
  }
}

TEST(BendWarningsTest, AllSixteenElementsInOrderDuplicatesIncluded) {
  const WarningCodes w =
      Codes({{1, 99}, {3, 54}, {7, 23}, {8, 0}, {12, 54}, {15, 22}});
  EXPECT_EQ(
      "Please note: [for step number: 7]\n"
      "The calculated force is greater than die allowable tonnage\n"
      "The Die V width / Thickness is less than 4\n"
      "The calculated force is greater than die allowable tonnage\n"
      "The elongation is greater than 50%\n",
      ComposeBendWarnings(7, w.data()));
}

TEST(BendWarningsTest, ShowsOnePlainMessageBox) {
  RecordingUserInterface ui;
  ShowBendWarnings(ui, 3, Codes({{0, 52}}).data());
  ASSERT_EQ(1u, ui.shown.size());
  EXPECT_EQ(
      "Please note: [for step number: 3]\n"
      "The calculated force is greater than machine maximum tonnage\n",
      ui.shown[0].first);
  EXPECT_EQ(MessageIcon::kNone, ui.shown[0].second);
}

}  // namespace
}  // namespace bendpost
