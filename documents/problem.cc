#include "documents/problem.h"

namespace bendpost::documents {

std::string ProblemCount(size_t count) {
  return std::to_string(count) + (count == 1 ? " problem" : " problems");
}

std::string FormatProblems(const std::vector<Problem>& problems,
                           std::string_view indent) {
  std::string text;
  for (const Problem& p : problems) {
    text.append(indent);
    text += p.path + ": " + p.text + "\n";
  }
  return text;
}

void WriteProblemReport(std::ostream& out, std::string_view heading,
                        const std::vector<Problem>& problems,
                        std::string_view indent) {
  out << heading << ": " << ProblemCount(problems.size()) << "\n"
      << FormatProblems(problems, indent);
}

}  // namespace bendpost::documents
