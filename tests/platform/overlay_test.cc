// The overlays of a preview run: every change is held in memory, the file
// system and the settings store below are never written.
#include <gtest/gtest.h>

#include "platform/overlay_file_system.h"
#include "platform/settings_store.h"
#include "testing/mem_file_system.h"

namespace bendpost {
namespace {

Status WriteFile(FileSystem& fs, const std::string& path,
                 const std::string& bytes) {
  std::unique_ptr<File> file;
  if (Status s = fs.Create(path, &file); !s.ok()) return s;
  if (Status s = file->Write(bytes.data(), bytes.size()); !s.ok()) return s;
  return file->Close();
}

std::string Read(FileSystem& fs, const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(fs, path, &bytes).ok()) << path;
  return bytes;
}

TEST(OverlayFileSystemTest, PublishingAFileLeavesTheDiskAsItWas) {
  MemFileSystem disk;
  disk.SetFile("P.NMB", "old program");
  disk.SetFile("job.json", "{}");
  OverlayFileSystem overlay(disk);

  // The writer's publishing sequence: a file of its own, then the rename.
  ASSERT_TRUE(WriteFile(overlay, "P.NMB.tmp", "new program").ok());
  ASSERT_TRUE(overlay.Rename("P.NMB.tmp", "P.NMB").ok());
  EXPECT_EQ(Read(overlay, "P.NMB"), "new program");
  EXPECT_FALSE(overlay.Exists("P.NMB.tmp"));
  EXPECT_EQ(Read(overlay, "job.json"), "{}");  // read through
  EXPECT_EQ(overlay.ChangedFiles(), std::vector<std::string>{"P.NMB"});

  // A file of the disk renamed aside and removed.
  ASSERT_TRUE(overlay.Rename("job.json", "job.kpz").ok());
  EXPECT_FALSE(overlay.Exists("job.json"));
  EXPECT_EQ(Read(overlay, "job.kpz"), "{}");
  ASSERT_TRUE(overlay.Remove("job.kpz").ok());
  EXPECT_FALSE(overlay.Exists("job.kpz"));
  EXPECT_FALSE(overlay.Remove("job.json").ok());

  disk.SetFile("out/Q.NMB", "q");
  ASSERT_TRUE(WriteFile(overlay, "out/R.NMB", "r").ok());
  std::vector<std::string> names;
  ASSERT_TRUE(overlay.ListFolder("out", &names).ok());
  EXPECT_EQ(names, (std::vector<std::string>{"Q.NMB", "R.NMB"}));

  EXPECT_EQ(disk.ListFiles(),
            (std::vector<std::string>{"P.NMB", "job.json", "out/Q.NMB"}));
  EXPECT_EQ(*disk.GetFile("P.NMB"), "old program");
}

TEST(OverlayFileSystemTest, RefusesWhatTheDiskWouldRefuse) {
  MemFileSystem disk;
  disk.SetFile("P.NMB", "old program");
  disk.SetReadOnly("P.NMB", true);
  OverlayFileSystem overlay(disk);
  EXPECT_FALSE(overlay.CheckWritable("P.NMB").ok());
  std::unique_ptr<File> file;
  EXPECT_FALSE(overlay.Create("P.NMB", &file).ok());
  EXPECT_TRUE(overlay.CheckWritable("Q.NMB").ok());
}

TEST(OverlaySettingsStoreTest, ValuesSetStayInTheOverlay) {
  MemSettingsStore user;
  user.CreateKey("Software\\Counter");
  (*user.Values("Software\\Counter"))["Serial Number"] = "07";
  (*user.Values("Software\\Counter"))["Serial Day"] = "09";
  OverlaySettingsStore overlay(user);

  auto key = overlay.OpenKey("Software\\Counter", KeyAccess::kWrite);
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(key->Set("Serial Number", "08"));
  EXPECT_EQ(key->Query("Serial Number"), "08");
  EXPECT_EQ(key->Query("Serial Day"), "09");  // read through
  EXPECT_EQ(overlay.OpenKey("Software\\Counter", KeyAccess::kRead)
                ->Query("Serial Number"),
            "08");
  EXPECT_EQ((*user.Values("Software\\Counter"))["Serial Number"], "07");

  // A key the user's store lacks exists once made, in the overlay only.
  EXPECT_EQ(overlay.OpenKey("Software\\New", KeyAccess::kWrite), nullptr);
  overlay.CreateKey("Software\\New");
  ASSERT_NE(overlay.OpenKey("Software\\New", KeyAccess::kWrite), nullptr);
  EXPECT_EQ(user.Values("Software\\New"), nullptr);
}

}  // namespace
}  // namespace bendpost
