#include "documents/record_fields.h"

#include <cstring>
#include <limits>
#include <memory>
#include <type_traits>

namespace bendpost::documents {
namespace {

using nlohmann::json;

template <typename V>
FieldShape ShapeOf() {
  FieldShape s;
  if constexpr (std::is_same_v<V, bool>) {
    s.kind = ValueKind::kBoolean;
  } else if constexpr (std::is_same_v<V, short>) {
    s.kind = ValueKind::kInteger;
    s.min = std::numeric_limits<int16_t>::min();
    s.max = std::numeric_limits<int16_t>::max();
  } else if constexpr (std::is_same_v<V, int> || std::is_same_v<V, long>) {
    // `long` fields (RayID) hold 32-bit values on the host's platform.
    s.kind = ValueKind::kInteger;
    s.min = std::numeric_limits<int32_t>::min();
    s.max = std::numeric_limits<int32_t>::max();
  } else if constexpr (std::is_floating_point_v<V>) {
    s.kind = ValueKind::kNumber;
  } else {
    static_assert(std::is_same_v<V, CString>);
    s.kind = ValueKind::kString;
  }
  return s;
}

template <typename V>
V Read(const json& j) {
  if constexpr (std::is_same_v<V, bool>) {
    return j.get<bool>();
  } else if constexpr (std::is_integral_v<V>) {
    return static_cast<V>(j.get<int64_t>());
  } else if constexpr (std::is_floating_point_v<V>) {
    return static_cast<V>(j.get<double>());
  } else {
    return CString(j.get<std::string>());
  }
}

template <typename R, typename V>
RecordField<R> Plain(const char* name, void (R::*set)(V)) {
  return {name, ShapeOf<V>(),
          [set](R& r, const json& j, int) { (r.*set)(Read<V>(j)); }};
}

// The converting step setters: the value in the job's unit and the unit.
template <typename R, typename V>
RecordField<R> Converting(const char* name, void (R::*set)(V, int)) {
  FieldShape s = ShapeOf<V>();
  s.converting = true;
  return {name, s,
          [set](R& r, const json& j, int unit) { (r.*set)(Read<V>(j), unit); }};
}

size_t Product(const std::vector<int>& dims, size_t from) {
  size_t n = 1;
  for (size_t i = from; i < dims.size(); ++i) n *= static_cast<size_t>(dims[i]);
  return n;
}

// Writes the given entries of nested arrays into the flat row-major buffer
// of the record's array; entries left out keep what the buffer holds.
template <typename E>
void Fill(const json& j, E* flat, const std::vector<int>& dims, size_t level,
          size_t base) {
  const size_t stride = Product(dims, level + 1);
  for (size_t i = 0; i < j.size(); ++i) {
    if (level + 1 == dims.size()) {
      flat[base + i] = Read<E>(j[i]);
    } else {
      Fill(j[i], flat, dims, level + 1, base + i * stride);
    }
  }
}

// Array fields copied whole through a pointer: read the record's array,
// overwrite the entries the job gives, store it back.
template <typename R, typename P>
RecordField<R> ArrayOf(const char* name, std::vector<int> dims,
                       void (R::*get)(P) const, void (R::*set)(P)) {
  using Row = std::remove_pointer_t<P>;
  using E = std::remove_all_extents_t<Row>;
  FieldShape s = ShapeOf<E>();
  s.dims = dims;
  return {name, s, [get, set, dims](R& r, const json& j, int) {
            std::unique_ptr<Row[]> buffer(new Row[dims[0]]());
            (r.*get)(buffer.get());
            Fill(j, reinterpret_cast<E*>(buffer.get()), dims, 0, 0);
            (r.*set)(buffer.get());
          }};
}

// ToolID: six zero-terminated names in 32-byte entries. A given entry is
// replaced whole (its unused bytes become 0).
RecordField<CPPStepInfo> ToolIdField() {
  FieldShape s;
  s.kind = ValueKind::kString;
  s.dims = {6};
  s.max_bytes = 31;
  return {"ToolID", s, [](CPPStepInfo& r, const json& j, int) {
            char ids[6][32];
            r.GetToolID(ids);
            for (size_t i = 0; i < j.size(); ++i) {
              const std::string name = j[i].get<std::string>();
              std::memset(ids[i], 0, sizeof ids[i]);
              std::memcpy(ids[i], name.data(), name.size());
            }
            r.SetToolID(ids);
          }};
}

using S = CPPStepInfo;
using T = CPPTool;
using U = CPPSetup;
using M = CPPMachine;
using B = CPPBGauge;

}  // namespace

const std::vector<RecordField<CPPStepInfo>>& StepFields() {
  static const auto* fields = new std::vector<RecordField<S>>{
      Plain("NumberInSquence", &S::SetNumberInSquence),
      Plain("SetUpName", &S::SetSetUpName),
      Plain("SetupIndex", &S::SetSetupIndex),
      Plain("BendType", &S::SetBendType),
      Plain("ControlType", &S::SetControlType),
      Converting("StepValue", &S::SetStepValue),
      Plain("CycleNo", &S::SetCycleNo),
      Plain("CoiningFlag", &S::SetCoiningFlag),
      Plain("Mode", &S::SetMode),
      Converting("BendLength", &S::SetBendLength),
      Plain("BendAngle", &S::SetBendAngle),
      Plain("Y1", &S::SetY1),
      Plain("Y2", &S::SetY2),
      ArrayOf("XX", {4}, &S::GetXX, &S::SetXX),
      ArrayOf("YY", {4}, &S::GetYY, &S::SetYY),
      ArrayOf("ZZ", {4}, &S::GetZZ, &S::SetZZ),
      Plain("BendDeduction", &S::SetBendDeduction),
      Plain("TonnageValue", &S::SetTonnageValue),
      Converting("ODC", &S::SetODC),
      Converting("RetractStroke", &S::SetRetractStroke),
      Converting("Offset", &S::SetOffset),
      Plain("MaterialVPos", &S::SetMaterialVPos),
      ArrayOf("ToolReverse", {6}, &S::GetToolReverse, &S::SetTollReverse),
      ToolIdField(),
      ArrayOf("RayID", {6}, &S::GetRayID, &S::SetRayID),
      Plain("PinchPointValue", &S::SetPinchPointValue),
      Plain("FlagAutoCompen", &S::SetFlagAutoCompen),
      Plain("BGRetractFlag", &S::SetBGRetractFlag),
      Converting("BendingSpeed", &S::SetBendingSpeed),
      Plain("ReturnSpeed", &S::SetReturnSpeed),
      Plain("DwellBG", &S::SetDwellBG),
      Plain("DwellEndBend", &S::SetDwellEndBend),
      Plain("Y1Compen", &S::SetY1Compen),
      Plain("Y2Compen", &S::SetY2Compen),
      Plain("X1Compen", &S::SetX1Compen),
      Plain("X2Compen", &S::SetX2Compen),
      Plain("R1Compen", &S::SetR1Compen),
      Plain("R2Compen", &S::SetR2Compen),
      Plain("Z1Compen", &S::SetZ1Compen),
      Plain("Z2Compen", &S::SetZ2Compen),
      Plain("AngleCompen", &S::SetAngleCompen),
      Plain("BendNoBGPos", &S::SetBendNoBGPos),
      Plain("AuxFunc", &S::SetAuxFunc),
      Plain("FlagSheetMove", &S::SetFlagSheetMove),
      Plain("SequenceOrder", &S::SetSequenceOrder),
      Plain("FlangeLength", &S::SetFlangeLength),
  };
  return *fields;
}

const std::vector<RecordField<CPPTool>>& ToolFields() {
  static const auto* fields = new std::vector<RecordField<T>>{
      Plain("ToolName", &T::SetToolName),
      Plain("ToolType", &T::SetToolType),
      Plain("Category", &T::SetCategory),
      ArrayOf("Profile", {64, 2}, &T::GetProfile, &T::SetProfile),
      Plain("NumProfilePoint", &T::SetNumProfilePoint),
      ArrayOf("TipPoint", {2}, &T::GetTipPoint, &T::SetTipPoint),
      ArrayOf("PrmyAttachPoint", {2}, &T::GetPrmyAttachPoint,
              &T::SetPrmyAttachPoint),
      ArrayOf("SlaveAttachPoint", {2}, &T::GetSlaveAttachPoint,
              &T::SetSlaveAttachPoint),
      Plain("ToolHeight", &T::SetToolHeight),
      Plain("ToolRealHeight", &T::SetToolRealHeight),
      Plain("ToolWidth", &T::SetToolWidth),
      Plain("Edge2ForceLine", &T::SetEdge2ForceLine),
      Plain("Reverse", &T::SetReverse),
      Plain("SmallorLarger", &T::SetSmallorLarger),
      Plain("VWidth", &T::SetVWidth),
      Plain("Angle", &T::SetAngle),
      Plain("Radius", &T::SetRadius),
      Plain("Flag4Die", &T::SetFlag4Die),
      Plain("XAttachOffset", &T::SetXAttachOffset),
      Plain("StepHeight", &T::SetStepHeight),
      Plain("MaxThickness", &T::SetMaxThickness),
      Plain("MinThickness", &T::SetMinThickness),
      Plain("FollowType", &T::SetFollowType),
      Plain("FollowAngle", &T::SetFollowAngle),
      Plain("BackAngle", &T::SetBackAngle),
      Plain("FrontOffset", &T::SetFrontOffset),
      Plain("BgEdgeMoveIn", &T::SetBgEdgeMoveIn),
      Plain("MidPointOffset", &T::SetMidPointOffset),
      Plain("SecondFollowAngle", &T::SetSecondFollowAngle),
      Plain("TipRadius", &T::SetTipRadius),
      Plain("TipOffset", &T::SetTipOffset),
      Plain("VOffset", &T::SetVOffset),
      Plain("TipHeightOffset", &T::SetTipHeightOffset),
      Plain("TipAngle", &T::SetTipAngle),
      Plain("VAngle", &T::SetVAngle),
      Plain("Sectional", &T::SetSectional),
      Plain("PunchResistance", &T::SetPunchResistance),
      Plain("DieResistance", &T::SetDieResistance),
  };
  return *fields;
}

const std::vector<RecordField<CPPSetup>>& SetupFields() {
  static const auto* fields = new std::vector<RecordField<U>>{
      Plain("SetupName", &U::SetSetupName),
      Plain("ControlType", &U::SetControlType),
      Plain("MachineModel", &U::SetMachineModel),
      Plain("SetupIndex", &U::SetSetupIndex),
      Plain("UserMachineName", &U::SetUserMachineName),
      Plain("BendingCoefficient", &U::SetBendingCoefficient),
  };
  return *fields;
}

const std::vector<RecordField<CPPMachine>>& MachineFields() {
  static const auto* fields = new std::vector<RecordField<M>>{
      Plain("UserMachineName", &M::SetUserMachineName),
      Plain("MachineName", &M::SetMachineName),
      Plain("CtrlSystem", &M::SetCtrlSystem),
      Plain("FingerType", &M::SetFingerType),
      Plain("ProtocolBoard", &M::SetProtocolBoard),
      Plain("CylinderNumber", &M::SetCylinderNumber),
      Plain("LengthUnit", &M::SetLengthUnit),
      Plain("Tonnage", &M::SetTonnage),
      Plain("MinTonnage", &M::SetMinTonnage),
      Plain("FrameTightness", &M::SetFrameTightness),
      Plain("OriginPressure", &M::SetOriginPressure),
      Plain("MaxPressure", &M::SetMaxPressure),
      Plain("MaxBendingLength", &M::SetMaxBendingLength),
      Plain("MaxStrokeHeight", &M::SetMaxStrokeHeight),
      Plain("OpenHeight", &M::SetOpenHeight),
      Plain("SignificantHeight", &M::SetSignificantHeight),
      Plain("LowerBeamHeight", &M::SetLowerBeamHeight),
      Plain("MainBeamSpan", &M::SetMainBeamSpan),
      Plain("SignifcantSpan", &M::SetSignifcantSpan),
      Plain("MainBodyDepth", &M::SetMainBodyDepth),
      Plain("BlockInUpBeam", &M::SetBlockInUpBeam),
      Plain("BlockInLowBeam", &M::SetBlockInLowBeam),
      ArrayOf("ExtrusionVectorBlockOfUpBeam", {32, 3},
              &M::GetExtrusionVectorBlockOfUpBeam,
              &M::SetExtrusionVectorBlockOfUpBeam),
      ArrayOf("ExtrusionVectorBlockOfLowerBeam", {32, 3},
              &M::GetExtrusionVectorBlockOfLowerBeam,
              &M::SetExtrusionVectorBlockOfLowerBeam),
      ArrayOf("UpBeamProfile", {32, 64, 3}, &M::GetUpBeamProfile,
              &M::SetUpBeamProfile),
      ArrayOf("NumUpBeamPoint", {32}, &M::GetNumUpBeamPoint,
              &M::SetNumUpBeamPoint),
      ArrayOf("LowBeamProfile", {32, 64, 3}, &M::GetLowBeamProfile,
              &M::SetLowBeamProfile),
      ArrayOf("NumLowerBeamPoint", {32}, &M::GetNumLowerBeamPoint,
              &M::SetNumLowerBeamPoint),
      ArrayOf("UpBeamAttach", {2}, &M::GetUpBeamAttach, &M::SetUpBeamAttach),
      ArrayOf("LowBeamAttach", {2}, &M::GetLowBeamAttach, &M::SetLowBeamAttach),
      Plain("clampAtCerter", &M::SetclampAtCerter),
      Plain("ClampLength", &M::SetClampLength),
      Plain("ClampPitch", &M::SetClampPitch),
      Plain("DefaultPHLLength", &M::SetDefaultPHLLength),
      Plain("DefaultPHLPitch", &M::SetDefaultPHLPitch),
      ArrayOf("PHLProfile", {64, 2}, &M::GetPHLProfile, &M::SetPHLProfile),
      Plain("NumPHLPoint", &M::SetNumPHLPoint),
      ArrayOf("PHLTopAttach", {2}, &M::GetPHLTopAttach, &M::SetPHLTopAttach),
      ArrayOf("PHLPunchAttach", {2, 2}, &M::GetPHLPunchAttach,
              &M::SetPHLPunchAttach),
      ArrayOf("PHLClampAttach", {2, 2}, &M::GetPHLClampAttach,
              &M::SetPHLClampAttach),
      ArrayOf("ClampProfile", {64, 2}, &M::GetClampProfile,
              &M::SetClampProfile),
      Plain("NumClampPoint", &M::SetNumClampPoint),
      ArrayOf("ClampAttach", {2}, &M::GetClampAttach, &M::SetClampAttach),
  };
  return *fields;
}

const std::vector<RecordField<CPPBGauge>>& BackGaugeFields() {
  static const auto* fields = new std::vector<RecordField<B>>{
      Plain("Num", &B::SetNum),
      Plain("ControlSystem", &B::SetControlSystem),
      Plain("FingerType", &B::SetFingerType),
      Plain("NumberOfAxis", &B::SetNumberOfAxis),
      Plain("AdjustmentMethod", &B::SetAdjustmentMethod),
      Plain("LengthUnit", &B::SetLengthUnit),
      Plain("FingerWidth", &B::SetFingerWidth),
      Plain("FingerThickness", &B::SetFingerThickness),
      Plain("FingerVLower", &B::SetFingerVLower),
      Plain("FingerVUpper", &B::SetFingerVUpper),
      Plain("FingerAdjustLocation", &B::SetFingerAdjustLocation),
      Plain("FingerAdjustHeight", &B::SetFingerAdjustHeight),
      Plain("FingerHLeft", &B::SetFingerHLeft),
      Plain("FingerHRight", &B::SetFingerHRight),
      Plain("FingerContactMin", &B::SetFingerContactMin),
      Plain("YRangeMin", &B::SetYRangeMin),
      Plain("YRangeMax", &B::SetYRangeMax),
      Plain("ZRangeMin", &B::SetZRangeMin),
      Plain("ZRangeMax", &B::SetZRangeMax),
      ArrayOf("BodyProfile", {64, 3}, &B::GetBodyProfile, &B::SetBodyProfile),
      Plain("NumBodyPoint", &B::SetNumBodyPoint),
      ArrayOf("BodyDir", {3}, &B::GetBodyDir, &B::SetBodyDir),
      ArrayOf("FingerProfile", {64, 3}, &B::GetFingerProfile,
              &B::SetFingerProfile),
      Plain("NumFingerPoint", &B::SetNumFingerPoint),
      ArrayOf("FingerDir", {3}, &B::GetFingerDir, &B::SetFingerDir),
      ArrayOf("MotorProfile", {64, 3}, &B::GetMotorProfile,
              &B::SetMotorProfile),
      Plain("NumMotorPoint", &B::SetNumMotorPoint),
      ArrayOf("MotorDir", {3}, &B::GetMotorDir, &B::SetMotorDir),
  };
  return *fields;
}

const char* KindName(ValueKind kind) {
  switch (kind) {
    case ValueKind::kInteger:
      return "an integer";
    case ValueKind::kNumber:
      return "a number";
    case ValueKind::kBoolean:
      return "a boolean";
    case ValueKind::kString:
      return "a string";
  }
  return "a value";
}

std::string JsonTypeName(const json& value) {
  if (value.is_null()) return "null";
  if (value.is_boolean()) return "a boolean";
  if (value.is_number_integer()) return "an integer";
  if (value.is_number()) return "a number";
  if (value.is_string()) return "a string";
  if (value.is_array()) return "an array";
  return "an object";
}

namespace {

void CheckScalar(const json& v, const FieldShape& shape,
                 const std::string& path, std::vector<Problem>* problems) {
  bool ok = false;
  switch (shape.kind) {
    case ValueKind::kInteger:
      ok = v.is_number_integer();
      break;
    case ValueKind::kNumber:
      ok = v.is_number();
      break;
    case ValueKind::kBoolean:
      ok = v.is_boolean();
      break;
    case ValueKind::kString:
      ok = v.is_string();
      break;
  }
  if (!ok) {
    problems->push_back({path, std::string("expected ") + KindName(shape.kind) +
                                   ", found " + JsonTypeName(v)});
    return;
  }
  if (shape.kind == ValueKind::kInteger) {
    // The parser keeps non-negative integers unsigned; both bounds apply to
    // them as to the others.
    const bool fits =
        !(v.is_number_unsigned() && v.get<uint64_t>() > INT64_MAX) &&
        v.get<int64_t>() >= shape.min && v.get<int64_t>() <= shape.max;
    if (!fits) {
      problems->push_back({path, "out of range: " + v.dump() + " is not in " +
                                     std::to_string(shape.min) + ".." +
                                     std::to_string(shape.max)});
    }
  }
  if (shape.kind == ValueKind::kString && shape.max_bytes > 0) {
    const size_t bytes = v.get_ref<const std::string&>().size();
    if (bytes > shape.max_bytes) {
      problems->push_back({path, "too long: " + std::to_string(bytes) +
                                     " bytes, at most " +
                                     std::to_string(shape.max_bytes)});
    }
  }
}

void CheckLevel(const json& v, const FieldShape& shape, size_t level,
                const std::string& path, std::vector<Problem>* problems) {
  if (level == shape.dims.size()) {
    CheckScalar(v, shape, path, problems);
    return;
  }
  const size_t limit = static_cast<size_t>(shape.dims[level]);
  if (!v.is_array()) {
    problems->push_back({path, "expected an array of at most " +
                                   std::to_string(limit) + " entries, found " +
                                   JsonTypeName(v)});
    return;
  }
  if (v.size() > limit) {
    problems->push_back({path, "too many entries: " + std::to_string(v.size()) +
                                   ", at most " + std::to_string(limit)});
  }
  for (size_t i = 0; i < v.size() && i < limit; ++i) {
    CheckLevel(v[i], shape, level + 1, path + "[" + std::to_string(i) + "]",
               problems);
  }
}

}  // namespace

void CheckShape(const json& value, const FieldShape& shape,
                const std::string& path, std::vector<Problem>* problems) {
  CheckLevel(value, shape, 0, path, problems);
}

}  // namespace bendpost::documents
