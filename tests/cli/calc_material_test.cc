// `bendpost calc` and `bendpost material`: the worked example of the
// calculation through a material file built from its description, the
// off-centre correction and the withdrawal of the minimum-tonnage warning,
// the batch lines, and the description <-> file round trip.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "bendcalc/bend_calculator.h"
#include "bendcalc/material_file.h"
#include "cli/calc_command.h"
#include "cli/material_command.h"
#include "cli_test_support.h"
#include "documents/json_text.h"
#include "documents/material_description.h"
#include "pages/material_plot.h"
#include "testing/fault_file_system.h"
#include "testing/mem_file_system.h"

namespace bendpost::cli {

using namespace bendpost::documents;
using namespace bendpost::pages;
using namespace bendpost::host;
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

// The worked example's models: springback 2, neutral factor 0.4, inner
// radius 10^0 x T, no depth correction.
constexpr const char* kWorkedExample = R"({
  "Name": "Worked example",
  "Springback": {"Type": "polynomial", "Constant": 2},
  "NeutralFactor": {"Type": "polynomial", "Constant": 0.4},
  "InnerRadius": {"Type": "polynomial", "Constant": 0},
  "DepthCorrection": {"Type": "none"}
})";

struct Ran {
  int code;
  std::string out;
  std::string err;
};

class CalcTest : public ::testing::Test {
 protected:
  CalcTest() : dir_(testing::ScratchDir()) {
    testing::WriteText(dir_ / "worked.json", kWorkedExample);
    std::istringstream in;
    std::ostringstream out, err;
    CommandIo io{in, out, err, false};
    EXPECT_EQ(
        RunMaterialBuild(RealFileSystem(), (dir_ / "worked.json").string(),
                         (dir_ / "f_1").string(), io),
        kExitOk)
        << err.str();
    // The worked example's blocks, as named options.
    options_.data_dir = dir_.string();
    options_.material = 1;
    options_.thickness = 2;
    options_.v_width = 16;
    options_.die_angle = 88;
    options_.die_radius = 2;
    options_.length_mm = 1000;
    options_.strength = 40;
    options_.angle = 90;
    options_.tonnage = 100;
    options_.min_tonnage = 5;
    options_.max_length = 3000;
    options_.bending_coefficient = 1;
    options_.punch_resistance = 100;
    options_.die_resistance = 100;
  }

  Ran Calc(const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    CommandIo io{in, out, err, false};
    const int code = RunCalc(RealFileSystem(), options_, io);
    return {code, out.str(), err.str()};
  }

  std::filesystem::path dir_;
  CalcOptions options_;
};

TEST_F(CalcTest, JsonReproducesTheWorkedExample) {
  options_.json = true;
  const Ran r = Calc();
  EXPECT_EQ(r.code, kExitOk);
  const json j = json::parse(r.out);
  EXPECT_EQ(j.size(), 4u);
  EXPECT_NEAR(j["depth"].get<double>(), 7.4055, 5e-4);
  EXPECT_NEAR(j["force"].get<double>(), 232.36, 5e-3);
  EXPECT_EQ(j["tonnage"], j["force"]);  // at the centre: no correction
  EXPECT_EQ(j["warning"], 0);
  // The printed numbers read back as the calculation's own floats.
  const CalcOutcome direct =
      CalculateStep(RealFileSystem(), dir_.string(), MaterialBlock(options_),
                    MachineBlock(options_), 0);
  EXPECT_EQ(static_cast<float>(j["depth"].get<double>()), direct.depth);
  EXPECT_EQ(static_cast<float>(j["force"].get<double>()), direct.force);
}

TEST_F(CalcTest, WorkedExampleVariants) {
  options_.frame_flag = 1;
  options_.frame_tightness = 0.001;
  CalcOutcome o =
      CalculateStep(RealFileSystem(), dir_.string(), MaterialBlock(options_),
                    MachineBlock(options_), 0);
  EXPECT_NEAR(o.depth, 7.6378, 5e-4);
  options_.frame_flag = 0;
  options_.angle = 87;
  o = CalculateStep(RealFileSystem(), dir_.string(), MaterialBlock(options_),
                    MachineBlock(options_), 0);
  EXPECT_NEAR(o.force, 284.00, 5e-3);
}

