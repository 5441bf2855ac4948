#include "bendpost/machine.h"

#include "records/array_copy.h"

using bendpost::CopyIn;
using bendpost::CopyOut;

CPPMachine::CPPMachine() = default;
// Every field is a value (numbers, fixed arrays, CString), so the
// member-wise copy copies everything, profiles included, and is safe for
// self-assignment.
CPPMachine::CPPMachine(const CPPMachine& other) = default;
CPPMachine::~CPPMachine() = default;
CPPMachine& CPPMachine::operator=(const CPPMachine& other) = default;

CString CPPMachine::GetUserMachineName() { return user_machine_name_; }
void CPPMachine::SetUserMachineName(CString value) {
  user_machine_name_ = value;
}

CString CPPMachine::GetMachineName() { return machine_name_; }
void CPPMachine::SetMachineName(CString value) { machine_name_ = value; }

CString CPPMachine::GetCtrlSystem() { return ctrl_system_; }
void CPPMachine::SetCtrlSystem(CString value) { ctrl_system_ = value; }

CString CPPMachine::GetFingerType() { return finger_type_; }
void CPPMachine::SetFingerType(CString value) { finger_type_ = value; }

CString CPPMachine::GetProtocolBoard() { return protocol_board_; }
void CPPMachine::SetProtocolBoard(CString value) { protocol_board_ = value; }

int CPPMachine::GetCylinderNumber() const { return cylinder_number_; }
void CPPMachine::SetCylinderNumber(int value) { cylinder_number_ = value; }

bool CPPMachine::GetLengthUnit() const { return length_unit_; }
void CPPMachine::SetLengthUnit(bool value) { length_unit_ = value; }

double CPPMachine::GetTonnage() const { return tonnage_; }
void CPPMachine::SetTonnage(double value) { tonnage_ = value; }

double CPPMachine::GetMinTonnage() const { return min_tonnage_; }
void CPPMachine::SetMinTonnage(double value) { min_tonnage_ = value; }

double CPPMachine::GetFrameTightness() const { return frame_tightness_; }
void CPPMachine::SetFrameTightness(double value) { frame_tightness_ = value; }

double CPPMachine::GetOriginPressure() const { return origin_pressure_; }
void CPPMachine::SetOriginPressure(double value) { origin_pressure_ = value; }

double CPPMachine::GetMaxPressure() const { return max_pressure_; }
void CPPMachine::SetMaxPressure(double value) { max_pressure_ = value; }

double CPPMachine::GetMaxBendingLength() const { return max_bending_length_; }
void CPPMachine::SetMaxBendingLength(double value) {
  max_bending_length_ = value;
}

double CPPMachine::GetMaxStrokeHeight() const { return max_stroke_height_; }
void CPPMachine::SetMaxStrokeHeight(double value) {
  max_stroke_height_ = value;
}

double CPPMachine::GetOpenHeight() const { return open_height_; }
void CPPMachine::SetOpenHeight(double value) { open_height_ = value; }

double CPPMachine::GetSignificantHeight() const { return significant_height_; }
void CPPMachine::SetSignificantHeight(double value) {
  significant_height_ = value;
}

double CPPMachine::GetLowerBeamHeight() const { return lower_beam_height_; }
void CPPMachine::SetLowerBeamHeight(double value) {
  lower_beam_height_ = value;
}

double CPPMachine::GetMainBeamSpan() const { return main_beam_span_; }
void CPPMachine::SetMainBeamSpan(double value) { main_beam_span_ = value; }

double CPPMachine::GetSignifcantSpan() const { return signifcant_span_; }
void CPPMachine::SetSignifcantSpan(double value) { signifcant_span_ = value; }

double CPPMachine::GetMainBodyDepth() const { return main_body_depth_; }
void CPPMachine::SetMainBodyDepth(double value) { main_body_depth_ = value; }

int CPPMachine::GetBlockInUpBeam() const { return block_in_up_beam_; }
void CPPMachine::SetBlockInUpBeam(int value) { block_in_up_beam_ = value; }

int CPPMachine::GetBlockInLowBeam() const { return block_in_low_beam_; }
void CPPMachine::SetBlockInLowBeam(int value) { block_in_low_beam_ = value; }

void CPPMachine::GetExtrusionVectorBlockOfUpBeam(float (*values)[3]) const {
  CopyOut(extrusion_vector_block_of_up_beam_, values);
}
void CPPMachine::SetExtrusionVectorBlockOfUpBeam(float (*values)[3]) {
  CopyIn(values, extrusion_vector_block_of_up_beam_);
}

