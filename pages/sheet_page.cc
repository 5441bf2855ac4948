#include "pages/sheet_page.h"

#include <algorithm>
#include <cmath>

#include "base/text.h"
#include "documents/program_json.h"
#include "pages/html.h"
#include "pages/svg.h"
#include "pages/text_table.h"

namespace bendpost::pages {

using documents::FloatToJson;

namespace {

constexpr double kMillimetresPerInch = 25.4;
// Degrees to radians for drawing only (the calculation has its own).
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// A length in millimetres with `decimals`, and in an inch job the inches
// below it.
std::string Length(double mm, int decimals, bool inch) {
  std::string html = Num(mm, decimals);
  if (inch) {
    html += "<span class=\"in\">" +
            Num(mm / kMillimetresPerInch, decimals + 1) + " in</span>";
  }
  return html;
}

// Two values of a pair of axes (Y1/Y2, X1/X2...) one above the other, in
// an inch job each with its inches (to `inch_decimals`) beside it.
std::string Pair(double a, double b, int decimals, bool inch,
                 int inch_decimals) {
  auto one = [&](double mm) {
    std::string html = Num(mm, decimals);
    if (inch) {
      html += "<i class=\"in2\">" +
              Num(mm / kMillimetresPerInch, inch_decimals) + "</i>";
    }
    return html;
  };
  return one(a) + "<br>" + one(b);
}

// A share in percent (the column says "%").
std::string Percent(double part, double whole) {
  if (!(whole > 0)) return "&ndash;";
  return Num(part / whole * 100.0, 0);
}

std::string Item(const std::string& term, const std::string& html) {
  return "<dt>" + HtmlEscape(term) + "</dt><dd>" + html + "</dd>";
}

std::string Trimmed(const std::string& bytes) {
  return HtmlBytes(TrimView(bytes));
}

double ForceTons(const SheetStep& s) { return s.step.TonnageValue / 10.0; }

std::string HeaderSection(const SheetModel& m) {
  const ControlFileHeader& h = m.header;
  std::string html =
      "<h1>Setup sheet &middot; program " + Trimmed(h.ProgramName) +
      "</h1>\n<p class=\"sub\">" + "Part " + Trimmed(h.PartReference) +
      " &middot; setup " + HtmlEscape(m.setup_name) + " &middot; machine " +
      HtmlEscape(m.machine_name) + " (" + Num(m.machine_tonnage, 1) + " t, " +
      Length(m.max_bending_length, 0, false) + " mm)</p>\n";
  std::string thickness = Num(h.HeaderThickness, 3) + " mm";
  if (m.inch)
    thickness +=
        " (" + Num(h.HeaderThickness / kMillimetresPerInch, 4) + " in)";
  html += "<dl class=\"kv\">";
  html += Item("Program name", Trimmed(h.ProgramName));
  html += Item("Part reference", Trimmed(h.PartReference));
  html += Item("Created", m.created.empty() ? std::string("&ndash;")
                                            : HtmlEscape(m.created));
  html +=
      Item("Material", Trimmed(h.MaterialName) + " &middot; number " +
                           std::to_string(h.MaterialNumber) +
                           " &middot; hardness " + std::to_string(h.Hardness));
  html += Item("Thickness", thickness);
  html += Item("Control file", HtmlEscape(m.control_file_name));
  html += Item("Size", std::to_string(m.control_file_size) + " bytes");
  html += Item("Steps", std::to_string(h.StepCount));
  html += "</dl>\n";
  return html;
}

std::string ToolingSection(const SheetModel& m) {
  std::string html =
      "<h2>Tooling</h2>\n<table>\n<thead><tr><th>Tool</th><th>Name in the "
      "job</th><th>Name at the control</th><th>Reversed</th>"
      "<th>Geometry</th></tr></thead>\n<tbody>\n";
  const SheetStep* first = m.steps.empty() ? nullptr : &m.steps.front();
  for (const SheetTool& t : m.tools) {
    std::string geometry;
    if (first != nullptr && t.role == "Punch") {
      geometry = "tip radius " + Length(first->punch_radius, 2, false) + " mm";
    } else if (first != nullptr && t.role == "Die") {
      geometry = "V " + Num(first->v_width, 2) + " mm &middot; " +
                 Num(first->die_angle, 1) + "&deg; &middot; radius " +
                 Num(first->die_radius, 2) + " mm";
      if (m.inch) {
        geometry +=
            " (V " + Num(first->v_width / kMillimetresPerInch, 3) + " in)";
      }
    }
    html += "<tr><th scope=\"row\">" + HtmlEscape(t.role) + "</th><td>" +
            (t.host_names.empty() ? std::string("&ndash;")
                                  : HtmlEscape(t.host_names)) +
            "</td><td>" + Trimmed(t.control_name) + "</td><td class=\"c\">" +
            (t.reversed.empty() ? std::string("&ndash;") : t.reversed) +
            "</td><td>" + (geometry.empty() ? "&ndash;" : geometry) +
            "</td></tr>\n";
  }
  html += "</tbody>\n</table>\n";
  return html;
}

// The steps' warnings as notes: each distinct text once, numbered in the
// order of the first step that has it, with the steps that have it. A row
// carries only its note's number, so that a row is no taller for its
// warning.
struct WarningNote {
  std::string text;
  std::vector<size_t> steps;  // 1-based, ascending
};

std::vector<WarningNote> WarningNotes(const SheetModel& m) {
  std::vector<WarningNote> notes;
  for (size_t k = 0; k < m.steps.size(); ++k) {
    const SheetStep& s = m.steps[k];
    if (s.warning == 0) continue;
    auto it = std::find_if(notes.begin(), notes.end(), [&](const auto& n) {
      return n.text == s.warning_text;
    });
    if (it == notes.end()) it = notes.insert(notes.end(), {s.warning_text, {}});
    it->steps.push_back(k + 1);
  }
  return notes;
}

// The note number of step `k` (0-based), 0 for a step without a warning.
size_t NoteOf(const std::vector<WarningNote>& notes, size_t k) {
  for (size_t n = 0; n < notes.size(); ++n) {
    const std::vector<size_t>& steps = notes[n].steps;
    if (std::find(steps.begin(), steps.end(), k + 1) != steps.end())
      return n + 1;
  }
  return 0;
}

// "step 4", "steps 1&ndash;3, 5, 7": runs of three or more as a range.
std::string StepList(const std::vector<size_t>& steps) {
  std::string text = steps.size() == 1 ? "step " : "steps ";
  for (size_t i = 0; i < steps.size();) {
    size_t j = i;
    while (j + 1 < steps.size() && steps[j + 1] == steps[j] + 1) ++j;
    if (i > 0) text += ", ";
    text += std::to_string(steps[i]);
    if (j == i + 1) text += ", " + std::to_string(steps[j]);
    if (j > i + 1) text += "&ndash;" + std::to_string(steps[j]);
    i = j + 1;
  }
  return text;
}

std::string NotesSection(const std::vector<WarningNote>& notes) {
  std::string html;
  for (size_t n = 0; n < notes.size(); ++n) {
    html += "<p class=\"note\"><b>&#9888;&nbsp;" + std::to_string(n + 1) +
            "</b> " + HtmlEscape(notes[n].text) + " &middot; " +
            StepList(notes[n].steps) + "</p>\n";
  }
  return html;
}

std::string StepRow(const SheetModel& m, size_t k, size_t note) {
  const SheetStep& row = m.steps[k];
  const ControlFileStep& s = row.step;
  const bool inch = m.inch;
  const double tons = ForceTons(row);
  // The depths and the tonnage also as the exact values of the file, for
  // whoever checks the page against the control file.
  auto exact = [](float v) { return HtmlEscape(FloatToJson(v).dump()); };
  std::string html = "<tr data-step=\"" + std::to_string(k + 1) +
                     "\" data-y1=\"" + exact(s.Y1) + "\" data-y2=\"" +
                     exact(s.Y2) + "\" data-tonnage=\"" +
                     exact(s.TonnageValue) + "\"";
  html += row.warning != 0 ? " class=\"warn\">" : ">";
  html += "<td class=\"c\"><b>" + std::to_string(k + 1) + "</b></td>";
  html += "<td>" + SideViewSvg(row, m.header.HeaderThickness) + "</td>";
  html += "<td class=\"n\">" + Num(s.BendAngle, 2) + "&deg;</td>";
  html += "<td class=\"n\">" + Length(s.BendLength, 0, inch) + "</td>";
  html += "<td class=\"n\">" + Pair(s.Y1, s.Y2, 3, inch, 3) + "</td>";
  html += "<td class=\"n\">" + Num(tons, 1) + "</td>";
  html += "<td class=\"n\">" + Percent(tons, row.machine_tons) + "</td>";
  html += "<td class=\"n\">" + Percent(tons, row.tool_limit_tons) + "</td>";
  html += "<td class=\"n\">" + Pair(s.Gauge1X, s.Gauge2X, 2, inch, 3) + "</td>";
  html += "<td class=\"n\">" + Pair(s.Gauge1Y, s.Gauge2Y, 2, inch, 3) + "</td>";
  html += "<td class=\"n\">" + Pair(s.Gauge1Z, s.Gauge2Z, 2, inch, 3) + "</td>";
  html += "<td class=\"n\">" + std::to_string(s.BendingSpeed) + "</td>";
  html += "<td class=\"n\">" + Num(s.DwellEndBend, 2) + "</td>";
  html += "<td class=\"c\">" + std::string(s.Coining ? "yes" : "no") + "</td>";
  html += note != 0
              ? "<td class=\"w\">&#9888;&nbsp;" + std::to_string(note) + "</td>"
              : std::string("<td class=\"ok\">&ndash;</td>");
  html += "</tr>\n";
  return html;
}

std::string StepsSection(const SheetModel& m) {
  const std::string unit = m.inch ? "mm (in)" : "mm";
  std::string html =
      "<h2>Steps in bend order</h2>\n<table class=\"steps\">\n<thead><tr>"
      "<th>Step</th><th>Side view</th><th>Angle</th><th>Length<br>" +
      unit + "</th><th>Y1<br>Y2 " + unit +
      "</th><th>Force<br>t</th><th>Press<br>%</th><th>Tools<br>%</th>"
      "<th>X1<br>X2 " +
      unit + "</th><th>R1<br>R2 " + unit + "</th><th>Z1<br>Z2 " + unit +
      "</th><th>Speed</th><th>Dwell<br>s</th><th>Coin</th>"
      "<th>Warning</th></tr></thead>\n<tbody>\n";
  const std::vector<WarningNote> notes = WarningNotes(m);
  for (size_t k = 0; k < m.steps.size(); ++k) {
    html += StepRow(m, k, NoteOf(notes, k));
  }
  html += "</tbody>\n</table>\n";
  html += NotesSection(notes);
  return html;
}

// The bed seen from the front: the machine's bending length, each step's
// bend length centred between its gauge fingers Z1 and Z2, the fingers
// marked.
std::string BedSection(const SheetModel& m) {
  double bed = m.max_bending_length;
  for (const SheetStep& s : m.steps) {
    const double centre = (s.step.Gauge1Z + s.step.Gauge2Z) / 2.0;
    bed = std::max(bed, 2.0 * (std::fabs(centre) + s.step.BendLength / 2.0));
  }
  if (!(bed > 0)) bed = 1;
  constexpr double kWidth = 1000, kLeft = 50, kRight = 20, kTop = 8;
  // Lanes as tall as a short program allows, down to 10 units for 25.
  const double lane =
      std::clamp(250.0 / std::max<double>(1.0, m.steps.size()), 10.0, 22.0);
  const double bar_h = std::min(0.55 * lane, 9.0);
  const double scale = (kWidth - kLeft - kRight) / bed;
  const double bottom = kTop + lane * static_cast<double>(m.steps.size());
  auto x_of = [&](double mm) { return kLeft + (mm + bed / 2.0) * scale; };
  Svg svg(kWidth, bottom + 30, "100%", "Bed view");
  svg.Rect(x_of(-m.max_bending_length / 2.0), kTop - 3,
           m.max_bending_length * scale, bottom - kTop + 6,
           "fill=\"#f3f5f8\" stroke=\"#7a8699\" stroke-width=\"1\"");
  svg.Line(x_of(0), kTop - 6, x_of(0), bottom + 6,
           "stroke=\"#7a8699\" stroke-dasharray=\"4 3\"");
  for (size_t k = 0; k < m.steps.size(); ++k) {
    const SheetStep& s = m.steps[k];
    const double y = kTop + lane * static_cast<double>(k);
    const double bar_y = y + (lane - bar_h) / 2 - 1.5;
    const double centre = (s.step.Gauge1Z + s.step.Gauge2Z) / 2.0;
    const double half = s.step.BendLength / 2.0;
    svg.Text(kLeft - 8, bar_y + bar_h - 1, std::to_string(k + 1),
             "font-size=\"9\" text-anchor=\"end\" fill=\"#333\"");
    svg.Rect(x_of(centre - half), bar_y, 2.0 * half * scale, bar_h,
             s.warning != 0 ? "fill=\"#e08a2c\"" : "fill=\"#2b6cb0\"");
    for (double z : {static_cast<double>(s.step.Gauge1Z),
                     static_cast<double>(s.step.Gauge2Z)}) {
      svg.Polygon({{x_of(z), bar_y + bar_h},
                   {x_of(z) - 3, bar_y + bar_h + 3.5},
                   {x_of(z) + 3, bar_y + bar_h + 3.5}},
                  "fill=\"#1a1a1a\"");
    }
  }
  const std::string axis = "font-size=\"10\" fill=\"#333\" text-anchor=\"";
  svg.Text(x_of(-m.max_bending_length / 2.0), bottom + 20,
           Num(-m.max_bending_length / 2.0, 0) + " mm", axis + "start\"");
  svg.Text(x_of(0), bottom + 20, "centre", axis + "middle\"");
  svg.Text(x_of(m.max_bending_length / 2.0), bottom + 20,
           Num(m.max_bending_length / 2.0, 0) + " mm", axis + "end\"");
  return "<section class=\"fig\"><h2>Bed: bend length of each step where "
         "the gauge fingers Z1 and Z2 (&#9650;) put it</h2>\n" +
         svg.Finish() + "</section>\n";
}

// A round step for a chart axis up to `top`: 1, 2 or 5 times a power of
// ten, giving about five ticks.
double TickStep(double top) {
  const double raw = top / 5.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double f : {1.0, 2.0, 5.0}) {
    if (raw <= f * power) return f * power;
  }
  return 10.0 * power;
}

// The force chart's value axis: up to `top` tons in steps of `tick`.
struct ForceScale {
  double top = 1, tick = 1;
  bool machine_on_scale = false;
};

ForceScale ForceScaleOf(const SheetModel& m) {
  // The scale is that of the steps' forces and their tools' resistance;
  // the machine's tonnage joins it unless it would flatten the bars to
  // less than a third of the chart.
  double needed = 0;
  for (const SheetStep& s : m.steps) {
    needed = std::max({needed, s.tool_limit_tons, ForceTons(s)});
  }
  ForceScale scale;
  scale.machine_on_scale =
      m.machine_tonnage > 0 && m.machine_tonnage <= 3.0 * needed;
  double top =
      scale.machine_on_scale ? std::max(needed, m.machine_tonnage) : needed;
  if (!(top > 0)) top = 1;
  scale.tick = TickStep(top);
  scale.top = std::ceil(top / scale.tick) * scale.tick;
  return scale;
}

constexpr double kForceWidth = 1000, kForceHeight = 200, kForceLeft = 60,
                 kForceRight = 20, kForceTop = 12, kForceBottom = 32;

// One bar per step, the tool's resistance marked on it, the force above it
// and the step's number below.
template <typename YOf>
void ForceBars(Svg& svg, const SheetModel& m, double top, const YOf& y_of) {
  const double slot = (kForceWidth - kForceLeft - kForceRight) /
                      std::max<double>(1.0, m.steps.size());
  const double bar = std::min(40.0, slot * 0.55);
  for (size_t k = 0; k < m.steps.size(); ++k) {
    const SheetStep& s = m.steps[k];
    const double cx = kForceLeft + slot * (static_cast<double>(k) + 0.5);
    const double tons = std::min(top, std::max(0.0, ForceTons(s)));
    svg.Rect(cx - bar / 2, y_of(tons), bar, y_of(0) - y_of(tons),
             s.warning != 0 ? "fill=\"#e08a2c\"" : "fill=\"#2b6cb0\"");
    if (s.tool_limit_tons > 0) {
      svg.Line(cx - bar / 2 - 4, y_of(s.tool_limit_tons), cx + bar / 2 + 4,
               y_of(s.tool_limit_tons),
               "stroke=\"#c0392b\" stroke-width=\"3\"");
    }
    svg.Text(cx, y_of(tons) - 4, Num(ForceTons(s), 1),
             "font-size=\"9\" text-anchor=\"middle\" fill=\"#1a1a1a\"");
    svg.Text(cx, kForceHeight - kForceBottom + 15, std::to_string(k + 1),
             "font-size=\"10\" text-anchor=\"middle\" fill=\"#333\"");
  }
}

std::string ForceSection(const SheetModel& m) {
  const ForceScale scale = ForceScaleOf(m);
  const double top = scale.top, tick = scale.tick;
  const double plot_h = kForceHeight - kForceTop - kForceBottom;
  auto y_of = [&](double tons) {
    return kForceTop + plot_h * (1.0 - tons / top);
  };
  Svg svg(kForceWidth, kForceHeight, "100%", "Force per step");
  for (double v = 0; v <= top + tick / 2; v += tick) {
    svg.Line(kForceLeft, y_of(v), kForceWidth - kForceRight, y_of(v),
             "stroke=\"#dde2ea\" stroke-width=\"1\"");
    svg.Text(kForceLeft - 6, y_of(v) + 4, Num(v, 1),
             "font-size=\"11\" text-anchor=\"end\" fill=\"#333\"");
  }
  svg.Text(14, kForceTop + plot_h / 2, "t",
           "font-size=\"12\" text-anchor=\"middle\" fill=\"#333\"");
  ForceBars(svg, m, top, y_of);
  if (scale.machine_on_scale) {
    svg.Line(kForceLeft, y_of(m.machine_tonnage), kForceWidth - kForceRight,
             y_of(m.machine_tonnage),
             "stroke=\"#1a1a1a\" stroke-width=\"2\" stroke-dasharray=\"8 4\"");
  }
  svg.Text(kForceLeft + (kForceWidth - kForceLeft - kForceRight) / 2,
           kForceHeight - 4, "step",
           "font-size=\"11\" text-anchor=\"middle\" fill=\"#333\"");
  const std::string machine =
      scale.machine_on_scale ? "machine tonnage: dashed line"
                             : "machine tonnage " + Num(m.machine_tonnage, 1) +
                                   " t, above the scale";
  return "<section class=\"fig\"><h2>Force per step in t (bars); tools' "
         "resistance over the bend length (red marks); " +
         machine + "</h2>\n" + svg.Finish() + "</section>\n";
}

// The side view's dimensions in millimetres around the die's V, the die's
// top at y = 0 and y growing downwards.
struct SideView {
  double v, t, half_angle, v_depth, depth, x_edge, y_top, y_bottom, stroke;
};

SideView SideViewOf(const SheetStep& row, double thickness) {
  SideView s;
  s.v = row.v_width > 0 ? row.v_width : 8.0 * thickness;
  s.t = thickness > 0 ? thickness : s.v / 8.0;
  s.half_angle =
      (row.die_angle > 0 && row.die_angle < 180 ? row.die_angle : 90.0) / 2.0;
  s.v_depth = s.v / 2.0 / std::tan(s.half_angle * kRadiansPerDegree);
  s.depth = std::fabs(row.step.Y1);
  s.x_edge = 1.1 * s.v;
  s.y_top = -0.55 * s.v;
  s.y_bottom = std::max(s.v_depth, s.depth + s.t) + 0.1 * s.v;
  s.stroke = s.v / 60.0;
  return s;
}

// The sheet: its middle surface through the bend under the punch and over
// the die's shoulders; then the target angle, from the bend's vertex.
void SideViewSheet(Svg& svg, const SideView& s, double target) {
  const double vertex = s.depth + s.t / 2;
  const double dx = s.v / 2, dy = -s.t / 2 - vertex;
  const double reach = s.x_edge / dx;
  svg.Polyline({{-dx * reach, vertex + dy * reach},
                {0, vertex},
                {dx * reach, vertex + dy * reach}},
               "fill=\"none\" stroke=\"#2b6cb0\" stroke-width=\"" +
                   SvgNum(s.t) + "\" stroke-linejoin=\"round\"");
  if (target > 0 && target < 180) {
    const double a = target / 2.0 * kRadiansPerDegree;
    const double len = 0.9 * s.v;
    svg.Polyline({{-std::sin(a) * len, vertex - std::cos(a) * len},
                  {0, vertex},
                  {std::sin(a) * len, vertex - std::cos(a) * len}},
                 "fill=\"none\" stroke=\"#c0392b\" stroke-width=\"" +
                     SvgNum(s.stroke) + "\" stroke-dasharray=\"" +
                     SvgNum(3 * s.stroke) + " " + SvgNum(2 * s.stroke) + "\"");
  }
}

// The punch, its tip at the depth: flanks at the punch's angle, then a
// narrower body up to the top of the view.
void SideViewPunch(Svg& svg, const SideView& s, double punch_angle) {
  const double punch_half =
      (punch_angle > 0 && punch_angle < 180 ? punch_angle : 2 * s.half_angle) /
      2.0 * kRadiansPerDegree;
  const double flank = std::min(s.depth - s.y_top, 0.35 * s.v);
  const double spread = std::min(std::tan(punch_half) * flank, 0.3 * s.v);
  svg.Polygon({{0, s.depth},
               {-spread, s.depth - flank},
               {-spread, s.y_top},
               {spread, s.y_top},
               {spread, s.depth - flank}},
              "fill=\"#39424e\"");
}

}  // namespace

