// The printed pages of the command line (the setup sheet, the bending
// chart): one self-contained HTML file each, with its CSS inline, drawings
// as inline SVG, no script, no external file or font, so that a page opens
// offline in any browser and prints the same everywhere.
//
// Pages are deterministic: the same input gives the same bytes (no clock,
// numbers formatted without the process locale, "." as the decimal mark).
#ifndef BENDPOST_PAGES_HTML_H_
#define BENDPOST_PAGES_HTML_H_

#include <string>
#include <string_view>

#include "base/status.h"
#include "platform/file.h"

namespace bendpost::pages {

// Text for HTML content and attribute values: &, <, >, " and ' escaped.
// `text` is UTF-8.
std::string HtmlEscape(std::string_view text);

// Bytes of a program file's text field (8-bit) as escaped HTML: printable
// ASCII as is, other bytes as the Latin-1 character of their value.
std::string HtmlBytes(std::string_view bytes);

// `value` with exactly `decimals` decimals ("-" only before a non-zero
// number, so -0.0001 with 2 decimals is "0.00"). Not finite: "?".
std::string Fixed(double value, int decimals);

// `value` with at most `decimals` decimals, trailing zeros (and a trailing
// ".") removed: 90 -> "90", 7.3612 with 3 -> "7.361".
std::string Num(double value, int decimals);

// The opening of a page up to and including <body>: the shared style
// (screen and print, A4 and US Letter) plus `extra_css`.
std::string PageStart(std::string_view title, std::string_view extra_css);
std::string PageEnd();

// Writes a page as every published file is written (WriteFileAtomically):
// a reader never sees half a page, and a page that cannot be written
// leaves the one before it.
Status WritePage(FileSystem& files, const std::string& path,
                 const std::string& html);

}  // namespace bendpost::pages

#endif  // BENDPOST_PAGES_HTML_H_
