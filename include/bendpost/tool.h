// CPPTool: one tool of the job (punch, die, holder or other tooling piece):
// its names, cross-section profile, attachment points, dimensions and
// limits. The driver finds a tool by its ToolName to get a step's die and
// punch values for the bend calculation and to convert tool names for the
// control.
//
// A value class exported whole (see step_info.h for the conventions shared
// by the five records). Every accessor stores or returns its value
// unchanged; no setter converts units. Array fields are copied whole through
// a pointer to the caller's array of the full size (Profile: 64 points of 2
// values; TipPoint, PrmyAttachPoint, SlaveAttachPoint: 2 values); a null
// pointer copies nothing. NumProfilePoint says how many profile points are in
// use; the record never compares it with 64.
#ifndef BENDPOST_TOOL_H_
#define BENDPOST_TOOL_H_

#include "bendpost/cstring.h"
#include "bendpost/export.h"

class BENDPOST_EXPORT CPPTool {
 public:
  CPPTool();
  CPPTool(const CPPTool& other);
  virtual ~CPPTool();
  // Copies every field; assigning a record to itself changes nothing.
  CPPTool& operator=(const CPPTool& other);

  CString GetToolName();
  void SetToolName(CString value);
  CString GetToolType();
  void SetToolType(CString value);
  CString GetCategory();
  void SetCategory(CString value);
  void GetProfile(double (*values)[2]) const;
  void SetProfile(double (*values)[2]);
  int GetNumProfilePoint() const;
  void SetNumProfilePoint(int value);
  void GetTipPoint(double* values) const;
  void SetTipPoint(double* values);
  void GetPrmyAttachPoint(double* values) const;
  void SetPrmyAttachPoint(double* values);
  void GetSlaveAttachPoint(double* values) const;
  void SetSlaveAttachPoint(double* values);
  double GetToolHeight() const;
  void SetToolHeight(double value);
  double GetToolRealHeight() const;
  void SetToolRealHeight(double value);
  double GetToolWidth() const;
  void SetToolWidth(double value);
  double GetEdge2ForceLine() const;
  void SetEdge2ForceLine(double value);
  bool GetReverse() const;
  void SetReverse(bool value);
  int GetSmallorLarger() const;
  void SetSmallorLarger(int value);
  double GetVWidth() const;
  void SetVWidth(double value);
  double GetAngle() const;
  void SetAngle(double value);
  double GetRadius() const;
  void SetRadius(double value);
  int GetFlag4Die() const;
  void SetFlag4Die(int value);
  double GetXAttachOffset() const;
  void SetXAttachOffset(double value);
  double GetStepHeight() const;
  void SetStepHeight(double value);
  double GetMaxThickness() const;
  void SetMaxThickness(double value);
  double GetMinThickness() const;
  void SetMinThickness(double value);
  int GetFollowType() const;
  void SetFollowType(int value);
  double GetFollowAngle() const;
  void SetFollowAngle(double value);
  double GetBackAngle() const;
  void SetBackAngle(double value);
  double GetFrontOffset() const;
  void SetFrontOffset(double value);
  double GetBgEdgeMoveIn() const;
  void SetBgEdgeMoveIn(double value);
  double GetMidPointOffset() const;
  void SetMidPointOffset(double value);
  double GetSecondFollowAngle() const;
  void SetSecondFollowAngle(double value);
  double GetTipRadius() const;
  void SetTipRadius(double value);
  double GetTipOffset() const;
  void SetTipOffset(double value);
  double GetVOffset() const;
  void SetVOffset(double value);
  double GetTipHeightOffset() const;
  void SetTipHeightOffset(double value);
  double GetTipAngle() const;
  void SetTipAngle(double value);
  double GetVAngle() const;
  void SetVAngle(double value);
  int GetSectional() const;
  void SetSectional(int value);
  float GetPunchResistance() const;
  void SetPunchResistance(float value);
  float GetDieResistance() const;
  void SetDieResistance(float value);

 private:
  CString tool_name_;
  CString tool_type_;
  CString category_;
  double profile_[64][2] = {};
  int num_profile_point_ = 0;
  double tip_point_[2] = {};
  double prmy_attach_point_[2] = {};
  double slave_attach_point_[2] = {};
  double tool_height_ = 0;
  double tool_real_height_ = 0;
  double tool_width_ = 0;
  double edge2_force_line_ = 0;
  bool reverse_ = false;
  int smallor_larger_ = 0;
  double v_width_ = 0;
  double angle_ = 0;
  double radius_ = 0;
  int flag4_die_ = 0;
  double x_attach_offset_ = 0;
  double step_height_ = 0;
  double max_thickness_ = 0;
  double min_thickness_ = 0;
  int follow_type_ = 0;
  double follow_angle_ = 0;
  double back_angle_ = 0;
  double front_offset_ = 0;
  double bg_edge_move_in_ = 0;
  double mid_point_offset_ = 0;
  double second_follow_angle_ = 0;
  double tip_radius_ = 0;
  double tip_offset_ = 0;
  double v_offset_ = 0;
  double tip_height_offset_ = 0;
  double tip_angle_ = 0;
  double v_angle_ = 0;
  int sectional_ = 0;
  float punch_resistance_ = 0;
  float die_resistance_ = 0;
};

#endif  // BENDPOST_TOOL_H_
