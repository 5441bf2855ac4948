#include "bendpost/bgauge.h"

#include "records/array_copy.h"

using bendpost::CopyIn;
using bendpost::CopyOut;

CPPBGauge::CPPBGauge() = default;
// Every field is a value (numbers, fixed arrays, CString), so the
// member-wise copy copies everything, profiles included, and is safe for
// self-assignment.
CPPBGauge::CPPBGauge(const CPPBGauge& other) = default;
CPPBGauge::~CPPBGauge() = default;
CPPBGauge& CPPBGauge::operator=(const CPPBGauge& other) = default;

int CPPBGauge::GetNum() const { return num_; }
void CPPBGauge::SetNum(int value) { num_ = value; }

CString CPPBGauge::GetControlSystem() { return control_system_; }
void CPPBGauge::SetControlSystem(CString value) { control_system_ = value; }

CString CPPBGauge::GetFingerType() { return finger_type_; }
void CPPBGauge::SetFingerType(CString value) { finger_type_ = value; }

int CPPBGauge::GetNumberOfAxis() const { return number_of_axis_; }
void CPPBGauge::SetNumberOfAxis(int value) { number_of_axis_ = value; }

int CPPBGauge::GetAdjustmentMethod() const { return adjustment_method_; }
void CPPBGauge::SetAdjustmentMethod(int value) { adjustment_method_ = value; }

int CPPBGauge::GetLengthUnit() const { return length_unit_; }
void CPPBGauge::SetLengthUnit(int value) { length_unit_ = value; }

double CPPBGauge::GetFingerWidth() const { return finger_width_; }
void CPPBGauge::SetFingerWidth(double value) { finger_width_ = value; }

double CPPBGauge::GetFingerThickness() const { return finger_thickness_; }
void CPPBGauge::SetFingerThickness(double value) { finger_thickness_ = value; }

double CPPBGauge::GetFingerVLower() const { return finger_v_lower_; }
void CPPBGauge::SetFingerVLower(double value) { finger_v_lower_ = value; }

double CPPBGauge::GetFingerVUpper() const { return finger_v_upper_; }
void CPPBGauge::SetFingerVUpper(double value) { finger_v_upper_ = value; }

int CPPBGauge::GetFingerAdjustLocation() const {
  return finger_adjust_location_;
}
void CPPBGauge::SetFingerAdjustLocation(int value) {
  finger_adjust_location_ = value;
}

int CPPBGauge::GetFingerAdjustHeight() const { return finger_adjust_height_; }
void CPPBGauge::SetFingerAdjustHeight(int value) {
  finger_adjust_height_ = value;
}

double CPPBGauge::GetFingerHLeft() const { return finger_h_left_; }
// The host gives whole numbers; the field is a double.
void CPPBGauge::SetFingerHLeft(int value) {
  finger_h_left_ = static_cast<double>(value);
}

double CPPBGauge::GetFingerHRight() const { return finger_h_right_; }
// The host gives whole numbers; the field is a double.
void CPPBGauge::SetFingerHRight(int value) {
  finger_h_right_ = static_cast<double>(value);
}

double CPPBGauge::GetFingerContactMin() const { return finger_contact_min_; }
void CPPBGauge::SetFingerContactMin(double value) {
  finger_contact_min_ = value;
}

double CPPBGauge::GetYRangeMin() const { return y_range_min_; }
void CPPBGauge::SetYRangeMin(double value) { y_range_min_ = value; }

double CPPBGauge::GetYRangeMax() const { return y_range_max_; }
void CPPBGauge::SetYRangeMax(double value) { y_range_max_ = value; }

double CPPBGauge::GetZRangeMin() const { return z_range_min_; }
void CPPBGauge::SetZRangeMin(double value) { z_range_min_ = value; }

double CPPBGauge::GetZRangeMax() const { return z_range_max_; }
void CPPBGauge::SetZRangeMax(double value) { z_range_max_ = value; }

void CPPBGauge::GetBodyProfile(double (*values)[3]) const {
  CopyOut(body_profile_, values);
}
void CPPBGauge::SetBodyProfile(double (*values)[3]) {
  CopyIn(values, body_profile_);
}

int CPPBGauge::GetNumBodyPoint() const { return num_body_point_; }
void CPPBGauge::SetNumBodyPoint(int value) { num_body_point_ = value; }

void CPPBGauge::GetBodyDir(double* values) const { CopyOut(body_dir_, values); }
void CPPBGauge::SetBodyDir(double* values) { CopyIn(values, body_dir_); }

void CPPBGauge::GetFingerProfile(double (*values)[3]) const {
  CopyOut(finger_profile_, values);
}
void CPPBGauge::SetFingerProfile(double (*values)[3]) {
  CopyIn(values, finger_profile_);
}

int CPPBGauge::GetNumFingerPoint() const { return num_finger_point_; }
void CPPBGauge::SetNumFingerPoint(int value) { num_finger_point_ = value; }

void CPPBGauge::GetFingerDir(double* values) const {
  CopyOut(finger_dir_, values);
}
void CPPBGauge::SetFingerDir(double* values) { CopyIn(values, finger_dir_); }

void CPPBGauge::GetMotorProfile(double (*values)[3]) const {
  CopyOut(motor_profile_, values);
}
void CPPBGauge::SetMotorProfile(double (*values)[3]) {
  CopyIn(values, motor_profile_);
}

int CPPBGauge::GetNumMotorPoint() const { return num_motor_point_; }
void CPPBGauge::SetNumMotorPoint(int value) { num_motor_point_ = value; }

void CPPBGauge::GetMotorDir(double* values) const {
  CopyOut(motor_dir_, values);
}
void CPPBGauge::SetMotorDir(double* values) { CopyIn(values, motor_dir_); }