TEST_F(CalcTest, OffCentreCorrectionUsesTwiceTheOffsetCutToAWholeNumber) {
  const BendMaterialData m = MaterialBlock(options_);
  const BendMachineData k = MachineBlock(options_);
  const CalcOutcome centre =
      CalculateStep(RealFileSystem(), dir_.string(), m, k, 0);
  // 232.36 x 3020 / 3000.
  EXPECT_NEAR(CalculateStep(RealFileSystem(), dir_.string(), m, k, 10).tonnage,
              233.91, 5e-3);
  EXPECT_EQ(CalculateStep(RealFileSystem(), dir_.string(), m, k, 0.4f).tonnage,
            centre.force);
  EXPECT_EQ(
      CalculateStep(RealFileSystem(), dir_.string(), m, k, -3.2f).tonnage,
      static_cast<float>(static_cast<long double>(centre.force) * 3006 / 3000));
  EXPECT_EQ(
      CalculateStep(RealFileSystem(), dir_.string(), m, k, 2.5f).tonnage,
      static_cast<float>(static_cast<long double>(centre.force) * 3005 / 3000));
  EXPECT_EQ(CalculateStep(RealFileSystem(), dir_.string(), m, k, 10).force,
            centre.force);
}

TEST_F(CalcTest, MinimumTonnageWarningWithdrawnWhenTheTonnageReachesIt) {
  options_.length_mm = 100;  // a short bend: force below the minimum
  options_.min_tonnage = 30;
  const BendMaterialData m = MaterialBlock(options_);
  const BendMachineData k = MachineBlock(options_);
  const CalcOutcome o = CalculateStep(RealFileSystem(), dir_.string(), m, k, 0);
  // Clamped to the minimum, so the corrected tonnage equals it: withdrawn.
  EXPECT_EQ(o.force, 300.0f);
  EXPECT_EQ(o.warning, 0);
  // Without the withdrawal the calculation's own code is 51.
  BendCalculator calculator{RealFileSystem(), CString(dir_.string())};
  BendResult result;
  WarningCodes warnings{};
  calculator.Calculate(m, k, result, warnings);
  EXPECT_EQ(warnings[0], kWarningBelowMinTonnage);
}

TEST_F(CalcTest, WarningsAreNamedAndAMissingFileIsExplained) {
  options_.v_width = 6;  // V/T 3
  Ran r = Calc();
  EXPECT_THAT(r.out, HasSubstr("warning  23  The Die V width / Thickness is "
                               "less than 4"));
  options_.material = 2;
  r = Calc();
  EXPECT_THAT(r.out, HasSubstr("warning  10  The material is not supported."));
  EXPECT_THAT(r.err, HasSubstr("there is no material data file"));
}

TEST_F(CalcTest, AStepThatCannotBeCalculatedSaysSo) {
  // A springback equal to the bend angle leaves no load angle.
  testing::WriteText(dir_ / "flat.json", R"({
    "Springback": {"Type": "polynomial", "Constant": 90},
    "NeutralFactor": {"Type": "polynomial", "Constant": 0.4},
    "InnerRadius": {"Type": "polynomial", "Constant": 0},
    "DepthCorrection": {"Type": "none"}
  })");
  std::istringstream in;
  std::ostringstream out, err;
  CommandIo io{in, out, err, false};
  ASSERT_EQ(RunMaterialBuild(RealFileSystem(), (dir_ / "flat.json").string(),
                             (dir_ / "f_2").string(), io),
            kExitOk)
      << err.str();
  options_.material = 2;
  const Ran r = Calc();
  EXPECT_THAT(r.out, HasSubstr("depth    0 mm"));
  EXPECT_THAT(r.out, HasSubstr("warning  60  The bend data of this step could "
                               "not be calculated: check the material data."));
}

TEST_F(CalcTest, TextOutputShowsWhatTheProgramHolds) {
  const Ran r = Calc();
  EXPECT_THAT(r.out, HasSubstr("depth    7.405452 mm  (Y1 = Y2 = -7.405452)"));
  EXPECT_THAT(r.out, HasSubstr("tonnage  232.362  (the program holds 232)"));
  EXPECT_THAT(r.out, HasSubstr("warning  0  (none)"));
}

