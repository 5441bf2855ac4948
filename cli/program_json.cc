#include "cli/program_json.h"

#include <cmath>
#include <limits>
#include <type_traits>

#include "cli/text_table.h"
#include "base/text.h"

namespace bendpost::cli {
namespace {

// The fields of each block, in the order of the file.
#define BP_CONTROL_HEADER_FIELDS(X)                                            \
  X(BlockKind)                                                                 \
  X(BlockSize)                                                                 \
  X(ProgramName)                                                               \
  X(PartReference)                                                             \
  X(HeaderThickness)                                                           \
  X(MaterialName) X(Hardness) X(PunchTargetName) X(DieTargetName)              \
      X(DieHolderTargetName) X(SpacerTargetName) X(StepCount) X(CreationStamp) \
          X(Reserved84) X(Reserved88) X(Constant90) X(MaterialNumber)          \
              X(Reserved96) X(NamePrefixDigit) X(PunchReversed)                \
                  X(DieHolderReversed) X(DieReversed)

#define BP_CONTROL_STEP_FIELDS(X)                                              \
  X(BlockKind)                                                                 \
  X(BlockSize)                                                                 \
  X(SequenceOrder)                                                             \
  X(StepValue)                                                                 \
  X(FlagAutoCompen)                                                            \
  X(Coining) X(BendLength) X(FlangeLength) X(BendAngle) X(Y1) X(Y2) X(Gauge1Y) \
      X(Gauge2Y) X(Gauge1Z) X(Gauge2Z) X(Gauge1X) X(Gauge2X) X(Reserved60)     \
          X(Reserved64) X(AuxFunc) X(FlagSheetMove) X(TonnageValue) X(ODC)     \
              X(BendingSpeed) X(ReturnSpeed) X(BGRetractFlag) X(CycleNo)       \
                  X(RetractStroke) X(DwellBG) X(DwellEndBend) X(BendNoBGPos)   \
                      X(Y1Compen) X(Y2Compen) X(X1Compen) X(X2Compen)          \
                          X(R1Compen) X(R2Compen) X(Z1Compen) X(Z2Compen)      \
                              X(AngleCompen) X(PinchPointValue) X(Offset)

#define BP_RECORD_HEADER_FIELDS(X)                                             \
  X(ProgramName)                                                               \
  X(PartReference)                                                             \
  X(HeaderThickness)                                                           \
  X(MaterialName)                                                              \
  X(Hardness)                                                                  \
  X(Reserved31) X(PunchTargetName) X(DieTargetName) X(DieHolderTargetName)     \
      X(SpacerTargetName) X(RecordCount) X(CreationYear) X(CreationMonth)      \
          X(CreationDay) X(Reserved64) X(Reserved65) X(Reserved69)             \
              X(Constant71) X(MaterialNumber) X(Reserved75) X(NamePrefixDigit) \
                  X(Reserved117) X(PunchRev) X(DieHolderRev) X(DieRev)

#define BP_RECORD_STEP_FIELDS(X)                                             \
  X(SequenceOrder)                                                           \
  X(StepValue)                                                               \
  X(FlagAutoCompen)                                                          \
  X(CoiningFlag)                                                             \
  X(BendLength)                                                              \
  X(FlangeLength) X(BendAngle) X(Y1) X(Y2) X(Gauge1Y) X(Gauge2Y) X(Gauge1Z)  \
      X(Gauge2Z) X(Gauge1X) X(Gauge2X) X(AuxFunc) X(FlagSheetMove)           \
          X(TonnageValue) X(Reserved62) X(Reserved64) X(ODC) X(BendingSpeed) \
              X(ReturnSpeed) X(BGRetractFlag) X(CycleNo) X(RetractStroke)    \
                  X(DwellBG) X(Reserved84) X(DwellEndBend) X(Reserved90)     \
                      X(Reserved92) X(BendNoBGPos) X(Y1Compen) X(Y2Compen)   \
                          X(X1Compen) X(X2Compen) X(R1Compen) X(R2Compen)    \
                              X(Z1Compen) X(Z2Compen) X(AngleCompen)         \
                                  X(Reserved132) X(PinchPointValue) X(Offset)

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

template <typename T>
bool Take(const ordered_json& j, const char* name, T* value,
          std::string* error) {
  auto it = j.find(name);
  if (it == j.end() || !FieldFromJson(*it, value)) {
    *error = std::string("field ") + name +
             (it == j.end() ? " is missing" : " does not fit its type");
    return false;
  }
  return true;
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

#define BP_TO_JSON(f) j[#f] = FieldToJson(v.f);
#define BP_FROM_JSON(f) \
  if (!Take(j, #f, &out.f, error)) return false;

ordered_json ToJson(const ControlFileHeader& v) {
  ordered_json j = ordered_json::object();
  BP_CONTROL_HEADER_FIELDS(BP_TO_JSON)
  return j;
}

ordered_json ToJson(const ControlFileStep& v) {
  ordered_json j = ordered_json::object();
  BP_CONTROL_STEP_FIELDS(BP_TO_JSON)
  return j;
}

ordered_json ToJson(const RecordFileHeader& v) {
  ordered_json j = ordered_json::object();
  BP_RECORD_HEADER_FIELDS(BP_TO_JSON)
  return j;
}

ordered_json ToJson(const RecordFileStep& v) {
  ordered_json j = ordered_json::object();
  BP_RECORD_STEP_FIELDS(BP_TO_JSON)
  return j;
}

bool FromJson(const ordered_json& j, ControlFileHeader* header,
              std::string* error) {
  ControlFileHeader out;
  BP_CONTROL_HEADER_FIELDS(BP_FROM_JSON)
  *header = out;
  return true;
}

bool FromJson(const ordered_json& j, ControlFileStep* step,
              std::string* error) {
  ControlFileStep out;
  BP_CONTROL_STEP_FIELDS(BP_FROM_JSON)
  *step = out;
  return true;
}

bool FromJson(const ordered_json& j, RecordFileHeader* header,
              std::string* error) {
  RecordFileHeader out;
  BP_RECORD_HEADER_FIELDS(BP_FROM_JSON)
  *header = out;
  return true;
}

bool FromJson(const ordered_json& j, RecordFileStep* step, std::string* error) {
  RecordFileStep out;
  BP_RECORD_STEP_FIELDS(BP_FROM_JSON)
  *step = out;
  return true;
}

}  // namespace bendpost::cli