void CPPMachine::GetExtrusionVectorBlockOfLowerBeam(float (*values)[3]) const {
  CopyOut(extrusion_vector_block_of_lower_beam_, values);
}
void CPPMachine::SetExtrusionVectorBlockOfLowerBeam(float (*values)[3]) {
  CopyIn(values, extrusion_vector_block_of_lower_beam_);
}

void CPPMachine::GetUpBeamProfile(double (*values)[64][3]) const {
  CopyOut(up_beam_profile_, values);
}
void CPPMachine::SetUpBeamProfile(double (*values)[64][3]) {
  CopyIn(values, up_beam_profile_);
}

void CPPMachine::GetNumUpBeamPoint(int* values) const {
  CopyOut(num_up_beam_point_, values);
}
void CPPMachine::SetNumUpBeamPoint(int* values) {
  CopyIn(values, num_up_beam_point_);
}

void CPPMachine::GetLowBeamProfile(double (*values)[64][3]) const {
  CopyOut(low_beam_profile_, values);
}
void CPPMachine::SetLowBeamProfile(double (*values)[64][3]) {
  CopyIn(values, low_beam_profile_);
}

void CPPMachine::GetNumLowerBeamPoint(int* values) const {
  CopyOut(num_lower_beam_point_, values);
}
void CPPMachine::SetNumLowerBeamPoint(int* values) {
  CopyIn(values, num_lower_beam_point_);
}

void CPPMachine::GetUpBeamAttach(double* values) const {
  CopyOut(up_beam_attach_, values);
}
void CPPMachine::SetUpBeamAttach(double* values) {
  CopyIn(values, up_beam_attach_);
}

void CPPMachine::GetLowBeamAttach(double* values) const {
  CopyOut(low_beam_attach_, values);
}
void CPPMachine::SetLowBeamAttach(double* values) {
  CopyIn(values, low_beam_attach_);
}

bool CPPMachine::GetclampAtCerter() const { return clamp_at_certer_; }
void CPPMachine::SetclampAtCerter(bool value) { clamp_at_certer_ = value; }

double CPPMachine::GetClampLength() const { return clamp_length_; }
void CPPMachine::SetClampLength(double value) { clamp_length_ = value; }

double CPPMachine::GetClampPitch() const { return clamp_pitch_; }
void CPPMachine::SetClampPitch(double value) { clamp_pitch_ = value; }

double CPPMachine::GetDefaultPHLLength() const { return default_phl_length_; }
void CPPMachine::SetDefaultPHLLength(double value) {
  default_phl_length_ = value;
}

double CPPMachine::GetDefaultPHLPitch() const { return default_phl_pitch_; }
void CPPMachine::SetDefaultPHLPitch(double value) {
  default_phl_pitch_ = value;
}

void CPPMachine::GetPHLProfile(double (*values)[2]) const {
  CopyOut(phl_profile_, values);
}
void CPPMachine::SetPHLProfile(double (*values)[2]) {
  CopyIn(values, phl_profile_);
}

int CPPMachine::GetNumPHLPoint() const { return num_phl_point_; }
void CPPMachine::SetNumPHLPoint(int value) { num_phl_point_ = value; }

void CPPMachine::GetPHLTopAttach(double* values) const {
  CopyOut(phl_top_attach_, values);
}
void CPPMachine::SetPHLTopAttach(double* values) {
  CopyIn(values, phl_top_attach_);
}

void CPPMachine::GetPHLPunchAttach(double (*values)[2]) const {
  CopyOut(phl_punch_attach_, values);
}
void CPPMachine::SetPHLPunchAttach(double (*values)[2]) {
  CopyIn(values, phl_punch_attach_);
}

void CPPMachine::GetPHLClampAttach(double (*values)[2]) const {
  CopyOut(phl_clamp_attach_, values);
}
void CPPMachine::SetPHLClampAttach(double (*values)[2]) {
  CopyIn(values, phl_clamp_attach_);
}

void CPPMachine::GetClampProfile(double (*values)[2]) const {
  CopyOut(clamp_profile_, values);
}
void CPPMachine::SetClampProfile(double (*values)[2]) {
  CopyIn(values, clamp_profile_);
}

int CPPMachine::GetNumClampPoint() const { return num_clamp_point_; }
void CPPMachine::SetNumClampPoint(int value) { num_clamp_point_ = value; }

void CPPMachine::GetClampAttach(double* values) const {
  CopyOut(clamp_attach_, values);
}
void CPPMachine::SetClampAttach(double* values) {
  CopyIn(values, clamp_attach_);
}
