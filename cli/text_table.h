// Plain-text tables for the commands' reports: columns as wide as their
// widest cell, two spaces apart, numbers right-aligned.
#ifndef BENDPOST_CLI_TEXT_TABLE_H_
#define BENDPOST_CLI_TEXT_TABLE_H_

#include <ostream>
#include <string>
#include <vector>

namespace bendpost::cli {

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

// A JSON string that carries arbitrary bytes: each byte becomes the Unicode
// character of the same number (0x00..0xFF), so the bytes come back exactly
// with Latin1FromUtf8, which is false when `text` holds a character above
// U+00FF or is not UTF-8.
std::string Latin1ToUtf8(const std::string& bytes);
bool Latin1FromUtf8(const std::string& text, std::string* bytes);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_TEXT_TABLE_H_
