// The setup sheet as a page (cli/html.h): header, tooling, one row per
// step with a side view of the bend to scale, the bed with every bend
// where the back gauge puts it, and the force of each step against the
// machine's tonnage and the tools' resistance.
#ifndef BENDPOST_PAGES_SHEET_PAGE_H_
#define BENDPOST_PAGES_SHEET_PAGE_H_

#include <string>

#include "pages/sheet_model.h"

namespace bendpost::pages {

std::string SheetPage(const SheetModel& model);

// The side view of one step, to scale: the die's V opening, the sheet's
// thickness, the punch at the step's depth and the target angle.
std::string SideViewSvg(const SheetStep& step, double thickness);

}  // namespace bendpost::pages

#endif  // BENDPOST_PAGES_SHEET_PAGE_H_
