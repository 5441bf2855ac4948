#include "pages/material_plot.h"

#include <cmath>
#include <iterator>
#include <locale>
#include <sstream>

#include "base/text.h"
#include "bendcalc/material_file.h"
#include "documents/material_description.h"
#include "pages/html.h"

namespace bendpost::pages {

using documents::ModelName;

namespace {

// A number rounded to `decimals` for a chart label, without locale.
std::string Label(double v, int decimals) {
  const double scale = std::pow(10.0, decimals);
  double r = std::round(v * scale) / scale;
  if (r == 0) r = 0;  // no "-0"
  return FormatDouble(r);
}

// The model's value as the calculation evaluates it; false for no model.
bool ModelValue(const MaterialModelSet& models, int index, float angle,
                float ratio, float* value) {
  const MaterialModel& m = models[index];
  if (index == kSpringback || m.ModelType == MaterialModel::kPolynomial) {
    *value = EvaluatePolynomialModel(m, angle, ratio, 1.0f);
    return true;
  }
  if (m.ModelType == MaterialModel::kTable) {
    *value = EvaluateTableModel(m, angle, ratio, 1.0f);
    return true;
  }
  return false;
}

double NiceStep(double range) {
  const double rough = range / 5;
  const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * magnitude >= rough) return m * magnitude;
  }
  return 10 * magnitude;
}

constexpr const char* kColours[] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728",
                                    "#9467bd", "#8c564b", "#e377c2"};
constexpr const char* kModelTitles[] = {
    "Springback (degrees)", "Neutral factor", "Inner radius model value",
    "Depth correction model value"};

// One model's values over the bend angles 20..180, a curve per plot ratio,
// and their range; a point the model cannot give is left out.
struct PanelCurves {
  std::vector<std::vector<std::pair<float, float>>> curves;
  double lo = INFINITY, hi = -INFINITY;
  bool any = false;
};

PanelCurves SampleCurves(const MaterialModelSet& models, int index) {
  const std::vector<float>& ratios = PlotRatios();
  PanelCurves c;
  c.curves.resize(ratios.size());
  for (size_t r = 0; r < ratios.size(); ++r) {
    for (int angle = 20; angle <= 180; ++angle) {
      float v = 0;
      if (!ModelValue(models, index, static_cast<float>(angle), ratios[r],
                      &v) ||
          !std::isfinite(v)) {
        continue;
      }
      c.any = true;
      c.curves[r].emplace_back(static_cast<float>(angle), v);
      c.lo = std::min(c.lo, static_cast<double>(v));
      c.hi = std::max(c.hi, static_cast<double>(v));
    }
  }
  return c;
}

// The plot area of a panel and its value axis, widened to whole steps.
struct PanelFrame {
  double x0, x1, y0, y1;
  double lo, hi, step;
  double X(double angle) const { return x0 + (angle - 20) / 160 * (x1 - x0); }
  double Y(double v) const { return y0 - (v - lo) / (hi - lo) * (y0 - y1); }
};

PanelFrame FrameFor(double x0, double x1, double y0, double y1, double lo,
                    double hi) {
  if (hi - lo < 1e-6) {
    lo -= 1;
    hi += 1;
  }
  const double step = NiceStep(hi - lo);
  return {x0,
          x1,
          y0,
          y1,
          std::floor(lo / step) * step,
          std::ceil(hi / step) * step,
          step};
}

void PanelGrid(std::ostringstream& svg, const PanelFrame& f) {
  svg << "<g font-size=\"10\" fill=\"#333\">\n";
  for (int angle = 20; angle <= 180; angle += 20) {
    svg << "<line x1=\"" << Label(f.X(angle), 1) << "\" y1=\"" << f.y0
        << "\" x2=\"" << Label(f.X(angle), 1) << "\" y2=\"" << f.y1
        << "\" stroke=\"#eee\"/>\n";
    svg << "<text x=\"" << Label(f.X(angle), 1) << "\" y=\"" << f.y0 + 14
        << "\" text-anchor=\"middle\">" << angle << "</text>\n";
  }
  const int decimals =
      std::max(0, static_cast<int>(-std::floor(std::log10(f.step))));
  for (double v = f.lo; v <= f.hi + f.step / 2; v += f.step) {
    svg << "<line x1=\"" << f.x0 << "\" y1=\"" << Label(f.Y(v), 1) << "\" x2=\""
        << f.x1 << "\" y2=\"" << Label(f.Y(v), 1) << "\" stroke=\"#eee\"/>\n";
    svg << "<text x=\"" << f.x0 - 6 << "\" y=\"" << Label(f.Y(v) + 3, 1)
        << "\" text-anchor=\"end\">" << Label(v, decimals) << "</text>\n";
  }
  svg << "<text x=\"" << (f.x0 + f.x1) / 2 << "\" y=\"" << f.y0 + 28
      << "\" text-anchor=\"middle\">bend angle (degrees)</text>\n</g>\n";
  svg << "<rect x=\"" << f.x0 << "\" y=\"" << f.y1 << "\" width=\""
      << f.x1 - f.x0 << "\" height=\"" << f.y0 - f.y1
      << "\" fill=\"none\" stroke=\"#333\"/>\n";
}

