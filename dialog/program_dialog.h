// ProgramDialog: the program header of one program and, at the same time,
// the operator's program creation dialog.
//
// The generation builds one per program: construction finds the program's
// setup, sets the material values, names the program (reading the daily
// serial counter), appends the default final step to the step list, fills
// the tool values and the creation date. Run() shows it modally through the
// platform's user interface; the operator may edit the program name, part
// reference, target tool names, material and hardness, and choose another
// folder. After "Create...", the finishing step, the record file writer and
// the bend calculation read every header value from the public members.
//
// Everything here is plain logic on the values; the window is a
// DialogFields implementation of the platform, addressed by control id.
//
// The operations live in several files: program_dialog.cc (construction,
// opening, data transfer), program_identity.cc (naming and serial counter),
// tool_names.cc (tool values), material_naming.cc (material values and
// list) and folder_selection.cc (the "..." button).
#ifndef BENDPOST_DIALOG_PROGRAM_DIALOG_H_
#define BENDPOST_DIALOG_PROGRAM_DIALOG_H_

#include <cstdint>
#include <string>

#include "bendcalc/bend_data.h"
#include "driver/job_store.h"
#include "generation/step_bend_data.h"
#include "base/status.h"
#include "platform/ui.h"

// The message shown instead of the dialog for a program whose steps name a
// setup the job does not have (`program_number` and `setup_number` counted
// from 1, as in the ".S{K}P{G}" file names).
namespace bendpost {
std::string NoSetupMessage(int program_number, int setup_number);
}  // namespace bendpost

class ProgramDialog : public bendpost::DialogController {
 public:
  // `setup_key`: the setup index shared by the program's steps (already
  // lowered by the generation); `group_number`: 0-based ordinal of the
  // program in the run; `step_count`: the program's n steps, which `steps`
  // holds (construction resizes it to n + 1, the last a default step);
  // `show_browse`: non-zero shows the "..." button. Never fails and shows
  // nothing.
  ProgramDialog(int setup_key, int group_number, int step_count,
                CArray<CPPStepInfo>& steps, int show_browse);
  ~ProgramDialog() override;
  ProgramDialog(const ProgramDialog&) = delete;
  ProgramDialog& operator=(const ProgramDialog&) = delete;

  // False when no setup of the store has the program's setup index: then
  // the dialog must not be shown, and NoSetupMessage() tells the operator.
  bool HasSetup() const { return setup_found_; }
  std::string NoSetupMessage() const;

  // Shows the dialog modally: kOk after an accepted "Create...", kCancel
  // otherwise.
  bendpost::DialogResult Run();

  // DialogController: opening, "Create..." and the two commands (selection
  // change of the material list, the "..." button).
  void OnInitDialog(bendpost::DialogFields& fields) override;
  bool OnOk(bendpost::DialogFields& fields) override;
  void OnCommand(int control_id, bendpost::DialogFields& fields) override;

  // Values to fields: every field's text and the editable fields' typing
  // limits.
  void ValuesToFields(bendpost::DialogFields& fields);
  // Fields to values, in transfer order, with validation. Stops at the
  // first failing field: tells the operator which field and what is
  // expected, focuses that field and returns false. Values transferred
  // before it keep their new contents.
  bool FieldsToValues(bendpost::DialogFields& fields);

  // Material naming (material_naming.cc).
  void ApplyMaterialDefaults();
  void FillMaterialList(bendpost::DialogFields& fields);
  void OnMaterialSelected(bendpost::DialogFields& fields);

  // Program naming (program_identity.cc).
  void BuildProgramIdentity();

  // Tool values (tool_names.cc). ConvertToolName uses the store's table.
  CString ConvertToolName(const CString& name, bool sectional) const;
  void FillProgramTools();

  // Folder selection (folder_selection.cc).
  void OnBrowseFolder(bendpost::DialogFields& fields);

  // ---- Program file writing, finishing and bend data --------------------
  // Defined with the program file and calculation code.

  // Finishing (program/finish_program.cc): after "Create...", turns the
  // confirmed header into the control file. Normalises ProgramName and
  // PartReference (trailing white space removed, upper case), refuses any
  // control type but 7 before touching a file, stores the serial counter,
  // writes the record file under the staging name (replacing a stale file
  // of that name; never under FileName, which may be the control file's
  // own name), converts it into the control file and deletes the staging
  // file. Fails with the reason; shows no message of
  // its own (the writer may show 51006). No record or staging file is left
  // behind by a failure that happened after the write.
  bendpost::Status TryFinishProgram();
  // The same as 1 (control file written) or 0.
  int FinishProgram();

  // Record file writer (program/record_file_writer.cc): writes the record
  // file of program/record_file.h under FileName, calculating each step's
  // bend data on the way. Converts HeaderThickness and Hardness to their
  // millimetre form in place first. When the file cannot be opened, shows
  // 51006 and fails; any later I/O error fails and deletes the partly
  // written file. The overload with a path writes there instead.
  bendpost::Status TryWriteRecordFile();
  bendpost::Status TryWriteRecordFile(const std::string& path);
  // The same as 1 (written and closed) or 0.
  int WriteRecordFile();

  // Bend data of one step (bendcalc/bend_calculation_driver.cc): ram depth
  // into Y1 and Y2 (negated), the force, corrected for an off-centre bend,
  // into TonnageValue, and the step's warning shown to the operator.
  void CalculateBendData(CPPStepInfo& step, const CPPSetup& setup);
  // The operator's message for the warning codes of step `stepNumber`
  // (nothing when no element is a known code).
  void ShowBendWarnings(int stepNumber, const int warnings[16]);

  // Step tooling lookup (program/tooling_lookup.cc): the inputs of the
  // calculation, from the store's machine (by the setup's UserMachineName)
  // and tools (by the step's ToolID entries 0, punch, and 1, die), the
  // setup, the step and this header. A name without a match gives the
  // values of a new record.
  void GatherMachineData(bendpost::BendMachineData& machine,
                         const CPPSetup& setup, const CPPStepInfo& step) const;
  void GatherMaterialData(bendpost::BendMaterialData& material,
                          const CPPStepInfo& step) const;
  // The header values those read (generation/step_bend_data.h).
  bendpost::BendHeaderValues HeaderValues() const;
  // ---- end of program file writing, finishing and bend data -------------

  // ---- Header values, in transfer order ----------------------------------
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

  // ---- Context values ----------------------------------------------------
  JobStore* Store = nullptr;  // the job store (null only if it cannot exist)
  CPPSetup Setup;  // copy of the program's setup (default when none found)
  CArray<CPPStepInfo>& ProgramSteps;
  int SetupKey = 0;
  int GroupNumber = 0;
  int ShowBrowse = 0;
  int ControlType = 0;
  int SetupCount = 0;
  CString OutputFolder;  // with its trailing path separator
  CString BaseName;
  CString FileExtension;  // ".NMB"
  int NextSerial = 0;
  int SerialMonth = 0;
  int SerialDay = 0;
  int16_t RecordCount = 0;  // steps + 1
  int Unit = 0;             // the store's unit at construction (1: inch)

  // Fixed header values, copied into the record file header as they are.
  int32_t HeaderReserved1 = 0;
  int16_t HeaderReserved2 = 0;
  int16_t HeaderConstant = 9999;
  int32_t HeaderReservedBlock[10] = {};
  int16_t NamePrefixDigit = 2;
  int32_t HeaderReserved3 = 0;

 private:
  bool setup_found_ = false;
};

#endif  // BENDPOST_DIALOG_PROGRAM_DIALOG_H_
