// Shared setup of the benchmarks: a temporary folder on the real file
// system holding the material data files and a 25-step record file, the
// inputs of the calculation, and plain system-call helpers for the I/O
// floor.
#ifndef BENDPOST_BENCH_BENCH_SUPPORT_H_
#define BENDPOST_BENCH_BENCH_SUPPORT_H_

#include <string>
#include <string_view>
#include <vector>

#include "bendcalc/bend_data.h"
#include "formats/record_file.h"

namespace bendpost::bench {

// The folder every benchmark works in, made on first use (under $TMPDIR,
// else /tmp) with its files:
//   data/f_1 .. data/f_4   material data files (see MaterialFileBytes)
//   P1.kpz                 the 25-step sample program's record file
// RemoveWorkFolder deletes it all; main calls it at the end.
const std::string& WorkFolder();
void RemoveWorkFolder();
std::string DataFolder();
std::string InWork(std::string_view name);

// The bytes of a plausible material data file: springback, inner radius
// and depth correction as polynomials, the neutral factor as a table.
const std::string& MaterialFileBytes();

// The 25-step sample program (header and 26 records, the default record
// last) and its record file bytes.
const RecordFileHeader& SampleHeader();
const std::vector<RecordFileStep>& SampleRecords();
const std::string& SampleRecordFile();

// Sixteen steps of material 1 (T 1 to 3 mm, V/T about 8, bend angles 30
// to 170 degrees) and the machine they run on.
const std::vector<BendMaterialData>& StepInputs();
BendMachineData Machine();

// Plain system calls, no driver code. Each aborts on failure: a benchmark
// must not measure an error path.
// `sync`: the bytes are flushed to the device (fsync) before the close.
void WriteFile(const std::string& path, std::string_view bytes,
               bool sync = false);
// Reads the whole file into `buffer` (grown as needed); returns its size.
size_t ReadFile(const std::string& path, std::string* buffer);
void RenameFile(const std::string& from, const std::string& to);
void RemoveFile(const std::string& path);
// Flushes the folder's entries to the device (fsync of the folder).
void SyncFolder(const std::string& folder);

}  // namespace bendpost::bench

#endif  // BENDPOST_BENCH_BENCH_SUPPORT_H_
