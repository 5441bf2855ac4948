#include "documents/program_json.h"

#include <cmath>
#include <limits>
#include <type_traits>
#include <variant>

#include "base/text.h"

namespace bendpost::documents {
namespace {

template <typename T>
ordered_json FieldToJson(const T& value) {
  if constexpr (std::is_same_v<T, float>) {
    return FloatToJson(value);
  } else if constexpr (std::is_same_v<T, char>) {
    return value == 0 ? std::string() : Latin1ToUtf8(std::string(1, value));
  } else if constexpr (std::is_integral_v<T>) {
    return static_cast<int64_t>(value);
  } else if constexpr (std::is_same_v<T, std::string>) {
    return Latin1ToUtf8(value);
  } else {  // std::array of integers
    ordered_json list = ordered_json::array();
    for (const auto& v : value) list.push_back(static_cast<int64_t>(v));
    return list;
  }
}

template <typename T>
bool IntegerFromJson(const ordered_json& j, T* value) {
  if (!j.is_number_integer()) return false;
  if (j.is_number_unsigned()) {
    const uint64_t v = j.get<uint64_t>();
    if (v > static_cast<uint64_t>(std::numeric_limits<T>::max())) return false;
    *value = static_cast<T>(v);
    return true;
  }
  const int64_t v = j.get<int64_t>();
  if (v < static_cast<int64_t>(std::numeric_limits<T>::min()) ||
      v > static_cast<int64_t>(std::numeric_limits<T>::max())) {
    return false;
  }
  *value = static_cast<T>(v);
  return true;
}

template <typename T>
bool FieldFromJson(const ordered_json& j, T* value) {
  if constexpr (std::is_same_v<T, float>) {
    return FloatFromJson(j, value);
  } else if constexpr (std::is_same_v<T, char>) {
    std::string bytes;
    if (!j.is_string() || !Latin1FromUtf8(j.get<std::string>(), &bytes) ||
        bytes.size() > 1) {
      return false;
    }
    *value = bytes.empty() ? 0 : bytes[0];
    return true;
  } else if constexpr (std::is_integral_v<T>) {
    return IntegerFromJson(j, value);
  } else if constexpr (std::is_same_v<T, std::string>) {
    return j.is_string() && Latin1FromUtf8(j.get<std::string>(), value);
  } else {
    if (!j.is_array() || j.size() != value->size()) return false;
    for (size_t i = 0; i < value->size(); ++i) {
      if (!IntegerFromJson(j[i], &(*value)[i])) return false;
    }
    return true;
  }
}

// Every field of a block under its name, in the order of the file.
template <typename Table, typename Block>
ordered_json TableToJson(const Table& table, const Block& block) {
  ordered_json j = ordered_json::object();
  for (const auto& field : table) {
    std::visit(
        [&](auto member) {
          j[std::string(field.name)] = FieldToJson(block.*member);
        },
        field.member);
  }
  return j;
}

template <typename Table, typename Block>
Status TableFromJson(const Table& table, const ordered_json& j, Block* block) {
  Block out;
  for (const auto& field : table) {
    const std::string name(field.name);
    auto it = j.find(name);
    const bool fits =
        it != j.end() &&
        std::visit(
            [&](auto member) { return FieldFromJson(*it, &(out.*member)); },
            field.member);
    if (!fits) {
      return Status::Error(
          "field " + name +
          (it == j.end() ? " is missing" : " does not fit its type"));
    }
  }
  *block = out;
  return Status::OK();
}

}  // namespace

ordered_json FloatToJson(float value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  // The shortest decimal of the float, read as a double by any JSON
  // reader, must round back to the same float; when it would not (a
  // decimal right at a rounding boundary), the exact double is used.
  const std::optional<double> shortest = ParseDouble(FormatFloat(value));
  if (shortest && static_cast<float>(*shortest) == value &&
      std::signbit(*shortest) == std::signbit(value)) {
    return *shortest;
  }
  return static_cast<double>(value);
}

bool FloatFromJson(const ordered_json& j, float* value) {
  if (j.is_number()) {
    *value = static_cast<float>(j.get<double>());
    return true;
  }
  if (j.is_string()) {
    const std::string s = j.get<std::string>();
    if (s == "nan")
      *value = std::numeric_limits<float>::quiet_NaN();
    else if (s == "inf")
      *value = std::numeric_limits<float>::infinity();
    else if (s == "-inf")
      *value = -std::numeric_limits<float>::infinity();
    else
      return false;
    return true;
  }
  return false;
}

ordered_json ToJson(const ControlFileHeader& header) {
  return TableToJson(control_file::kHeaderFields, header);
}

ordered_json ToJson(const ControlFileStep& step) {
  return TableToJson(control_file::kStepFields, step);
}

ordered_json ToJson(const RecordFileHeader& header) {
  return TableToJson(record_file::kHeaderFields, header);
}

ordered_json ToJson(const RecordFileStep& step) {
  return TableToJson(record_file::kStepFields, step);
}

Status FromJson(const ordered_json& j, ControlFileHeader* header) {
  return TableFromJson(control_file::kHeaderFields, j, header);
}

Status FromJson(const ordered_json& j, ControlFileStep* step) {
  return TableFromJson(control_file::kStepFields, j, step);
}

Status FromJson(const ordered_json& j, RecordFileHeader* header) {
  return TableFromJson(record_file::kHeaderFields, j, header);
}

Status FromJson(const ordered_json& j, RecordFileStep* step) {
  return TableFromJson(record_file::kStepFields, j, step);
}

}  // namespace bendpost::documents
