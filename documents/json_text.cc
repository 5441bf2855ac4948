#include "documents/json_text.h"

#include <algorithm>
#include <set>

#include "base/text.h"

namespace bendpost::documents {
namespace {

using nlohmann::json;

// Where the parser is: one frame per open object or array.
struct Frame {
  bool is_array = false;
  size_t count = 0;  // arrays: elements started so far
  std::string key;   // objects: the key being read
  std::set<std::string> keys;
};

std::string PathOf(const std::vector<Frame>& frames) {
  std::string path = "$";
  // Every frame but the innermost names the child the parser is inside.
  for (size_t i = 0; i + 1 < frames.size(); ++i) {
    path = frames[i].is_array ? JsonPathIndex(path, frames[i].count - 1)
                              : JsonPathKey(path, frames[i].key);
  }
  return path;
}

size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      const size_t cost = AsciiLower(a[i - 1]) == AsciiLower(b[j - 1]) ? 0 : 1;
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + cost});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string JsonPathKey(const std::string& path, const std::string& key) {
  return path + "." + key;
}

std::string JsonPathIndex(const std::string& path, size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

bool ParseJsonText(std::string_view text, json* out,
                   std::vector<Problem>* problems) {
  std::vector<Frame> frames;
  std::vector<Problem> duplicates;
  auto on_event = [&](int, json::parse_event_t event, json& parsed) {
    auto start_child = [&]() {
      if (!frames.empty() && frames.back().is_array) ++frames.back().count;
    };
    switch (event) {
      case json::parse_event_t::object_start:
        start_child();
        frames.push_back(Frame{});
        break;
      case json::parse_event_t::array_start:
        start_child();
        frames.push_back(Frame{});
        frames.back().is_array = true;
        break;
      case json::parse_event_t::object_end:
      case json::parse_event_t::array_end:
        frames.pop_back();
        break;
      case json::parse_event_t::key: {
        Frame& f = frames.back();
        f.key = parsed.get<std::string>();
        if (!f.keys.insert(f.key).second) {
          frames.push_back(Frame{});  // PathOf names the key's own path
          duplicates.push_back(
              {PathOf(frames), "duplicate key (the file gives it twice)"});
          frames.pop_back();
        }
        break;
      }
      case json::parse_event_t::value:
        start_child();
        break;
    }
    return true;
  };
  try {
    *out = json::parse(text.begin(), text.end(), on_event);
  } catch (const json::exception& e) {
    // Not only syntax errors: a number beyond a double ("1e400") is an
    // out_of_range error of the reader.
    std::string what = e.what();
    const size_t bracket = what.find("] ");
    if (what.rfind("[json.exception.", 0) == 0 &&
        bracket != std::string::npos) {
      what = what.substr(bracket + 2);
    }
    problems->push_back({"$", what});
    return false;
  }
  problems->insert(problems->end(), duplicates.begin(), duplicates.end());
  return duplicates.empty();
}

bool ParseJsonFile(FileSystem& files, const std::string& path, json* out,
                   std::vector<Problem>* problems) {
  std::string text;
  if (!ReadWholeFile(files, path, &text).ok()) {
    problems->push_back({"$", "cannot read " + path});
    return false;
  }
  return ParseJsonText(text, out, problems);
}

Problem UnknownField(const std::string& path, const std::string& key,
                     const std::vector<std::string>& known) {
  std::string best;
  size_t best_distance = 3;  // at most two letters off
  for (const std::string& name : known) {
    const size_t d = EditDistance(key, name);
    if (d < best_distance) {
      best_distance = d;
      best = name;
    }
  }
  std::string message = "unknown field";
  if (!best.empty()) message += " (did you mean \"" + best + "\"?)";
  return {JsonPathKey(path, key), message};
}

}  // namespace bendpost::documents
