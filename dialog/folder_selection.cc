// The "..." button: the operator puts the program into another folder. The
// file name stays; its folder changes, and so does the job's program path,
// from which every later program of the job starts.
#include "dialog/program_dialog.h"
#include "platform/path.h"
#include "platform/platform.h"
#include "resources/strings.h"

void ProgramDialog::OnBrowseFolder(bendpost::DialogFields& fields) {
  // Keep what the operator typed so far. A failed validation has told the
  // operator; browsing goes on with the values transferred before it.
  FieldsToValues(fields);

  const char separator = bendpost::PathSeparator();
  CString file_name = FileName;
  file_name.TrimRight();
  const int slash = file_name.ReverseFind(separator);
  OutputFolder = file_name.Left(slash + 1);
  const CString leaf = file_name.Mid(slash + 1);

  bendpost::UserInterface& ui = *bendpost::CurrentPlatform().ui;
  bendpost::FolderChoice choice = ui.BrowseForFolder(
      bendpost::LoadString(bendpost::strings::kSelectFolderTitle),
      OutputFolder.str());
  switch (choice.outcome) {
    case bendpost::FolderChoice::Outcome::kCancelled:
      return;
    case bendpost::FolderChoice::Outcome::kNoPath:
      ui.ShowMessage(bendpost::LoadString(bendpost::strings::kFolderNotValid),
                     bendpost::MessageIcon::kNone);
      return;
    case bendpost::FolderChoice::Outcome::kChosen:
      break;
  }

  // A chosen root already ends in a separator; the doubled separator that
  // follows is accepted by the file functions.
  const CString folder(choice.path);
  FileName = folder + separator + leaf;
  if (Store != nullptr) {
    Store->ProgramPath = folder + separator + BaseName + ".bmf";
  }
  ValuesToFields(fields);
}
