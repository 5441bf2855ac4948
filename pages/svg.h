// Inline SVG drawings for the printed pages (cli/html.h): a drawing in its
// own user units (millimetres for the drawings to scale), with numbers
// written without the process locale and at most two decimals, so that
// the same drawing always gives the same bytes.
#ifndef BENDPOST_PAGES_SVG_H_
#define BENDPOST_PAGES_SVG_H_

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bendpost::pages {

class Svg {
 public:
  // A drawing of `width` x `height` user units with the origin at the top
  // left; on the page it is `css_width` wide (a CSS length) and keeps its
  // proportions. `label` is its accessible name.
  Svg(double width, double height, std::string_view css_width,
      std::string_view label);

  // `attributes` are further SVG attributes, written as given (fill,
  // stroke, class...).
  void Line(double x1, double y1, double x2, double y2,
            std::string_view attributes);
  void Rect(double x, double y, double w, double h,
            std::string_view attributes);
  void Circle(double cx, double cy, double r, std::string_view attributes);
  void Polyline(const std::vector<std::pair<double, double>>& points,
                std::string_view attributes);
  void Polygon(const std::vector<std::pair<double, double>>& points,
               std::string_view attributes);
  // `text` is UTF-8 and is escaped here.
  void Text(double x, double y, std::string_view text,
            std::string_view attributes);
  // Raw markup, for what the methods above do not cover.
  void Raw(std::string_view markup) { body_ += markup; }

  std::string Finish() const;

 private:
  std::string header_;
  std::string body_;
};

// A coordinate or length as the drawings write it (at most 2 decimals).
std::string SvgNum(double value);

}  // namespace bendpost::pages

#endif  // BENDPOST_PAGES_SVG_H_
