#include "documents/job_schema.h"

#include "documents/job_file.h"
#include "documents/record_fields.h"

namespace bendpost::documents {
namespace {

using ordered_json = nlohmann::ordered_json;

ordered_json ScalarSchema(const FieldShape& shape) {
  ordered_json s = ordered_json::object();
  switch (shape.kind) {
    case ValueKind::kInteger:
      s["type"] = "integer";
      s["minimum"] = shape.min;
      s["maximum"] = shape.max;
      break;
    case ValueKind::kNumber:
      s["type"] = "number";
      break;
    case ValueKind::kBoolean:
      s["type"] = "boolean";
      break;
    case ValueKind::kString:
      s["type"] = "string";
      if (shape.max_bytes > 0) {
        s["maxLength"] = shape.max_bytes;
        s["description"] =
            "at most " + std::to_string(shape.max_bytes) + " bytes";
      }
      break;
  }
  return s;
}

ordered_json FieldSchema(const FieldShape& shape, size_t level = 0) {
  if (level == shape.dims.size()) return ScalarSchema(shape);
  ordered_json s = ordered_json::object();
  s["type"] = "array";
  s["maxItems"] = shape.dims[level];
  s["items"] = FieldSchema(shape, level + 1);
  return s;
}

template <typename Record>
ordered_json RecordSchema(const char* description,
                          const std::vector<RecordField<Record>>& fields) {
  ordered_json properties = ordered_json::object();
  for (const auto& f : fields) {
    ordered_json s = FieldSchema(f.shape);
    if (f.shape.converting) {
      s["description"] =
          "in the job's unit (inch when Unit is 1); the setter converts it";
    }
    properties[f.name] = s;
  }
  return {{"type", "object"},
          {"description", description},
          {"additionalProperties", false},
          {"properties", properties}};
}

// A top-level integer with the bounds the loader checks.
ordered_json TopLevelInteger(std::string_view name, const char* description) {
  for (const TopLevelField& f : JobTopLevelFields()) {
    if (std::string_view(f.name) != name) continue;
    return {{"type", "integer"},
            {"minimum", f.min},
            {"maximum", f.max},
            {"description", description}};
  }
  return {};
}

ordered_json Array(const char* def) {
  return {{"type", "array"},
          {"items", {{"$ref", std::string("#/$defs/") + def}}}};
}

// The job's top-level fields, in the order the schema lists them.
ordered_json TopLevelProperties() {
  ordered_json properties = ordered_json::object();
  properties["$schema"] = {{"type", "string"}};
  properties["Unit"] = TopLevelInteger(
      "Unit", "length unit: 1 inch, any other value millimetre");
  properties["Thickness"] = {
      {"type", "number"},
      {"description", "sheet thickness, in the job's unit"}};
  properties["MaterialTensile"] = {{"type", "number"},
                                   {"description", "material strength value"}};
  properties["MaterialCode"] =
      TopLevelInteger("MaterialCode", "material code (SetMaterial_1)");
  properties["MaterialName"] = {
      {"type", "string"},
      {"description",
       "material name (SetMaterial_2): \"Aluminium\", \"Hot "
       "Rolled Steel\", \"Cold Rolled Steel\", \"Stainless "
       "Steel\"; any other name gives code 1"}};
  properties["ProgramPath"] = {
      {"type", "string"},
      {"description",
       "folder, name and extension of the program; relative "
       "to the job file's folder"}};
  properties["DataPath"] = {
      {"type", "string"},
      {"description",
       "folder of the material data files f_1..f_4; relative "
       "to the job file's folder"}};
  properties["ToolNameTablePath"] = {
      {"type", "string"},
      {"description",
       "the tool name conversion table; relative to the job "
       "file's folder"}};
  properties["Steps"] = Array("Step");
  properties["Tools"] = Array("Tool");
  properties["Setups"] = Array("Setup");
  properties["Machines"] = Array("Machine");
  properties["BackGauges"] = Array("BackGauge");
  return properties;
}

// One definition per record kind, referred to by the record arrays.
ordered_json RecordDefinitions() {
  ordered_json defs = ordered_json::object();
  defs["Step"] = RecordSchema("a bending step (CPPStepInfo)", StepFields());
  defs["Tool"] = RecordSchema("a tool (CPPTool)", ToolFields());
  defs["Setup"] = RecordSchema("a tooling setup (CPPSetup)", SetupFields());
  defs["Machine"] = RecordSchema("a press brake (CPPMachine)", MachineFields());
  defs["BackGauge"] =
      RecordSchema("a back gauge (CPPBGauge)", BackGaugeFields());
  return defs;
}

}  // namespace

ordered_json JobSchema() {
  ordered_json required = ordered_json::array();
  for (const TopLevelField& f : JobTopLevelFields()) {
    if (f.required) required.push_back(f.name);
  }
  ordered_json schema = ordered_json::object();
  schema["$schema"] = "https://json-schema.org/draft/2020-12/schema";
  schema["title"] = "bendpost job";
  schema["description"] =
      "Everything the host hands the driver: unit, material, paths and the "
      "five record arrays. Field names are the records' accessor stems; a "
      "field left out keeps the record's default. See docs/job-format.md.";
  schema["type"] = "object";
  schema["additionalProperties"] = false;
  schema["required"] = required;
  schema["oneOf"] = {{{"required", {"MaterialCode"}}},
                     {{"required", {"MaterialName"}}}};
  schema["properties"] = TopLevelProperties();
  schema["$defs"] = RecordDefinitions();
  return schema;
}

}  // namespace bendpost::documents
