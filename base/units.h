// Length units of a job and the conversions between them.
//
// The host gives the job's unit as an int: exactly 1 is inch, every other
// value millimetre. The driver works in millimetres; inch values are
// converted where they enter (the record setters, SetMaterial_*) and the
// program dialog shows the thickness and hardness on the inch scales.
//
// Every conversion keeps its own rounding: some multiply in double
// precision and narrow the product to a 32-bit float, the step setters
// multiply by the float nearest 25.4. The constants here are the factors;
// the callers keep their arithmetic order, which the written bytes depend
// on.
#ifndef BENDPOST_BASE_UNITS_H_
#define BENDPOST_BASE_UNITS_H_

namespace bendpost {

enum class LengthUnit { kMillimetre, kInch };

// The unit of the host's unit value.
constexpr LengthUnit LengthUnitOf(int unit) {
  return unit == 1 ? LengthUnit::kInch : LengthUnit::kMillimetre;
}
constexpr bool IsInchUnit(int unit) {
  return LengthUnitOf(unit) == LengthUnit::kInch;
}

// Millimetres in one inch, and inches in one millimetre (the double
// nearest 1 / 25.4, as the dialog multiplies by it).
inline constexpr double kMillimetresPerInch = 25.4;
// The 32-bit float nearest 25.4 (25.399999618530273), the factor of the
// step setters (records/step_info.cc).
inline constexpr float kMillimetresPerInchFloat = 25.4f;
inline constexpr double kInchesPerMillimetre = 0.03937007874015748;

// The hardness scale of the "Operateur" and "BandR" controls in an inch job
// runs 1..1446 instead of 1..1000: the dialog shows a millimetre hardness
// times kInchHardnessFactor, the record file writer maps it back with
// kInchHardnessToControl (the double nearest 1000 / 1446).
inline constexpr double kInchHardnessFactor = 1.446;
inline constexpr double kInchHardnessToControl = 0.6915629322268326;
inline constexpr float kMaxInchHardness = 1446.0f;
inline constexpr float kMaxHardness = 1000.0f;

// Thickness in millimetres: x 25.4 in double precision, then stored as a
// 32-bit float, when `unit` is inch; unchanged otherwise.
inline float ThicknessInMillimetres(float thickness, int unit) {
  if (!IsInchUnit(unit)) return thickness;
  return static_cast<float>(static_cast<double>(thickness) *
                            kMillimetresPerInch);
}

}  // namespace bendpost

#endif  // BENDPOST_BASE_UNITS_H_
