// CPPBGauge: the back gauge of a press brake: control system and finger
// type, axes, the finger's dimensions and adjustment, the Y and Z travel
// ranges, and the profiles and directions of gauge body, finger and motor.
// Part of the job the host hands over; no part of the driver reads it.
//
// A value class exported whole (see step_info.h for the conventions shared
// by the five records). Every accessor stores or returns its value
// unchanged, except SetFingerHLeft and SetFingerHRight, which take an
// integer and store it as a double. Array fields are copied whole through a
// pointer to the caller's array of the full size (BodyProfile, FingerProfile,
// MotorProfile: 64 points of 3 doubles; BodyDir, FingerDir, MotorDir: 3
// doubles); a null pointer copies nothing. LengthUnit is an integer here
// (the machine record's is a bool).
#ifndef BENDPOST_BGAUGE_H_
#define BENDPOST_BGAUGE_H_

#include "bendpost/cstring.h"
#include "bendpost/export.h"

class BENDPOST_EXPORT CPPBGauge {
 public:
  CPPBGauge();
  CPPBGauge(const CPPBGauge& other);
  virtual ~CPPBGauge();
  // Copies every field; assigning a record to itself changes nothing.
  CPPBGauge& operator=(const CPPBGauge& other);

  int GetNum() const;
  void SetNum(int value);
  CString GetControlSystem();
  void SetControlSystem(CString value);
  CString GetFingerType();
  void SetFingerType(CString value);
  int GetNumberOfAxis() const;
  void SetNumberOfAxis(int value);
  int GetAdjustmentMethod() const;
  void SetAdjustmentMethod(int value);
  int GetLengthUnit() const;
  void SetLengthUnit(int value);
  double GetFingerWidth() const;
  void SetFingerWidth(double value);
  double GetFingerThickness() const;
  void SetFingerThickness(double value);
  double GetFingerVLower() const;
  void SetFingerVLower(double value);
  double GetFingerVUpper() const;
  void SetFingerVUpper(double value);
  int GetFingerAdjustLocation() const;
  void SetFingerAdjustLocation(int value);
  int GetFingerAdjustHeight() const;
  void SetFingerAdjustHeight(int value);
  double GetFingerHLeft() const;
  void SetFingerHLeft(int value);
  double GetFingerHRight() const;
  void SetFingerHRight(int value);
  double GetFingerContactMin() const;
  void SetFingerContactMin(double value);
  double GetYRangeMin() const;
  void SetYRangeMin(double value);
  double GetYRangeMax() const;
  void SetYRangeMax(double value);
  double GetZRangeMin() const;
  void SetZRangeMin(double value);
  double GetZRangeMax() const;
  void SetZRangeMax(double value);
  void GetBodyProfile(double (*values)[3]) const;
  void SetBodyProfile(double (*values)[3]);
  int GetNumBodyPoint() const;
  void SetNumBodyPoint(int value);
  void GetBodyDir(double* values) const;
  void SetBodyDir(double* values);
  void GetFingerProfile(double (*values)[3]) const;
  void SetFingerProfile(double (*values)[3]);
  int GetNumFingerPoint() const;
  void SetNumFingerPoint(int value);
  void GetFingerDir(double* values) const;
  void SetFingerDir(double* values);
  void GetMotorProfile(double (*values)[3]) const;
  void SetMotorProfile(double (*values)[3]);
  int GetNumMotorPoint() const;
  void SetNumMotorPoint(int value);
  void GetMotorDir(double* values) const;
  void SetMotorDir(double* values);

 private:
  int num_ = 0;
  CString control_system_;
  CString finger_type_;
  int number_of_axis_ = 0;
  int adjustment_method_ = 0;
  int length_unit_ = 0;
  double finger_width_ = 0;
  double finger_thickness_ = 0;
  double finger_v_lower_ = 0;
  double finger_v_upper_ = 0;
  int finger_adjust_location_ = 0;
  int finger_adjust_height_ = 0;
  double finger_h_left_ = 0;
  double finger_h_right_ = 0;
  double finger_contact_min_ = 0;
  double y_range_min_ = 0;
  double y_range_max_ = 0;
  double z_range_min_ = 0;
  double z_range_max_ = 0;
  double body_profile_[64][3] = {};
  int num_body_point_ = 0;
  double body_dir_[3] = {};
  double finger_profile_[64][3] = {};
  int num_finger_point_ = 0;
  double finger_dir_[3] = {};
  double motor_profile_[64][3] = {};
  int num_motor_point_ = 0;
  double motor_dir_[3] = {};
};

#endif  // BENDPOST_BGAUGE_H_
