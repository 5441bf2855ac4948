// Reading the host's JSON files (jobs, dialog answers, material
// descriptions) with problems reported the way an operator can act on them:
// syntax errors by line and column, everything else by JSON path
// ("$.Steps[2].BendAngle").
#ifndef BENDPOST_DOCUMENTS_JSON_TEXT_H_
#define BENDPOST_DOCUMENTS_JSON_TEXT_H_

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "documents/problem.h"
#include "documents/record_fields.h"
#include "platform/file.h"

namespace bendpost::documents {

// Parses `text`; never throws. A syntax error gives one problem (path "$",
// the line and column in the message), and so does a number too large for
// a double; a key repeated within one object gives a problem at its path
// (the JSON reader would silently keep the last one). False when there is
// any problem.
bool ParseJsonText(std::string_view text, nlohmann::json* out,
                   std::vector<Problem>* problems);

// Reads and parses a file; a file that cannot be read is one problem.
bool ParseJsonFile(FileSystem& files, const std::string& path,
                   nlohmann::json* out, std::vector<Problem>* problems);

// "$.a" + "b" -> "$.a.b"; "$.a" + 3 -> "$.a[3]".
std::string JsonPathKey(const std::string& path, const std::string& key);
std::string JsonPathIndex(const std::string& path, size_t index);

// The "unknown field" problem for `key`, with the nearest known name as a
// hint when one is close (letter case, or one or two letters off).
Problem UnknownField(const std::string& path, const std::string& key,
                     const std::vector<std::string>& known);

}  // namespace bendpost::documents

#endif  // BENDPOST_DOCUMENTS_JSON_TEXT_H_
