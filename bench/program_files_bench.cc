// The program files: encoding the 25-step record file in memory, and the
// conversion of the record file on disk into the control file on disk
// (read, build, written under a temporary name and renamed into place).
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_support.h"
#include "formats/program_converter.h"
#include "formats/record_file.h"

namespace bendpost::bench {
namespace {

void BM_RecordFileEncode(benchmark::State& state) {
  const RecordFileHeader& header = SampleHeader();
  const std::vector<RecordFileStep>& records = SampleRecords();
  for (auto _ : state) {
    std::string bytes = EncodeRecordFile(header, records);
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(SampleRecordFile().size()));
}
BENCHMARK(BM_RecordFileEncode);

void BM_ConvertToControlFile(benchmark::State& state) {
  const std::string source = InWork("P1.kpz");
  const std::string target_name = InWork("P1.NMB");
  for (auto _ : state) {
    ProgramConverter converter(RealFileSystem(), 0);
    std::string target = target_name;
    if (converter.ConvertToControlFile(source, target) != 1) {
      state.SkipWithError(converter.status().message().c_str());
      break;
    }
  }
}
BENCHMARK(BM_ConvertToControlFile);

}  // namespace
}  // namespace bendpost::bench
