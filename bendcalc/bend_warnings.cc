#include "bendcalc/bend_warnings.h"

#include "bendcalc/bend_data.h"
#include "resources/strings.h"

namespace bendpost {
namespace {

static_assert(kWarningCodeCount == std::tuple_size_v<WarningCodes>);

// The string of a warning code, or 0 when the code is not a warning.
int MessageId(int code) {
  switch (code) {
    case kWarningMaterialNumber:
    case kWarningMaterialFile:
      return strings::kMaterialNotSupported;
    case kWarningElongation:
      return strings::kElongationAbove50;
    case kWarningOpeningSmall:
      return strings::kVOverTBelow4;
    case kWarningOpeningLarge:
      return strings::kVOverTAbove20;
    case kWarningBelowMinTonnage:
      return strings::kForceBelowMachineMin;
    case kWarningAboveMaxTonnage:
      return strings::kForceAboveMachineMax;
    case kWarningAbovePunchLimit:
      return strings::kForceAbovePunchLimit;
    case kWarningAboveDieLimit:
      return strings::kForceAboveDieLimit;
    case kWarningNotCalculated:
      return strings::kBendDataNotCalculated;
    default:
      return 0;
  }
}

// The heading with the step number in place of its "%d". The number is
// put in as text rather than through printf, so the table's text is never
// used as a format.
std::string Heading(int step_number) {
  std::string heading = LoadString(strings::kBendWarningHeading);
  const size_t at = heading.find("%d");
  if (at != std::string::npos)
    heading.replace(at, 2, std::to_string(step_number));
  return heading;
}

}  // namespace

std::string ComposeBendWarnings(int step_number,
                                const int warnings[kWarningCodeCount]) {
  std::string lines;
  for (int i = 0; i < kWarningCodeCount; ++i) {
    const int id = MessageId(warnings[i]);
    if (id != 0) lines += LoadString(id) + "\n";
  }
  if (lines.empty()) return std::string();
  return Heading(step_number) + "\n" + lines;
}

void ShowBendWarnings(UserInterface& ui, int step_number,
                      const int warnings[kWarningCodeCount]) {
  const std::string text = ComposeBendWarnings(step_number, warnings);
  if (!text.empty()) ui.ShowMessage(text, MessageIcon::kNone);
}

}  // namespace bendpost
