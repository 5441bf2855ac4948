#include "bendpost/step_info.h"

#include "base/numeric.h"
#include "base/units.h"
#include "records/array_copy.h"
#include "records/truncate_decimals.h"

using bendpost::CopyIn;
using bendpost::CopyOut;
using bendpost::Low16;
using bendpost::TruncToInt16Bits;
using bendpost::TruncToInt32;

namespace {

// Inch to millimetre. The step setters multiply by the 32-bit float nearest
// 25.4 (25.399999618530273) and round the product to a 32-bit float before
// anything else happens to it: 7.5 inch is then 190.5 mm, which rounds half
// up to 191 (in double precision it would be 190.4999971... and give 190).
// SetBendingSpeed alone works in double precision with the double nearest
// 25.4 (kMillimetresPerInch).
bool IsInch(int unit) { return bendpost::IsInchUnit(unit); }

float InchToMillimetre(double inches) {
  return static_cast<float>(
      inches * static_cast<double>(bendpost::kMillimetresPerInchFloat));
}

// v cut toward zero to 16 bits (n), then n + 1 if v - n >= 0.5: rounds
// non-negative values half up.
short RoundHalfUp16(double v) {
  const short n = TruncToInt16Bits(v);
  return v - n >= 0.5 ? Low16(n + 1) : n;
}

}  // namespace

CPPStepInfo::CPPStepInfo() = default;
// Every field is a value (numbers, fixed arrays, CString), so the
// member-wise copy copies everything, the unset fields included, and is safe
// for self-assignment.
CPPStepInfo::CPPStepInfo(const CPPStepInfo& other) = default;
CPPStepInfo::~CPPStepInfo() = default;
CPPStepInfo& CPPStepInfo::operator=(const CPPStepInfo& other) = default;

void CPPStepInfo::SetBendType(int type) {
  bend_type_ = type;
  switch (type) {
    case 0:
    case 1:
    case 3:
    case 5:
      coining_flag_ = 0;
      mode_ = 0;
      break;
    case 2:
    case 4:
    case 6:
      coining_flag_ = 1;
      mode_ = 1;
      break;
    default:
      break;  // other types leave both as they are
  }
}

void CPPStepInfo::SetStepValue(float value, int unit) {
  step_value_ = IsInch(unit) ? InchToMillimetre(TruncateDecimals(value, 3))
                             : static_cast<float>(TruncateDecimals(value, 0));
}

void CPPStepInfo::SetBendLength(float value, int unit) {
  const double millimetres = IsInch(unit)
                                 ? InchToMillimetre(TruncateDecimals(value, 1))
                                 : static_cast<double>(value);
  bend_length_ = TruncToInt16Bits(millimetres + 0.5);
}

void CPPStepInfo::SetODC(float value, int unit) {
  const float millimetres = IsInch(unit) ? InchToMillimetre(value) : value;
  odc_ = RoundHalfUp16(millimetres);
}

void CPPStepInfo::SetRetractStroke(float value, int unit) {
  retract_stroke_ = IsInch(unit)
                        ? InchToMillimetre(TruncateDecimals(value, 2))
                        : static_cast<float>(TruncateDecimals(value, 1));
}

void CPPStepInfo::SetOffset(float value, int unit) {
  offset_ = IsInch(unit) ? InchToMillimetre(TruncateDecimals(value, 2))
                         : static_cast<float>(TruncateDecimals(value, 1));
}

void CPPStepInfo::SetBendingSpeed(double value, int unit) {
  if (control_type_ == 0) {
    bending_speed_ = TruncToInt16Bits(value);
    return;
  }
  const double speed =
      (IsInch(unit) ? value * bendpost::kMillimetresPerInch : value) + 0.00001;
  bending_speed_ = RoundHalfUp16(speed);
}

void CPPStepInfo::SetBendingDepth(float /*value*/) {
  y1_ = 0;
  y2_ = 0;
}

float CPPStepInfo::GetBendInnerRadius() const { return bend_inner_radius_; }

void CPPStepInfo::GetToolReverse(bool* values) const {
  CopyOut(tool_reverse_, values);
}
void CPPStepInfo::SetTollReverse(bool* values) {
  CopyIn(values, tool_reverse_);
}

int CPPStepInfo::GetNumberInSquence() const { return number_in_squence_; }
void CPPStepInfo::SetNumberInSquence(int value) { number_in_squence_ = value; }

CString CPPStepInfo::GetSetUpName() { return set_up_name_; }
void CPPStepInfo::SetSetUpName(CString value) { set_up_name_ = value; }

int CPPStepInfo::GetSetupIndex() const { return setup_index_; }
void CPPStepInfo::SetSetupIndex(int value) { setup_index_ = value; }

int CPPStepInfo::GetBendType() const { return bend_type_; }

int CPPStepInfo::GetControlType() const { return control_type_; }
void CPPStepInfo::SetControlType(int value) { control_type_ = value; }

float CPPStepInfo::GetStepValue() const { return step_value_; }

short CPPStepInfo::GetCycleNo() const { return cycle_no_; }
void CPPStepInfo::SetCycleNo(short value) { cycle_no_ = value; }

short CPPStepInfo::GetCoiningFlag() const { return coining_flag_; }
void CPPStepInfo::SetCoiningFlag(short value) { coining_flag_ = value; }

short CPPStepInfo::GetMode() const { return mode_; }
void CPPStepInfo::SetMode(short value) { mode_ = value; }

short CPPStepInfo::GetBendLength() const { return bend_length_; }

