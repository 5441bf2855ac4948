#include "pages/program_list_page.h"

#include "base/text.h"
#include "pages/html.h"

namespace bendpost::pages {
namespace {

constexpr const char* kCss =
    "td.bad{color:#a00}tr.damaged td{background:#fdecec}"
    "td.n{text-align:right}";

std::string Cell(const std::string& html, const char* cls = nullptr) {
  return cls ? "<td class=\"" + std::string(cls) + "\">" + html + "</td>"
             : "<td>" + html + "</td>";
}

std::string Text(const std::string& bytes) {
  return HtmlBytes(TrimRightView(bytes));
}

std::string Row(const CatalogueEntry& e, const std::string& link) {
  const ControlFileHeader& h = e.header;
  std::string file = HtmlBytes(e.file);
  if (!link.empty())
    file = "<a href=\"" + HtmlEscape(link) + "\">" + file + "</a>";
  std::string row = e.damaged() ? "<tr class=\"damaged\">" : "<tr>";
  row += Cell(file) + Cell(Text(h.ProgramName)) + Cell(Text(h.PartReference)) +
         Cell(HtmlEscape(e.created)) +
         Cell(Text(h.MaterialName) + " (" + std::to_string(h.MaterialNumber) +
              ", hardness " + std::to_string(h.Hardness) + ")") +
         Cell(HtmlEscape(FormatFloat(h.HeaderThickness)), "n") +
         Cell(std::to_string(e.steps), "n") +
         Cell(Text(h.PunchTargetName) + " / " + Text(h.DieTargetName)) +
         Cell(std::to_string(e.zero_depth_steps), "n");
  std::string problems;
  for (const std::string& p : e.problems)
    problems += (problems.empty() ? "" : "; ") + HtmlBytes(p);
  row += Cell(e.damaged() ? "damaged: " + problems : "", "bad");
  return row + "</tr>\n";
}

}  // namespace

std::string ProgramListPage(const ProgramCatalogue& catalogue,
                            const std::string& folder,
                            const std::vector<std::string>& sheet_links) {
  const std::string title = "Programs in " + folder;
  std::string html = PageStart(title, kCss);
  html += "<h1>" + HtmlEscape(title) +
          "</h1>\n<table>\n<thead><tr>"
          "<th>File</th><th>Program</th><th>Part</th><th>Created</th>"
          "<th>Material</th><th>Thickness (mm)</th><th>Steps</th>"
          "<th>Punch / die</th><th>Steps at depth 0</th><th></th>"
          "</tr></thead>\n<tbody>\n";
  for (size_t k = 0; k < catalogue.programs.size(); ++k) {
    html += Row(catalogue.programs[k],
                k < sheet_links.size() ? sheet_links[k] : std::string());
  }
  html += "</tbody>\n</table>\n<p>" +
          std::to_string(catalogue.programs.size()) + " control files, " +
          std::to_string(catalogue.other_files) + " other files</p>\n";
  return html + PageEnd();
}

}  // namespace bendpost::pages
