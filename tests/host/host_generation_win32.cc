// A Windows host's whole road through bendpost.dll: the DLL is loaded with
// LoadLibraryA, every C function is resolved with GetProcAddress, the job
// is built with the exported record classes (this program is built with the
// same toolchain, so it links the classes through the import library), and
// GenerateMachineCodeFile runs with the DLL's real dialog and message boxes.
// ModalScript plays the operator: types the part reference, presses
// "Create..." and confirms the message box.
//
// The job, date and answers are those of the golden file
// generation/bracket_mm.nmb (tests/driver/generation_exports_test.cc,
// MillimetreJob), so the control file written here must equal it byte for
// byte.
//
// What the DLL takes from the machine is set up around it:
//   - the date: the DLL reads it with GetSystemTime / GetLocalTime; the test
//     points those two entries of the DLL's import address table at a clock
//     fixed on 5 March 2024 (the DLL itself has no hook for it);
//   - the serial counter: the real key of the current user,
//     Software\Orvanix\VantorelCommon\Default, or
//     Software\Wow6432Node\Orvanix\VantorelCommon\Default when this is a
//     32-bit process on 64-bit Windows, emptied for the run (the test runs
//     in the build's own Wine prefix) and put back as it was afterwards;
//   - the files: a fresh folder under the temporary folder holding the
//     material data file f_1 (tests/testdata/cli/worked_example.f_1, the
//     calculation's worked example, the same bytes the golden test encodes)
//     and the tool name table; a stale staging file of the program's name
//     is left in the program folder, as after a crash.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "resources/dialog_ids.h"
#include "support/import_patch_win32.h"
#include "support/modal_script_win32.h"
#include "support/process_width_win32.h"
#include "tests/driver/host_jobs.h"

namespace bendpost::testing {
namespace {

using test_support::ModalScript;
using test_support::PressButton;
using test_support::ScopedFixedDate;
using test_support::StaticTexts;
using test_support::WindowText;

constexpr int kProgramCreatedId = 51008;
constexpr char kDialogTitle[] = "Postprocessor Program Creation Dialog:";
// The key the DLL must use, by the width of this process (not by asking
// IsWow64Process, as the DLL does).
const std::string kCounterKey =
    std::string(test_support::ThirtyTwoBitProcessOnSixtyFourBitWindows()
                    ? "Software\\Wow6432Node\\"
                    : "Software\\") +
    "Orvanix\\VantorelCommon\\Default";
constexpr const char* kCounterValues[] = {"Serial Number", "Serial Month",
                                          "Serial Day"};

// A Unix path of the source tree, as Wine sees it on drive Z:.
std::string WindowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  if (!path.empty() && path[0] == '\\') path = "Z:" + path;
  return path;
}

std::string TestData(const std::string& relative) {
  return WindowsPath(std::string(BENDPOST_TESTDATA_DIR) + "/" + relative);
}

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// Removes a folder and everything below it.
void RemoveTree(const std::string& folder) {
  for (const std::string& name : FolderEntries(folder)) {
    const std::string path = folder + "\\" + name;
    if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(path);
    } else {
      DeleteFileA(path.c_str());
    }
  }
  RemoveDirectoryA(folder.c_str());
}

// ---------------------------------------------------------------------
// The serial counter's key.

struct SavedValue {
  DWORD type = 0;
  std::string bytes;
};

std::optional<SavedValue> QueryValue(HKEY key, const char* name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  std::string bytes(size, '\0');
  if (RegQueryValueExA(key, name, nullptr, &type,
                       reinterpret_cast<BYTE*>(bytes.data()),
                       &size) != ERROR_SUCCESS)
    return std::nullopt;
  bytes.resize(size);
  return SavedValue{type, bytes};
}

// The test reaches the counter's key by its stored path, as the 64-bit view
// shows it. Windows shares HKEY_CURRENT_USER\Software between the views,
// so this changes nothing there (and a 32-bit system ignores the flag);
// Wine, in some prefixes, sends a 32-bit process's "Software\Wow6432Node\X"
// to Software\Wow6432Node\Wow6432Node\X when creating a key but not when
// opening one, and the test's key would then not be the DLL's.
constexpr REGSAM kStoredView = KEY_WOW64_64KEY;

bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | kStoredView,
                    &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

