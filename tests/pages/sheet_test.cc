// The setup sheet against the control files of the examples' golden runs
// (tests/testdata/cli/generate_*.nmb): every step's depths and tonnage on
// the page are those `inspect --json` reads from the same file, and bad
// input is refused with what is wrong.
#include <gtest/gtest.h>

#include <sstream>

#include "bendcalc/bend_data.h"
#include "cli/cli_test_support.h"
#include "cli/inspect_command.h"
#include "cli/sheet_command.h"
#include "pages/bending_chart.h"
#include "pages/html.h"
#include "pages/sheet_page.h"

namespace bendpost::cli {

using namespace bendpost::documents;
using namespace bendpost::pages;
using namespace bendpost::host;
namespace {

const std::string kGoldenDir = std::string(BENDPOST_TESTDATA_DIR) + "/cli";

JobFile ExampleJob(const std::string& name) {
  JobFile job;
  std::vector<Problem> problems;
  EXPECT_TRUE(LoadJobFile(
      RealFileSystem(),
      std::string(BENDPOST_SOURCE_DIR) + "/examples/" + name + ".json", &job,
      &problems));
  job.data_path = BENDPOST_EXAMPLE_DATA_DIR;
  return job;
}

// The value of attribute `name` in the tag that starts at `at`.
std::string Attribute(const std::string& html, size_t at,
                      const std::string& name) {
  const size_t tag_end = html.find('>', at);
  const size_t p = html.find(" " + name + "=\"", at);
  if (p == std::string::npos || p > tag_end) return "(none)";
  const size_t start = p + name.size() + 3;
  return html.substr(start, html.find('"', start) - start);
}

struct SheetCase {
  const char* control_file;
  const char* job;
};

class SheetPageTest : public ::testing::TestWithParam<SheetCase> {};

TEST_P(SheetPageTest, EveryStepAgreesWithInspectJson) {
  const std::string path = kGoldenDir + "/" + GetParam().control_file;
  std::string html;
  ASSERT_TRUE(MakeSheet(RealFileSystem(), path, ExampleJob(GetParam().job),
                        std::nullopt, &html)
                  .ok());
  const ordered_json inspected = InspectJson(testing::ReadBytes(path));
  const ordered_json& steps = inspected["steps"];
  ASSERT_GT(steps.size(), 0u);
  for (size_t k = 0; k < steps.size(); ++k) {
    SCOPED_TRACE("step " + std::to_string(k + 1));
    const size_t row =
        html.find("<tr data-step=\"" + std::to_string(k + 1) + "\"");
    ASSERT_NE(row, std::string::npos);
    EXPECT_EQ(Attribute(html, row, "data-y1"), steps[k]["Y1"].dump());
    EXPECT_EQ(Attribute(html, row, "data-y2"), steps[k]["Y2"].dump());
    EXPECT_EQ(Attribute(html, row, "data-tonnage"),
              steps[k]["TonnageValue"].dump());
    // What the operator reads: depth to 3 decimals, force in tons.
    const std::string cells = html.substr(row, html.find("</tr>", row) - row);
    EXPECT_NE(cells.find(">" + Num(steps[k]["Y1"].get<double>(), 3) + "<"),
              std::string::npos);
    EXPECT_NE(
        cells.find(">" + Num(steps[k]["TonnageValue"].get<double>() / 10, 1) +
                   "<"),
        std::string::npos);
  }
  EXPECT_EQ(html.find(steps.size() < 25
                          ? "data-step=\"" + std::to_string(steps.size() + 1)
                          : std::string("data-step=\"26")),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    GoldenControlFiles, SheetPageTest,
    ::testing::Values(SheetCase{"generate_bracket_mm.nmb", "bracket_mm"},
                      SheetCase{"generate_bracket_inch.nmb", "bracket_inch"},
                      SheetCase{"generate_cover_p1.nmb", "cover_two_setups"},
                      SheetCase{"generate_cover_p2.nmb", "cover_two_setups"}));

// Each warning's text is listed once under the steps, with the steps that
// have it; a row carries only the number of its note, so that a warning
// makes no row taller.
TEST(SheetWarningsTest, EachTextOnceUnderTheStepsTheRowsItsNumber) {
  const std::string die =
      "The calculated force is greater than die allowable tonnage";
  const std::string punch =
      "The calculated force is greater than punch allowable tonnage";
  SheetModel model;
  model.header.HeaderThickness = 2;
  for (int k = 1; k <= 6; ++k) {
    SheetStep row;
    row.v_width = 16;
    if (k == 4) {
      row.warning = kWarningAbovePunchLimit;
      row.warning_text = punch;
    } else if (k != 6) {
      row.warning = kWarningAboveDieLimit;
      row.warning_text = die;
    }
    model.steps.push_back(row);
  }
  const std::string html = SheetPage(model);
  auto count = [&](const std::string& text) {
    size_t n = 0;
    for (size_t at = html.find(text); at != std::string::npos;
         at = html.find(text, at + 1)) {
      ++n;
    }
    return n;
  };
  EXPECT_EQ(count(die), 1u);
  EXPECT_EQ(count(punch), 1u);
  EXPECT_EQ(count("<b>&#9888;&nbsp;1</b> " + die +
                  " &middot; steps 1&ndash;3, 5</p>"),
            1u);
  EXPECT_EQ(count("<b>&#9888;&nbsp;2</b> " + punch + " &middot; step 4</p>"),
            1u);
  EXPECT_EQ(count("<td class=\"w\">&#9888;&nbsp;1</td>"), 4u);
  EXPECT_EQ(count("<td class=\"w\">&#9888;&nbsp;2</td>"), 1u);
}

// Runs `bendpost sheet` on `control` with the example job `job`; returns
// the exit code and what it said on stderr.
int RunSheetOn(const std::string& control, const std::string& job,
               std::string* err_text) {
  SheetOptions options;
  options.control_path = control;
  options.job_path =
      std::string(BENDPOST_SOURCE_DIR) + "/examples/" + job + ".json";
  options.data_dir = BENDPOST_EXAMPLE_DATA_DIR;
  std::istringstream in;
  std::ostringstream out, err;
  CommandIo io{in, out, err, false};
  const int rc = RunSheet(RealFileSystem(), options, io);
  *err_text = err.str();
  return rc;
}

TEST(SheetCommandTest, RefusesADamagedControlFile) {
  const auto dir = testing::ScratchDir();
  std::string bytes =
      testing::ReadBytes(kGoldenDir + "/generate_bracket_mm.nmb");
  std::string err;

  testing::WriteText(dir / "short.nmb", bytes.substr(0, 12000));
  EXPECT_EQ(RunSheetOn((dir / "short.nmb").string(), "bracket_mm", &err),
            kExitUsage);
  EXPECT_NE(err.find("a control file has 12664 bytes, this one has 12000"),
            std::string::npos)
      << err;

  bytes[control_file::SlotOffset(0) + 6] = 1;  // a gap of the first step
  testing::WriteText(dir / "gap.nmb", bytes);
  EXPECT_EQ(RunSheetOn((dir / "gap.nmb").string(), "bracket_mm", &err),
            kExitUsage);
  EXPECT_NE(err.find("corrupt control file"), std::string::npos) << err;
}

TEST(SheetCommandTest, SaysWhatDoesNotMatchTheJob) {
  std::string err;
  // The cover's first program has 3 steps of 400, 400 and 300 mm; the
  // bracket's 4 steps match none of its programs.
  EXPECT_EQ(RunSheetOn(kGoldenDir + "/generate_bracket_mm.nmb",
                       "cover_two_setups", &err),
            kExitUsage);
  EXPECT_NE(err.find("the job does not match: program 1 of the job has 3 "
                     "steps, the control file 4"),
            std::string::npos)
      << err;
  // Same step count, other lengths: the first step that differs is named.
  EXPECT_EQ(
      RunSheetOn(kGoldenDir + "/generate_bracket_inch.nmb", "bracket_mm", &err),
      kExitUsage);
  EXPECT_NE(err.find("program 1 step 1: bend length 250 mm in the job, 254 mm "
                     "in the control file"),
            std::string::npos)
      << err;
}

TEST(SheetCommandTest, SheetPathReplacesTheExtension) {
  EXPECT_EQ(SheetPathFor("/out/2120700.NMB"), "/out/2120700.html");
  EXPECT_EQ(SheetPathFor("out/2CV01.NMB"), "out/2CV01.html");
}

// The chart's cells are the calculation's: its warnings for the die
// opening mark them.
TEST(MaterialChartTest, CellsCarryTheCalculationsWarnings) {
  ChartInput options;
  options.data_dir = BENDPOST_EXAMPLE_DATA_DIR;
  options.material = 1;
  Chart chart;
  ASSERT_TRUE(
      ComputeChart(RealFileSystem(), options, {1, 2}, {6, 16, 25}, &chart)
          .ok());
  EXPECT_EQ(chart.strength, 40);  // the BandR control's C.R.S.
  EXPECT_EQ(chart.cells[1][0].warning, kWarningOpeningSmall);  // V/T 3
  EXPECT_EQ(chart.cells[1][1].warning, 0);                     // V/T 8
  EXPECT_EQ(chart.cells[0][2].warning, kWarningOpeningLarge);  // V/T 25
  EXPECT_GT(chart.cells[1][1].force_per_metre, 0);
  EXPECT_GT(chart.cells[1][1].inner_radius, 0);
  EXPECT_GT(chart.cells[1][1].depth, 0);

  options.material = 5;
  EXPECT_FALSE(ComputeChart(RealFileSystem(), options, {1}, {8}, &chart).ok());
}

}  // namespace
}  // namespace bendpost::cli
