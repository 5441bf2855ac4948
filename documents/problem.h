// Problems found in a host file (job, dialog answers, material description)
// and the one way a command reports them.
#ifndef BENDPOST_DOCUMENTS_PROBLEM_H_
#define BENDPOST_DOCUMENTS_PROBLEM_H_

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace bendpost::documents {

// One problem: where (a JSON path such as "$.Steps[2].ToolID[1]"; "$" for
// the file as a whole) and what.
struct Problem {
  std::string path;
  std::string text;
};

// "1 problem", "2 problems".
std::string ProblemCount(size_t count);

// One problem per line: `indent` + "<path>: <text>".
std::string FormatProblems(const std::vector<Problem>& problems,
                           std::string_view indent = "");

// The whole report: "<heading>: N problems" on a line of its own, then the
// problems as FormatProblems lists them. `heading` is usually the file's
// name.
void WriteProblemReport(std::ostream& out, std::string_view heading,
                        const std::vector<Problem>& problems,
                        std::string_view indent);

}  // namespace bendpost::documents

#endif  // BENDPOST_DOCUMENTS_PROBLEM_H_
