// CPPSetup: one tooling setup of the job. Steps point to their setup by
// SetupIndex; the program dialog shows its name, machine model and control
// type (0 "EX", 2 "Operateur", 7 "BandR"); the bend calculation finds the
// setup's machine by UserMachineName.
//
// A value class exported whole (see step_info.h for the conventions shared
// by the five records). Every accessor stores or returns its value
// unchanged.
#ifndef BENDPOST_SETUP_H_
#define BENDPOST_SETUP_H_

#include "bendpost/cstring.h"
#include "bendpost/export.h"

class BENDPOST_EXPORT CPPSetup {
 public:
  CPPSetup();
  CPPSetup(const CPPSetup& other);
  virtual ~CPPSetup();
  // Copies every field; assigning a record to itself changes nothing.
  CPPSetup& operator=(const CPPSetup& other);

  CString GetSetupName();
  void SetSetupName(CString value);
  int GetControlType() const;
  void SetControlType(int value);
  CString GetMachineModel();
  void SetMachineModel(CString value);
  int GetSetupIndex() const;
  void SetSetupIndex(int value);
  CString GetUserMachineName();
  void SetUserMachineName(CString value);
  float GetBendingCoefficient() const;
  void SetBendingCoefficient(float value);

 private:
  CString setup_name_;
  int control_type_ = 7;
  CString machine_model_;
  int setup_index_ = 0;
  CString user_machine_name_;
  float bending_coefficient_ = 0;
};

#endif  // BENDPOST_SETUP_H_
