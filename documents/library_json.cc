#include "documents/library_json.h"

#include "base/text.h"

namespace bendpost::documents {
namespace {

ordered_json EntryToJson(const CatalogueEntry& e) {
  const ControlFileHeader& h = e.header;
  ordered_json j = ordered_json::object();
  j["file"] = Latin1ToUtf8(e.file);
  j["damaged"] = e.damaged();
  j["problems"] = e.problems;
  j["ProgramName"] = Latin1ToUtf8(h.ProgramName);
  j["PartReference"] = Latin1ToUtf8(h.PartReference);
  j["CreationStamp"] = h.CreationStamp;
  j["created"] =
      e.created.empty() ? ordered_json(nullptr) : ordered_json(e.created);
  j["MaterialName"] = Latin1ToUtf8(h.MaterialName);
  j["MaterialNumber"] = h.MaterialNumber;
  j["Hardness"] = h.Hardness;
  j["HeaderThickness"] = FloatToJson(h.HeaderThickness);
  j["StepCount"] = h.StepCount;
  j["PunchTargetName"] = Latin1ToUtf8(h.PunchTargetName);
  j["DieTargetName"] = Latin1ToUtf8(h.DieTargetName);
  j["zero_depth_steps"] = e.zero_depth_steps;
  return j;
}

ordered_json ValueToJson(DiffValueType type, double number,
                         const std::string& text) {
  switch (type) {
    case DiffValueType::kFloat:
      return FloatToJson(static_cast<float>(number));
    case DiffValueType::kInteger:
      return static_cast<int64_t>(number);
    case DiffValueType::kText:
      break;
  }
  return Latin1ToUtf8(text);
}

ordered_json ChangesToJson(const std::vector<FieldDifference>& list) {
  ordered_json changes = ordered_json::array();
  for (const FieldDifference& d : list) {
    ordered_json c = ordered_json::object();
    c["field"] = d.field;
    c["a"] = ValueToJson(d.type, d.a, d.a_text);
    c["b"] = ValueToJson(d.type, d.b, d.b_text);
    std::string delta = DifferenceText(d);
    if (!delta.empty() && delta[0] == '+') delta.erase(0, 1);
    if (const std::optional<double> value = ParseDouble(delta))
      c["difference"] = *value;
    changes.push_back(std::move(c));
  }
  return changes;
}

const char* ChangeName(StepChange change) {
  switch (change) {
    case StepChange::kAdded:
      return "added";
    case StepChange::kRemoved:
      return "removed";
    case StepChange::kChanged:
      break;
  }
  return "changed";
}

}  // namespace

ordered_json CatalogueToJson(const ProgramCatalogue& catalogue) {
  ordered_json list = ordered_json::array();
  for (const CatalogueEntry& e : catalogue.programs)
    list.push_back(EntryToJson(e));
  return list;
}

ordered_json DifferenceToJson(const ProgramDifference& difference) {
  ordered_json j = ordered_json::object();
  j["same"] = difference.same();
  j["kind"] =
      difference.kind == ProgramFileKind::kRecord ? "record" : "control";
  j["header"] = ChangesToJson(difference.header);
  ordered_json steps = ordered_json::array();
  for (const StepDifference& s : difference.steps) {
    ordered_json step = ordered_json::object();
    step["step"] = s.step;
    step["change"] = ChangeName(s.change);
    if (s.change == StepChange::kChanged)
      step["fields"] = ChangesToJson(s.fields);
    steps.push_back(std::move(step));
  }
  j["steps"] = steps;
  return j;
}

}  // namespace bendpost::documents
