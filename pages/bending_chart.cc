#include "pages/bending_chart.h"

#include <filesystem>
#include <optional>

#include "base/text.h"
#include "bendcalc/bend_calculator.h"
#include "dialog/material_naming.h"
#include "pages/html.h"
#include "platform/file.h"
#include "records/control_type.h"

namespace bendpost::pages {
namespace {

// The chart's bends: a 90-degree air bend one metre long, with limits that
// never cut the force (so that the chart shows what the material needs, not
// what some machine allows) and no frame or bending coefficient term.
constexpr float kChartAngle = 90;
constexpr float kUnlimited = 1e9f;
constexpr ControlType kBandR = ControlType::kBandR;

// The BandR control's material of `number`: its name and default hardness.
std::optional<MaterialEntry> MaterialOfNumber(int number) {
  for (const std::string& name : MaterialListEntries(kBandR)) {
    std::optional<MaterialEntry> entry = MaterialForSelection(kBandR, name);
    if (entry && entry->number && *entry->number == number) return entry;
  }
  return std::nullopt;
}

}  // namespace

const std::vector<double>& DefaultChartThicknesses() {
  static const std::vector<double> values = {0.5, 0.8, 1, 1.2, 1.5, 2,  2.5,
                                             3,   4,   5, 6,   8,   10, 12};
  return values;
}

const std::vector<double>& DefaultChartVWidths() {
  static const std::vector<double> values = {4,  6,  8,  10, 12, 16, 20,
                                             25, 32, 40, 50, 63, 80, 100};
  return values;
}

Status ComputeChart(FileSystem& files, const ChartInput& options,
                    const std::vector<double>& thicknesses,
                    const std::vector<double>& v_widths, Chart* chart) {
  if (options.material < 1 || options.material > 4) {
    return Status::Error("material number " + std::to_string(options.material) +
                         " is not 1 to 4");
  }
  BendCalculator calculator{files, CString(options.data_dir)};
  const std::string file = calculator.FileName(options.material).str();
  std::string bytes;
  if (Status s = ReadWholeFile(files, file, &bytes); !s.ok()) {
    return Status::Error("no material data file " + file + ": " + s.message());
  }
  const std::optional<MaterialEntry> entry = MaterialOfNumber(options.material);
  *chart = Chart();
  chart->material = options.material;
  chart->material_name = entry ? entry->name : "";
  chart->strength = options.strength > 0 ? options.strength
                    : entry              ? entry->hardness
                                         : 0;
  chart->die_angle = options.die_angle;
  chart->die_radius = options.die_radius;
  chart->thicknesses = thicknesses;
  chart->v_widths = v_widths;

  BendMachineData machine;
  machine.MaxTonnage = kUnlimited;
  machine.MaxBendingLength = 1000;
  machine.PunchLimit = kUnlimited;
  machine.DieLimit = kUnlimited;
  for (double t : thicknesses) {
    std::vector<ChartCell>& row = chart->cells.emplace_back();
    for (double v : v_widths) {
      BendMaterialData material;
      material.MaterialNumber = static_cast<float>(options.material);
      material.Thickness = static_cast<float>(t);
      material.VWidth = static_cast<float>(v);
      material.DieAngle = static_cast<float>(options.die_angle);
      material.DieRadius = static_cast<float>(options.die_radius);
      material.BendLength = 1;
      material.TensileStrength = static_cast<float>(chart->strength);
      material.BendAngle = kChartAngle;
      BendResult result;
      WarningCodes warnings{};
      calculator.Calculate(material, machine, result, warnings);
      if (warnings[0] == kWarningMaterialFile) {
        return Status::Error(file + " is not a material data file");
      }
      row.push_back({result.Force / 10.0f, result.InnerRadius, result.Depth,
                     warnings[0]});
    }
  }
  return Status::OK();
}

namespace {

const char* WarningClass(int code) {
  switch (code) {
    case kWarningOpeningSmall:
      return "w23";
    case kWarningOpeningLarge:
      return "w24";
    case kWarningElongation:
      return "w22";
    default:
      return code != 0 ? "wx" : "";
  }
}

constexpr std::string_view kChartCss = R"(
.chart td{text-align:right;font-variant-numeric:tabular-nums;padding:.5mm .8mm;font-size:7pt;line-height:1.25}
.chart th{padding:.5mm .8mm}
.chart td b{font-size:8pt}
.chart td span{display:block;color:#555}
.chart td.w23{background:#eceff3;color:#8a93a0}.chart td.w23 span{color:#9aa2ad}
.chart td.w24{background:#fdf3e1;color:#8a7a5c}.chart td.w24 span{color:#a89a80}
.chart td.w22{background:#f9dcdc}
.chart td.wx{background:#f9dcdc}
.legend{display:flex;flex-wrap:wrap;gap:1.5mm 5mm;margin:2mm 0 0;font-size:7.5pt}
.legend i{display:inline-block;width:4mm;height:3mm;border:.2mm solid #b8bec8;vertical-align:middle;margin-right:1mm}
)";

}  // namespace

std::string ChartPage(const Chart& c) {
  const std::string name = c.material_name.empty()
                               ? "material " + std::to_string(c.material)
                               : c.material_name;
  std::string html = PageStart("Bending chart " + name, kChartCss);
  html += "<h1>Bending chart &middot; " + HtmlEscape(name) + "</h1>\n";
  html += "<p class=\"sub\">Material " + std::to_string(c.material) +
          " (material data file f_" + std::to_string(c.material) +
          "), tensile strength " + Num(c.strength, 2) +
          ". Air bend to 90&deg;, one metre long, in a die of " +
          Num(c.die_angle, 1) + "&deg; with shoulder radius " +
          Num(c.die_radius, 2) +
          " mm, calculated with the driver's own bend calculation.</p>\n";
  html +=
      "<table class=\"chart\">\n<thead><tr><th>T mm<br>&#8595; V mm "
      "&#8594;</th>";
  for (double v : c.v_widths) html += "<th>" + Num(v, 2) + "</th>";
  html += "</tr></thead>\n<tbody>\n";
  for (size_t i = 0; i < c.thicknesses.size(); ++i) {
    html += "<tr><th scope=\"row\">" + Num(c.thicknesses[i], 2) + "</th>";
    for (const ChartCell& cell : c.cells[i]) {
      const std::string cls = WarningClass(cell.warning);
      html += cls.empty() ? "<td>" : "<td class=\"" + cls + "\">";
      html += "<b>" + Num(cell.force_per_metre, 1) + "</b><span>" +
              Num(cell.inner_radius, 2) + "</span><span>" + Num(cell.depth, 2) +
              "</span></td>";
    }
    html += "</tr>\n";
  }
  html += "</tbody>\n</table>\n";
  html +=
      "<div class=\"legend\"><span>Each cell: <b>force t/m</b> &middot; "
      "inner radius mm &middot; ram depth mm</span>"
      "<span><i style=\"background:#eceff3\"></i>V/T below 4</span>"
      "<span><i style=\"background:#fdf3e1\"></i>V/T above 20</span>"
      "<span><i style=\"background:#f9dcdc\"></i>elongation above "
      "50&nbsp;%</span></div>\n";
  html +=
      "<p class=\"foot\">Made by bendpost material chart from the shop's "
      "material data file.</p>\n";
  html += PageEnd();
  return html;
}

}  // namespace bendpost::pages