void PanelLines(std::ostringstream& svg, const PanelFrame& f,
                const PanelCurves& c) {
  for (size_t r = 0; r < c.curves.size(); ++r) {
    if (c.curves[r].empty()) continue;
    svg << "<polyline fill=\"none\" stroke-width=\"1.5\" stroke=\""
        << kColours[r % std::size(kColours)] << "\" points=\"";
    for (size_t i = 0; i < c.curves[r].size(); ++i) {
      svg << (i ? " " : "") << Label(f.X(c.curves[r][i].first), 1) << ","
          << Label(f.Y(c.curves[r][i].second), 1);
    }
    svg << "\"/>\n";
  }
}

void Panel(std::ostringstream& svg, const MaterialModelSet& models, int index,
           double left, double top) {
  constexpr double kWidth = 440, kHeight = 290;
  constexpr double kPlotLeft = 56, kPlotRight = 12, kPlotTop = 28,
                   kPlotBottom = 36;
  svg << "<g>\n<rect x=\"" << left << "\" y=\"" << top << "\" width=\""
      << kWidth << "\" height=\"" << kHeight
      << "\" fill=\"white\" stroke=\"#999\"/>\n";
  svg << "<text x=\"" << left + kWidth / 2 << "\" y=\"" << top + 18
      << "\" text-anchor=\"middle\" font-size=\"14\">" << kModelTitles[index]
      << " &#8212; " << ModelName(index) << "</text>\n";
  const PanelCurves curves = SampleCurves(models, index);
  if (!curves.any) {
    svg << "<text x=\"" << left + kWidth / 2 << "\" y=\"" << top + kHeight / 2
        << "\" text-anchor=\"middle\" font-size=\"13\" fill=\"#666\">no "
           "model</text>\n</g>\n";
    return;
  }
  const PanelFrame frame = FrameFor(
      left + kPlotLeft, left + kWidth - kPlotRight, top + kHeight - kPlotBottom,
      top + kPlotTop, curves.lo, curves.hi);
  PanelGrid(svg, frame);
  PanelLines(svg, frame, curves);
  svg << "</g>\n";
}

}  // namespace

const std::vector<float>& PlotRatios() {
  static const auto* ratios = new std::vector<float>{4, 6, 8, 10, 12, 16, 20};
  return *ratios;
}

std::string MaterialPlotSvg(const MaterialModelSet& models,
                            const std::string& title) {
  std::ostringstream svg;
  svg.imbue(std::locale::classic());  // "." whatever the process locale
  constexpr double kWidth = 920, kHeight = 700;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth
      << "\" height=\"" << kHeight << "\" viewBox=\"0 0 " << kWidth << " "
      << kHeight << "\" font-family=\"sans-serif\">\n";
  svg << "<rect width=\"100%\" height=\"100%\" fill=\"#f8f8f8\"/>\n";
  svg << "<text x=\"" << kWidth / 2
      << "\" y=\"26\" text-anchor=\"middle\" font-size=\"17\">"
      << HtmlEscape(title) << "</text>\n";
  for (int i = 0; i < kMaterialModelCount; ++i) {
    Panel(svg, models, i, 13 + (i % 2) * 454, 44 + (i / 2) * 304);
  }
  // Legend: one colour per V/T ratio.
  const std::vector<float>& ratios = PlotRatios();
  double x = 220;
  const double y = kHeight - 28;
  svg << "<g font-size=\"12\">\n<text x=\"" << x - 10 << "\" y=\"" << y + 4
      << "\" text-anchor=\"end\">V/T</text>\n";
  for (size_t r = 0; r < ratios.size(); ++r) {
    svg << "<line x1=\"" << x << "\" y1=\"" << y << "\" x2=\"" << x + 24
        << "\" y2=\"" << y << "\" stroke-width=\"2\" stroke=\""
        << kColours[r % std::size(kColours)] << "\"/>\n";
    svg << "<text x=\"" << x + 30 << "\" y=\"" << y + 4 << "\">"
        << FormatFloat(ratios[r]) << "</text>\n";
    x += 70;
  }
  svg << "</g>\n</svg>\n";
  return svg.str();
}

}  // namespace bendpost::pages
