#include "pages/text_table.h"

#include <algorithm>
#include <cstdio>

namespace bendpost::pages {

TextTable::TextTable(std::vector<std::string> columns) {
  for (std::string& c : columns) {
    const bool right = !c.empty() && c[0] == '>';
    right_.push_back(right);
    columns_.push_back(right ? c.substr(1) : c);
  }
}

void TextTable::AddRow(std::vector<std::string> cells) {
  cells.resize(columns_.size());
  rows_.push_back(std::move(cells));
}

void TextTable::Print(std::ostream& out, int indent) const {
  std::vector<size_t> width(columns_.size());
  for (size_t c = 0; c < columns_.size(); ++c) {
    width[c] = columns_[c].size();
    for (const auto& row : rows_) width[c] = std::max(width[c], row[c].size());
  }
  auto print = [&](const std::vector<std::string>& cells) {
    std::string line(static_cast<size_t>(indent), ' ');
    for (size_t c = 0; c < cells.size(); ++c) {
      const std::string pad(width[c] - cells[c].size(), ' ');
      line += right_[c] ? pad + cells[c] : cells[c] + pad;
      if (c + 1 < cells.size()) line += "  ";
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << line << "\n";
  };
  print(columns_);
  for (const auto& row : rows_) print(row);
}

std::string Printable(const std::string& bytes) {
  std::string s;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      s += static_cast<char>(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      s += hex;
    }
  }
  return s;
}

}  // namespace bendpost::pages