std::string SideViewSvg(const SheetStep& row, double thickness) {
  const SideView s = SideViewOf(row, thickness);
  Svg svg(2 * s.x_edge, s.y_bottom - s.y_top, "13mm",
          "Side view of the bend, to scale");
  svg.Raw("<g transform=\"translate(" + SvgNum(s.x_edge) + " " +
          SvgNum(-s.y_top) + ")\">\n");
  // The die with its V.
  svg.Polygon({{-s.x_edge, 0},
               {-s.v / 2, 0},
               {0, s.v_depth},
               {s.v / 2, 0},
               {s.x_edge, 0},
               {s.x_edge, s.y_bottom},
               {-s.x_edge, s.y_bottom}},
              "fill=\"#c5ccd6\" stroke=\"#6b7686\" stroke-width=\"" +
                  SvgNum(s.stroke) + "\"");
  SideViewSheet(svg, s, row.step.BendAngle);
  SideViewPunch(svg, s, row.punch_angle);
  svg.Raw("</g>\n");
  return svg.Finish();
}

std::string SheetPage(const SheetModel& m) {
  const std::string title =
      "Setup sheet " +
      Latin1ToUtf8(std::string(TrimView(m.header.ProgramName))) +
      (m.preview ? " (preview)" : "");
  std::string html =
      PageStart(title,
                ".steps{font-size:7.5pt}.steps td{padding:.4mm .7mm}"
                ".steps th{padding:.5mm .7mm}"
                ".steps td.w{min-width:0;white-space:nowrap;font-size:8.5pt}"
                ".note{margin:1mm 0 0;color:#9a3b00;font-weight:600}");
  html += HeaderSection(m);
  html += ToolingSection(m);
  html += StepsSection(m);
  html += BedSection(m);
  html += ForceSection(m);
  html +=
      "<p class=\"foot\">Depths, forces and back-gauge positions as the "
      "control file holds them; warnings from the driver's own calculation "
      "of each step. Made by bendpost sheet.</p>\n";
  html += PageEnd();
  return html;
}

}  // namespace bendpost::pages
