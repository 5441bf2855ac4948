// The terminal dialog, driven through its input stream on the real program
// dialog: the same transfer and validation as any other window.
#include "host/terminal_ui.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_test_support.h"
#include "dialog/dialog_test_support.h"

namespace bendpost::cli {

using namespace bendpost::documents;
using namespace bendpost::host;
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class TerminalDialogTest : public bendpost::testing::DialogTest {
 protected:
  TerminalDialogTest() {
    AddSetup(0, 7, "Bracket V16", "PB 100-3100");
    AddTool("P88-R08");
    AddTool("V16-88");
    SetTable("P88-R08 K88\nV16-88 V16\n");
  }

  // Runs a one-step program's dialog on the terminal with `keys` as input.
  DialogResult RunWith(const std::string& keys) {
    header_ = MakeHeader({bendpost::testing::MakeStep({"P88-R08", "V16-88"})});
    return RunOn(keys, true);
  }
  // Runs the dialog on header_ on the terminal.
  DialogResult RunOn(const std::string& keys, bool show_browse) {
    std::istringstream in(keys);
    TerminalUserInterface terminal(in, out_, err_);
    const JobContext context{job_, files_, clock_, settings_, terminal};
    return ProgramDialog(*header_, context, show_browse).Run();
  }

  std::unique_ptr<ProgramHeader> header_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(TerminalDialogTest, ShowsTheDialogsFieldsInItsLayout) {
  EXPECT_EQ(RunWith("x\n"), DialogResult::kCancel);
  const std::string screen = out_.str();
  for (const char* text :
       {"Postprocessor Program Creation Dialog:",
        "Setup Name:",
        "Bracket V16",
        "Control Type: BandR",
        "Machine Model:",
        "PB 100-3100",
        "File Name:",
        "/jobs/2030500.NMB",
        "[f] ...",
        " Basic",
        "[1] Program Name:",
        "030500",
        "[2] Part Reference:",
        "BRACKET",
        "Total Steps:",
        "Date of Creation:",
        "03/05/24",
        " Material",
        "Thickness:",
        "[m] Material Name:",
        "C.R.S.",
        "(C.R.S. | AL1 | AL2 | S.S.)",
        "[3] Hardness:",
        "Convert Vantorel tools names to Operateur tools names",
        "Punch Name:",
        "P88-R08",
        "[4] K88",
        "Die Name:",
        "[5] V16",
        "Rev 0",
        "Spacer Name:",
        "[7] 0",
        "c Create...",
        "x Cancel"}) {
    EXPECT_THAT(screen, HasSubstr(text));
  }
}

TEST_F(TerminalDialogTest, CreateWithAnEdit) {
  EXPECT_EQ(RunWith("2\nbrkt-a\nc\n"), DialogResult::kOk);
  EXPECT_EQ(header_->PartReference, "brkt-a");  // capitals come at finishing
  EXPECT_THAT(out_.str(), HasSubstr("Part Reference [BRACKET] (at most 13 "
                                    "characters): "));
  EXPECT_EQ(err_.str(), "");
}

TEST_F(TerminalDialogTest, ValidationFailureNamesTheFieldAndAsksItAgain) {
  EXPECT_EQ(RunWith("1\n1234567\nc\nAB12\n"), DialogResult::kOk);
  const std::string screen = out_.str();
  // The validation message carries the error icon: it goes to stderr.
  EXPECT_EQ(err_.str(), "!!  Program Name: Enter no more than 6 characters.\n");
  // Asked again with the refused text, then "Create..." succeeds.
  EXPECT_THAT(screen,
              HasSubstr("Program Name [1234567] (at most 6 characters): "));
  EXPECT_EQ(header_->ProgramName, "AB12");
}

TEST_F(TerminalDialogTest, HardnessOutOfRangeIsRefusedUntilCorrected) {
  EXPECT_EQ(RunWith("3\n2000\nc\n999\n"), DialogResult::kOk);
  EXPECT_THAT(err_.str(),
              HasSubstr("Hardness: Enter a number between 1 and 1000."));
  EXPECT_FLOAT_EQ(header_->Hardness, 999);
}

TEST_F(TerminalDialogTest, EmptyAnswerAfterARefusalGoesBackToTheDialog) {
  EXPECT_EQ(RunWith("1\n1234567\nc\n\nx\n"), DialogResult::kCancel);
  EXPECT_THAT(err_.str(), HasSubstr("Enter no more than 6 characters."));
}

TEST_F(TerminalDialogTest, CancelAndEndOfInput) {
  EXPECT_EQ(RunWith("1\nXY\nx\n"), DialogResult::kCancel);
  EXPECT_NE(header_->ProgramName, "XY");  // nothing transferred on Cancel
  out_.str("");
  EXPECT_EQ(RunWith("1\n"), DialogResult::kCancel);
  EXPECT_THAT(out_.str(), HasSubstr("(end of input: Cancel)"));
}

TEST_F(TerminalDialogTest, MaterialPickedFromTheList) {
  EXPECT_EQ(RunWith("m\n3\nc\n"), DialogResult::kOk);
  EXPECT_EQ(header_->MaterialName, "AL2");
  EXPECT_EQ(header_->MaterialNumber, 3);
  EXPECT_FLOAT_EQ(header_->Hardness, 40);
  out_.str("");
  EXPECT_EQ(RunWith("m\ns.s.\nc\n"), DialogResult::kOk);
  EXPECT_EQ(header_->MaterialName, "S.S.");
  EXPECT_FLOAT_EQ(header_->Hardness, 60);
  EXPECT_EQ(RunWith("m\n9\nx\n"), DialogResult::kCancel);
  EXPECT_THAT(out_.str(), HasSubstr("No such material: 9"));
}

TEST_F(TerminalDialogTest, FolderChosenThenTypedNameSurvives) {
  const std::string folder = testing::ScratchDir().string();
  EXPECT_EQ(RunWith("1\nAB12\nf\n" + folder + "/\nc\n"), DialogResult::kOk);
  EXPECT_EQ(header_->FileName, folder + "/2030500.NMB");
  EXPECT_EQ(store_->ProgramPath, folder + "/bracket.bmf");
  EXPECT_EQ(header_->ProgramName, "AB12");
  EXPECT_THAT(out_.str(), HasSubstr("Select Folder: [/jobs/]"));
}

TEST_F(TerminalDialogTest, FolderThatIsNoFolderIsRefusedAndCancelKeepsAll) {
  EXPECT_EQ(RunWith("f\n/no/such/folder\nf\n\nc\n"), DialogResult::kOk);
  EXPECT_THAT(out_.str(), HasSubstr("Folder name chosen is not valid."));
  EXPECT_EQ(header_->FileName, "/jobs/2030500.NMB");
}

TEST_F(TerminalDialogTest, HiddenBrowseButtonIgnoresF) {
  header_ = MakeHeader({});
  EXPECT_EQ(RunOn("f\nx\n", false), DialogResult::kCancel);
  EXPECT_THAT(out_.str(), Not(HasSubstr("[f] ...")));
  EXPECT_THAT(out_.str(), HasSubstr("Unknown choice \"f\"."));
}

TEST_F(TerminalDialogTest, MessagesGoToTheirStreams) {
  std::istringstream in;
  std::ostringstream out, err;
  TerminalUserInterface terminal(in, out, err);
  terminal.ShowMessage("Please note: [for step number: 2]\nfirst\n",
                       MessageIcon::kNone);
  terminal.ShowMessage("program created failed !", MessageIcon::kError);
  EXPECT_EQ(out.str(), "**  Please note: [for step number: 2]\n    first\n");
  EXPECT_EQ(err.str(), "!!  program created failed !\n");
}

}  // namespace
}  // namespace bendpost::cli
