// The control types of a setup (CPPSetup::GetControlType) that the driver
// knows. The host may give any int; a value not listed here is an unknown
// control: its dialog shows "B-and-R", it has no material table, no typing
// limits and no program file.
#ifndef BENDPOST_RECORDS_CONTROL_TYPE_H_
#define BENDPOST_RECORDS_CONTROL_TYPE_H_

namespace bendpost {

enum class ControlType : int {
  kEx = 0,         // "EX": long names, three material families
  kOperateur = 2,  // "Operateur"
  kBandR = 7,      // "BandR": the only control with a program file
};

// The host's value, which need not be a listed one.
constexpr ControlType ControlTypeOf(int value) {
  return static_cast<ControlType>(value);
}
constexpr int ControlTypeValue(ControlType type) {
  return static_cast<int>(type);
}

// "Operateur" and "BandR" share their conventions: tool names converted to
// the control's own (at most 6 characters), numbered materials, the inch
// hardness scale and no frame deflection term in the calculation.
constexpr bool IsOperateurFamily(ControlType type) {
  return type == ControlType::kOperateur || type == ControlType::kBandR;
}

// A control whose dialog has typing limits and a hardness range: the
// "Operateur" family and "EX".
constexpr bool IsKnownControl(ControlType type) {
  return IsOperateurFamily(type) || type == ControlType::kEx;
}

// The display name of a known control type; null for any other.
constexpr const char* KnownControlTypeName(ControlType type) {
  switch (type) {
    case ControlType::kEx:
      return "EX";
    case ControlType::kOperateur:
      return "Operateur";
    case ControlType::kBandR:
      return "BandR";
  }
  return nullptr;
}

}  // namespace bendpost

#endif  // BENDPOST_RECORDS_CONTROL_TYPE_H_
