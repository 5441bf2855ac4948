// The program folder's catalogue: 10,000 control files in a folder of the
// benchmark's work folder on the real file system, made once from the
// three-step sample control file of the tests, each with its own name and
// creation date. BM_ProgramCatalogue lists, reads and decodes them all
// (ReadProgramCatalogue); its floor reads every file's bytes with plain
// system calls (open, read, close), the names known beforehand.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "formats/control_file.h"
#include "formats/program_catalogue.h"

namespace bendpost::bench {
namespace {

constexpr int kPrograms = 10000;

struct Library {
  std::string folder;
  std::vector<std::string> paths;
};

std::string SampleControlFile() {
  const std::string path =
      std::string(BENDPOST_TESTDATA_DIR) + "/program/three_steps_inch.nmb";
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (bytes.str().size() != control_file::kFileSize) {
    std::fprintf(stderr, "benchmark setup: %s is no control file\n",
                 path.c_str());
    std::abort();
  }
  return bytes.str();
}

// File k is named after its date and serial, as the driver names programs,
// and made on day k % 28 + 1 of month k / 28 % 12 + 1 of year 20 + k / 336.
const Library& TheLibrary() {
  static const Library library = [] {
    Library l;
    l.folder = InWork("library");
    if (::mkdir(l.folder.c_str(), 0755) != 0) std::abort();
    std::string bytes = SampleControlFile();
    DecodedControlFile f;
    DecodeControlFile(bytes, &f);
    auto* block = reinterpret_cast<uint8_t*>(bytes.data());
    for (int k = 0; k < kPrograms; ++k) {
      const auto year = static_cast<uint8_t>(20 + k / 336);
      const auto month = static_cast<uint8_t>(k / 28 % 12 + 1);
      const auto day = static_cast<uint8_t>(k % 28 + 1);
      f.header.CreationStamp = CreationStamp(year, month, day);
      EncodeControlFileHeader(f.header, block);
      char name[32];
      std::snprintf(name, sizeof name, "2%02u%02u%02u%04d.NMB", year, month,
                    day, k);
      l.paths.push_back(l.folder + "/" + name);
      WriteFile(l.paths.back(), bytes);
    }
    return l;
  }();
  return library;
}

void BM_ProgramCatalogue(benchmark::State& state) {
  const Library& library = TheLibrary();
  for (auto _ : state) {
    ProgramCatalogue catalogue;
    const Status s =
        ReadProgramCatalogue(RealFileSystem(), library.folder, &catalogue);
    if (!s.ok() || catalogue.programs.size() != kPrograms) {
      state.SkipWithError("the catalogue is not whole");
      break;
    }
    benchmark::DoNotOptimize(catalogue);
  }
}
BENCHMARK(BM_ProgramCatalogue)->Unit(benchmark::kMillisecond);

void BM_FloorCatalogueReads(benchmark::State& state) {
  const Library& library = TheLibrary();
  std::string buffer;
  for (auto _ : state) {
    for (const std::string& path : library.paths)
      benchmark::DoNotOptimize(ReadFile(path, &buffer));
  }
}
BENCHMARK(BM_FloorCatalogueReads)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bendpost::bench
