#include "documents/job_file.h"

#include "documents/json_text.h"

namespace bendpost::documents {
namespace {

using nlohmann::json;

template <typename Record>
std::vector<std::string> NamesOf(const std::vector<RecordField<Record>>& fs) {
  std::vector<std::string> names;
  for (const auto& f : fs) names.push_back(f.name);
  return names;
}

// Checks one record array: an array of objects whose keys are the record's
// field names and whose values fit the fields' shapes.
template <typename Record>
void CheckRecords(const json& value, const std::string& path,
                  const std::vector<RecordField<Record>>& fields,
                  std::vector<Problem>* problems) {
  if (!value.is_array()) {
    problems->push_back(
        {path, "expected an array of objects, found " + JsonTypeName(value)});
    return;
  }
  const std::vector<std::string> names = NamesOf(fields);
  for (size_t i = 0; i < value.size(); ++i) {
    const std::string at = JsonPathIndex(path, i);
    const json& record = value[i];
    if (!record.is_object()) {
      problems->push_back(
          {at, "expected an object, found " + JsonTypeName(record)});
      continue;
    }
    for (const auto& [key, field_value] : record.items()) {
      const RecordField<Record>* field = nullptr;
      for (const auto& f : fields) {
        if (f.name == key) field = &f;
      }
      if (field == nullptr) {
        problems->push_back(UnknownField(at, key, names));
        continue;
      }
      CheckShape(field_value, field->shape, JsonPathKey(at, key), problems);
    }
  }
}

// Builds the records of a checked array, applying each record's fields in
// the table's order (not the file's).
template <typename Record>
void BuildRecords(const json& value,
                  const std::vector<RecordField<Record>>& fields, int unit,
                  CArray<Record>* out) {
  out->RemoveAll();
  for (const json& object : value) {
    Record record;
    for (const auto& field : fields) {
      auto it = object.find(field.name);
      if (it != object.end()) field.apply(record, *it, unit);
    }
    out->Add(record);
  }
}

}  // namespace

const std::vector<TopLevelField>& JobTopLevelFields() {
  static const auto* fields = new std::vector<TopLevelField>{
      {"$schema", "string", false},
      {"Unit", "integer", true, INT32_MIN, INT32_MAX},
      {"Thickness", "number", true},
      {"MaterialTensile", "number", true},
      {"MaterialCode", "integer", false, INT32_MIN, INT32_MAX},
      {"MaterialName", "string", false},
      {"ProgramPath", "string", true},
      {"DataPath", "string", false},
      {"ToolNameTablePath", "string", false},
      {"Steps", "array", false},
      {"Tools", "array", false},
      {"Setups", "array", false},
      {"Machines", "array", false},
      {"BackGauges", "array", false},
  };
  return *fields;
}

std::string ResolvePath(const std::filesystem::path& base_dir,
                        const std::string& path) {
  if (path.empty()) return path;
  std::filesystem::path p(path);
  if (p.is_absolute()) return path;
  return (base_dir / p).lexically_normal().string();
}

namespace {

// The shape of a top-level scalar field.
FieldShape TopLevelShape(const TopLevelField& field) {
  FieldShape shape;
  const std::string type = field.type;
  if (type == "integer") {
    shape.kind = ValueKind::kInteger;
    shape.min = field.min;
    shape.max = field.max;
  } else if (type == "number") {
    shape.kind = ValueKind::kNumber;
  } else {
    shape.kind = ValueKind::kString;
  }
  return shape;
}

// Checks the value of top-level field `key`: a record array against its
// record's fields, anything else against its shape.
void CheckTopLevelValue(const TopLevelField& field, const json& value,
                        std::vector<Problem>* problems) {
  const std::string key = field.name;
  const std::string path = JsonPathKey("$", key);
  if (key == "Steps") {
    CheckRecords(value, path, StepFields(), problems);
  } else if (key == "Tools") {
    CheckRecords(value, path, ToolFields(), problems);
  } else if (key == "Setups") {
    CheckRecords(value, path, SetupFields(), problems);
  } else if (key == "Machines") {
    CheckRecords(value, path, MachineFields(), problems);
  } else if (key == "BackGauges") {
    CheckRecords(value, path, BackGaugeFields(), problems);
  } else {
    CheckShape(value, TopLevelShape(field), path, problems);
  }
}

// Every key of the document: known, and with a value of its shape.
void CheckTopLevelKeys(const json& doc, std::vector<Problem>* problems) {
  std::vector<std::string> names;
  for (const TopLevelField& f : JobTopLevelFields()) names.push_back(f.name);
  for (const auto& [key, value] : doc.items()) {
    const TopLevelField* field = nullptr;
    for (const TopLevelField& f : JobTopLevelFields()) {
      if (key == f.name) field = &f;
    }
    if (field == nullptr) {
      problems->push_back(UnknownField("$", key, names));
      continue;
    }
    CheckTopLevelValue(*field, value, problems);
  }
}

// The required fields, and exactly one of MaterialCode and MaterialName.
void CheckRequiredKeys(const json& doc, std::vector<Problem>* problems) {
  for (const TopLevelField& f : JobTopLevelFields()) {
    if (f.required && !doc.contains(f.name)) {
      problems->push_back(
          {"$", std::string("missing required field \"") + f.name + "\""});
    }
  }
  const bool has_code = doc.contains("MaterialCode");
  const bool has_name = doc.contains("MaterialName");
  if (has_code && has_name) {
    problems->push_back({"$.MaterialName",
                         "give either MaterialCode or MaterialName, not both"});
  } else if (!has_code && !has_name) {
    problems->push_back(
        {"$", "missing the material: give MaterialCode or MaterialName"});
  }
}

// The job of a document that passed the checks.
JobFile MakeJob(const json& doc, const std::filesystem::path& base_dir) {
  JobFile built;
  built.unit = doc["Unit"].get<int>();
  built.thickness = doc["Thickness"].get<float>();
  built.material_tensile = doc["MaterialTensile"].get<float>();
  if (doc.contains("MaterialCode")) {
    built.material_code = doc["MaterialCode"].get<int>();
  }
  if (doc.contains("MaterialName")) {
    built.material_name = doc["MaterialName"].get<std::string>();
  }
  built.program_path =
      ResolvePath(base_dir, doc["ProgramPath"].get<std::string>());
  built.data_path = ResolvePath(base_dir, doc.value("DataPath", ""));
  built.tool_name_table_path =
      ResolvePath(base_dir, doc.value("ToolNameTablePath", ""));
  const json empty = json::array();
  BuildRecords(doc.value("Steps", empty), StepFields(), built.unit,
               &built.steps);
  BuildRecords(doc.value("Tools", empty), ToolFields(), built.unit,
               &built.tools);
  BuildRecords(doc.value("Setups", empty), SetupFields(), built.unit,
               &built.setups);
  BuildRecords(doc.value("Machines", empty), MachineFields(), built.unit,
               &built.machines);
  BuildRecords(doc.value("BackGauges", empty), BackGaugeFields(), built.unit,
               &built.back_gauges);
  return built;
}

}  // namespace

bool BuildJob(const json& doc, const std::filesystem::path& base_dir,
              JobFile* job, std::vector<Problem>* problems) {
  if (!doc.is_object()) {
    problems->push_back(
        {"$", "a job is a JSON object, found " + JsonTypeName(doc)});
    return false;
  }
  const size_t problems_before = problems->size();
  CheckTopLevelKeys(doc, problems);
  CheckRequiredKeys(doc, problems);
  if (problems->size() != problems_before) return false;
  *job = MakeJob(doc, base_dir);
  return true;
}

bool LoadJobText(std::string_view text, const std::filesystem::path& base_dir,
                 JobFile* job, std::vector<Problem>* problems) {
  json doc;
  if (!ParseJsonText(text, &doc, problems)) return false;
  return BuildJob(doc, base_dir, job, problems);
}

bool LoadJobFile(FileSystem& files, const std::string& path, JobFile* job,
                 std::vector<Problem>* problems) {
  json doc;
  if (!ParseJsonFile(files, path, &doc, problems)) return false;
  const std::filesystem::path base =
      std::filesystem::absolute(std::filesystem::path(path)).parent_path();
  return BuildJob(doc, base, job, problems);
}

}  // namespace bendpost::documents
