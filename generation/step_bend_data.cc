#include "generation/step_bend_data.h"

#include <cmath>

#include "base/numeric.h"
#include "bendcalc/bend_calculator.h"
#include "generation/tooling_lookup.h"

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

BendMachineData MachineDataFor(const BendHeaderValues& header,
                               const CPPSetup& setup, const CPPMachine& machine,
                               const CPPTool& punch, const CPPTool& die) {
  BendMachineData m;
  m.FrameFlag =
      header.control_type == 2 || header.control_type == 7 ? 0.0f : 1.0f;
  m.FrameTightness = static_cast<float>(machine.GetFrameTightness());
  m.MaxTonnage = ScaleByTen(machine.GetTonnage());
  m.MinTonnage = ScaleByTen(machine.GetMinTonnage());
  m.MaxBendingLength = static_cast<float>(machine.GetMaxBendingLength());
  m.BendingCoefficient = setup.GetBendingCoefficient();
  m.PunchLimit = ScaleByTen(punch.GetPunchResistance());
  m.DieLimit = ScaleByTen(die.GetDieResistance());
  return m;
}

BendMaterialData MaterialDataFor(const BendHeaderValues& header,
                                 const CPPTool& die, const CPPStepInfo& step) {
  BendMaterialData m;
  m.MaterialNumber = header.material_number;
  m.Thickness = header.thickness;
  m.VWidth = static_cast<float>(die.GetVWidth());
  m.DieAngle = static_cast<float>(die.GetAngle());
  m.DieRadius = static_cast<float>(die.GetRadius());
  m.BendLength = BendLengthInMetres(step.GetBendLength());
  m.TensileStrength = header.hardness;
  m.BendAngle = step.GetBendAngle();
  return m;
}

StepBendData CalculateStepBendData(const CString& data_path,
                                   const BendMaterialData& material,
                                   const BendMachineData& machine_data,
                                   float offset, const CPPMachine* machine) {
  // One calculator per step: the material data file is read anew.
  BendCalculator calculator(data_path);
  StepBendData out;
  BendResult result;
  calculator.Calculate(material, machine_data, result, out.warnings);
  out.depth = result.Depth;
  out.force = result.Force;
  out.tonnage = result.Force;
  // Without the machine, or with a maximum bending length of 0, there is
  // no length to scale by.
  if (machine != nullptr && machine->GetMaxBendingLength() != 0) {
    out.tonnage =
        OffCentreTonnage(result.Force, offset, machine->GetMaxBendingLength());
  }
  // The minimum-tonnage warning stands only while the corrected tonnage is
  // still below the minimum the calculation compared with. (The
  // calculation raised the force to that minimum, so a correction factor
  // of 1 or more always withdraws it.)
  if (!(out.tonnage < machine_data.MinTonnage) &&
      out.warnings[0] == kWarningBelowMinTonnage) {
    out.warnings[0] = 0;
  }
  return out;
}

}  // namespace bendpost
