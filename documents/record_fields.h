// The fields of the five records as a job file names them: the accessor
// stems (NumberInSquence, SignifcantSpan, ...), each with the JSON shape it
// accepts and the setter call that stores it.
//
// One table per record serves the job loader (validation, then filling the
// records), the documentation check of docs/job.schema.json and nothing
// else. A table lists the fields in the record's declaration order, which is
// also the order in which they are applied: a step's BendType is set before
// CoiningFlag and Mode, and its ControlType before BendingSpeed, so explicit
// values of those win over what the earlier setter derived.
#ifndef BENDPOST_DOCUMENTS_RECORD_FIELDS_H_
#define BENDPOST_DOCUMENTS_RECORD_FIELDS_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "bendpost/bendpost.h"
#include "documents/problem.h"

namespace bendpost::documents {

enum class ValueKind { kInteger, kNumber, kBoolean, kString };

// What a field accepts: a scalar of `kind`, or nested arrays of at most
// dims[0] x dims[1] x ... elements with scalars of `kind` at the leaves.
// Array entries left out keep the record's default.
struct FieldShape {
  ValueKind kind = ValueKind::kNumber;
  std::vector<int> dims;
  int64_t min = 0;  // integer range (kInteger only)
  int64_t max = 0;
  size_t max_bytes = 0;  // longest accepted text (kString); 0: any
  // True for the converting step setters, which take the job's unit flag.
  bool converting = false;
};

template <typename Record>
struct RecordField {
  std::string name;
  FieldShape shape;
  // Stores a value that matched `shape`; `unit` is the job's unit flag.
  std::function<void(Record&, const nlohmann::json&, int unit)> apply;
};

const std::vector<RecordField<CPPStepInfo>>& StepFields();
const std::vector<RecordField<CPPTool>>& ToolFields();
const std::vector<RecordField<CPPSetup>>& SetupFields();
const std::vector<RecordField<CPPMachine>>& MachineFields();
const std::vector<RecordField<CPPBGauge>>& BackGaugeFields();

// Appends a problem for every way `value` does not fit `shape`.
void CheckShape(const nlohmann::json& value, const FieldShape& shape,
                const std::string& path, std::vector<Problem>* problems);

// "an integer", "a number", "a boolean", "a string".
const char* KindName(ValueKind kind);
// The JSON type of a value in the same words ("an object", "null", ...).
std::string JsonTypeName(const nlohmann::json& value);

}  // namespace bendpost::documents

#endif  // BENDPOST_DOCUMENTS_RECORD_FIELDS_H_
