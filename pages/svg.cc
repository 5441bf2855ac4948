#include "pages/svg.h"

#include "pages/html.h"

namespace bendpost::pages {

std::string SvgNum(double value) { return Num(value, 2); }

namespace {

std::string Points(const std::vector<std::pair<double, double>>& points) {
  std::string text;
  for (const auto& [x, y] : points) {
    if (!text.empty()) text += ' ';
    text += SvgNum(x) + "," + SvgNum(y);
  }
  return text;
}

}  // namespace

Svg::Svg(double width, double height, std::string_view css_width,
         std::string_view label) {
  header_ = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
            SvgNum(width) + " " + SvgNum(height) +
            "\" style=\"width:" + std::string(css_width) +
            ";height:auto\" role=\"img\" aria-label=\"" + HtmlEscape(label) +
            "\">\n";
}

void Svg::Line(double x1, double y1, double x2, double y2,
               std::string_view attributes) {
  body_ += "<line x1=\"" + SvgNum(x1) + "\" y1=\"" + SvgNum(y1) + "\" x2=\"" +
           SvgNum(x2) + "\" y2=\"" + SvgNum(y2) + "\" " +
           std::string(attributes) + "/>\n";
}

void Svg::Rect(double x, double y, double w, double h,
               std::string_view attributes) {
  body_ += "<rect x=\"" + SvgNum(x) + "\" y=\"" + SvgNum(y) + "\" width=\"" +
           SvgNum(w) + "\" height=\"" + SvgNum(h) + "\" " +
           std::string(attributes) + "/>\n";
}

void Svg::Circle(double cx, double cy, double r, std::string_view attributes) {
  body_ += "<circle cx=\"" + SvgNum(cx) + "\" cy=\"" + SvgNum(cy) + "\" r=\"" +
           SvgNum(r) + "\" " + std::string(attributes) + "/>\n";
}

void Svg::Polyline(const std::vector<std::pair<double, double>>& points,
                   std::string_view attributes) {
  body_ += "<polyline points=\"" + Points(points) + "\" " +
           std::string(attributes) + "/>\n";
}

void Svg::Polygon(const std::vector<std::pair<double, double>>& points,
                  std::string_view attributes) {
  body_ += "<polygon points=\"" + Points(points) + "\" " +
           std::string(attributes) + "/>\n";
}

void Svg::Text(double x, double y, std::string_view text,
               std::string_view attributes) {
  body_ += "<text x=\"" + SvgNum(x) + "\" y=\"" + SvgNum(y) + "\" " +
           std::string(attributes) + ">" + HtmlEscape(text) + "</text>\n";
}

std::string Svg::Finish() const { return header_ + body_ + "</svg>\n"; }

}  // namespace bendpost::pages
