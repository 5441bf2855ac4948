#include "cli/material_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <locale>
#include <memory>

#include "base/text.h"
#include "bendcalc/material_file.h"
#include "documents/json_text.h"
#include "documents/material_description.h"
#include "documents/problem.h"
#include "pages/bending_chart.h"
#include "pages/html.h"
#include "pages/material_plot.h"
#include "pages/text_table.h"
#include "platform/file.h"

namespace bendpost::cli {

using documents::BuildMaterialModels;
using documents::DescribeMaterialModels;
using documents::ModelName;
using documents::ParseJsonFile;
using documents::Problem;
using documents::TermName;
using documents::WriteProblemReport;
using pages::Chart;
using pages::ChartInput;
using pages::ChartPage;
using pages::ComputeChart;
using pages::DefaultChartThicknesses;
using pages::DefaultChartVWidths;
using pages::MaterialPlotSvg;
using pages::TextTable;
using pages::WritePage;

namespace {

struct MaterialArgs {
  std::string in, out;
  bool json = false;
};

// chart --data DIR --material N [...]
CLI::App* AddChart(CLI::App& material, ChartOptions* chart) {
  CLI::App* chart_app = material.add_subcommand(
      "chart",
      "The shop's bending chart (HTML): force per metre, inner radius and "
      "ram depth of a 90-degree bend for each thickness and die opening.");
  chart_app
      ->add_option("--data", chart->data_dir,
                   "folder of the material data files f_1..f_4")
      ->required();
  chart_app->add_option("--material", chart->material, "material number 1..4")
      ->required();
  chart_app->add_option("--thickness", chart->thickness_list,
                        "thicknesses, mm, comma-separated (default 0.5 to "
                        "12)");
  chart_app->add_option("--v-width", chart->v_width_list,
                        "die openings, mm, comma-separated (default 4 to 100)");
  chart_app->add_option("--die-angle", chart->die_angle, "die angle, degrees")
      ->capture_default_str();
  chart_app
      ->add_option("--die-radius", chart->die_radius, "die shoulder radius, mm")
      ->capture_default_str();
  chart_app->add_option("--strength", chart->strength,
                        "tensile strength (default: the material's hardness "
                        "at the BandR control)");
  chart_app->add_option("-o,--output", chart->output_path,
                        "the page (default: stdout)");
  return chart_app;
}

bool LoadModels(FileSystem& files, const std::string& path,
                MaterialModelSet* models, CommandIo& io, const char* command) {
  std::string bytes;
  if (!ReadWholeFile(files, path, &bytes).ok()) {
    io.err << "bendpost material " << command << ": cannot read " << path
           << "\n";
    return false;
  }
  const Status status = ParseMaterialFile(bytes, models);
  if (!status.ok()) {
    io.err << "bendpost material " << command << ": " << path
           << ": not a material data file: " << status.message() << "\n";
    return false;
  }
  return true;
}

void PrintModel(std::ostream& out, const MaterialModel& m, int index) {
  out << ModelName(index) << ": ";
  if (m.ModelType == MaterialModel::kPolynomial) {
    out << "polynomial, constant " << FormatFloat(m.Coefficients[0]) << ", "
        << m.TermCount << (m.TermCount == 1 ? " term" : " terms") << "\n";
    if (m.TermCount > 0) {
      TextTable terms({"term", ">code", ">coefficient"});
      for (int t = 0; t < m.TermCount; ++t) {
        const std::string name = TermName(m.TermCodes[t]);
        terms.AddRow({name.empty() ? "(repeats the term before)" : name,
                      std::to_string(m.TermCodes[t]),
                      FormatFloat(m.Coefficients[t + 1])});
      }
      terms.Print(out, 2);
    }
  } else if (m.ModelType == MaterialModel::kTable) {
    out << "table over bend angle and V/T\n";
    std::vector<std::string> columns = {">angle \\ V/T"};
    for (int c = 1; c < MaterialModel::kTableColumns; ++c) {
      columns.push_back(">" + FormatFloat(m.TableAt(0, c)));
    }
    TextTable table(columns);
    for (int r = 1; r < MaterialModel::kTableRows; ++r) {
      std::vector<std::string> row = {FormatFloat(m.TableAt(r, 0))};
      for (int c = 1; c < MaterialModel::kTableColumns; ++c) {
        row.push_back(FormatFloat(m.TableAt(r, c)));
      }
      table.AddRow(row);
    }
    table.Print(out, 2);
  } else {
    out << "no model";
    if (m.ModelType != 0) out << " (ModelType " << m.ModelType << ")";
    out << "\n";
  }
}

}  // namespace

int RunMaterialBuild(FileSystem& files, const std::string& description_path,
                     const std::string& output_path, CommandIo& io) {
  nlohmann::json doc;
  std::vector<Problem> problems;
  MaterialModelSet models{};
  if (!ParseJsonFile(files, description_path, &doc, &problems) ||
      !BuildMaterialModels(doc, &models, &problems)) {
    WriteProblemReport(io.err, description_path, problems, "");
    return kExitUsage;
  }
  std::string bytes;
  if (Status s = EncodeMaterialFile(models, &bytes); !s.ok()) {
    io.err << "bendpost material build: " << s.message() << "\n";
    return kExitUsage;
  }
  if (!WriteFileAtomically(files, output_path, bytes).ok()) {
    io.err << "bendpost material build: cannot write " << output_path << "\n";
    return kExitUsage;
  }
  return kExitOk;
}

int RunMaterialShow(FileSystem& files, const std::string& path, bool json,
                    CommandIo& io) {
  MaterialModelSet models{};
  if (!LoadModels(files, path, &models, io, "show")) return kExitUsage;
  if (json) {
    io.out << DescribeMaterialModels(models).dump(2) << "\n";
    return kExitOk;
  }
  io.out << "Material data file " << path << "\n";
  for (int i = 0; i < kMaterialModelCount; ++i) {
    io.out << "\n";
    PrintModel(io.out, models[i], i);
  }
  return kExitOk;
}

int RunMaterialPlot(FileSystem& files, const std::string& path,
                    const std::string& output_path, CommandIo& io) {
  MaterialModelSet models{};
  if (!LoadModels(files, path, &models, io, "plot")) return kExitUsage;
  const std::string svg = MaterialPlotSvg(models, "Material data file " + path);
  if (!WriteFileAtomically(files, output_path, svg).ok()) {
    io.err << "bendpost material plot: cannot write " << output_path << "\n";
    return kExitUsage;
  }
  return kExitOk;
}

Runner SetUpMaterial(CLI::App& material, Services& services) {
  material.require_subcommand(1);
  auto args = std::make_shared<MaterialArgs>();
  CLI::App* build = material.add_subcommand(
      "build", "Build a material data file from its description (JSON).");
  build->add_option("DESC", args->in, "the description")->required();
  build->add_option("-o,--output", args->out, "the material data file")
      ->required();
  CLI::App* show =
      material.add_subcommand("show", "Show a material data file's models.");
  show->add_option("FILE", args->in, "the material data file")->required();
  show->add_flag("--json", args->json,
                 "print the description (input of build)");
  CLI::App* plot = material.add_subcommand(
      "plot", "Chart each model over the bend angle for several V/T ratios.");
  plot->add_option("FILE", args->in, "the material data file")->required();
  plot->add_option("-o,--output", args->out, "the chart (SVG)")->required();
  auto chart = std::make_shared<ChartOptions>();
  CLI::App* chart_app = AddChart(material, chart.get());
  return [args, build, show, plot, chart, chart_app, &services](CommandIo& io) {
    FileSystem& files = services.files;
    if (chart_app->parsed()) return RunMaterialChart(files, *chart, io);
    if (build->parsed())
      return RunMaterialBuild(files, args->in, args->out, io);
    if (show->parsed()) return RunMaterialShow(files, args->in, args->json, io);
    if (plot->parsed()) return RunMaterialPlot(files, args->in, args->out, io);
    return kExitUsage;
  };
}

bool ParseNumberList(const std::string& text, std::vector<double>* values,
                     std::string* error) {
  values->clear();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view item =
        TrimView(std::string_view(text).substr(start, end - start));
    std::optional<double> v = ParseDouble(item);
    if (!v || !(*v > 0) || *v > 1e6) {
      *error = "\"" + std::string(item) + "\" is not a number above 0";
      return false;
    }
    values->push_back(*v);
    start = end + 1;
  }
  return true;
}