// The serial counter's key, present and without values for the test's
// run (as on a machine where the host was just installed); afterwards the
// key, its values and the keys above it are as they were.
class ScopedEmptyCounterKey {
 public:
  ScopedEmptyCounterKey() {
    // Every key below "Software" down to the counter's own.
    for (size_t at = kCounterKey.find('\\'); at != std::string::npos;) {
      at = kCounterKey.find('\\', at + 1);
      const std::string path = kCounterKey.substr(0, at);
      if (!KeyExists(path)) created_.insert(created_.begin(), path);
    }
    HKEY key = nullptr;
    ok_ = RegCreateKeyExA(HKEY_CURRENT_USER, kCounterKey.c_str(), 0, nullptr, 0,
                          KEY_READ | KEY_WRITE | kStoredView, nullptr, &key,
                          nullptr) == ERROR_SUCCESS;
    if (!ok_) return;
    for (const char* name : kCounterValues) {
      saved_.push_back(QueryValue(key, name));
      RegDeleteValueA(key, name);
    }
    RegCloseKey(key);
  }
  ~ScopedEmptyCounterKey() {
    HKEY key = nullptr;
    if (ok_ && RegOpenKeyExA(HKEY_CURRENT_USER, kCounterKey.c_str(), 0,
                             KEY_WRITE | kStoredView, &key) == ERROR_SUCCESS) {
      for (size_t i = 0; i < saved_.size(); ++i) {
        RegDeleteValueA(key, kCounterValues[i]);
        if (saved_[i])
          RegSetValueExA(key, kCounterValues[i], 0, saved_[i]->type,
                         reinterpret_cast<const BYTE*>(saved_[i]->bytes.data()),
                         static_cast<DWORD>(saved_[i]->bytes.size()));
      }
      RegCloseKey(key);
    }
    for (const std::string& path : created_)  // the deepest first
      RegDeleteKeyExA(HKEY_CURRENT_USER, path.c_str(), kStoredView, 0);
  }
  ScopedEmptyCounterKey(const ScopedEmptyCounterKey&) = delete;
  ScopedEmptyCounterKey& operator=(const ScopedEmptyCounterKey&) = delete;

  bool ok() const { return ok_; }
  // What the key holds now under `name`.
  static std::optional<SavedValue> Value(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kCounterKey.c_str(), 0,
                      KEY_READ | kStoredView, &key) != ERROR_SUCCESS)
      return std::nullopt;
    std::optional<SavedValue> value = QueryValue(key, name);
    RegCloseKey(key);
    return value;
  }

 private:
  bool ok_ = false;
  std::vector<std::string> created_;
  std::vector<std::optional<SavedValue>> saved_;
};

// ---------------------------------------------------------------------

template <typename Function>
void Resolve(HMODULE dll, const char* name, Function* function,
             std::vector<std::string>* missing) {
  FARPROC proc = GetProcAddress(dll, name);
  if (proc == nullptr) missing->push_back(name);
  // Through the generic function pointer type, which converts to any
  // function pointer type.
  *function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

class HostGenerationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dll_ = LoadLibraryA(WindowsPath(BENDPOST_DLL_PATH).c_str());
    ASSERT_NE(nullptr, dll_)
        << "cannot load " << BENDPOST_DLL_PATH << ", error " << GetLastError();
    // The record classes this program uses come from the same module.
    ASSERT_EQ(dll_, GetModuleHandleA("bendpost.dll"));

    std::vector<std::string> missing;
    Resolve(dll_, "CreatePPDBInstance", &driver_.CreatePPDBInstance, &missing);
    Resolve(dll_, "GetDriverID", &driver_.GetDriverID, &missing);
    Resolve(dll_, "InitPPSequence", &driver_.InitPPSequence, &missing);
    Resolve(dll_, "InitToolInfo", &driver_.InitToolInfo, &missing);
    Resolve(dll_, "InitSetupInfo", &driver_.InitSetupInfo, &missing);
    Resolve(dll_, "InitMachineInfo", &driver_.InitMachineInfo, &missing);
    Resolve(dll_, "InitBkGaugeInfo", &driver_.InitBkGaugeInfo, &missing);
    Resolve(dll_, "SetUnit", &driver_.SetUnit, &missing);
    Resolve(dll_, "SetMaterial_1", &driver_.SetMaterial_1, &missing);
    Resolve(dll_, "SetMaterial_2", &driver_.SetMaterial_2, &missing);
    Resolve(dll_, "SetPathNames", &driver_.SetPathNames, &missing);
    Resolve(dll_, "GenerateMachineCodeFile", &driver_.GenerateMachineCodeFile,
            &missing);
    Resolve(dll_, "DestroyPPDBInstance", &driver_.DestroyPPDBInstance,
            &missing);
    ASSERT_TRUE(missing.empty()) << "not exported: " << missing.front();

    char temp[MAX_PATH] = {};
    ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
    folder_ = std::string(temp) + "bendpost-host-" +
              std::to_string(GetCurrentProcessId());
    RemoveTree(folder_);
    for (const char* sub : {"", "\\jobs", "\\data"})
      ASSERT_TRUE(CreateDirectoryA((folder_ + sub).c_str(), nullptr))
          << folder_ << sub;
    const std::optional<std::string> f_1 =
        ReadFile(TestData("cli/worked_example.f_1"));
    ASSERT_TRUE(f_1.has_value()) << TestData("cli/worked_example.f_1");
    ASSERT_TRUE(WriteFile(folder_ + "\\data\\f_1", *f_1));
    ASSERT_TRUE(WriteFile(folder_ + "\\tools.txt", kHostToolTable));
    ASSERT_TRUE(WriteFile(folder_ + "\\jobs\\2030500.kpz", "left by a crash"));
  }
  void TearDown() override {
    if (!folder_.empty()) RemoveTree(folder_);
    if (dll_ != nullptr) FreeLibrary(dll_);
  }

  HMODULE dll_ = nullptr;
  DriverExports driver_;
  std::string folder_;
};

