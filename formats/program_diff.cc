#include "formats/program_diff.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <variant>

#include "base/text.h"

namespace bendpost {
namespace {

void AddNumber(std::string name, DiffValueType type, double a, double b,
               std::vector<FieldDifference>* out) {
  FieldDifference d;
  d.field = std::move(name);
  d.type = type;
  d.a = a;
  d.b = b;
  out->push_back(std::move(d));
}

void AddText(std::string name, std::string a, std::string b,
             std::vector<FieldDifference>* out) {
  FieldDifference d;
  d.field = std::move(name);
  d.type = DiffValueType::kText;
  d.a_text = std::move(a);
  d.b_text = std::move(b);
  out->push_back(std::move(d));
}

template <typename T>
void CompareField(std::string_view name, const T& a, const T& b,
                  std::vector<FieldDifference>* out) {
  if constexpr (std::is_same_v<T, float>) {
    if (std::memcmp(&a, &b, sizeof a) != 0)
      AddNumber(std::string(name), DiffValueType::kFloat, a, b, out);
  } else if constexpr (std::is_same_v<T, char>) {
    auto text = [](char c) {
      return c == 0 ? std::string() : std::string(1, c);
    };
    if (a != b) AddText(std::string(name), text(a), text(b), out);
  } else if constexpr (std::is_integral_v<T>) {
    if (a != b)
      AddNumber(std::string(name), DiffValueType::kInteger,
                static_cast<double>(a), static_cast<double>(b), out);
  } else if constexpr (std::is_same_v<T, std::string>) {
    if (a != b) AddText(std::string(name), a, b, out);
  } else {  // std::array of integers
    for (size_t i = 0; i < a.size(); ++i) {
      if (a[i] != b[i])
        AddNumber(std::string(name) + "[" + std::to_string(i) + "]",
                  DiffValueType::kInteger, static_cast<double>(a[i]),
                  static_cast<double>(b[i]), out);
    }
  }
}

template <typename Table, typename Block>
std::vector<FieldDifference> CompareBlocks(const Table& table, const Block& a,
                                           const Block& b) {
  std::vector<FieldDifference> out;
  for (const auto& field : table) {
    std::visit([&](auto m) { CompareField(field.name, a.*m, b.*m, &out); },
               field.member);
  }
  return out;
}

template <typename Table, typename Step>
std::vector<StepDifference> CompareSteps(const Table& table,
                                         const std::vector<Step>& a,
                                         const std::vector<Step>& b) {
  std::vector<StepDifference> out;
  const size_t n = std::max(a.size(), b.size());
  for (size_t k = 0; k < n; ++k) {
    StepDifference d;
    d.step = static_cast<int>(k) + 1;
    if (k >= a.size()) {
      d.change = StepChange::kAdded;
    } else if (k >= b.size()) {
      d.change = StepChange::kRemoved;
    } else {
      d.fields = CompareBlocks(table, a[k], b[k]);
      if (d.fields.empty()) continue;
    }
    out.push_back(std::move(d));
  }
  return out;
}

size_t Decimals(const std::string& text) {
  const size_t dot = text.find('.');
  return dot == std::string::npos ? 0 : text.size() - dot - 1;
}

}  // namespace

ProgramDifference CompareControlFiles(const DecodedControlFile& a,
                                      const DecodedControlFile& b) {
  ProgramDifference d;
  d.kind = ProgramFileKind::kControl;
  d.header = CompareBlocks(control_file::kHeaderFields, a.header, b.header);
  d.steps = CompareSteps(control_file::kStepFields, a.steps, b.steps);
  return d;
}

ProgramDifference CompareRecordFiles(const DecodedRecordFile& a,
                                     const DecodedRecordFile& b) {
  ProgramDifference d;
  d.kind = ProgramFileKind::kRecord;
  d.header = CompareBlocks(record_file::kHeaderFields, a.header, b.header);
  d.steps = CompareSteps(record_file::kStepFields, a.steps, b.steps);
  return d;
}

ProgramDifference CompareProgramFiles(std::string_view a_bytes,
                                      const ProgramFileIdentity& a,
                                      std::string_view b_bytes,
                                      const ProgramFileIdentity& b) {
  if (a.kind == ProgramFileKind::kRecord) {
    return CompareRecordFiles(DecodeRecordFileBytes(a_bytes, a),
                              DecodeRecordFileBytes(b_bytes, b));
  }
  DecodedControlFile ca, cb;
  // Files of the control file's size always decode; what is wrong with them
  // is in their problems, which a comparison of the fields leaves out.
  (void)DecodeControlFile(a_bytes, &ca);
  (void)DecodeControlFile(b_bytes, &cb);
  return CompareControlFiles(ca, cb);
}

std::string DiffNumberText(DiffValueType type, double value) {
  if (type == DiffValueType::kFloat)
    return FormatFloat(static_cast<float>(value));
  return std::to_string(static_cast<long long>(value));
}

std::string DifferenceText(const FieldDifference& d) {
  if (d.type == DiffValueType::kText || !std::isfinite(d.a) ||
      !std::isfinite(d.b))
    return std::string();
  const double delta = d.b - d.a;
  const std::string a = DiffNumberText(d.type, d.a);
  const std::string b = DiffNumberText(d.type, d.b);
  std::string text;
  if (a.find('e') != std::string::npos || b.find('e') != std::string::npos) {
    text = FormatDouble(delta);
  } else {
    char buffer[400];
    const auto result = std::to_chars(
        buffer, buffer + sizeof buffer, delta, std::chars_format::fixed,
        static_cast<int>(std::max(Decimals(a), Decimals(b))));
    text.assign(buffer, result.ptr);
  }
  return text[0] == '-' ? text : "+" + text;
}

}  // namespace bendpost