int RunMaterialChart(FileSystem& files, const ChartOptions& options,
                     CommandIo& io) {
  std::vector<double> thicknesses = DefaultChartThicknesses();
  std::vector<double> v_widths = DefaultChartVWidths();
  std::string error;
  if (!options.thickness_list.empty() &&
      !ParseNumberList(options.thickness_list, &thicknesses, &error)) {
    io.err << "bendpost material chart: --thickness: " << error << "\n";
    return kExitUsage;
  }
  if (!options.v_width_list.empty() &&
      !ParseNumberList(options.v_width_list, &v_widths, &error)) {
    io.err << "bendpost material chart: --v-width: " << error << "\n";
    return kExitUsage;
  }
  if (options.material < 1 || options.material > 4) {
    io.err << "bendpost material chart: --material wants 1, 2, 3 or 4, not "
           << options.material << "\n";
    return kExitUsage;
  }
  const ChartInput input{options.data_dir, options.material, options.die_angle,
                         options.die_radius, options.strength};
  Chart chart;
  if (Status s = ComputeChart(files, input, thicknesses, v_widths, &chart);
      !s.ok()) {
    io.err << "bendpost material chart: " << s.message() << "\n";
    return kExitUsage;
  }
  const std::string html = ChartPage(chart);
  if (options.output_path.empty()) {
    io.out << html;
    return kExitOk;
  }
  if (Status s = WritePage(files, options.output_path, html); !s.ok()) {
    io.err << "bendpost material chart: cannot write " << options.output_path
           << ": " << s.message() << "\n";
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace bendpost::cli
