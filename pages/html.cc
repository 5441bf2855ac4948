#include "pages/html.h"

#include <charconv>
#include <cmath>
#include <memory>

namespace bendpost::pages {

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string HtmlBytes(std::string_view bytes) {
  std::string utf8;
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7f) {
      utf8 += c;
    } else if (b >= 0xa0) {
      utf8 += static_cast<char>(0xc0 | (b >> 6));
      utf8 += static_cast<char>(0x80 | (b & 0x3f));
    } else {
      utf8 += "\xef\xbf\xbd";  // U+FFFD: a control byte has no glyph
    }
  }
  return HtmlEscape(utf8);
}

std::string Fixed(double value, int decimals) {
  if (!std::isfinite(value)) return "?";
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::fixed, decimals);
  if (ec != std::errc()) return "?";
  std::string text(buffer, end);
  // A value that rounds to zero is shown without its sign.
  if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos)
    text.erase(0, 1);
  return text;
}

std::string Num(double value, int decimals) {
  std::string text = Fixed(value, decimals);
  if (text.find('.') == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

namespace {

// Shared by every page. Sizes in points and millimetres so that the print
// is the same on any screen; @page without a size prints on whatever paper
// (A4 or US Letter) is chosen, within margins that both fit.
constexpr std::string_view kStyle = R"(
*{box-sizing:border-box}
html{-webkit-print-color-adjust:exact;print-color-adjust:exact}
body{margin:0 auto;padding:6mm;max-width:210mm;color:#1a1a1a;background:#fff;
font:8.5pt/1.3 "DejaVu Sans","Liberation Sans",Arial,Helvetica,sans-serif}
h1{font-size:15pt;margin:0 0 1mm}
h2{break-after:avoid;page-break-after:avoid;font-size:10pt;margin:4mm 0 1.5mm;padding-bottom:.5mm;border-bottom:.4mm solid #2b4c7e;color:#2b4c7e}
.sub{color:#555;margin:0 0 3mm}
table{border-collapse:collapse;width:100%;table-layout:auto}
th,td{border:.2mm solid #b8bec8;padding:.6mm 1.2mm;vertical-align:middle}
th{background:#e8edf5;font-weight:600;text-align:center;font-size:7.5pt}
td.n{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
td.c{text-align:center}
.in{display:block;color:#666;font-size:6.5pt}
i.in2{font-style:normal;color:#666;font-size:6pt;margin-left:.6mm}
.kv{display:grid;grid-template-columns:repeat(4,auto);gap:.6mm 4mm;justify-content:start}
.kv dt{color:#555}.kv dd{margin:0;font-weight:600}
dl{margin:0}
.warn td{background:#fff1d6}
td.w{color:#9a3b00;font-weight:600;font-size:7.5pt;min-width:22mm}
.ok{color:#2e6b2e}
svg{display:block}
svg text{font-family:"DejaVu Sans","Liberation Sans",Arial,sans-serif}
.fig{break-inside:avoid;page-break-inside:avoid}
tr{break-inside:avoid;page-break-inside:avoid}
thead{display:table-header-group}
.foot{margin-top:3mm;color:#666;font-size:7pt}
@page{margin:10mm}
@media print{body{padding:0;max-width:none}}
)";

}  // namespace

std::string PageStart(std::string_view title, std::string_view extra_css) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, "
      "initial-scale=1\">\n<title>";
  html += HtmlEscape(title);
  html += "</title>\n<style>";
  html += kStyle;
  html += extra_css;
  html += "</style>\n</head>\n<body>\n";
  return html;
}

std::string PageEnd() { return "</body>\n</html>\n"; }

Status WritePage(FileSystem& files, const std::string& path,
                 const std::string& html) {
  return WriteFileAtomically(files, path, html);
}

}  // namespace bendpost::pages
