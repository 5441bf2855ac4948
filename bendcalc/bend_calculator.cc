#include "bendcalc/bend_calculator.h"

#include <cmath>
#include <limits>
#include <string>

#include "base/numeric.h"
#include "bendcalc/material_file.h"
#include "bendcalc/power_of_ten.h"
#include "platform/file.h"
#include "platform/path.h"

namespace bendpost {
namespace {

// The driver's pi and its degrees-to-radians factor (3.14159 / 180 as a
// double, 0.017453277777777776).
constexpr long double kPi = 3.14159;
constexpr long double kDegToRad = 3.14159 / 180.0;

// The V/T range without an opening warning.
constexpr long double kMinRatio = 4;
constexpr long double kMaxRatio = 20;

// Bend angles that are calculated; above kGeometryMaxAngle the bend zone
// check is skipped.
constexpr float kMinBendAngle = 20;
constexpr float kMaxBendAngle = 180;
constexpr float kGeometryMaxAngle = 175;

// Air bending force factor by V/T ratio (32-bit floats).
constexpr int kForcePoints = 11;
constexpr float kForceRatios[kForcePoints] = {
    2.5f, 5.0f, 6.2f, 7.5f, 8.75f, 10.0f, 12.5f, 15.0f, 20.0f, 25.0f, 30.0f};
constexpr float kForceFactors[kForcePoints] = {
    1.59f, 1.44f, 1.4f, 1.34f, 1.3f, 1.27f, 1.23f, 1.21f, 1.19f, 1.18f, 1.165f};

// The force's unit factor 0.0001, as a 32-bit float.
constexpr long double kForceScaleF32 = 0.0001f;

// Decimal constants of the computation: the doubles nearest to their text,
// held as long double so that every product stays in extended precision.
constexpr long double kForceMargin = 1.3;        // force = 1.3 F0
constexpr long double kDieAngleSlope = 0.1;      // die angle factor per degree
constexpr long double kDieAngleTolerance = 0.5;  // degrees
constexpr long double kMaxLengthRatio = 0.6;     // bend length / machine length
constexpr long double kP4 = 0.091, kP3 = 0.696, kP1 = 0.619, kP0 = 0.04;
constexpr long double kCoefficientScale = 0.01;
constexpr long double kBalanceTolerance = 0.001;
constexpr long double kMaxElongation = 50;  // percent

// Which model evaluation a model's type selects; no model gives `none`.
float EvaluateByType(const MaterialModel& model, float angle, float v_width,
                     float thickness, float none) {
  switch (model.ModelType) {
    case MaterialModel::kPolynomial:
      return EvaluatePolynomialModel(model, angle, v_width, thickness);
    case MaterialModel::kTable:
      return EvaluateTableModel(model, angle, v_width, thickness);
    default:
      return none;
  }
}

}  // namespace

long double DegreesToRadians(long double degrees) {
  return degrees * kDegToRad;
}

long double ForceFactor(long double ratio) {
  // Outside the table the factor of its nearer end holds; no extrapolation
  // (such a ratio already carries its die opening warning).
  if (ratio < kForceRatios[0]) return kForceFactors[0];
  if (ratio >= kForceRatios[kForcePoints - 1])
    return kForceFactors[kForcePoints - 1];
  for (int k = 0; k + 1 < kForcePoints; ++k) {
    if (ratio < kForceRatios[k + 1]) {
      const long double r0 = kForceRatios[k], r1 = kForceRatios[k + 1];
      const long double c0 = kForceFactors[k], c1 = kForceFactors[k + 1];
      return c0 + (ratio - r0) * (c1 - c0) / (r1 - r0);
    }
  }
  return std::numeric_limits<long double>::quiet_NaN();  // a NaN ratio
}

float DieHalfWidth(float v_width, float die_angle, float die_radius) {
  return RoundToF32(static_cast<long double>(v_width) / 2 +
                    die_radius * std::tan((180.0L - die_angle) * kPi / 720));
}

long double PunchTravel(float half_width, float thickness, float die_radius,
                        float load_angle) {
  if (load_angle == 180) return 0;
  const long double half = DegreesToRadians(load_angle / 2.0L);
  return half_width / std::tan(half) +
         (1 - 1 / std::sin(half)) *
             (static_cast<long double>(thickness) + die_radius);
}

namespace {

// The bend zone of BendGeometry: its dimensions (rounded to 32 bits where the
// calculation rounds them), the radius it used and the last of the checks
// 1..5 that failed (0: none).
struct BendZone {
  float rho = 0;
  float beta = 0, co = 0, si = 0, m = 0;
  long double cos_beta = 0, sin_beta = 0;
  float u = 0, w = 0, b = 0, h = 0;
  int status = 0;
};

BendZone ZoneOf(float rho, float k, float alpha) {
  BendZone z;
  z.beta = RoundToF32(DegreesToRadians((180.0L - alpha) / 2));
  // cos and sin of beta in full, taken once: the zone uses them rounded to
  // 32 bits, the elongation below unrounded.
  z.cos_beta = std::cos(static_cast<long double>(z.beta));
  z.sin_beta = std::sin(static_cast<long double>(z.beta));
  const float co = z.co = RoundToF32(z.cos_beta);
  z.si = RoundToF32(z.sin_beta);
  const long double bco = static_cast<long double>(z.beta) * co;
  const float m = z.m = RoundToF32(bco / (z.si - bco));

  const long double kr = static_cast<long double>(k) / rho;
  long double t = 1 - kr * kr * m;
  if (t < 0) {
    z.status = 1;
    rho = RoundToF32(std::sqrt(static_cast<long double>(m)) * k);
    t = 0;
  }
  z.rho = rho;
  const long double one_minus_k = 1.0L - k;

  const float u = z.u = RoundToF32((1 - std::sqrt(t)) * rho / co);
  if (u < 0) z.status = 2;
  const float w = z.w = RoundToF32(rho - static_cast<long double>(u) * co + k);
  if (w < 0) z.status = 3;
  const long double a = w / one_minus_k;
  const long double o = m / ((a + 1) * (a + 1)) + 1;
  if (a < 0 || o < 0) z.status = 4;
  const float b = z.b = RoundToF32((std::sqrt(o) - 1) * (1 / a + 1) * w / co);
  const float h = z.h =
      RoundToF32(w + one_minus_k + static_cast<long double>(b) * co);
  if (h < 0 || b < 0) z.status = 5;
  return z;
}

// The last of the balance checks 6..8 that fails for the zone (0: none).
int BalanceStatus(const BendZone& z) {
  int status = 0;
  const float rho = z.rho, beta = z.beta, co = z.co, si = z.si;
  const float u = z.u, w = z.w, b = z.b, h = z.h;
  // Area balance of the bend zone.
  const long double bu = static_cast<long double>(b) - u;
  const long double area_left =
      static_cast<long double>(beta) * w + static_cast<long double>(b) * si;
  const long double area_right =
      (static_cast<long double>(h) * h - static_cast<long double>(rho) * rho) *
          beta / 2 -
      rho * bu * si - bu * bu * si * co / 2;
  if (std::fabs(area_left - area_right) > kBalanceTolerance) status = 6;

  // From here the unrounded cos and sin of beta, not co and si.
  const float pc = RoundToF32((rho + 1.0L - h) * (1 - z.cos_beta) / z.cos_beta);

  // Elongation of the outer fibre in percent.
  const long double p = b * z.sin_beta + static_cast<long double>(beta) * w;
  const long double e = (static_cast<long double>(beta) * h - p) / p * 100;
  if (e > kMaxElongation) status = 7;

  // Length balance.
  const long double r1 = (static_cast<long double>(u) - rho - b + h) - 1;
  const long double f1 = (static_cast<long double>(u) + w - rho) +
                         (static_cast<long double>(h) - b - w) - 1;
  if (std::fabs(f1 - r1) + std::fabs(pc - r1) + std::fabs(f1 - pc) >
      kBalanceTolerance)
    status = 8;
  return status;
}

}  // namespace

BendGeometryResult BendGeometry(float rho, float k, float alpha) {
  BendGeometryResult out;
  out.rho = rho;
  if (alpha > kGeometryMaxAngle) return out;
  const BendZone zone = ZoneOf(rho, k, alpha);
  const int balance = BalanceStatus(zone);
  out.status = balance != 0 ? balance : zone.status;
  out.rho = zone.rho;
  return out;
}

BendCalculator::BendCalculator(FileSystem& files, CString dataPath)
    : files_(files) {
  // Each name is the data folder, the platform's path separator and
  // "f_1".."f_4", without extension. The separator is "\" on Windows,
  // which gives exactly DataPath + "\f_1"; on POSIX systems "\" is an
  // ordinary file name byte, so "/" is used there to find the files in the
  // folder DataPath names. No length limit applies.
  for (int i = 0; i < kMaterialFileCount; ++i) {
    file_names_[i] =
        dataPath + PathSeparator() + CString(("f_" + std::to_string(i + 1)));
  }
}

BendCalculator::~BendCalculator() = default;

const CString& BendCalculator::FileName(int material) const {
  static const CString kNone;
  if (material < 1 || material > kMaterialFileCount) return kNone;
  return file_names_[material - 1];
}

bool BendCalculator::Load(float material_number, int32_t* warning) {
  const int32_t n = TruncToInt32(material_number);
  if (n == 0) return false;
  if (n == loaded_material_) return true;
  if (n < 1 || n > kMaterialFileCount) {
    *warning = kWarningMaterialNumber;
    return false;
  }
  const std::string& path = file_names_[n - 1].str();
  // A file that is missing or cannot be read, is shorter than its blocks
  // say or has a bad term count counts as missing; the models loaded
  // before stay.
  std::string bytes;
  MaterialModelSet models{};
  if (!ReadWholeFile(files_, path, &bytes).ok() ||
      !ParseMaterialFile(bytes, &models).ok()) {
    *warning = kWarningMaterialFile;
    return false;
  }
  models_ = models;
  loaded_material_ = n;
  return true;
}

namespace {

// The die opening V against the thickness T: warns when V/T is outside
// 4..20. False stops the calculation: a thickness of 0 (no warning), or no
// die (V <= 0, warned as too small an opening), where nothing below has a
// meaning.
bool CheckDieOpening(float T, float V, long double* ratio, int32_t* warning) {
  if (T == 0) return false;
  *ratio = static_cast<long double>(V) / T;
  if (!(*ratio >= kMinRatio)) *warning = kWarningOpeningSmall;
  if (*ratio > kMaxRatio) *warning = kWarningOpeningLarge;
  if (V <= 0) {
    *warning = kWarningOpeningSmall;
    return false;
  }
  return true;
}

// Air bending force estimate F0 (32-bit) from the tensile strength, the
// bend length, the force factor of V/T, T^2 / V, in the force's unit; each
// factor applied in turn in extended precision.
float AirBendingForce(const BendMaterialData& material, long double ratio) {
  const float T = material.Thickness;
  long double f0 = 10.0L * material.TensileStrength;
  f0 *= 1000.0L * material.BendLength;
  f0 *= ForceFactor(ratio);
  f0 *= T;
  f0 *= T;
  f0 /= material.VWidth;
  f0 *= kForceScaleF32;
  return RoundToF32(f0);
}

// The relative inner radius (inner radius / T, 32-bit) by the inner radius
// model: a polynomial gives log10 of the radius in thicknesses, a table the
// radius in thicknesses per (1 / sin(alpha / 2) - 1); a table at 180
// degrees, where that term is 0, gives 50 thicknesses. No model gives 0.
float RelativeInnerRadius(const MaterialModel& inner, float alpha, float V,
                          float T) {
  const float K1 = RoundToF32(1 / std::sin(DegreesToRadians(alpha / 2.0L)) - 1);
  long double D = 0;
  if (inner.ModelType == MaterialModel::kPolynomial) {
    const float m3 = EvaluatePolynomialModel(inner, alpha, V, T);
    D = PowerOfTen(static_cast<long double>(m3)) * T;
  } else if (inner.ModelType == MaterialModel::kTable) {
    const float m3 = EvaluateTableModel(inner, alpha, V, T);
    D = K1 == 0 ? 50.0L * T : static_cast<long double>(m3) * T / K1;
  }
  return RoundToF32(D / T);
}

// The inner radius the depth correction works with: rho x T, or 50 x T for
// a flat bend (180 degrees).
float CorrectionRadius(float rho, float alpha, float T) {
  if (alpha == 180) return RoundToF32(50.0L * T);
  return RoundToF32(static_cast<long double>(rho) * T);
}

// The depth correction y: a polynomial model at the bend angle (at most 1)
// times the correction radius and 1 / sin(theta / 2) - 1; a table model at
// the load angle theta times T. No model gives 0.
float DepthCorrection(const MaterialModel& correction, float alpha, float theta,
                      float V, float T, float radius) {
  const float K2 = RoundToF32(1 / std::sin(DegreesToRadians(theta / 2.0L)) - 1);
  if (correction.ModelType == MaterialModel::kPolynomial) {
    float m4 = EvaluatePolynomialModel(correction, alpha, V, T);
    if (m4 > 1) m4 = 1;
    return RoundToF32(static_cast<long double>(m4) * radius * K2);
  }
  if (correction.ModelType == MaterialModel::kTable) {
    const float m4 = EvaluateTableModel(correction, theta, V, T);
    return RoundToF32(static_cast<long double>(m4) * T);
  }
  return 0;
}

// The die angle factor: 1.3, or for a load angle at or below the die angle
// (within half a degree) 1.3 plus 0.1 per degree beyond it, which then
// multiplies `force` (a load angle above the die angle leaves the force).
long double ApplyDieAngleFactor(float theta, float die_angle, float* force) {
  if (!(theta - kDieAngleTolerance <= die_angle)) return kForceMargin;
  const long double f =
      (static_cast<long double>(die_angle) - theta + kDieAngleTolerance) *
          kDieAngleSlope +
      kForceMargin;
  *force = RoundToF32(*force * f);
  return f;
}

// The depth Y plus the bending coefficient term (ram deflection over the
// bend length), from the line load of `force` (the die angle factor times
// F0) over the bend length in millimetres. A zero tonnage, maximum length or
// bend length leaves nothing to divide by: the term is 0.
float WithBendingCoefficientTerm(float Y, long double force,
                                 float bend_length_m,
                                 const BendMachineData& machine) {
  const float Tmax = machine.MaxTonnage;
  const float Lmax = machine.MaxBendingLength;
  const float L = RoundToF32(1000.0L * bend_length_m);
  const long double tonnage_per_length = static_cast<long double>(Tmax) / Lmax;
  if (L == 0 || Lmax == 0 || tonnage_per_length == 0) return Y;
  long double q = force * 10 / L;
  if (q > Tmax) q = Tmax;
  long double lambda = static_cast<long double>(L) / Lmax;
  if (lambda > kMaxLengthRatio) lambda = kMaxLengthRatio;
  const float u = RoundToF32(lambda * lambda);
  const long double P = ((kP4 * u + kP3) * u * u + kP1) * u + kP0;
  const long double rho_l = q / tonnage_per_length;
  return RoundToF32(Y + P * rho_l * rho_l * machine.BendingCoefficient *
                            kCoefficientScale);
}

// The force in tonnage x 10, then held within the punch's and the die's
// limit (per metre of bend length) and the machine's tonnage range, each
// limit that bites setting its warning. Below the machine's minimum the
// force is raised to it and no further limit is looked at.
void ApplyForceLimits(float bend_length_m, const BendMachineData& machine,
                      BendResult& result, int32_t* warning) {
  result.Force = RoundToF32(result.Force * 10.0L);
  const long double punch_limit =
      static_cast<long double>(bend_length_m) * machine.PunchLimit;
  const long double die_limit =
      static_cast<long double>(bend_length_m) * machine.DieLimit;
  if (result.Force > punch_limit) {
    *warning = kWarningAbovePunchLimit;
    result.Force = RoundToF32(punch_limit);
  }
  if (die_limit < result.Force) {
    *warning = kWarningAboveDieLimit;
    result.Force = RoundToF32(die_limit);
  }
  if (result.Force < machine.MinTonnage) {
    *warning = kWarningBelowMinTonnage;
    result.Force = machine.MinTonnage;
    return;
  }
  if (result.Force > machine.MaxTonnage) {
    *warning = kWarningAboveMaxTonnage;
    result.Force = machine.MaxTonnage;
  }
}

}  // namespace

void BendCalculator::Calculate(const BendMaterialData& material,
                               const BendMachineData& machine,
                               BendResult& result, WarningCodes& warnings) {
  warnings[0] = 0;
  result.Depth = 0;
  result.Force = 0;
  result.InnerRadius = 0;
  Compute(material, machine, result, &warnings[0]);
  if (!std::isfinite(result.Depth) || !std::isfinite(result.Force)) {
    result.Depth = 0;
    result.Force = 0;
    warnings[0] = kWarningNotCalculated;
  }
}

void BendCalculator::Compute(const BendMaterialData& material,
                             const BendMachineData& machine, BendResult& result,
                             int32_t* warning) {
  if (!Load(material.MaterialNumber, warning)) return;
  const float T = material.Thickness;
  const float V = material.VWidth;
  long double ratio = 0;
  if (!CheckDieOpening(T, V, &ratio, warning)) return;

  const float F0 = AirBendingForce(material, ratio);
  result.Force = RoundToF32(kForceMargin * F0);
  const float W = DieHalfWidth(V, material.DieAngle, material.DieRadius);

  // Bend angles outside 20..180 are not calculated further.
  const float alpha = material.BendAngle;
  if (alpha < kMinBendAngle || alpha > kMaxBendAngle) return;

  // The models at the bend angle: springback, neutral factor and the
  // relative inner radius, which the bend zone check may replace.
  const float springback =
      EvaluatePolynomialModel(models_[kSpringback], alpha, V, T);
  const float neutral =
      EvaluateByType(models_[kNeutralFactor], alpha, V, T, /*none=*/0);
  const BendGeometryResult geometry = BendGeometry(
      RelativeInnerRadius(models_[kInnerRadius], alpha, V, T), neutral, alpha);
  if (geometry.status == 7) *warning = kWarningElongation;

  // The punch travels to the load angle (the bend angle less the
  // springback), less the depth correction.
  const float theta = RoundToF32(static_cast<long double>(alpha) - springback);
  result.InnerRadius = CorrectionRadius(geometry.rho, alpha, T);
  const float y = DepthCorrection(models_[kDepthCorrection], alpha, theta, V, T,
                                  result.InnerRadius);
  float Y = RoundToF32(PunchTravel(W, T, material.DieRadius, theta) - y);

  const long double f =
      ApplyDieAngleFactor(theta, material.DieAngle, &result.Force);
  if (machine.FrameFlag == 1) {
    // Frame deflection under the force.
    Y = RoundToF32(Y + static_cast<long double>(machine.FrameTightness) *
                           result.Force * 10);
  }
  result.Depth =
      WithBendingCoefficientTerm(Y, f * F0, material.BendLength, machine);
  ApplyForceLimits(material.BendLength, machine, result, warning);
}

}  // namespace bendpost
