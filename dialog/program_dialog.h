// ProgramDialog: the operator's program creation dialog, a controller on a
// program's header (program_header.h).
//
// Run() shows it modally through the user interface; the operator may edit
// the program name, part reference, target tool names, material and
// hardness, and choose another folder. The controller moves the header's
// values into the dialog's fields and back, validates them, fills the
// material list and handles the "..." button. It writes no file: after
// "Create..." the generation finishes the program from the header.
//
// Everything here is plain logic on the values; the window is a
// DialogFields implementation of the platform, addressed by control id.
// The operations live in program_dialog.cc (opening, data transfer and
// validation), material_naming.cc (the material list) and
// folder_selection.cc (the "..." button).
#ifndef BENDPOST_DIALOG_PROGRAM_DIALOG_H_
#define BENDPOST_DIALOG_PROGRAM_DIALOG_H_

#include "dialog/job_context.h"
#include "dialog/program_header.h"
#include "platform/ui.h"

namespace bendpost {

class ProgramDialog : public DialogController {
 public:
  // Edits `header`; the "..." button changes the program path of
  // `context.job`. `show_browse` shows the "..." button.
  ProgramDialog(ProgramHeader& header, const JobContext& context,
                bool show_browse);
  ProgramDialog(const ProgramDialog&) = delete;
  ProgramDialog& operator=(const ProgramDialog&) = delete;

  // Shows the dialog modally: kOk after an accepted "Create...", kCancel
  // otherwise.
  DialogResult Run();

  // DialogController: opening, "Create..." and the two commands (selection
  // change of the material list, the "..." button).
  void OnInitDialog(DialogFields& fields) override;
  bool OnOk(DialogFields& fields) override;
  void OnCommand(int control_id, DialogFields& fields) override;

  // Values to fields: every field's text and the editable fields' typing
  // limits.
  void ValuesToFields(DialogFields& fields);
  // Fields to values, in transfer order, with validation. Stops at the
  // first failing field: tells the operator which field and what is
  // expected, focuses that field and returns false. Values transferred
  // before it keep their new contents.
  bool FieldsToValues(DialogFields& fields);

  // The material list (material_naming.cc).
  void FillMaterialList(DialogFields& fields);
  void OnMaterialSelected(DialogFields& fields);

  // The "..." button (folder_selection.cc).
  void OnBrowseFolder(DialogFields& fields);

  ProgramHeader& header() { return header_; }

 private:
  // Validation steps of FieldsToValues.
  bool TakeHeaderRows(DialogFields& fields);
  bool TakeTargetNames(DialogFields& fields);
  bool CheckControlLimits(DialogFields& fields);
  bool TakeHardness(DialogFields& fields);
  // A failed field: the operator is told, the field gets the focus.
  bool Refuse(DialogFields& fields, int control_id, const CString& message);
  bool RefuseWith(DialogFields& fields, int control_id, int format_id);
  bool ReadInt(DialogFields& fields, int control_id, int* value);
  bool ReadShort(DialogFields& fields, int control_id, int16_t* value);
  bool ReadFloat(DialogFields& fields, int control_id, float* value);
  bool CheckMaxChars(DialogFields& fields, int control_id, const CString& text,
                     int max_chars);
  bool CheckRange(DialogFields& fields, int control_id, float value,
                  float min_value, float max_value);

  ProgramHeader& header_;
  Job& job_;
  UserInterface& ui_;
  bool show_browse_;
};

}  // namespace bendpost

#endif  // BENDPOST_DIALOG_PROGRAM_DIALOG_H_
