#include "bench/bench_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "bendcalc/material_file.h"
#include "bendcalc/material_model.h"
#include "support/program_samples.h"

namespace bendpost::bench {
namespace {

[[noreturn]] void Die(const char* what, const std::string& path) {
  std::fprintf(stderr, "benchmark setup: %s %s: %s\n", what, path.c_str(),
               std::strerror(errno));
  std::abort();
}

MaterialModel Polynomial(float constant,
                         std::initializer_list<std::pair<int, float>> terms) {
  MaterialModel m;
  m.ModelType = MaterialModel::kPolynomial;
  m.Coefficients[0] = constant;
  for (const auto& [code, coefficient] : terms) {
    m.TermCodes[m.TermCount] = code;
    m.Coefficients[m.TermCount + 1] = coefficient;
    ++m.TermCount;
  }
  return m;
}

// Neutral factor 0.30 .. 0.45 over ratios 4 to 22 and angles 30 to 180.
MaterialModel NeutralFactorTable() {
  MaterialModel m;
  m.ModelType = MaterialModel::kTable;
  constexpr int kColumns = MaterialModel::kTableColumns;
  for (int j = 1; j < kColumns; ++j) m.ModelTable[j] = 2.0f * (j + 1);
  for (int i = 1; i < MaterialModel::kTableRows; ++i) {
    m.ModelTable[i * kColumns] = 20.0f + 10 * i;
    for (int j = 1; j < kColumns; ++j)
      m.ModelTable[i * kColumns + j] = 0.30f + 0.008f * j + 0.002f * i;
  }
  return m;
}

std::string MakeWorkFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && *tmp ? tmp : "/tmp") +
                        "/bendpost-bench-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) Die("cannot make", pattern);
  const std::string data = pattern + "/data";
  if (::mkdir(data.c_str(), 0755) != 0) Die("cannot make", data);
  for (int n = 1; n <= 4; ++n)
    WriteFile(data + "/f_" + std::to_string(n), MaterialFileBytes());
  WriteFile(pattern + "/P1.kpz", SampleRecordFile());
  return pattern;
}

bool work_folder_made = false;

}  // namespace

const std::string& WorkFolder() {
  static const std::string folder = [] {
    work_folder_made = true;
    return MakeWorkFolder();
  }();
  return folder;
}

void RemoveWorkFolder() {
  if (!work_folder_made) return;
  std::error_code ignored;
  std::filesystem::remove_all(WorkFolder(), ignored);
}

std::string DataFolder() { return WorkFolder() + "/data"; }

std::string InWork(std::string_view name) {
  return WorkFolder() + "/" + std::string(name);
}

const std::string& MaterialFileBytes() {
  static const std::string bytes = [] {
    MaterialModelSet set{};
    // Springback rising with V/T and falling with the angle, a few degrees.
    set[kSpringback] =
        Polynomial(2.0f, {{2, -0.8f}, {7, 0.9f}, {12, -0.2f}, {3, 0.3f}});
    set[kNeutralFactor] = NeutralFactorTable();
    // Inner radius near V/6: 10^m3 x T with m3 about log10(V/T / 6).
    set[kInnerRadius] = Polynomial(0.22f, {{7, 0.35f}, {8, -0.05f}});
    set[kDepthCorrection] = Polynomial(0.02f, {{2, 0.01f}, {7, 0.005f}});
    std::string out;
    if (!EncodeMaterialFile(set, &out).ok()) std::abort();
    return out;
  }();
  return bytes;
}

const RecordFileHeader& SampleHeader() {
  static const test_support::ProgramSample sample =
      test_support::TwentyFiveSteps();
  return sample.header;
}

const std::vector<RecordFileStep>& SampleRecords() {
  static const test_support::ProgramSample sample =
      test_support::TwentyFiveSteps();
  return sample.records;
}

const std::string& SampleRecordFile() {
  static const std::string bytes =
      EncodeRecordFile(SampleHeader(), SampleRecords());
  return bytes;
}

const std::vector<BendMaterialData>& StepInputs() {
  static const std::vector<BendMaterialData> inputs = [] {
    std::vector<BendMaterialData> v;
    for (int i = 0; i < 16; ++i) {
      const float T = 1.0f + (i % 5) * 0.5f;
      const float V = 8 * T;
      const float alpha = 30.0f + 140.0f * i / 15;
      v.push_back(
          BendMaterialData::FromArray({1, T, V, 88, 1, 1.5f, 40, alpha}));
    }
    return v;
  }();
  return inputs;
}

BendMachineData Machine() {
  // Frame term on, 100 t machine of 3 m, tools of 100 t / m.
  return BendMachineData::FromArray(
      {1, 0.0005f, 1000, 50, 3000, 1, 1000, 1000});
}

void WriteFile(const std::string& path, std::string_view bytes, bool sync) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) Die("cannot create", path);
  if (::write(fd, bytes.data(), bytes.size()) !=
      static_cast<ssize_t>(bytes.size()))
    Die("cannot write", path);
  if (sync && ::fsync(fd) != 0) Die("cannot flush", path);
  if (::close(fd) != 0) Die("cannot close", path);
}

size_t ReadFile(const std::string& path, std::string* buffer) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Die("cannot open", path);
  if (buffer->size() < 65536) buffer->resize(65536);
  size_t total = 0;
  for (;;) {
    const ssize_t got =
        ::read(fd, buffer->data() + total, buffer->size() - total);
    if (got < 0) Die("cannot read", path);
    total += static_cast<size_t>(got);
    // A regular file read short has been read to its end.
    if (total < buffer->size()) break;
    buffer->resize(buffer->size() * 2);
  }
  if (::close(fd) != 0) Die("cannot close", path);
  return total;
}

void RenameFile(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) Die("cannot rename", from);
}

void RemoveFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0) Die("cannot remove", path);
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) Die("cannot open", folder);
  if (::fsync(fd) != 0) Die("cannot flush", folder);
  ::close(fd);
}

}  // namespace bendpost::bench
