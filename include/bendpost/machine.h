// CPPMachine: one press brake: names and control, tonnage and pressure
// limits, main dimensions, the block-by-block geometry of the upper and lower
// beams, clamps and holder profile. The driver finds a machine by its
// UserMachineName for the limits the bend calculation uses.
//
// A value class exported whole (see step_info.h for the conventions shared
// by the five records). Every accessor stores or returns its value
// unchanged; no setter converts units. Array fields are copied whole, in
// both directions, through a pointer to the caller's array of the full size:
//   ExtrusionVectorBlockOfUpBeam/LowerBeam  32 blocks of 3 floats
//   UpBeamProfile, LowBeamProfile           32 blocks of 64 points of 3 doubles
//   NumUpBeamPoint, NumLowerBeamPoint       32 counts
//   PHLProfile, ClampProfile                64 points of 2 doubles
//   PHLPunchAttach, PHLClampAttach          2 points of 2 doubles
//   UpBeamAttach, LowBeamAttach, PHLTopAttach, ClampAttach  2 doubles
// A null pointer copies nothing. The counts say how much of each array is in
// use; the record never compares them with the fixed sizes.
//
// The beam profiles make a machine record about 100 KB. It stays a plain
// value (the arrays live inside the object), so copying one copies
// everything and two copies never share storage.
#ifndef BENDPOST_MACHINE_H_
#define BENDPOST_MACHINE_H_

#include "bendpost/cstring.h"
#include "bendpost/export.h"

class BENDPOST_EXPORT CPPMachine {
 public:
  CPPMachine();
  CPPMachine(const CPPMachine& other);
  virtual ~CPPMachine();
  // Copies every field; assigning a record to itself changes nothing.
  CPPMachine& operator=(const CPPMachine& other);

  CString GetUserMachineName();
  void SetUserMachineName(CString value);
  CString GetMachineName();
  void SetMachineName(CString value);
  CString GetCtrlSystem();
  void SetCtrlSystem(CString value);
  CString GetFingerType();
  void SetFingerType(CString value);
  CString GetProtocolBoard();
  void SetProtocolBoard(CString value);
  int GetCylinderNumber() const;
  void SetCylinderNumber(int value);
  bool GetLengthUnit() const;
  void SetLengthUnit(bool value);
  double GetTonnage() const;
  void SetTonnage(double value);
  double GetMinTonnage() const;
  void SetMinTonnage(double value);
  double GetFrameTightness() const;
  void SetFrameTightness(double value);
  double GetOriginPressure() const;
  void SetOriginPressure(double value);
  double GetMaxPressure() const;
  void SetMaxPressure(double value);
  double GetMaxBendingLength() const;
  void SetMaxBendingLength(double value);
  double GetMaxStrokeHeight() const;
  void SetMaxStrokeHeight(double value);
  double GetOpenHeight() const;
  void SetOpenHeight(double value);
  double GetSignificantHeight() const;
  void SetSignificantHeight(double value);
  double GetLowerBeamHeight() const;
  void SetLowerBeamHeight(double value);
  double GetMainBeamSpan() const;
  void SetMainBeamSpan(double value);
  double GetSignifcantSpan() const;
  void SetSignifcantSpan(double value);
  double GetMainBodyDepth() const;
  void SetMainBodyDepth(double value);
  int GetBlockInUpBeam() const;
  void SetBlockInUpBeam(int value);
  int GetBlockInLowBeam() const;
  void SetBlockInLowBeam(int value);
  void GetExtrusionVectorBlockOfUpBeam(float (*values)[3]) const;
  void SetExtrusionVectorBlockOfUpBeam(float (*values)[3]);
  void GetExtrusionVectorBlockOfLowerBeam(float (*values)[3]) const;
  void SetExtrusionVectorBlockOfLowerBeam(float (*values)[3]);
  void GetUpBeamProfile(double (*values)[64][3]) const;
  void SetUpBeamProfile(double (*values)[64][3]);
  void GetNumUpBeamPoint(int* values) const;
  void SetNumUpBeamPoint(int* values);
  void GetLowBeamProfile(double (*values)[64][3]) const;
  void SetLowBeamProfile(double (*values)[64][3]);
  void GetNumLowerBeamPoint(int* values) const;
  void SetNumLowerBeamPoint(int* values);
  void GetUpBeamAttach(double* values) const;
  void SetUpBeamAttach(double* values);
  void GetLowBeamAttach(double* values) const;
  void SetLowBeamAttach(double* values);
  bool GetclampAtCerter() const;
  void SetclampAtCerter(bool value);
  double GetClampLength() const;
  void SetClampLength(double value);
  double GetClampPitch() const;
  void SetClampPitch(double value);
  double GetDefaultPHLLength() const;
  void SetDefaultPHLLength(double value);
  double GetDefaultPHLPitch() const;
  void SetDefaultPHLPitch(double value);
  void GetPHLProfile(double (*values)[2]) const;
  void SetPHLProfile(double (*values)[2]);
  int GetNumPHLPoint() const;
  void SetNumPHLPoint(int value);
  void GetPHLTopAttach(double* values) const;
  void SetPHLTopAttach(double* values);
  void GetPHLPunchAttach(double (*values)[2]) const;
  void SetPHLPunchAttach(double (*values)[2]);
  void GetPHLClampAttach(double (*values)[2]) const;
  void SetPHLClampAttach(double (*values)[2]);
  void GetClampProfile(double (*values)[2]) const;
  void SetClampProfile(double (*values)[2]);
  int GetNumClampPoint() const;
  void SetNumClampPoint(int value);
  void GetClampAttach(double* values) const;
  void SetClampAttach(double* values);

 private:
  CString user_machine_name_;
  CString machine_name_;
  CString ctrl_system_;
  CString finger_type_;
  CString protocol_board_;
  int cylinder_number_ = 0;
  bool length_unit_ = true;
  double tonnage_ = 0;
  double min_tonnage_ = 0;
  double frame_tightness_ = 0;
  double origin_pressure_ = 0;
  double max_pressure_ = 0;
  double max_bending_length_ = 0;
  double max_stroke_height_ = 0;
  double open_height_ = 0;
  double significant_height_ = 0;
  double lower_beam_height_ = 0;
  double main_beam_span_ = 0;
  double signifcant_span_ = 0;
  double main_body_depth_ = 0;
  int block_in_up_beam_ = 0;
  int block_in_low_beam_ = 0;
  float extrusion_vector_block_of_up_beam_[32][3] = {};
  float extrusion_vector_block_of_lower_beam_[32][3] = {};
  double up_beam_profile_[32][64][3] = {};
  int num_up_beam_point_[32] = {};
  double low_beam_profile_[32][64][3] = {};
  int num_lower_beam_point_[32] = {};
  double up_beam_attach_[2] = {};
  double low_beam_attach_[2] = {};
  bool clamp_at_certer_ = true;
  double clamp_length_ = 0;
  double clamp_pitch_ = 0;
  double default_phl_length_ = 0;
  double default_phl_pitch_ = 0;
  double phl_profile_[64][2] = {};
  int num_phl_point_ = 0;
  double phl_top_attach_[2] = {};
  double phl_punch_attach_[2][2] = {};
  double phl_clamp_attach_[2][2] = {};
  double clamp_profile_[64][2] = {};
  int num_clamp_point_ = 0;
  double clamp_attach_[2] = {};
};

#endif  // BENDPOST_MACHINE_H_
