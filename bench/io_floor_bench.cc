// The I/O floor: the file work of the driver done with plain system calls
// and nothing else, measured in the same run as the driver's own
// benchmarks so that their ratio says what the driver adds to the system's
// cost. Files are real files in the benchmark's temporary folder. The
// control file is flushed to the device before its rename and the folder
// after it, as the driver does; the *NoSync floors leave both out, for the
// driver's benchmarks without flushing.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_support.h"
#include "formats/control_file.h"

namespace bendpost::bench {
namespace {

// One material data file read: the file work of one step's calculation.
void BM_FloorMaterialRead(benchmark::State& state) {
  const std::string path = DataFolder() + "/f_1";
  std::string buffer;
  for (auto _ : state) benchmark::DoNotOptimize(ReadFile(path, &buffer));
}
BENCHMARK(BM_FloorMaterialRead);

// 25 material data file reads: the file work of a 25-step program's
// calculations (the driver reads the file anew for every step).
void BM_Floor25MaterialReads(benchmark::State& state) {
  const std::string path = DataFolder() + "/f_1";
  std::string buffer;
  for (auto _ : state) {
    for (int step = 0; step < 25; ++step)
      benchmark::DoNotOptimize(ReadFile(path, &buffer));
  }
}
BENCHMARK(BM_Floor25MaterialReads);

// The conversion's file work: the record file read back, the 12,664 bytes
// of the control file written under a temporary name, flushed, renamed into
// place, and the folder flushed.
void BM_FloorConversion(benchmark::State& state) {
  const std::string source = InWork("P1.kpz");
  const std::string temp = InWork("floor.NMB.tmp");
  const std::string control = InWork("floor.NMB");
  const std::string image(control_file::kFileSize, '\0');
  std::string buffer;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadFile(source, &buffer));
    WriteFile(temp, image, /*sync=*/true);
    RenameFile(temp, control);
    SyncFolder(WorkFolder());
  }
}
BENCHMARK(BM_FloorConversion);

// A whole 25-step program's file work: the 25 material data file reads, the
// record file written under its staging name and read back, the control
// file written under its temporary name, flushed (when `sync`), renamed
// into place, the folder flushed (when `sync`), the staging file deleted.
void FloorProgram(benchmark::State& state, bool sync) {
  const std::string& record = SampleRecordFile();
  const std::string material = DataFolder() + "/f_1";
  const std::string staging = InWork("floorP.kpz");
  const std::string temp = InWork("2floorP.NMB.tmp");
  const std::string control = InWork("2floorP.NMB");
  const std::string image(control_file::kFileSize, '\0');
  std::string buffer;
  for (auto _ : state) {
    for (int step = 0; step < 25; ++step)
      benchmark::DoNotOptimize(ReadFile(material, &buffer));
    WriteFile(staging, record);
    benchmark::DoNotOptimize(ReadFile(staging, &buffer));
    WriteFile(temp, image, sync);
    RenameFile(temp, control);
    if (sync) SyncFolder(WorkFolder());
    RemoveFile(staging);
  }
}
void BM_FloorProgram(benchmark::State& state) { FloorProgram(state, true); }
BENCHMARK(BM_FloorProgram);
void BM_FloorProgramNoSync(benchmark::State& state) {
  FloorProgram(state, false);
}
BENCHMARK(BM_FloorProgramNoSync);

}  // namespace
}  // namespace bendpost::bench
