#include "bendpost/setup.h"

#include "records/array_copy.h"

using bendpost::CopyIn;
using bendpost::CopyOut;

CPPSetup::CPPSetup() = default;
// Every field is a value (numbers, fixed arrays, CString), so the
// member-wise copy copies everything, profiles included, and is safe for
// self-assignment.
CPPSetup::CPPSetup(const CPPSetup& other) = default;
CPPSetup::~CPPSetup() = default;
CPPSetup& CPPSetup::operator=(const CPPSetup& other) = default;

CString CPPSetup::GetSetupName() { return setup_name_; }
void CPPSetup::SetSetupName(CString value) { setup_name_ = value; }

int CPPSetup::GetControlType() const { return control_type_; }
void CPPSetup::SetControlType(int value) { control_type_ = value; }

CString CPPSetup::GetMachineModel() { return machine_model_; }
void CPPSetup::SetMachineModel(CString value) { machine_model_ = value; }

int CPPSetup::GetSetupIndex() const { return setup_index_; }
void CPPSetup::SetSetupIndex(int value) { setup_index_ = value; }

CString CPPSetup::GetUserMachineName() { return user_machine_name_; }
void CPPSetup::SetUserMachineName(CString value) { user_machine_name_ = value; }

float CPPSetup::GetBendingCoefficient() const { return bending_coefficient_; }
void CPPSetup::SetBendingCoefficient(float value) {
  bending_coefficient_ = value;
}
