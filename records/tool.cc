#include "bendpost/tool.h"

#include "records/array_copy.h"

using bendpost::CopyIn;
using bendpost::CopyOut;

CPPTool::CPPTool() = default;
// Every field is a value (numbers, fixed arrays, CString), so the
// member-wise copy copies everything, profiles included, and is safe for
// self-assignment.
CPPTool::CPPTool(const CPPTool& other) = default;
CPPTool::~CPPTool() = default;
CPPTool& CPPTool::operator=(const CPPTool& other) = default;

CString CPPTool::GetToolName() { return tool_name_; }
void CPPTool::SetToolName(CString value) { tool_name_ = value; }

CString CPPTool::GetToolType() { return tool_type_; }
void CPPTool::SetToolType(CString value) { tool_type_ = value; }

CString CPPTool::GetCategory() { return category_; }
void CPPTool::SetCategory(CString value) { category_ = value; }

void CPPTool::GetProfile(double (*values)[2]) const {
  CopyOut(profile_, values);
}
void CPPTool::SetProfile(double (*values)[2]) { CopyIn(values, profile_); }

int CPPTool::GetNumProfilePoint() const { return num_profile_point_; }
void CPPTool::SetNumProfilePoint(int value) { num_profile_point_ = value; }

void CPPTool::GetTipPoint(double* values) const { CopyOut(tip_point_, values); }
void CPPTool::SetTipPoint(double* values) { CopyIn(values, tip_point_); }

void CPPTool::GetPrmyAttachPoint(double* values) const {
  CopyOut(prmy_attach_point_, values);
}
void CPPTool::SetPrmyAttachPoint(double* values) {
  CopyIn(values, prmy_attach_point_);
}

void CPPTool::GetSlaveAttachPoint(double* values) const {
  CopyOut(slave_attach_point_, values);
}
void CPPTool::SetSlaveAttachPoint(double* values) {
  CopyIn(values, slave_attach_point_);
}

double CPPTool::GetToolHeight() const { return tool_height_; }
void CPPTool::SetToolHeight(double value) { tool_height_ = value; }

double CPPTool::GetToolRealHeight() const { return tool_real_height_; }
void CPPTool::SetToolRealHeight(double value) { tool_real_height_ = value; }

double CPPTool::GetToolWidth() const { return tool_width_; }
void CPPTool::SetToolWidth(double value) { tool_width_ = value; }

double CPPTool::GetEdge2ForceLine() const { return edge2_force_line_; }
void CPPTool::SetEdge2ForceLine(double value) { edge2_force_line_ = value; }

bool CPPTool::GetReverse() const { return reverse_; }
void CPPTool::SetReverse(bool value) { reverse_ = value; }

int CPPTool::GetSmallorLarger() const { return smallor_larger_; }
void CPPTool::SetSmallorLarger(int value) { smallor_larger_ = value; }

double CPPTool::GetVWidth() const { return v_width_; }
void CPPTool::SetVWidth(double value) { v_width_ = value; }

double CPPTool::GetAngle() const { return angle_; }
void CPPTool::SetAngle(double value) { angle_ = value; }

double CPPTool::GetRadius() const { return radius_; }
void CPPTool::SetRadius(double value) { radius_ = value; }

int CPPTool::GetFlag4Die() const { return flag4_die_; }
void CPPTool::SetFlag4Die(int value) { flag4_die_ = value; }

double CPPTool::GetXAttachOffset() const { return x_attach_offset_; }
void CPPTool::SetXAttachOffset(double value) { x_attach_offset_ = value; }

double CPPTool::GetStepHeight() const { return step_height_; }
void CPPTool::SetStepHeight(double value) { step_height_ = value; }

double CPPTool::GetMaxThickness() const { return max_thickness_; }
void CPPTool::SetMaxThickness(double value) { max_thickness_ = value; }

double CPPTool::GetMinThickness() const { return min_thickness_; }
void CPPTool::SetMinThickness(double value) { min_thickness_ = value; }

int CPPTool::GetFollowType() const { return follow_type_; }
void CPPTool::SetFollowType(int value) { follow_type_ = value; }

double CPPTool::GetFollowAngle() const { return follow_angle_; }
void CPPTool::SetFollowAngle(double value) { follow_angle_ = value; }

double CPPTool::GetBackAngle() const { return back_angle_; }
void CPPTool::SetBackAngle(double value) { back_angle_ = value; }

double CPPTool::GetFrontOffset() const { return front_offset_; }
void CPPTool::SetFrontOffset(double value) { front_offset_ = value; }

double CPPTool::GetBgEdgeMoveIn() const { return bg_edge_move_in_; }
void CPPTool::SetBgEdgeMoveIn(double value) { bg_edge_move_in_ = value; }

double CPPTool::GetMidPointOffset() const { return mid_point_offset_; }
void CPPTool::SetMidPointOffset(double value) { mid_point_offset_ = value; }

double CPPTool::GetSecondFollowAngle() const { return second_follow_angle_; }
void CPPTool::SetSecondFollowAngle(double value) {
  second_follow_angle_ = value;
}

double CPPTool::GetTipRadius() const { return tip_radius_; }
void CPPTool::SetTipRadius(double value) { tip_radius_ = value; }

double CPPTool::GetTipOffset() const { return tip_offset_; }
void CPPTool::SetTipOffset(double value) { tip_offset_ = value; }

double CPPTool::GetVOffset() const { return v_offset_; }
void CPPTool::SetVOffset(double value) { v_offset_ = value; }

double CPPTool::GetTipHeightOffset() const { return tip_height_offset_; }
void CPPTool::SetTipHeightOffset(double value) { tip_height_offset_ = value; }

double CPPTool::GetTipAngle() const { return tip_angle_; }
void CPPTool::SetTipAngle(double value) { tip_angle_ = value; }

double CPPTool::GetVAngle() const { return v_angle_; }
void CPPTool::SetVAngle(double value) { v_angle_ = value; }

int CPPTool::GetSectional() const { return sectional_; }
void CPPTool::SetSectional(int value) { sectional_ = value; }

float CPPTool::GetPunchResistance() const { return punch_resistance_; }
void CPPTool::SetPunchResistance(float value) { punch_resistance_ = value; }

float CPPTool::GetDieResistance() const { return die_resistance_; }
void CPPTool::SetDieResistance(float value) { die_resistance_ = value; }