TEST_F(CalcTest, BatchWritesOneLinePerInputLineInOrder) {
  options_.batch = true;
  const std::string data = json(dir_.string()).dump();
  const std::string input =
      "{\"data\": " + data +
      ", \"material\": [1,2,16,88,2,1,40,90], \"machine\": "
      "[0,0,1000,50,3000,1,1000,1000], \"offset\": 10}\n"
      "\n"
      "{\"material\": [1,2,16,88,2,1,40,90]}\n"
      "not json\n"
      "{\"data\": " +
      data +
      ", \"material\": [1,2,16,88,2,1,40,87], \"machine\": "
      "[0,0,1000,50,3000,1,1000,1000], \"extra\": 1}\n"
      "{\"data\": " +
      data +
      ", \"material\": [1,2,16,88,2,1,40,87], \"machine\": "
      "[0,0,1000,50,3000,1,1000,1000]}\n";
  const Ran r = Calc(input);
  EXPECT_EQ(r.code, kExitIncomplete);
  std::istringstream lines(r.out);
  std::vector<json> results;
  for (std::string line; std::getline(lines, line);) {
    results.push_back(json::parse(line));
  }
  ASSERT_EQ(results.size(), 5u);  // the blank line gives none
  EXPECT_NEAR(results[0]["tonnage"].get<double>(), 233.91, 5e-3);
  EXPECT_EQ(results[1]["error"], "\"machine\" must be an array of 8 numbers");
  EXPECT_THAT(results[2]["error"].get<std::string>(), HasSubstr("line 1"));
  EXPECT_EQ(results[3]["error"], "unknown field \"extra\"");
  EXPECT_NEAR(results[4]["force"].get<double>(), 284.00, 5e-3);
}

TEST(MaterialDescriptionTest, BuildShowBuildGivesTheSameBytes) {
  const auto dir = testing::ScratchDir();
  for (int n = 1; n <= 4; ++n) {
    const std::string desc = std::string(BENDPOST_SOURCE_DIR) +
                             "/examples/materials/material_" +
                             std::to_string(n) + ".json";
    std::istringstream in;
    std::ostringstream out, err;
    CommandIo io{in, out, err, false};
    ASSERT_EQ(
        RunMaterialBuild(RealFileSystem(), desc, (dir / "a").string(), io),
        kExitOk)
        << err.str();
    ASSERT_EQ(RunMaterialShow(RealFileSystem(), (dir / "a").string(), true, io),
              kExitOk);
    testing::WriteText(dir / "again.json", out.str());
    ASSERT_EQ(RunMaterialBuild(RealFileSystem(), (dir / "again.json").string(),
                               (dir / "b").string(), io),
              kExitOk)
        << err.str();
    EXPECT_EQ(testing::ReadBytes(dir / "a"), testing::ReadBytes(dir / "b"))
        << desc;
  }
}

TEST(MaterialDescriptionTest, TermsByNameOrCodeAndTheTableGrid) {
  MaterialModelSet models{};
  std::vector<Problem> problems;
  json doc = json::parse(kWorkedExample);
  doc["Springback"]["Terms"] = json::parse(
      R"([{"Term": "x^2*w", "Coefficient": 0.5}, {"Code": 21, "Coefficient": 1}])");
  json table = {{"Type", "table"},
                {"Ratios", {4, 5, 6, 8, 10, 12, 14, 16, 18, 20}},
                {"Rows", json::array()}};
  for (int r = 0; r < 16; ++r) {
    table["Rows"].push_back({{"Angle", 30 + 10 * r},
                             {"Values", std::vector<double>(10, 0.01 * r)}});
  }
  doc["DepthCorrection"] = table;
  ASSERT_TRUE(BuildMaterialModels(doc, &models, &problems))
      << FormatProblems(problems);
  EXPECT_EQ(models[kSpringback].TermCount, 2);
  EXPECT_EQ(models[kSpringback].TermCodes[0], 14);  // x^2*w
  EXPECT_EQ(models[kSpringback].TermCodes[1], 21);
  EXPECT_EQ(models[kDepthCorrection].ModelType, MaterialModel::kTable);
  EXPECT_EQ(models[kDepthCorrection].TableAt(0, 1), 4.0f);
  EXPECT_EQ(models[kDepthCorrection].TableAt(16, 0), 180.0f);
  EXPECT_FLOAT_EQ(models[kDepthCorrection].TableAt(3, 10), 0.02f);
}

