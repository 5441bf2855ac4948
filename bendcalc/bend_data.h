// The inputs and outputs of one step's bend data calculation.
//
// BendMaterialData and BendMachineData are blocks of eight 32-bit floats in a
// fixed order. The driver fills them by name from the job's records; a
// command-line host reads them as arrays of eight numbers, so both forms
// convert into each other in that order.
#ifndef BENDPOST_BENDCALC_BEND_DATA_H_
#define BENDPOST_BENDCALC_BEND_DATA_H_

#include <array>
#include <cstdint>
#include <type_traits>

namespace bendpost {

// Material, die and step values of one step.
struct BendMaterialData {
  static constexpr int kFieldCount = 8;

  float MaterialNumber = 0;   // 0 to 4; selects the material data file
  float Thickness = 0;        // T, millimetres
  float VWidth = 0;           // V, die V width, millimetres
  float DieAngle = 0;         // Ad, degrees
  float DieRadius = 0;        // Rd, millimetres
  float BendLength = 0;       // Lm, metres (the step's length x 0.001)
  float TensileStrength = 0;  // sigma (the program's hardness)
  float BendAngle = 0;        // alpha, degrees

  // Fields in the order above.
  static BendMaterialData FromArray(const float (&values)[kFieldCount]) {
    BendMaterialData d;
    d.MaterialNumber = values[0];
    d.Thickness = values[1];
    d.VWidth = values[2];
    d.DieAngle = values[3];
    d.DieRadius = values[4];
    d.BendLength = values[5];
    d.TensileStrength = values[6];
    d.BendAngle = values[7];
    return d;
  }
  void ToArray(float (&values)[kFieldCount]) const {
    values[0] = MaterialNumber;
    values[1] = Thickness;
    values[2] = VWidth;
    values[3] = DieAngle;
    values[4] = DieRadius;
    values[5] = BendLength;
    values[6] = TensileStrength;
    values[7] = BendAngle;
  }
};

// Machine, setup and tool limits of one step. Forces are on the scale of the
// machine's tonnage x 10.
struct BendMachineData {
  static constexpr int kFieldCount = 8;

  float FrameFlag = 0;           // exactly 1 adds the frame term to the depth
  float FrameTightness = 0;      // Ft
  float MaxTonnage = 0;          // Tmax, machine tonnage x 10
  float MinTonnage = 0;          // Tmin, machine minimum tonnage x 10
  float MaxBendingLength = 0;    // Lmax, millimetres
  float BendingCoefficient = 0;  // Cb, from the setup
  float PunchLimit = 0;          // Pp, punch resistance x 10
  float DieLimit = 0;            // Pd, die resistance x 10

  // Fields in the order above.
  static BendMachineData FromArray(const float (&values)[kFieldCount]) {
    BendMachineData d;
    d.FrameFlag = values[0];
    d.FrameTightness = values[1];
    d.MaxTonnage = values[2];
    d.MinTonnage = values[3];
    d.MaxBendingLength = values[4];
    d.BendingCoefficient = values[5];
    d.PunchLimit = values[6];
    d.DieLimit = values[7];
    return d;
  }
  void ToArray(float (&values)[kFieldCount]) const {
    values[0] = FrameFlag;
    values[1] = FrameTightness;
    values[2] = MaxTonnage;
    values[3] = MinTonnage;
    values[4] = MaxBendingLength;
    values[5] = BendingCoefficient;
    values[6] = PunchLimit;
    values[7] = DieLimit;
  }
};

struct BendResult {
  float Depth = 0;  // ram depth, millimetres
  float Force = 0;  // bending force, tonnage x 10
  // The inner radius the depth was computed with (D'), millimetres; 0 when
  // the calculation stopped before it. Not part of any file: for hosts
  // that chart the calculation.
  float InnerRadius = 0;
};

// Warning codes the calculation sets (one slot; the last one set wins).
// Unscoped with a 32-bit base: the codes go into WarningCodes' ints as they
// are.
enum BendWarningCode : int32_t {
  kWarningMaterialNumber = 3,  // material number not 1..4
  kWarningMaterialFile = 10,   // material file missing/bad
  kWarningElongation = 22,     // elongation above 50 %
  kWarningOpeningSmall = 23,   // V/T below 4 (or V <= 0)
  kWarningOpeningLarge = 24,   // V/T above 20
  kWarningBelowMinTonnage = 51,
  kWarningAboveMaxTonnage = 52,
  kWarningAbovePunchLimit = 53,
  kWarningAboveDieLimit = 54,
  // The depth or the force came out as no finite number (both were set to
  // 0), or the tonnage after the off-centre correction did. Replaces any
  // code set before: the limits it names were judged on a broken value.
  // Only shown; no file holds a warning code.
  kWarningNotCalculated = 60,
};

// One step's warning codes; the calculation writes element 0 only, the
// warning text scans all of them. The elements are plain ints so that the
// array hands itself to code taking `const int[16]`.
static_assert(std::is_same_v<int32_t, int>, "warning codes are 32-bit ints");
using WarningCodes = std::array<int32_t, 16>;

}  // namespace bendpost

#endif  // BENDPOST_BENDCALC_BEND_DATA_H_
