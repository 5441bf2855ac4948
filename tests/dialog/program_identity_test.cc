#include "dialog/program_identity.h"

#include <gtest/gtest.h>

#include <string>

#include "dialog_test_support.h"

namespace bendpost::testing {
namespace {

using namespace std::string_literals;

// ---- Naming ---------------------------------------------------------------

TEST_F(DialogTest, OneSetupExControlNamesTheFileAfterThePath) {
  AddSetup(0, 0);
  auto dialog = MakeDialog();
  EXPECT_STREQ("/jobs/", dialog->OutputFolder);
  EXPECT_STREQ("bracket", dialog->BaseName);
  EXPECT_STREQ("/jobs/bracket.NMB", dialog->FileName);
  EXPECT_STREQ("BRACKET", dialog->PartReference);
  EXPECT_STREQ("030500", dialog->ProgramName);
}

TEST_F(DialogTest, SeveralSetupsAddSetupAndProgramOrdinals) {
  AddSetup(0, 0);
  AddSetup(1, 7);
  AddSetup(2, 0);
  auto bandr = MakeDialog({}, 1, 1);
  EXPECT_STREQ("/jobs/2030500.S2P2.NMB", bandr->FileName);
  auto ex = MakeDialog({}, 2, 6);
  EXPECT_STREQ("/jobs/bracket.S3P7.NMB", ex->FileName);
}

TEST_F(DialogTest, BaseNameIsCutOnlyAtADotAfterTheLastSeparator) {
  AddSetup(0, 0);
  const struct {
    const char* path;
    const char* folder;
    const char* base;
    const char* file;
  } cases[] = {
      {"/jobs/bracket", "/jobs/", "bracket", "/jobs/bracket.NMB"},
      {"/rev.2/bracket", "/rev.2/", "bracket", "/rev.2/bracket.NMB"},
      {"/jobs/a.b.bmf", "/jobs/", "a.b", "/jobs/a.b.NMB"},
      {"bracket.bmf", "", "bracket", "bracket.NMB"},
      {"", "", "", ".NMB"},
      // The separator is the platform's: a backslash is part of the name.
      {"C:\\jobs\\bracket.bmf", "", "C:\\jobs\\bracket",
       "C:\\jobs\\bracket.NMB"},
  };
  for (const auto& c : cases) {
    store_->ProgramPath = c.path;
    auto dialog = MakeDialog();
    EXPECT_STREQ(c.folder, dialog->OutputFolder) << c.path;
    EXPECT_STREQ(c.base, dialog->BaseName) << c.path;
    EXPECT_STREQ(c.file, dialog->FileName) << c.path;
  }
}

TEST_F(DialogTest, BandRFileNameWithoutAnyFolderIsRelative) {
  AddSetup(0, 7);
  store_->ProgramPath = "bracket.bmf";
  EXPECT_STREQ("2030500.NMB", MakeDialog()->FileName);
}

TEST_F(DialogTest, PartReferenceIsShortenedForOperateurAndBandROnly) {
  store_->ProgramPath = "/jobs/verylongpartname01.bmf";
  AddSetup(0, 2);
  EXPECT_STREQ("VERYLONGPART~", MakeDialog()->PartReference);
  store_->Setups[0].SetControlType(0);
  EXPECT_STREQ("VERYLONGPARTNAME01", MakeDialog()->PartReference);
  store_->Setups[0].SetControlType(7);
  store_->ProgramPath = "/jobs/thirteenchars.bmf";
  EXPECT_STREQ("THIRTEENCHARS", MakeDialog()->PartReference);
}

TEST_F(DialogTest, NamePrefixDigitOutsideOneToThreeBecomesTwo) {
  AddSetup(0, 7);
  auto dialog = MakeDialog();
  dialog->NamePrefixDigit = 3;
  dialog->BuildProgramIdentity();
  EXPECT_STREQ("/jobs/3030500.NMB", dialog->FileName);
  dialog->NamePrefixDigit = 4;
  dialog->BuildProgramIdentity();
  EXPECT_EQ(2, dialog->NamePrefixDigit);
  EXPECT_STREQ("/jobs/2030500.NMB", dialog->FileName);
}

// ---- Serial counter -------------------------------------------------------

TEST_F(DialogTest, SerialOfTodayContinuesAndWrapsAfter99) {
  AddSetup(0, 7);
  StoreSerial("41\0"s, "3\0\0"s, "5\0\0"s);
  auto dialog = MakeDialog();
  EXPECT_STREQ("030541", dialog->ProgramName);
  EXPECT_EQ(42, dialog->NextSerial);
  EXPECT_EQ(3, dialog->SerialMonth);
  EXPECT_EQ(5, dialog->SerialDay);

  StoreSerial("99\0"s, "3\0\0"s, "5\0\0"s);
  dialog = MakeDialog();
  EXPECT_STREQ("030599", dialog->ProgramName);
  EXPECT_EQ(0, dialog->NextSerial);

  StoreSerial("7\0\0"s, "3\0\0"s, "5\0\0"s);
  EXPECT_STREQ("030507", MakeDialog()->ProgramName);
}

TEST_F(DialogTest, SerialOfAnotherDayStartsAtZeroButTheYearIsNotStored) {
  AddSetup(0, 7);
  StoreSerial("41\0"s, "3\0\0"s, "4\0\0"s);  // yesterday
  auto dialog = MakeDialog();
  EXPECT_STREQ("030500", dialog->ProgramName);
  EXPECT_EQ(1, dialog->NextSerial);

  StoreSerial("41\0"s, "3\0\0"s, "5\0\0"s);
  clock_.Set(Date{2031, 3, 5}, Date{2031, 3, 5});
  EXPECT_STREQ("030541", MakeDialog()->ProgramName);
}

TEST_F(DialogTest, ProgramNameUsesTheUtcDate) {
  AddSetup(0, 7);
  StoreSerial("12\0"s, "3\0\0"s, "5\0\0"s);
  clock_.Set(Date{2024, 3, 5}, Date{2024, 3, 6});
  auto dialog = MakeDialog();
  EXPECT_STREQ("030512", dialog->ProgramName);
  EXPECT_STREQ("03/06/24", dialog->CreationDate);
}

TEST_F(DialogTest, MissingKeyOrValuesGiveSerialZeroWithoutAMessage) {
  AddSetup(0, 7);
  settings_.RemoveKey(SerialCounterKeyPath());
  auto dialog = MakeDialog();
  EXPECT_STREQ("030500", dialog->ProgramName);
  EXPECT_EQ(1, dialog->NextSerial);
  EXPECT_TRUE(ui_.messages().empty());

  int serial = -1, month = -1, day = -1;
  EXPECT_FALSE(ReadSerialCounter(serial, month, day));
  EXPECT_EQ(-1, serial);  // untouched when the key cannot be opened

  settings_.CreateKey(SerialCounterKeyPath());
  EXPECT_TRUE(ReadSerialCounter(serial, month, day));
  EXPECT_EQ(0, serial);
  EXPECT_EQ(0, month);
  EXPECT_EQ(0, day);
}

TEST_F(DialogTest, EmptySerialNumberZeroesTheDateToo) {
  int serial = -1, month = -1, day = -1;
  StoreSerial("\0\0\0"s, "3\0\0"s, "5\0\0"s);
  EXPECT_TRUE(ReadSerialCounter(serial, month, day));
  EXPECT_EQ(0, serial);
  EXPECT_EQ(0, month);
  EXPECT_EQ(0, day);
}

TEST_F(DialogTest, StoredValuesAreReadAsTheLeadingDigitsOfThreeBytes) {
  int serial = 0, month = 0, day = 0;
  StoreSerial("4199"s, "12x"s, "5"s);
  EXPECT_TRUE(ReadSerialCounter(serial, month, day));
  EXPECT_EQ(419, serial);
  EXPECT_EQ(12, month);
  EXPECT_EQ(5, day);
  StoreSerial("ab"s, " 3"s, "-5"s);
  EXPECT_TRUE(ReadSerialCounter(serial, month, day));
  EXPECT_EQ(0, serial);
  EXPECT_EQ(0, month);
  EXPECT_EQ(0, day);
}

TEST_F(DialogTest, LongProgramNameIsShortenedWithTheProgramOrdinal) {
  // A hand-edited counter of 419 makes a 7-character program name.
  AddSetup(0, 7);
  StoreSerial("419"s, "3"s, "5"s);
  auto dialog = MakeDialog({}, 0, 0);
  EXPECT_STREQ("0305~1", dialog->ProgramName);
  EXPECT_EQ(420, dialog->NextSerial);
  EXPECT_STREQ("030~12", MakeDialog({}, 0, 11)->ProgramName);
  EXPECT_STREQ("03054~", MakeDialog({}, 0, 99999)->ProgramName);
  store_->Setups[0].SetControlType(0);
  EXPECT_STREQ("0305419", MakeDialog()->ProgramName);
}

TEST_F(DialogTest, WriteStoresThreeBytePaddedTexts) {
  EXPECT_TRUE(WriteSerialCounter(7, 3, 5));
  auto* values = settings_.Values(SerialCounterKeyPath());
  EXPECT_EQ("7\0\0"s, (*values)[kSerialNumberValue]);
  EXPECT_EQ("3\0\0"s, (*values)[kSerialMonthValue]);
  EXPECT_EQ("5\0\0"s, (*values)[kSerialDayValue]);
  EXPECT_TRUE(WriteSerialCounter(42, 12, 31));
  EXPECT_EQ("42\0"s, (*values)[kSerialNumberValue]);
  EXPECT_EQ("12\0"s, (*values)[kSerialMonthValue]);
  EXPECT_EQ("31\0"s, (*values)[kSerialDayValue]);
  int serial = 0, month = 0, day = 0;
  EXPECT_TRUE(ReadSerialCounter(serial, month, day));
  EXPECT_EQ(42, serial);
  EXPECT_EQ(12, month);
  EXPECT_EQ(31, day);
  EXPECT_EQ("420"s, SerialValueBytes(420));
  EXPECT_EQ("100"s, SerialValueBytes(1000));
}

TEST_F(DialogTest, WriteFailsSilentlyWithoutAWritableKey) {
  settings_.SetReadOnly(true);
  EXPECT_FALSE(WriteSerialCounter(1, 3, 5));
  settings_.SetReadOnly(false);
  settings_.RemoveKey(SerialCounterKeyPath());
  EXPECT_FALSE(WriteSerialCounter(1, 3, 5));
  EXPECT_EQ(nullptr, settings_.Values(SerialCounterKeyPath()));
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(DialogTest, CancelledProgramLeavesTheNumberForTheNextOne) {
  AddSetup(0, 7);
  StoreSerial("41\0"s, "3\0\0"s, "5\0\0"s);
  ui_.AddDialog({.action = ScriptedAction::kCancel});
  auto first = MakeDialog();
  EXPECT_EQ(DialogResult::kCancel, first->Run());
  auto second = MakeDialog({}, 0, 1);
  EXPECT_EQ(DialogResult::kOk, second->Run());
  EXPECT_STREQ(first->ProgramName, second->ProgramName);
  EXPECT_EQ("41\0"s,
            (*settings_.Values(SerialCounterKeyPath()))[kSerialNumberValue]);
}

}  // namespace
}  // namespace bendpost::testing
