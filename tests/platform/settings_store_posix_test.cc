#include "platform/settings_store_posix.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "dialog/program_header.h"
#include "dialog/program_identity.h"
#include "platform/clock.h"
#include "platform/scripted_ui.h"
#include "testing/mem_file_system.h"
#include "testing/recording_value_file_calls_posix.h"

namespace bendpost {
namespace {

using namespace std::string_literals;

const char kKey[] = "Software\\Orvanix\\VantorelCommon\\Default";

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(dir)) {
      std::string name = e->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
  }
  return names;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class PosixSettingsStoreTest : public ::testing::Test {
 protected:
  PosixSettingsStoreTest() {
    char pattern[] = "/tmp/bendpost-settings-XXXXXX";
    root_ = ::mkdtemp(pattern);
    root_ += "/registry";
    folder_ = root_ + "/Software/Orvanix/VantorelCommon/Default";
  }
  ~PosixSettingsStoreTest() override {
    std::string top = root_.substr(0, root_.rfind('/'));
    std::string command = "rm -rf '" + top + "'";
    EXPECT_EQ(0, std::system(command.c_str()));
  }
  std::string root_;
  std::string folder_;
};

TEST_F(PosixSettingsStoreTest, KeysAreOpenedNeverCreated) {
  FolderSettingsStore store(root_);
  EXPECT_EQ(nullptr, store.OpenKey(kKey, KeyAccess::kRead));
  EXPECT_EQ(nullptr, store.OpenKey(kKey, KeyAccess::kWrite));
  EXPECT_FALSE(::access(root_.c_str(), F_OK) == 0);

  ASSERT_TRUE(CreateSettingsKey(root_, kKey).ok());
  ASSERT_TRUE(CreateSettingsKey(root_, kKey).ok());  // again: no harm
  struct stat st;
  ASSERT_EQ(0, ::stat(folder_.c_str(), &st));
  EXPECT_EQ(0700u, st.st_mode & 0777);
  EXPECT_NE(nullptr, store.OpenKey(kKey, KeyAccess::kRead));
  EXPECT_EQ(std::nullopt, store.OpenKey("Software\\Orvanix", KeyAccess::kRead)
                              ->Query("Serial Number"));
}

TEST_F(PosixSettingsStoreTest, ValuesRoundTripThroughOneFileEach) {
  ASSERT_TRUE(CreateSettingsKey(root_, kKey).ok());
  FolderSettingsStore store(root_);
  auto key = store.OpenKey(kKey, KeyAccess::kWrite);
  ASSERT_NE(nullptr, key);
  EXPECT_EQ(std::nullopt, key->Query("Serial Number"));
  ASSERT_TRUE(key->Set("Serial Number", "100"s));
  ASSERT_TRUE(key->Set("Serial Number", "7\0\0"s));  // shorter replaces all
  EXPECT_EQ("7\0\0"s, ReadFile(folder_ + "/Serial Number"));
  EXPECT_EQ("7\0\0"s, store.OpenKey(kKey, KeyAccess::kRead)
                          ->Query("Serial Number")
                          .value_or("missing"));
  EXPECT_EQ(std::vector<std::string>{"Serial Number"}, FolderEntries(folder_));
}

// A crash after the rename must find the new bytes on the disk: the
// temporary file is flushed before the rename, the folder after it.
TEST_F(PosixSettingsStoreTest, AValueIsFlushedBeforeTheRenamePublishesIt) {
  ASSERT_TRUE(CreateSettingsKey(root_, kKey).ok());
  RecordingValueFileCalls calls;
  FolderSettingsStore store(root_, calls);
  auto key = store.OpenKey(kKey, KeyAccess::kWrite);
  ASSERT_NE(nullptr, key);
  ASSERT_TRUE(key->Set("Serial Number", "7\0\0"s));
  EXPECT_EQ(
      (std::vector<std::string>{"make-temporary", "write 3", "sync temporary",
                                "close temporary", "rename", "open-folder",
                                "sync folder", "close folder"}),
      calls.Log());
  EXPECT_EQ("7\0\0"s, ReadFile(folder_ + "/Serial Number"));
}

TEST_F(PosixSettingsStoreTest, CounterThroughTheDialogFunctions) {
  FolderSettingsStore store(root_);
  ScriptedUserInterface ui;
  int serial = 5, month = 5, day = 5;
  // No key yet: nothing read, nothing written, nothing shown.
  EXPECT_FALSE(ReadSerialCounter(store, ui, serial, month, day));
  EXPECT_FALSE(WriteSerialCounter(store, ui, 1, 3, 5));
  EXPECT_EQ(5, serial);
  EXPECT_TRUE(ui.messages().empty());

  ASSERT_TRUE(CreateSettingsKey(root_, SerialCounterKeyPath(ui)).ok());
  ASSERT_TRUE(WriteSerialCounter(store, ui, 42, 3, 5));
  EXPECT_EQ("42\0"s, ReadFile(folder_ + "/Serial Number"));
  EXPECT_EQ("3\0\0"s, ReadFile(folder_ + "/Serial Month"));
  EXPECT_EQ("5\0\0"s, ReadFile(folder_ + "/Serial Day"));
  ASSERT_TRUE(ReadSerialCounter(store, ui, serial, month, day));
  EXPECT_EQ(42, serial);
  EXPECT_EQ(3, month);
  EXPECT_EQ(5, day);
}

TEST_F(PosixSettingsStoreTest, DialogWithoutTheUsersKeyGetsSerialZeroSilently) {
  FolderSettingsStore store(root_);
  ScriptedUserInterface ui;
  FixedClock clock(Date{2024, 3, 5});
  MemFileSystem files;
  Job job;
  CPPSetup setup;
  setup.SetSetupIndex(0);
  job.Setups.Add(setup);
  job.ProgramPath = "/jobs/part.bmf";
  const JobContext context{job, files, clock, store, ui};
  CArray<CPPStepInfo> steps;
  {
    ProgramHeader header = BuildProgramHeader(context, 0, 0, 0, steps);
    EXPECT_STREQ("030500", header.ProgramName);
    EXPECT_EQ(1, header.NextSerial);
  }
  // With the key and a counter of today the numbering continues.
  ASSERT_TRUE(CreateSettingsKey(root_, SerialCounterKeyPath(ui)).ok());
  ASSERT_TRUE(WriteSerialCounter(store, ui, 17, 3, 5));
  {
    ProgramHeader header = BuildProgramHeader(context, 0, 0, 0, steps);
    EXPECT_STREQ("030517", header.ProgramName);
  }
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(PosixSettingsStoreTest,
       WriteInterruptedBeforeTheRenameLeavesTheOldValue) {
  ASSERT_TRUE(CreateSettingsKey(root_, kKey).ok());
  FolderSettingsStore store(root_);
  ASSERT_TRUE(
      store.OpenKey(kKey, KeyAccess::kWrite)->Set("Serial Number", "41\0"s));
  // What a crash in the middle of a later write leaves behind: a partly
  // written temporary beside the value.
  WriteFile(folder_ + "/.Serial Number.a1B2c3", "9");
  auto key = store.OpenKey(kKey, KeyAccess::kRead);
  EXPECT_EQ("41\0"s, key->Query("Serial Number").value_or("missing"));
  EXPECT_EQ(std::nullopt, key->Query(".Serial Number.a1B2c3"));
  // The next write is whole again and leaves no temporary of its own.
  ASSERT_TRUE(
      store.OpenKey(kKey, KeyAccess::kWrite)->Set("Serial Number", "42\0"s));
  EXPECT_EQ("42\0"s, key->Query("Serial Number").value_or("missing"));
  EXPECT_EQ(2u, FolderEntries(folder_).size());
}

TEST_F(PosixSettingsStoreTest, KeyPathsAndValueNamesCannotLeaveTheRoot) {
  ASSERT_TRUE(CreateSettingsKey(root_, kKey).ok());
  EXPECT_EQ(root_ + "/Software/Orvanix/VantorelCommon/Default",
            SettingsKeyFolder(root_, kKey));
  for (const char* bad : {"", "Software\\..\\x", "Software\\\\x", "a/b",
                          "Software\\.", "\\Software"}) {
    EXPECT_EQ("", SettingsKeyFolder(root_, bad)) << bad;
    EXPECT_FALSE(CreateSettingsKey(root_, bad).ok()) << bad;
  }
  EXPECT_EQ("", SettingsKeyFolder("", kKey));
  FolderSettingsStore store(root_);
  auto key = store.OpenKey(kKey, KeyAccess::kWrite);
  EXPECT_FALSE(key->Set("../escape", "x"));
  EXPECT_FALSE(key->Set(".hidden", "x"));
  EXPECT_FALSE(key->Set("", "x"));
  EXPECT_TRUE(FolderEntries(folder_).empty());
}

TEST_F(PosixSettingsStoreTest, ValueThatIsAFolderReadsAsMissing) {
  ASSERT_TRUE(CreateSettingsKey(root_, kKey).ok());
  ASSERT_EQ(0, ::mkdir((folder_ + "/Serial Day").c_str(), 0700));
  FolderSettingsStore store(root_);
  EXPECT_EQ(std::nullopt,
            store.OpenKey(kKey, KeyAccess::kRead)->Query("Serial Day"));
  EXPECT_FALSE(store.OpenKey(kKey, KeyAccess::kWrite)->Set("Serial Day", "1"));
}

TEST(UserSettingsRootTest, FollowsXdgConfigHomeThenHome) {
  const char* saved_xdg = ::getenv("XDG_CONFIG_HOME");
  const char* saved_home = ::getenv("HOME");
  std::string xdg = saved_xdg ? saved_xdg : "";
  std::string home = saved_home ? saved_home : "";

  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  ::setenv("HOME", "/home/op", 1);
  EXPECT_EQ("/cfg/bendpost/registry", UserSettingsRoot());
  ::setenv("XDG_CONFIG_HOME", "relative/cfg", 1);  // ignored: not absolute
  EXPECT_EQ("/home/op/.config/bendpost/registry", UserSettingsRoot());
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ("/home/op/.config/bendpost/registry", UserSettingsRoot());

  if (saved_xdg) ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
  if (saved_home) ::setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace bendpost
