// ProgramHeader: the header values of one program, a plain value.
//
// The generation builds one per program (BuildProgramHeader): it finds the
// program's setup, sets the material values, names the program (reading the
// daily serial counter), appends the default final step to the program's
// step list and fills the tool values and the creation date. The dialog
// (program_dialog.h) lets the operator edit it; the finishing step, the
// record file writer and the bend calculation (generation/) read it.
//
// The construction's pieces live with their subject: material_naming.cc
// (material values), program_identity.cc (naming and serial counter),
// tool_names.cc (tool values).
#ifndef BENDPOST_DIALOG_PROGRAM_HEADER_H_
#define BENDPOST_DIALOG_PROGRAM_HEADER_H_

#include <cstdint>
#include <string>

#include "bendpost/bendpost.h"
#include "dialog/job_context.h"
#include "records/control_type.h"

namespace bendpost {

struct ProgramHeader {
  // ---- Header values, in the dialog's transfer order ----------------------
  CString SetupName;
  CString ControlTypeName = "B-and-R";
  CString MachineModel;
  CString FileName;
  CString ProgramName;
  CString PartReference;
  int TotalSteps = 0;
  float HeaderThickness = 0;
  CString MaterialName;
  int16_t MaterialNumber = 0;
  CString PunchName;
  CString DieName;
  CString DieHolderName;
  CString DieHolderRev;
  CString SpacerName;
  CString DieRev;
  CString PunchRev;
  CString CreationDate;
  CString PunchTargetName;
  CString DieTargetName;
  CString DieHolderTargetName;
  CString SpacerTargetName;
  float Hardness = 0;

  // ---- The program's place in the job -------------------------------------
  bool SetupFound = false;  // a setup of the job has the program's index
  CPPSetup Setup;  // copy of the program's setup (default when none found)
  int SetupKey = 0;
  int GroupNumber = 0;
  ControlType Control = ControlType::kEx;  // the setup's control type
  int SetupCount = 0;
  CString OutputFolder;  // with its trailing path separator
  CString BaseName;
  CString FileExtension;  // ".NMB"
  int NextSerial = 0;
  int SerialMonth = 0;
  int SerialDay = 0;
  int16_t RecordCount = 0;  // steps + 1
  int Unit = 0;             // the job's unit at construction (1: inch)

  // ---- Fixed values, copied into the record file header as they are ------
  int32_t HeaderReserved1 = 0;
  int16_t HeaderReserved2 = 0;
  int16_t HeaderConstant = 9999;
  int32_t HeaderReservedBlock[10] = {};
  int16_t NamePrefixDigit = 2;
  int32_t HeaderReserved3 = 0;
};

// The header of one program of the job: `setup_key` is the setup index
// shared by the program's steps (already lowered by the generation),
// `group_number` the 0-based ordinal of the program in the run and `steps`
// the program's `step_count` steps; `steps` is resized to step_count + 1,
// the last a default step. Reads the serial counter and the tool name
// table; never fails and shows nothing.
ProgramHeader BuildProgramHeader(const JobContext& context, int setup_key,
                                 int group_number, int step_count,
                                 CArray<CPPStepInfo>& steps);

// The message shown instead of the dialog for a program whose steps name a
// setup the job does not have (`program_number` and `setup_number` counted
// from 1, as in the ".S{K}P{G}" file names).
std::string NoSetupMessage(int program_number, int setup_number);
// The same for `header`, whose SetupFound is false.
std::string NoSetupMessage(const ProgramHeader& header);

// ---- The pieces of the construction, in the order it runs them ----------

// Thickness and hardness from the job, then the control type's material
// for the job's material code (material_naming.cc).
void ApplyMaterialDefaults(ProgramHeader& header, const Job& job);
// File name, program name and part reference; reads the serial counter and
// prepares its next value (program_identity.cc).
void BuildProgramIdentity(ProgramHeader& header, const JobContext& context);
// Tool names, target names and reverse flags from the program's steps
// (tool_names.cc).
void FillProgramTools(ProgramHeader& header, const CArray<CPPStepInfo>& steps,
                      const JobContext& context);

}  // namespace bendpost

#endif  // BENDPOST_DIALOG_PROGRAM_HEADER_H_
