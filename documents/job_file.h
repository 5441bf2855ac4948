// The job file: everything the host hands the driver, as JSON (described
// for users in docs/job-format.md, with a JSON Schema in
// docs/job.schema.json).
//
// Loading is two passes: the whole document is checked first and every
// problem is reported with its JSON path; only a job without problems is
// turned into records. So nothing reaches the driver from a job with
// errors.
#ifndef BENDPOST_DOCUMENTS_JOB_FILE_H_
#define BENDPOST_DOCUMENTS_JOB_FILE_H_

#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bendpost/bendpost.h"
#include "documents/record_fields.h"
#include "platform/file.h"

namespace bendpost::documents {

struct JobFile {
  int unit = 0;  // 1: inch; any other value: millimetre
  float thickness = 0;
  float material_tensile = 0;
  // Exactly one of the two is set: the code goes to SetMaterial_1, the
  // name to SetMaterial_2.
  std::optional<int> material_code;
  std::optional<std::string> material_name;
  // Relative paths are already resolved against the job file's folder.
  std::string program_path;
  std::string data_path;
  std::string tool_name_table_path;
  CArray<CPPStepInfo> steps;
  CArray<CPPTool> tools;
  CArray<CPPSetup> setups;
  CArray<CPPMachine> machines;
  CArray<CPPBGauge> back_gauges;
};

// Top-level fields of a job: what the loader checks and the schema says.
struct TopLevelField {
  const char* name;
  const char* type;  // "integer", "number", "string", "array"
  bool required;
  int64_t min = 0;  // bounds of an "integer"
  int64_t max = 0;
};
const std::vector<TopLevelField>& JobTopLevelFields();

// Checks `doc` and, when it has no problem, fills `job`. Relative paths are
// resolved against `base_dir`. Returns false with every problem listed.
bool BuildJob(const nlohmann::json& doc, const std::filesystem::path& base_dir,
              JobFile* job, std::vector<Problem>* problems);

// Parses `text` as a job and builds it: ParseJsonText, then BuildJob. Never
// throws; whatever the bytes, the outcome is a job or a list of problems.
bool LoadJobText(std::string_view text, const std::filesystem::path& base_dir,
                 JobFile* job, std::vector<Problem>* problems);

// Reads, parses and builds the job file at `path`; relative paths in it
// resolve against the file's folder.
bool LoadJobFile(FileSystem& files, const std::string& path, JobFile* job,
                 std::vector<Problem>* problems);

// Resolves `path` against `base_dir` unless it is empty or absolute.
std::string ResolvePath(const std::filesystem::path& base_dir,
                        const std::string& path);

}  // namespace bendpost::documents

#endif  // BENDPOST_DOCUMENTS_JOB_FILE_H_
