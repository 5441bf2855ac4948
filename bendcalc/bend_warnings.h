// The operator's message about one step's bend data warnings.
#ifndef BENDPOST_BENDCALC_BEND_WARNINGS_H_
#define BENDPOST_BENDCALC_BEND_WARNINGS_H_

#include <string>

#include "platform/ui.h"

namespace bendpost {

constexpr int kWarningCodeCount = 16;

// The text of the step's message box: the heading with the step number and
// a line feed, then, for every element of `warnings` in order that is a
// known warning code, its message and a line feed (a code present twice is
// listed twice). Empty when no element is a known code.
std::string ComposeBendWarnings(int step_number,
                                const int warnings[kWarningCodeCount]);

// Shows the composed text as a plain message box (OK only, no icon) through
// `ui`, and nothing when the text is empty.
void ShowBendWarnings(UserInterface& ui, int step_number,
                      const int warnings[kWarningCodeCount]);

}  // namespace bendpost

#endif  // BENDPOST_BENDCALC_BEND_WARNINGS_H_