TEST_F(HostGenerationTest, MillimetreJobThroughTheRealDialogEqualsTheGolden) {
  int id = 0;
  driver_.GetDriverID(&id);
  EXPECT_EQ(5, id);

  char created_text[512] = {};
  ASSERT_GT(
      LoadStringA(dll_, kProgramCreatedId, created_text, sizeof created_text),
      0);

  ScopedEmptyCounterKey counter;
  ASSERT_TRUE(counter.ok());
  ScopedFixedDate date(dll_, 2024, 3, 5);
  ASSERT_TRUE(date.ok())
      << "bendpost.dll does not import GetSystemTime and GetLocalTime";

  ASSERT_TRUE(LoadHostJob(driver_, /*unit=*/0, /*thickness=*/2,
                          /*material_code=*/1, BracketMm(), /*setups=*/1,
                          folder_ + "\\jobs\\bracket.bmf", folder_ + "\\data",
                          folder_ + "\\tools.txt"));

  // What the operator sees and does.
  std::string title, file_name, program_name, setup_name, thickness, box_title;
  std::vector<std::string> box_texts;
  ModalScript operator_script({
      [&](HWND dialog) {
        title = WindowText(dialog);
        file_name = WindowText(GetDlgItem(dialog, IDC_FILE_NAME));
        program_name = WindowText(GetDlgItem(dialog, IDC_PROGRAM_NAME));
        setup_name = WindowText(GetDlgItem(dialog, IDC_SETUP_NAME));
        thickness = WindowText(GetDlgItem(dialog, IDC_HEADER_THICKNESS));
        SetDlgItemTextA(dialog, IDC_PART_REFERENCE, "bracket-a");
        PressButton(dialog, IDOK);  // "Create..."
      },
      [&](HWND box) {
        box_title = WindowText(box);
        box_texts = StaticTexts(box);
        PressButton(box, IDOK);
      },
  });
  char buffer[MAX_PATH] = {};
  const bool returned = driver_.GenerateMachineCodeFile(buffer);
  driver_.DestroyPPDBInstance();

  EXPECT_TRUE(returned);
  EXPECT_EQ(2u, operator_script.steps_run());
  EXPECT_EQ(0, operator_script.unexpected_windows());
  EXPECT_EQ(kDialogTitle, title);
  EXPECT_EQ(folder_ + "\\jobs\\2030500.NMB", file_name);
  EXPECT_EQ("030500", program_name);
  EXPECT_EQ("Setup 1", setup_name);
  EXPECT_EQ("2", thickness);
  EXPECT_EQ("bendpost", box_title);
  EXPECT_NE(box_texts.end(),
            std::find(box_texts.begin(), box_texts.end(), created_text))
      << "the message box does not say: " << created_text;
  EXPECT_EQ(folder_ + "\\jobs\\bracket.bmf", std::string(buffer));

  // The serial counter moved on; its values are 3-byte REG_SZ texts.
  const std::string expected_counter[] = {std::string("1\0\0", 3),
                                          std::string("3\0\0", 3),
                                          std::string("5\0\0", 3)};
  for (size_t i = 0; i < 3; ++i) {
    const std::optional<SavedValue> v =
        ScopedEmptyCounterKey::Value(kCounterValues[i]);
    ASSERT_TRUE(v.has_value()) << kCounterValues[i];
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), v->type) << kCounterValues[i];
    EXPECT_EQ(expected_counter[i], v->bytes) << kCounterValues[i];
  }

  // Only the control file is left in the program folder (the stale staging
  // file was replaced and removed), and it is the golden one.
  EXPECT_EQ(std::vector<std::string>{"2030500.NMB"},
            FolderEntries(folder_ + "\\jobs"));
  const std::optional<std::string> written =
      ReadFile(folder_ + "\\jobs\\2030500.NMB");
  const std::optional<std::string> golden =
      ReadFile(TestData("generation/bracket_mm.nmb"));
  ASSERT_TRUE(written.has_value());
  ASSERT_TRUE(golden.has_value());
  ASSERT_EQ(golden->size(), written->size());
  std::vector<size_t> differing;
  for (size_t i = 0; i < golden->size(); ++i)
    if ((*golden)[i] != (*written)[i]) differing.push_back(i);
  std::ostringstream report;
  for (size_t i = 0; i < differing.size() && i < 32; ++i) {
    char line[64];
    std::snprintf(line, sizeof line,
                  "\n  offset %zu: golden %02x, written %02x", differing[i],
                  static_cast<unsigned char>((*golden)[differing[i]]),
                  static_cast<unsigned char>((*written)[differing[i]]));
    report << line;
  }
  EXPECT_TRUE(differing.empty())
      << differing.size()
      << " bytes differ from generation/bracket_mm.nmb:" << report.str();
}

}  // namespace
}  // namespace bendpost::testing
