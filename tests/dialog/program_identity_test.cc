#include "dialog/program_identity.h"

#include <gtest/gtest.h>

#include <string>

#include "dialog_test_support.h"
#include "support/native_path.h"

namespace bendpost::testing {
namespace {

using namespace std::string_literals;
using test_support::ForeignPath;
using test_support::NativePath;

// ---- Naming ---------------------------------------------------------------

TEST_F(DialogTest, OneSetupExControlNamesTheFileAfterThePath) {
  AddSetup(0, 0);
  auto header = MakeHeader();
  EXPECT_STREQ(NativePath("/jobs/").c_str(), header->OutputFolder);
  EXPECT_STREQ("bracket", header->BaseName);
  EXPECT_STREQ(NativePath("/jobs/bracket.NMB").c_str(), header->FileName);
  EXPECT_STREQ("BRACKET", header->PartReference);
  EXPECT_STREQ("030500", header->ProgramName);
}

TEST_F(DialogTest, SeveralSetupsAddSetupAndProgramOrdinals) {
  AddSetup(0, 0);
  AddSetup(1, 7);
  AddSetup(2, 0);
  auto bandr = MakeHeader({}, 1, 1);
  EXPECT_STREQ(NativePath("/jobs/2030500.S2P2.NMB").c_str(), bandr->FileName);
  auto ex = MakeHeader({}, 2, 6);
  EXPECT_STREQ(NativePath("/jobs/bracket.S3P7.NMB").c_str(), ex->FileName);
}

TEST_F(DialogTest, BaseNameIsCutOnlyAtADotAfterTheLastSeparator) {
  AddSetup(0, 0);
  const struct {
    std::string path;
    std::string folder;
    std::string base;
    std::string file;
  } cases[] = {
      {NativePath("/jobs/bracket"), NativePath("/jobs/"), "bracket",
       NativePath("/jobs/bracket.NMB")},
      {NativePath("/rev.2/bracket"), NativePath("/rev.2/"), "bracket",
       NativePath("/rev.2/bracket.NMB")},
      {NativePath("/jobs/a.b.bmf"), NativePath("/jobs/"), "a.b",
       NativePath("/jobs/a.b.NMB")},
      {"bracket.bmf", "", "bracket", "bracket.NMB"},
      {"", "", "", ".NMB"},
      // The separator is the platform's: the other one is part of the name.
      {ForeignPath("C:/jobs/bracket.bmf"), "", ForeignPath("C:/jobs/bracket"),
       ForeignPath("C:/jobs/bracket.NMB")},
  };
  for (const auto& c : cases) {
    store_->ProgramPath = c.path;
    auto header = MakeHeader();
    EXPECT_STREQ(c.folder.c_str(), header->OutputFolder) << c.path;
    EXPECT_STREQ(c.base.c_str(), header->BaseName) << c.path;
    EXPECT_STREQ(c.file.c_str(), header->FileName) << c.path;
  }
}

TEST_F(DialogTest, BandRFileNameWithoutAnyFolderIsRelative) {
  AddSetup(0, 7);
  store_->ProgramPath = "bracket.bmf";
  EXPECT_STREQ("2030500.NMB", MakeHeader()->FileName);
}

TEST_F(DialogTest, PartReferenceIsShortenedForOperateurAndBandROnly) {
  store_->ProgramPath = NativePath("/jobs/verylongpartname01.bmf");
  AddSetup(0, 2);
  EXPECT_STREQ("VERYLONGPART~", MakeHeader()->PartReference);
  store_->Setups[0].SetControlType(0);
  EXPECT_STREQ("VERYLONGPARTNAME01", MakeHeader()->PartReference);
  store_->Setups[0].SetControlType(7);
  store_->ProgramPath = NativePath("/jobs/thirteenchars.bmf");
  EXPECT_STREQ("THIRTEENCHARS", MakeHeader()->PartReference);
}

TEST_F(DialogTest, NamePrefixDigitOutsideOneToThreeBecomesTwo) {
  AddSetup(0, 7);
  auto header = MakeHeader();
  header->NamePrefixDigit = 3;
  BuildProgramIdentity(*header, Context());
  EXPECT_STREQ(NativePath("/jobs/3030500.NMB").c_str(), header->FileName);
  header->NamePrefixDigit = 4;
  BuildProgramIdentity(*header, Context());
  EXPECT_EQ(2, header->NamePrefixDigit);
  EXPECT_STREQ(NativePath("/jobs/2030500.NMB").c_str(), header->FileName);
}

// ---- Serial counter -------------------------------------------------------

TEST_F(DialogTest, SerialOfTodayContinuesAndWrapsAfter99) {
  AddSetup(0, 7);
  StoreSerial("41\0"s, "3\0\0"s, "5\0\0"s);
  auto header = MakeHeader();
  EXPECT_STREQ("030541", header->ProgramName);
  EXPECT_EQ(42, header->NextSerial);
  EXPECT_EQ(3, header->SerialMonth);
  EXPECT_EQ(5, header->SerialDay);

  StoreSerial("99\0"s, "3\0\0"s, "5\0\0"s);
  header = MakeHeader();
  EXPECT_STREQ("030599", header->ProgramName);
  EXPECT_EQ(0, header->NextSerial);

  StoreSerial("7\0\0"s, "3\0\0"s, "5\0\0"s);
  EXPECT_STREQ("030507", MakeHeader()->ProgramName);
}

TEST_F(DialogTest, SerialOfAnotherDayStartsAtZeroButTheYearIsNotStored) {
  AddSetup(0, 7);
  StoreSerial("41\0"s, "3\0\0"s, "4\0\0"s);  // yesterday
  auto header = MakeHeader();
  EXPECT_STREQ("030500", header->ProgramName);
  EXPECT_EQ(1, header->NextSerial);

  StoreSerial("41\0"s, "3\0\0"s, "5\0\0"s);
  clock_.Set(Date{2031, 3, 5}, Date{2031, 3, 5});
  EXPECT_STREQ("030541", MakeHeader()->ProgramName);
}

TEST_F(DialogTest, ProgramNameUsesTheUtcDate) {
  AddSetup(0, 7);
  StoreSerial("12\0"s, "3\0\0"s, "5\0\0"s);
  clock_.Set(Date{2024, 3, 5}, Date{2024, 3, 6});
  auto header = MakeHeader();
  EXPECT_STREQ("030512", header->ProgramName);
  EXPECT_STREQ("03/06/24", header->CreationDate);
}

TEST_F(DialogTest, MissingKeyOrValuesGiveSerialZeroWithoutAMessage) {
  AddSetup(0, 7);
  settings_.RemoveKey(SerialCounterKeyPath(ui_));
  auto header = MakeHeader();
  EXPECT_STREQ("030500", header->ProgramName);
  EXPECT_EQ(1, header->NextSerial);
  EXPECT_TRUE(ui_.messages().empty());

  int serial = -1, month = -1, day = -1;
  EXPECT_FALSE(ReadSerialCounter(settings_, ui_, serial, month, day));
  EXPECT_EQ(-1, serial);  // untouched when the key cannot be opened

  settings_.CreateKey(SerialCounterKeyPath(ui_));
  EXPECT_TRUE(ReadSerialCounter(settings_, ui_, serial, month, day));
  EXPECT_EQ(0, serial);
  EXPECT_EQ(0, month);
  EXPECT_EQ(0, day);
}

TEST_F(DialogTest, EmptySerialNumberZeroesTheDateToo) {
  int serial = -1, month = -1, day = -1;
  StoreSerial("\0\0\0"s, "3\0\0"s, "5\0\0"s);
  EXPECT_TRUE(ReadSerialCounter(settings_, ui_, serial, month, day));
  EXPECT_EQ(0, serial);
  EXPECT_EQ(0, month);
  EXPECT_EQ(0, day);
}

TEST_F(DialogTest, StoredValuesAreReadAsTheLeadingDigitsOfThreeBytes) {
  int serial = 0, month = 0, day = 0;
  StoreSerial("4199"s, "12x"s, "5"s);
  EXPECT_TRUE(ReadSerialCounter(settings_, ui_, serial, month, day));
  EXPECT_EQ(419, serial);
  EXPECT_EQ(12, month);
  EXPECT_EQ(5, day);
  StoreSerial("ab"s, " 3"s, "-5"s);
  EXPECT_TRUE(ReadSerialCounter(settings_, ui_, serial, month, day));
  EXPECT_EQ(0, serial);
  EXPECT_EQ(0, month);
  EXPECT_EQ(0, day);
}

TEST_F(DialogTest, LongProgramNameIsShortenedWithTheProgramOrdinal) {
  // A hand-edited counter of 419 makes a 7-character program name.
  AddSetup(0, 7);
  StoreSerial("419"s, "3"s, "5"s);
  auto header = MakeHeader({}, 0, 0);
  EXPECT_STREQ("0305~1", header->ProgramName);
  EXPECT_EQ(420, header->NextSerial);
  EXPECT_STREQ("030~12", MakeHeader({}, 0, 11)->ProgramName);
  EXPECT_STREQ("03054~", MakeHeader({}, 0, 99999)->ProgramName);
  store_->Setups[0].SetControlType(0);
  EXPECT_STREQ("0305419", MakeHeader()->ProgramName);
}

TEST_F(DialogTest, WriteStoresThreeBytePaddedTexts) {
  EXPECT_TRUE(WriteSerialCounter(settings_, ui_, 7, 3, 5));
  auto* values = settings_.Values(SerialCounterKeyPath(ui_));
  EXPECT_EQ("7\0\0"s, (*values)[kSerialNumberValue]);
  EXPECT_EQ("3\0\0"s, (*values)[kSerialMonthValue]);
  EXPECT_EQ("5\0\0"s, (*values)[kSerialDayValue]);
  EXPECT_TRUE(WriteSerialCounter(settings_, ui_, 42, 12, 31));
  EXPECT_EQ("42\0"s, (*values)[kSerialNumberValue]);
  EXPECT_EQ("12\0"s, (*values)[kSerialMonthValue]);
  EXPECT_EQ("31\0"s, (*values)[kSerialDayValue]);
  int serial = 0, month = 0, day = 0;
  EXPECT_TRUE(ReadSerialCounter(settings_, ui_, serial, month, day));
  EXPECT_EQ(42, serial);
  EXPECT_EQ(12, month);
  EXPECT_EQ(31, day);
  EXPECT_EQ("420"s, SerialValueBytes(420));
  EXPECT_EQ("100"s, SerialValueBytes(1000));
}

TEST_F(DialogTest, WriteFailsSilentlyWithoutAWritableKey) {
  settings_.SetReadOnly(true);
  EXPECT_FALSE(WriteSerialCounter(settings_, ui_, 1, 3, 5));
  settings_.SetReadOnly(false);
  settings_.RemoveKey(SerialCounterKeyPath(ui_));
  EXPECT_FALSE(WriteSerialCounter(settings_, ui_, 1, 3, 5));
  EXPECT_EQ(nullptr, settings_.Values(SerialCounterKeyPath(ui_)));
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(DialogTest, CancelledProgramLeavesTheNumberForTheNextOne) {
  AddSetup(0, 7);
  StoreSerial("41\0"s, "3\0\0"s, "5\0\0"s);
  ui_.AddDialog({.action = ScriptedAction::kCancel});
  auto first = MakeHeader();
  EXPECT_EQ(DialogResult::kCancel, DialogOn(*first).Run());
  auto second = MakeHeader({}, 0, 1);
  EXPECT_EQ(DialogResult::kOk, DialogOn(*second).Run());
  EXPECT_STREQ(first->ProgramName, second->ProgramName);
  EXPECT_EQ("41\0"s,
            (*settings_.Values(SerialCounterKeyPath(ui_)))[kSerialNumberValue]);
}

}  // namespace
}  // namespace bendpost::testing
