#include "generation/step_bend_data.h"

#include <cmath>

#include "base/numeric.h"
#include "bendcalc/bend_calculator.h"

namespace bendpost {
namespace {

// The tonnage of a bend at `offset` millimetres from the centre of a
// machine of `max_bending_length`: scaled by (L + s) / L with s twice the
// offset, cut to a whole number and taken without sign, formed in extended
// precision. A bend at the centre (s = 0) keeps its tonnage.
float OffCentreTonnage(float tonnage, float offset, double max_bending_length) {
  const long double s =
      std::fabs(static_cast<long double>(TruncToInt32(2.0L * offset)));
  const long double length = max_bending_length;
  return static_cast<float>(static_cast<long double>(tonnage) * (length + s) /
                            length);
}

}  // namespace

StepBendData CalculateStepBendData(FileSystem& files, const CString& data_path,
                                   const BendMaterialData& material,
                                   const BendMachineData& machine_data,
                                   float offset, double max_bending_length) {
  BendCalculator calculator(files, data_path);
  StepBendData out;
  BendResult result;
  calculator.Calculate(material, machine_data, result, out.warnings);
  out.depth = result.Depth;
  out.force = result.Force;
  out.tonnage = max_bending_length == 0 ? result.Force
                                        : OffCentreTonnage(result.Force, offset,
                                                           max_bending_length);
  // The minimum-tonnage warning stands only while the corrected tonnage is
  // still below the minimum the calculation compared with. (The
  // calculation raised the force to that minimum, so a correction factor
  // of 1 or more always withdraws it.)
  if (!(out.tonnage < machine_data.MinTonnage) &&
      out.warnings[0] == kWarningBelowMinTonnage) {
    out.warnings[0] = 0;
  }
  // A correction that leaves no finite tonnage (a machine length next to
  // 0) is told like a calculation that gave none; the tonnage itself stays
  // what the program has always received for it.
  if (!std::isfinite(out.tonnage)) out.warnings[0] = kWarningNotCalculated;
  return out;
}

StepBendData CalculateStepBendData(FileSystem& files, const CString& data_path,
                                   const BendMaterialData& material,
                                   const BendMachineData& machine_data,
                                   float offset, const CPPMachine* machine) {
  return CalculateStepBendData(
      files, data_path, material, machine_data, offset,
      machine == nullptr ? 0.0 : machine->GetMaxBendingLength());
}

}  // namespace bendpost
