#include "support/record_testing.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace bendpost::testing {
namespace {

// Field lists, in declaration order. STRINGS: CString fields. PLAIN: scalar
// fields with a plain setter. ARRAYS: fixed arrays with Get/Set through a
// pointer (element type, dimensions).

// clang-format off
#define STEP_STRINGS(X) \
  X(SetUpName)          \
  X(AuxFunc)
#define STEP_PLAIN(X)       \
  X(int, NumberInSquence)   \
  X(int, SetupIndex)        \
  X(int, BendType)          \
  X(int, ControlType)       \
  X(short, CycleNo)         \
  X(short, CoiningFlag)     \
  X(short, Mode)            \
  X(float, BendAngle)       \
  X(float, Y1)              \
  X(float, Y2)              \
  X(float, BendDeduction)   \
  X(float, TonnageValue)    \
  X(double, MaterialVPos)   \
  X(float, PinchPointValue) \
  X(short, FlagAutoCompen)  \
  X(short, BGRetractFlag)   \
  X(short, ReturnSpeed)     \
  X(float, DwellBG)         \
  X(float, DwellEndBend)    \
  X(float, Y1Compen)        \
  X(float, Y2Compen)        \
  X(float, X1Compen)        \
  X(float, X2Compen)        \
  X(float, R1Compen)        \
  X(float, R2Compen)        \
  X(float, Z1Compen)        \
  X(float, Z2Compen)        \
  X(float, AngleCompen)     \
  X(short, BendNoBGPos)     \
  X(short, FlagSheetMove)   \
  X(short, SequenceOrder)   \
  X(float, FlangeLength)
// Fields set only through a converting setter (value, unit).
#define STEP_CONVERTED(X) \
  X(StepValue)            \
  X(BendLength)           \
  X(ODC)                  \
  X(RetractStroke)        \
  X(Offset)               \
  X(BendingSpeed)
#define STEP_ARRAYS(X) \
  X(XX, double, [4])   \
  X(YY, double, [4])   \
  X(ZZ, double, [4])   \
  X(RayID, long, [6])
// ToolReverse (setter SetTollReverse) and ToolID are handled by hand.

#define TOOL_STRINGS(X) \
  X(ToolName)           \
  X(ToolType)           \
  X(Category)
#define TOOL_PLAIN(X)          \
  X(int, NumProfilePoint)      \
  X(double, ToolHeight)        \
  X(double, ToolRealHeight)    \
  X(double, ToolWidth)         \
  X(double, Edge2ForceLine)    \
  X(bool, Reverse)             \
  X(int, SmallorLarger)        \
  X(double, VWidth)            \
  X(double, Angle)             \
  X(double, Radius)            \
  X(int, Flag4Die)             \
  X(double, XAttachOffset)     \
  X(double, StepHeight)        \
  X(double, MaxThickness)      \
  X(double, MinThickness)      \
  X(int, FollowType)           \
  X(double, FollowAngle)       \
  X(double, BackAngle)         \
  X(double, FrontOffset)       \
  X(double, BgEdgeMoveIn)      \
  X(double, MidPointOffset)    \
  X(double, SecondFollowAngle) \
  X(double, TipRadius)         \
  X(double, TipOffset)         \
  X(double, VOffset)           \
  X(double, TipHeightOffset)   \
  X(double, TipAngle)          \
  X(double, VAngle)            \
  X(int, Sectional)            \
  X(float, PunchResistance)    \
  X(float, DieResistance)
#define TOOL_ARRAYS(X)             \
  X(Profile, double, [64][2])      \
  X(TipPoint, double, [2])         \
  X(PrmyAttachPoint, double, [2])  \
  X(SlaveAttachPoint, double, [2])

#define SETUP_STRINGS(X) \
  X(SetupName)           \
  X(MachineModel)        \
  X(UserMachineName)
#define SETUP_PLAIN(X)         \
  X(int, ControlType)          \
  X(int, SetupIndex)           \
  X(float, BendingCoefficient)
#define SETUP_ARRAYS(X)

#define MACHINE_STRINGS(X) \
  X(UserMachineName)       \
  X(MachineName)           \
  X(CtrlSystem)            \
  X(FingerType)            \
  X(ProtocolBoard)
#define MACHINE_PLAIN(X)       \
  X(int, CylinderNumber)       \
  X(bool, LengthUnit)          \
  X(double, Tonnage)           \
  X(double, MinTonnage)        \
  X(double, FrameTightness)    \
  X(double, OriginPressure)    \
  X(double, MaxPressure)       \
  X(double, MaxBendingLength)  \
  X(double, MaxStrokeHeight)   \
  X(double, OpenHeight)        \
  X(double, SignificantHeight) \
  X(double, LowerBeamHeight)   \
  X(double, MainBeamSpan)      \
  X(double, SignifcantSpan)    \
  X(double, MainBodyDepth)     \
  X(int, BlockInUpBeam)        \
  X(int, BlockInLowBeam)       \
  X(bool, clampAtCerter)       \
  X(double, ClampLength)       \
  X(double, ClampPitch)        \
  X(double, DefaultPHLLength)  \
  X(double, DefaultPHLPitch)   \
  X(int, NumPHLPoint)          \
  X(int, NumClampPoint)
#define MACHINE_ARRAYS(X)                            \
  X(ExtrusionVectorBlockOfUpBeam, float, [32][3])    \
  X(ExtrusionVectorBlockOfLowerBeam, float, [32][3]) \
  X(UpBeamProfile, double, [32][64][3])              \
  X(NumUpBeamPoint, int, [32])                       \
  X(LowBeamProfile, double, [32][64][3])             \
  X(NumLowerBeamPoint, int, [32])                    \
  X(UpBeamAttach, double, [2])                       \
  X(LowBeamAttach, double, [2])                      \
  X(PHLProfile, double, [64][2])                     \
  X(PHLTopAttach, double, [2])                       \
  X(PHLPunchAttach, double, [2][2])                  \
  X(PHLClampAttach, double, [2][2])                  \
  X(ClampProfile, double, [64][2])                   \
  X(ClampAttach, double, [2])

#define BGAUGE_STRINGS(X) \
  X(ControlSystem)        \
  X(FingerType)
#define BGAUGE_PLAIN(X)        \
  X(int, Num)                  \
  X(int, NumberOfAxis)         \
  X(int, AdjustmentMethod)     \
  X(int, LengthUnit)           \
  X(double, FingerWidth)       \
  X(double, FingerThickness)   \
  X(double, FingerVLower)      \
  X(double, FingerVUpper)      \
  X(int, FingerAdjustLocation) \
  X(int, FingerAdjustHeight)   \
  X(double, FingerContactMin)  \
  X(double, YRangeMin)         \
  X(double, YRangeMax)         \
  X(double, ZRangeMin)         \
  X(double, ZRangeMax)         \
  X(int, NumBodyPoint)         \
  X(int, NumFingerPoint)       \
  X(int, NumMotorPoint)
// FingerHLeft and FingerHRight have integer setters: handled by hand.
#define BGAUGE_ARRAYS(X)            \
  X(BodyProfile, double, [64][3])   \
  X(BodyDir, double, [3])           \
  X(FingerProfile, double, [64][3]) \
  X(FingerDir, double, [3])         \
  X(MotorProfile, double, [64][3])  \
  X(MotorDir, double, [3])
// clang-format on

// Fills every element of a (possibly multi-dimensional) array with non-zero
// values that depend on `base` and the position.
template <typename Array>
void FillPattern(Array& array, int base) {
  using Element = std::remove_all_extents_t<Array>;
  Element* flat = reinterpret_cast<Element*>(&array);
  const size_t count = sizeof(Array) / sizeof(Element);
  for (size_t i = 0; i < count; ++i) {
    if constexpr (std::is_same_v<Element, bool>) {
      flat[i] = true;
    } else if constexpr (std::is_same_v<Element, char>) {
      flat[i] = static_cast<char>('A' + (base + i) % 26);
    } else {
      flat[i] = static_cast<Element>(base * 10000 + static_cast<int>(i) + 1);
    }
  }
}

template <typename Array>
bool AllZero(const Array& array) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&array);
  for (size_t i = 0; i < sizeof(Array); ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

// A value for the k-th scalar field: distinct per field and seed, never 0.
template <typename T>
T ScalarValue(int seed, int k) {
  if constexpr (std::is_same_v<T, bool>) {
    return true;  // callers invert bools whose default is true
  } else {
    return static_cast<T>(seed * 100 + k + 1);
  }
}

#define FILL_STRING(F) record.Set##F(CString(#F "-") + CString(seed_text));
#define FILL_PLAIN(T, F)                      \
  if constexpr (std::is_same_v<T, bool>) {    \
    record.Set##F(!record.Get##F());          \
  } else {                                    \
    record.Set##F(ScalarValue<T>(seed, k++)); \
  }
#define FILL_ARRAY(F, T, DIMS) \
  {                            \
    T values DIMS;             \
    FillPattern(values, seed); \
    record.Set##F(values);     \
  }

#define DIFF_STRING(F) \
  if (a.Get##F() != b.Get##F()) out.push_back(#F);
#define DIFF_PLAIN(T, F) \
  if (a.Get##F() != b.Get##F()) out.push_back(#F);
#define DIFF_ARRAY(F, T, DIMS)                                  \
  {                                                             \
    T va DIMS = {};                                             \
    T vb DIMS = {};                                             \
    a.Get##F(va);                                               \
    b.Get##F(vb);                                               \
    if (std::memcmp(va, vb, sizeof va) != 0) out.push_back(#F); \
  }

#define NONZERO_STRING(F) \
  if (!r.Get##F().IsEmpty()) out.push_back(#F);
#define NONZERO_PLAIN(T, F) \
  if (r.Get##F() != T{}) out.push_back(#F);
#define NONZERO_ARRAY(F, T, DIMS)       \
  {                                     \
    T v DIMS = {};                      \
    r.Get##F(v);                        \
    if (!AllZero(v)) out.push_back(#F); \
  }

CString SeedText(int seed) {
  CString text;
  text.Format("%d", seed);
  return text;
}

}  // namespace

// ---- CPPStepInfo

void FillEveryField(CPPStepInfo& record, int seed) {
  const CString seed_text = SeedText(seed);
  int k = 10;  // BendType gets a value above 6, so it changes no other field
  STEP_STRINGS(FILL_STRING)
  STEP_PLAIN(FILL_PLAIN)
  STEP_ARRAYS(FILL_ARRAY)
  // Whole millimetres pass every converting setter unchanged.
  const float whole = static_cast<float>(seed * 100 + 90);
  record.SetStepValue(whole + 1, 0);
  record.SetBendLength(whole + 2, 0);
  record.SetODC(whole + 3, 0);
  record.SetRetractStroke(whole + 4, 0);
  record.SetOffset(whole + 5, 0);
  record.SetBendingSpeed(whole + 6, 0);  // ControlType is not 0 here
  bool reverse[6];
  FillPattern(reverse, seed);
  record.SetTollReverse(reverse);
  char ids[6][32] = {};
  for (int i = 0; i < 6; ++i) {
    std::snprintf(ids[i], sizeof ids[i], "TOOL-%d-%d", seed, i);
  }
  record.SetToolID(ids);
}

std::vector<std::string> DifferingFields(CPPStepInfo& a, CPPStepInfo& b) {
  std::vector<std::string> out;
  STEP_STRINGS(DIFF_STRING)
  STEP_PLAIN(DIFF_PLAIN)
#define DIFF_CONVERTED(F) DIFF_PLAIN(_, F)
  STEP_CONVERTED(DIFF_CONVERTED)
  STEP_ARRAYS(DIFF_ARRAY)
  DIFF_ARRAY(ToolReverse, bool, [6])
  DIFF_ARRAY(ToolID, char, [6][32])
  return out;
}

std::vector<std::string> NonZeroFields(CPPStepInfo& r) {
  std::vector<std::string> out;
  STEP_STRINGS(NONZERO_STRING)
  STEP_PLAIN(NONZERO_PLAIN)
#define NONZERO_CONVERTED(F) \
  if (r.Get##F() != 0) out.push_back(#F);
  STEP_CONVERTED(NONZERO_CONVERTED)
  STEP_ARRAYS(NONZERO_ARRAY)
  NONZERO_ARRAY(ToolReverse, bool, [6])
  NONZERO_ARRAY(ToolID, char, [6][32])
  return out;
}

// ---- CPPTool, CPPSetup, CPPMachine

// clang-format off
#define RECORD_HELPERS(Type, PREFIX)                            \
  void FillEveryField(Type& record, int seed) {                 \
    const CString seed_text = SeedText(seed);                   \
    [[maybe_unused]] int k = 0;                                 \
    PREFIX##_STRINGS(FILL_STRING)                               \
    PREFIX##_PLAIN(FILL_PLAIN)                                  \
    PREFIX##_ARRAYS(FILL_ARRAY)                                 \
  }                                                             \
  std::vector<std::string> DifferingFields(Type& a, Type& b) {  \
    std::vector<std::string> out;                               \
    PREFIX##_STRINGS(DIFF_STRING)                               \
    PREFIX##_PLAIN(DIFF_PLAIN)                                  \
    PREFIX##_ARRAYS(DIFF_ARRAY)                                 \
    return out;                                                 \
  }                                                             \
  std::vector<std::string> NonZeroFields(Type& r) {             \
    std::vector<std::string> out;                               \
    PREFIX##_STRINGS(NONZERO_STRING)                            \
    PREFIX##_PLAIN(NONZERO_PLAIN)                               \
    PREFIX##_ARRAYS(NONZERO_ARRAY)                              \
    return out;                                                 \
  }
// clang-format on

RECORD_HELPERS(CPPTool, TOOL)
RECORD_HELPERS(CPPSetup, SETUP)
RECORD_HELPERS(CPPMachine, MACHINE)

// ---- CPPBGauge (two integer setters)

void FillEveryField(CPPBGauge& record, int seed) {
  const CString seed_text = SeedText(seed);
  int k = 0;
  BGAUGE_STRINGS(FILL_STRING)
  BGAUGE_PLAIN(FILL_PLAIN)
  BGAUGE_ARRAYS(FILL_ARRAY)
  record.SetFingerHLeft(seed * 100 + 98);
  record.SetFingerHRight(seed * 100 + 99);
}

std::vector<std::string> DifferingFields(CPPBGauge& a, CPPBGauge& b) {
  std::vector<std::string> out;
  BGAUGE_STRINGS(DIFF_STRING)
  BGAUGE_PLAIN(DIFF_PLAIN)
  DIFF_PLAIN(double, FingerHLeft)
  DIFF_PLAIN(double, FingerHRight)
  BGAUGE_ARRAYS(DIFF_ARRAY)
  return out;
}

std::vector<std::string> NonZeroFields(CPPBGauge& r) {
  std::vector<std::string> out;
  BGAUGE_STRINGS(NONZERO_STRING)
  BGAUGE_PLAIN(NONZERO_PLAIN)
  NONZERO_PLAIN(double, FingerHLeft)
  NONZERO_PLAIN(double, FingerHRight)
  BGAUGE_ARRAYS(NONZERO_ARRAY)
  return out;
}

}  // namespace bendpost::testing