TEST(MaterialDescriptionTest, ProblemsAreListedWithTheirPaths) {
  MaterialModelSet models{};
  std::vector<Problem> problems;
  json doc = json::parse(kWorkedExample);
  doc.erase("InnerRadius");
  doc["Springback"]["Terms"] = json::array();
  for (int i = 0; i < 11; ++i) {
    doc["Springback"]["Terms"].push_back({{"Term", "x"}, {"Coefficient", 1}});
  }
  doc["NeutralFactor"] = json::parse(R"({"Type": "polynomial",
      "Terms": [{"Term": "y", "Coefficient": 1}, {"Code": 7}]})");
  doc["DepthCorrection"] = json::parse(
      R"({"Type": "table", "Ratios": [4, 5, 6, 8, 10, 10, 14, 16, 18, 20], "Rows": []})");
  doc["Colour"] = 1;
  EXPECT_FALSE(BuildMaterialModels(doc, &models, &problems));
  std::vector<std::string> paths;
  for (const auto& p : problems) paths.push_back(p.path);
  EXPECT_THAT(paths,
              ::testing::UnorderedElementsAre(
                  "$.Colour", "$", "$.Springback.Terms",
                  "$.NeutralFactor.Terms[0].Term", "$.NeutralFactor.Terms[1]",
                  "$.DepthCorrection.Ratios[5]", "$.DepthCorrection.Rows"));
}

TEST(MaterialPlotTest, OneCurvePerRatioInEveryPanelWithAModel) {
  MaterialModelSet models{};
  std::vector<Problem> problems;
  ASSERT_TRUE(
      BuildMaterialModels(json::parse(kWorkedExample), &models, &problems));
  const std::string svg = MaterialPlotSvg(models, "A & B <test>");
  EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
  EXPECT_THAT(svg, HasSubstr("A &amp; B &lt;test&gt;"));
  size_t polylines = 0;
  for (size_t at = svg.find("<polyline"); at != std::string::npos;
       at = svg.find("<polyline", at + 1)) {
    ++polylines;
  }
  // Three panels with a model, seven ratios each; the depth correction has
  // none.
  EXPECT_EQ(polylines, 3 * PlotRatios().size());
  EXPECT_THAT(svg, HasSubstr(">no model</text>"));
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

// A material data file is published whole: a build whose write fails
// leaves the file that was there, and no staging file beside it.
TEST(MaterialBuildTest, AFailedWriteLeavesThePreviousFile) {
  MemFileSystem mem;
  mem.SetFile("worked.json", kWorkedExample);
  mem.SetFile("f_1", "the previous file");
  FaultInjectingFileSystem files(&mem);
  files.FailNth(FileOp::kWrite, 1);
  std::istringstream in;
  std::ostringstream out, err;
  CommandIo io{in, out, err, false};
  EXPECT_EQ(RunMaterialBuild(files, "worked.json", "f_1", io), kExitUsage);
  EXPECT_EQ(err.str(), "bendpost material build: cannot write f_1\n");
  ASSERT_NE(mem.GetFile("f_1"), nullptr);
  EXPECT_EQ(*mem.GetFile("f_1"), "the previous file");
  EXPECT_EQ(mem.GetFile("f_1.tmp"), nullptr);
}

}  // namespace
// The chart's lists of thicknesses and die openings: numbers above 0,
// separated by commas.
TEST(MaterialChartTest, NumberListsAreNumbersAboveZero) {
  std::vector<double> values;
  std::string error;
  EXPECT_TRUE(ParseNumberList(" 0.5, 1,12 ", &values, &error));
  EXPECT_EQ(values, (std::vector<double>{0.5, 1, 12}));
  EXPECT_FALSE(ParseNumberList("1,,2", &values, &error));
  EXPECT_FALSE(ParseNumberList("1,2,", &values, &error));
  EXPECT_FALSE(ParseNumberList("1,0", &values, &error));
  EXPECT_EQ(error, "\"0\" is not a number above 0");
}

}  // namespace bendpost::cli
