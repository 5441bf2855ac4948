// Fuzz target: the command-line host's job file loader (LoadJobText: the
// JSON reader with its duplicate-key check, then the job's validation and
// the building of its records).
//
// Input: the bytes of a job file.
//
// Properties: the loader returns, whatever the bytes (an exception of the
// JSON library that leaves it is a crash here); it refuses a job if and
// only if it lists a problem, and every problem has a JSON path and a
// message; loading the same bytes again gives the same problems. An
// accepted job is a JSON object with one record per element of each record
// array, exactly one of material code and name, and its paths resolved
// against the job's folder.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "documents/job_file.h"
#include "documents/json_text.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace bendpost;

constexpr char kJobFolder[] = "/jobs";

bool SameProblems(const std::vector<documents::Problem>& a,
                  const std::vector<documents::Problem>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].path != b[i].path || a[i].text != b[i].text) return false;
  }
  return true;
}

// Absolute (under the job's folder or as given) or empty.
bool Resolved(const std::string& path) {
  return path.empty() || path.front() == '/';
}

void CheckAccepted(std::string_view text, const documents::JobFile& job) {
  // The loader parsed these bytes, so the JSON library parses them too.
  const nlohmann::json doc =
      nlohmann::json::parse(text.begin(), text.end(), nullptr, false);
  FUZZ_CHECK(doc.is_object());
  const auto count = [&](const char* key) {
    auto it = doc.find(key);
    return it == doc.end() ? size_t{0} : it->size();
  };
  FUZZ_CHECK(static_cast<size_t>(job.steps.GetSize()) == count("Steps"));
  FUZZ_CHECK(static_cast<size_t>(job.tools.GetSize()) == count("Tools"));
  FUZZ_CHECK(static_cast<size_t>(job.setups.GetSize()) == count("Setups"));
  FUZZ_CHECK(static_cast<size_t>(job.machines.GetSize()) == count("Machines"));
  FUZZ_CHECK(static_cast<size_t>(job.back_gauges.GetSize()) ==
             count("BackGauges"));
  FUZZ_CHECK(job.material_code.has_value() != job.material_name.has_value());
  FUZZ_CHECK(Resolved(job.program_path));
  FUZZ_CHECK(Resolved(job.data_path));
  FUZZ_CHECK(Resolved(job.tool_name_table_path));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  documents::JobFile job;
  std::vector<documents::Problem> problems;
  const bool loaded = documents::LoadJobText(text, kJobFolder, &job, &problems);
  FUZZ_CHECK(loaded == problems.empty());
  for (const documents::Problem& p : problems) {
    FUZZ_CHECK(p.path.rfind("$", 0) == 0);
    FUZZ_CHECK(!p.text.empty());
  }

  documents::JobFile again;
  std::vector<documents::Problem> again_problems;
  FUZZ_CHECK(documents::LoadJobText(text, kJobFolder, &again,
                                    &again_problems) == loaded);
  FUZZ_CHECK(SameProblems(problems, again_problems));

  if (loaded) CheckAccepted(text, job);
  return 0;
}
