// CPPStepInfo: one bending step of the job, as the host fills it and as the
// driver's program writer and bend calculation read it.
//
// A value class exported whole: the host constructs, fills, copies and
// destroys steps with the library's own code, so host and driver hold
// objects of one layout. Accessor names are part of the binary interface and
// are spelled exactly as the host expects them, misspellings included
// (GetNumberInSquence, SetTollReverse).
//
// Conventions shared by the five records (CPPStepInfo, CPPTool, CPPSetup,
// CPPMachine, CPPBGauge): fields are named by the stem of their accessors
// (GetBendAngle reads BendAngle); scalar getters are const; CString getters
// return a copy and CString setters take the string by value; fixed-size
// arrays are copied whole through a pointer to the caller's array of the
// full size (a null pointer copies nothing); copy construction and
// assignment copy every field.
//
// Units: lengths are millimetres, angles degrees. The converting setters
// (SetStepValue, SetBendLength, SetODC, SetRetractStroke, SetOffset,
// SetBendingSpeed) take their own unit flag: exactly 1 means inch, any other
// value millimetre. Fields without a converting setter (XX, YY, ZZ among
// them) are stored in whatever unit the host gives them.
//
// RayID holds `long` values because the accessors take `long*`. On Windows
// and 32-bit systems that is 32 bits; on 64-bit Linux and macOS `long` is
// 64 bits, and the record simply stores the wider type (the driver never
// narrows or writes these values).
#ifndef BENDPOST_STEP_INFO_H_
#define BENDPOST_STEP_INFO_H_

#include "bendpost/cstring.h"
#include "bendpost/export.h"

class BENDPOST_EXPORT CPPStepInfo {
 public:
  CPPStepInfo();
  CPPStepInfo(const CPPStepInfo& other);
  virtual ~CPPStepInfo();
  // Copies every field; assigning a step to itself changes nothing.
  CPPStepInfo& operator=(const CPPStepInfo& other);

  int GetNumberInSquence() const;
  void SetNumberInSquence(int value);
  CString GetSetUpName();
  void SetSetUpName(CString value);
  // The step's setup; generation lowers it by one before use.
  int GetSetupIndex() const;
  void SetSetupIndex(int value);

  // Types 0, 1, 3, 5 clear CoiningFlag and Mode; types 2, 4, 6 set both to
  // 1; any other type leaves them as they are.
  int GetBendType() const;
  void SetBendType(int type);
  int GetControlType() const;
  void SetControlType(int value);

  // Millimetres. Inch (unit 1): TruncateDecimals(value, 3) x 25.4;
  // otherwise whole millimetres, cut toward zero.
  float GetStepValue() const;
  void SetStepValue(float value, int unit);

  short GetCycleNo() const;
  void SetCycleNo(short value);
  short GetCoiningFlag() const;
  void SetCoiningFlag(short value);
  // Bend data are calculated only for steps whose Mode is 0.
  short GetMode() const;
  void SetMode(short value);

  // Whole millimetres, rounded half up (inch: after cutting to tenths of an
  // inch); the low 16 bits of the rounded value are stored.
  short GetBendLength() const;
  void SetBendLength(float value, int unit);

  float GetBendAngle() const;
  void SetBendAngle(float value);
  float GetY1() const;
  void SetY1(float value);
  float GetY2() const;
  void SetY2(float value);

  // Four values each, copied whole out of and into the caller's array.
  void GetXX(double* values) const;
  void SetXX(double* values);
  void GetYY(double* values) const;
  void SetYY(double* values);
  void GetZZ(double* values) const;
  void SetZZ(double* values);

  float GetBendDeduction() const;
  void SetBendDeduction(float value);
  float GetTonnageValue() const;
  void SetTonnageValue(float value);

  // Whole millimetres, rounded half up.
  short GetODC() const;
  void SetODC(float value, int unit);
  // Millimetres. Inch: cut to hundredths of an inch, x 25.4; otherwise cut
  // to tenths of a millimetre.
  float GetRetractStroke() const;
  void SetRetractStroke(float value, int unit);
  float GetOffset() const;
  void SetOffset(float value, int unit);

  double GetMaterialVPos() const;
  void SetMaterialVPos(double value);