float CPPStepInfo::GetBendAngle() const { return bend_angle_; }
void CPPStepInfo::SetBendAngle(float value) { bend_angle_ = value; }

float CPPStepInfo::GetY1() const { return y1_; }
void CPPStepInfo::SetY1(float value) { y1_ = value; }

float CPPStepInfo::GetY2() const { return y2_; }
void CPPStepInfo::SetY2(float value) { y2_ = value; }

void CPPStepInfo::GetXX(double* values) const { CopyOut(xx_, values); }
void CPPStepInfo::SetXX(double* values) { CopyIn(values, xx_); }

void CPPStepInfo::GetYY(double* values) const { CopyOut(yy_, values); }
void CPPStepInfo::SetYY(double* values) { CopyIn(values, yy_); }

void CPPStepInfo::GetZZ(double* values) const { CopyOut(zz_, values); }
void CPPStepInfo::SetZZ(double* values) { CopyIn(values, zz_); }

float CPPStepInfo::GetBendDeduction() const { return bend_deduction_; }
void CPPStepInfo::SetBendDeduction(float value) { bend_deduction_ = value; }

float CPPStepInfo::GetTonnageValue() const { return tonnage_value_; }
void CPPStepInfo::SetTonnageValue(float value) { tonnage_value_ = value; }

short CPPStepInfo::GetODC() const { return odc_; }

float CPPStepInfo::GetRetractStroke() const { return retract_stroke_; }

float CPPStepInfo::GetOffset() const { return offset_; }

double CPPStepInfo::GetMaterialVPos() const { return material_v_pos_; }
void CPPStepInfo::SetMaterialVPos(double value) { material_v_pos_ = value; }

void CPPStepInfo::GetToolID(char (*values)[32]) const {
  CopyOut(tool_id_, values);
}
void CPPStepInfo::SetToolID(char (*values)[32]) { CopyIn(values, tool_id_); }

void CPPStepInfo::GetRayID(long* values) const { CopyOut(ray_id_, values); }
void CPPStepInfo::SetRayID(long* values) { CopyIn(values, ray_id_); }

float CPPStepInfo::GetPinchPointValue() const { return pinch_point_value_; }
void CPPStepInfo::SetPinchPointValue(float value) {
  pinch_point_value_ = value;
}

short CPPStepInfo::GetFlagAutoCompen() const { return flag_auto_compen_; }
void CPPStepInfo::SetFlagAutoCompen(short value) { flag_auto_compen_ = value; }

short CPPStepInfo::GetBGRetractFlag() const { return bg_retract_flag_; }
void CPPStepInfo::SetBGRetractFlag(short value) { bg_retract_flag_ = value; }

short CPPStepInfo::GetBendingSpeed() const { return bending_speed_; }

short CPPStepInfo::GetReturnSpeed() const { return return_speed_; }
void CPPStepInfo::SetReturnSpeed(short value) { return_speed_ = value; }

float CPPStepInfo::GetDwellBG() const { return dwell_bg_; }
void CPPStepInfo::SetDwellBG(float value) { dwell_bg_ = value; }

float CPPStepInfo::GetDwellEndBend() const { return dwell_end_bend_; }
void CPPStepInfo::SetDwellEndBend(float value) { dwell_end_bend_ = value; }

float CPPStepInfo::GetY1Compen() const { return y1_compen_; }
void CPPStepInfo::SetY1Compen(float value) { y1_compen_ = value; }

float CPPStepInfo::GetY2Compen() const { return y2_compen_; }
void CPPStepInfo::SetY2Compen(float value) { y2_compen_ = value; }

float CPPStepInfo::GetX1Compen() const { return x1_compen_; }
void CPPStepInfo::SetX1Compen(float value) { x1_compen_ = value; }

float CPPStepInfo::GetX2Compen() const { return x2_compen_; }
void CPPStepInfo::SetX2Compen(float value) { x2_compen_ = value; }

float CPPStepInfo::GetR1Compen() const { return r1_compen_; }
void CPPStepInfo::SetR1Compen(float value) { r1_compen_ = value; }

float CPPStepInfo::GetR2Compen() const { return r2_compen_; }
void CPPStepInfo::SetR2Compen(float value) { r2_compen_ = value; }

float CPPStepInfo::GetZ1Compen() const { return z1_compen_; }
void CPPStepInfo::SetZ1Compen(float value) { z1_compen_ = value; }

float CPPStepInfo::GetZ2Compen() const { return z2_compen_; }
void CPPStepInfo::SetZ2Compen(float value) { z2_compen_ = value; }

float CPPStepInfo::GetAngleCompen() const { return angle_compen_; }
void CPPStepInfo::SetAngleCompen(float value) { angle_compen_ = value; }

short CPPStepInfo::GetBendNoBGPos() const { return bend_no_bg_pos_; }
void CPPStepInfo::SetBendNoBGPos(short value) { bend_no_bg_pos_ = value; }

CString CPPStepInfo::GetAuxFunc() { return aux_func_; }
void CPPStepInfo::SetAuxFunc(CString value) { aux_func_ = value; }

short CPPStepInfo::GetFlagSheetMove() const { return flag_sheet_move_; }
void CPPStepInfo::SetFlagSheetMove(short value) { flag_sheet_move_ = value; }

short CPPStepInfo::GetSequenceOrder() const { return sequence_order_; }
void CPPStepInfo::SetSequenceOrder(short value) { sequence_order_ = value; }

float CPPStepInfo::GetFlangeLength() const { return flange_length_; }
void CPPStepInfo::SetFlangeLength(float value) { flange_length_ = value; }
