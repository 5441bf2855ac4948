// The "..." button: the operator puts the program into another folder. The
// file name stays; its folder changes, and so does the job's program path,
// from which every later program of the job starts.
#include "dialog/program_dialog.h"
#include "platform/path.h"
#include "resources/strings.h"

namespace bendpost {

void ProgramDialog::OnBrowseFolder(DialogFields& fields) {
  // Keep what the operator typed so far. A failed validation has told the
  // operator; browsing goes on with the values transferred before it.
  FieldsToValues(fields);

  const char separator = PathSeparator();
  ProgramHeader& h = header_;
  CString file_name = h.FileName;
  file_name.TrimRight();
  const int slash = file_name.ReverseFind(separator);
  h.OutputFolder = file_name.Left(slash + 1);
  const CString leaf = file_name.Mid(slash + 1);

  FolderChoice choice = ui_.BrowseForFolder(
      LoadString(strings::kSelectFolderTitle), h.OutputFolder.str());
  switch (choice.outcome) {
    case FolderChoice::Outcome::kCancelled:
      return;
    case FolderChoice::Outcome::kNoPath:
      ui_.ShowMessage(LoadString(strings::kFolderNotValid), MessageIcon::kNone);
      return;
    case FolderChoice::Outcome::kChosen:
      break;
  }

  // A chosen root already ends in a separator; the doubled separator that
  // follows is accepted by the file functions.
  const CString folder(choice.path);
  h.FileName = folder + separator + leaf;
  job_.ProgramPath = folder + separator + h.BaseName + ".bmf";
  ValuesToFields(fields);
}

}  // namespace bendpost