  // Six flags, copied whole.
  void GetToolReverse(bool* values) const;
  void SetTollReverse(bool* values);
  // Six tool names of 32 bytes each (zero-terminated by the host), copied
  // whole and unchanged: 0 punch, 1 die, 2 die holder, 4 spacer.
  void GetToolID(char (*values)[32]) const;
  void SetToolID(char (*values)[32]);
  // Six values, copied whole.
  void GetRayID(long* values) const;
  void SetRayID(long* values);

  float GetPinchPointValue() const;
  void SetPinchPointValue(float value);
  short GetFlagAutoCompen() const;
  void SetFlagAutoCompen(short value);
  short GetBGRetractFlag() const;
  void SetBGRetractFlag(short value);

  // Control type 0: the value cut to an integer, unit ignored. Otherwise the
  // value (x 25.4 for inch) rounded half up. Set ControlType first.
  short GetBendingSpeed() const;
  void SetBendingSpeed(double value, int unit);

  short GetReturnSpeed() const;
  void SetReturnSpeed(short value);
  float GetDwellBG() const;
  void SetDwellBG(float value);
  float GetDwellEndBend() const;
  void SetDwellEndBend(float value);
  float GetY1Compen() const;
  void SetY1Compen(float value);
  float GetY2Compen() const;
  void SetY2Compen(float value);
  float GetX1Compen() const;
  void SetX1Compen(float value);
  float GetX2Compen() const;
  void SetX2Compen(float value);
  float GetR1Compen() const;
  void SetR1Compen(float value);
  float GetR2Compen() const;
  void SetR2Compen(float value);
  float GetZ1Compen() const;
  void SetZ1Compen(float value);
  float GetZ2Compen() const;
  void SetZ2Compen(float value);
  float GetAngleCompen() const;
  void SetAngleCompen(float value);
  short GetBendNoBGPos() const;
  void SetBendNoBGPos(short value);
  CString GetAuxFunc();
  void SetAuxFunc(CString value);
  short GetFlagSheetMove() const;
  void SetFlagSheetMove(short value);
  short GetSequenceOrder() const;
  void SetSequenceOrder(short value);
  float GetFlangeLength() const;
  void SetFlangeLength(float value);

  // Sets Y1 and Y2 to 0; the argument is ignored (the bend calculation
  // computes the depths later).
  void SetBendingDepth(float value);

 protected:
  // Not reachable by the host: there is no setter, the value stays 0.
  float GetBendInnerRadius() const;

 private:
  int number_in_squence_ = 0;
  CString set_up_name_;
  int setup_index_ = 0;
  int bend_type_ = 0;
  int control_type_ = 7;
  float step_value_ = 0;
  short cycle_no_ = 0;
  short coining_flag_ = 0;
  short mode_ = 0;
  short bend_length_ = 0;
  float bend_angle_ = 0;
  float y1_ = 0;
  float y2_ = 0;
  double xx_[4] = {};
  double yy_[4] = {};
  double zz_[4] = {};
  float bend_inner_radius_ = 0;
  float bend_deduction_ = 0;
  float tonnage_value_ = 0;
  short odc_ = 251;
  float retract_stroke_ = 0;
  float offset_ = 0;
  double material_v_pos_ = 0;
  bool tool_reverse_[6] = {};
  char tool_id_[6][32] = {};
  long ray_id_[6] = {};
  float pinch_point_value_ = 0;
  short flag_auto_compen_ = 0;
  short bg_retract_flag_ = 0;
  short bending_speed_ = 8;
  short return_speed_ = 0;
  float dwell_bg_ = 0;
  float dwell_end_bend_ = 0.2f;
  float y1_compen_ = 0;
  float y2_compen_ = 0;
  float x1_compen_ = 0;
  float x2_compen_ = 0;
  float r1_compen_ = 0;
  float r2_compen_ = 0;
  float z1_compen_ = 0;
  float z2_compen_ = 0;
  float angle_compen_ = 0;
  short bend_no_bg_pos_ = 0;
  CString aux_func_{"000000"};
  short flag_sheet_move_ = 0;
  short sequence_order_ = 0;
  float flange_length_ = 0;
};

#endif  // BENDPOST_STEP_INFO_H_
