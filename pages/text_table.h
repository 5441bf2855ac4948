// Plain-text tables for the commands' reports: columns as wide as their
// widest cell, two spaces apart, numbers right-aligned.
#ifndef BENDPOST_PAGES_TEXT_TABLE_H_
#define BENDPOST_PAGES_TEXT_TABLE_H_

#include <ostream>
#include <string>
#include <vector>

namespace bendpost::pages {

class TextTable {
 public:
  // A column whose name starts with ">" is right-aligned (the ">" is not
  // printed).
  explicit TextTable(std::vector<std::string> columns);
  void AddRow(std::vector<std::string> cells);
  void Print(std::ostream& out, int indent = 0) const;

 private:
  std::vector<std::string> columns_;
  std::vector<bool> right_;
  std::vector<std::vector<std::string>> rows_;
};

// Bytes shown as text: printable ASCII as is, anything else as \xNN.
std::string Printable(const std::string& bytes);

}  // namespace bendpost::pages

#endif  // BENDPOST_PAGES_TEXT_TABLE_H_
