// The program folder's catalogue as a page (pages/html.h): one table row
// per control file, newest first, with a link to its setup sheet where the
// command found one, damaged files marked with their problems, and the
// count of the other files.
#ifndef BENDPOST_PAGES_PROGRAM_LIST_PAGE_H_
#define BENDPOST_PAGES_PROGRAM_LIST_PAGE_H_

#include <string>
#include <vector>

#include "formats/program_catalogue.h"

namespace bendpost::pages {

// `sheet_links[k]` is the href of entry k's sheet, "" for none (as many as
// there are entries, or none at all). `folder` names the folder in the
// title (UTF-8).
std::string ProgramListPage(const ProgramCatalogue& catalogue,
                            const std::string& folder,
                            const std::vector<std::string>& sheet_links);

}  // namespace bendpost::pages

#endif  // BENDPOST_PAGES_PROGRAM_LIST_PAGE_H_
