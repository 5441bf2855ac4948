// Field-by-field helpers for the five record classes, for tests that copy,
// load or look up records. Every field is reached through the record's own
// accessors, so the helpers also prove that each accessor exists.
#ifndef BENDPOST_TESTS_SUPPORT_RECORD_TESTING_H_
#define BENDPOST_TESTS_SUPPORT_RECORD_TESTING_H_

#include <string>
#include <vector>

#include "bendpost/bendpost.h"

namespace bendpost::testing {

// Gives every field a value that differs from its default and, for arrays,
// from zero in every element. Different seeds (1 to 9) give different
// values in every field but the bools (always the opposite of the default).
void FillEveryField(CPPStepInfo& step, int seed);
void FillEveryField(CPPTool& tool, int seed);
void FillEveryField(CPPSetup& setup, int seed);
void FillEveryField(CPPMachine& machine, int seed);
void FillEveryField(CPPBGauge& gauge, int seed);

// Names (accessor stems) of the fields whose values differ; arrays compare
// every element.
std::vector<std::string> DifferingFields(CPPStepInfo& a, CPPStepInfo& b);
std::vector<std::string> DifferingFields(CPPTool& a, CPPTool& b);
std::vector<std::string> DifferingFields(CPPSetup& a, CPPSetup& b);
std::vector<std::string> DifferingFields(CPPMachine& a, CPPMachine& b);
std::vector<std::string> DifferingFields(CPPBGauge& a, CPPBGauge& b);

// Names of the fields that are not zero, false or empty (any non-zero array
// element counts).
std::vector<std::string> NonZeroFields(CPPStepInfo& step);
std::vector<std::string> NonZeroFields(CPPTool& tool);
std::vector<std::string> NonZeroFields(CPPSetup& setup);
std::vector<std::string> NonZeroFields(CPPMachine& machine);
std::vector<std::string> NonZeroFields(CPPBGauge& gauge);

}  // namespace bendpost::testing

#endif  // BENDPOST_TESTS_SUPPORT_RECORD_TESTING_H_
