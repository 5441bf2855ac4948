// The registry store against the real registry, below a key of its own
// (HKEY_CURRENT_USER\Software\bendpost-test\<process>) that the test
// creates and deletes: the store itself never creates keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/settings_store.h"

namespace bendpost {
namespace {

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = "Software\\bendpost-test\\" + std::to_string(GetCurrentProcessId());
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegCloseKey(key);
  }
  void TearDown() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\bendpost-test");
  }

  // The value as the registry holds it, read past the store.
  bool RawValue(const std::string& name, DWORD* type, std::string* bytes) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
      return false;
    BYTE buf[64] = {};
    DWORD size = sizeof buf;
    LONG r = RegQueryValueExA(key, name.c_str(), nullptr, type, buf, &size);
    RegCloseKey(key);
    bytes->assign(reinterpret_cast<char*>(buf), size);
    return r == ERROR_SUCCESS;
  }

  SettingsStore& store_ = UserSettingsStore();
  std::string path_;
};

TEST_F(RegistryStoreTest, SerialCounterValuesRoundTripAsThreeByteStrings) {
  auto writer = store_.OpenKey(path_, KeyAccess::kWrite);
  ASSERT_NE(nullptr, writer);
  EXPECT_TRUE(writer->Set("Serial Number", std::string("42\0", 3)));
  EXPECT_TRUE(writer->Set("Serial Month", std::string("7\0\0", 3)));
  EXPECT_TRUE(writer->Set("Serial Day", std::string("31\0", 3)));
  writer.reset();

  DWORD type = 0;
  std::string raw;
  ASSERT_TRUE(RawValue("Serial Month", &type, &raw));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ(std::string("7\0\0", 3), raw);  // zero padding kept, 3 bytes

  auto reader = store_.OpenKey(path_, KeyAccess::kRead);
  ASSERT_NE(nullptr, reader);
  EXPECT_EQ(std::string("42\0", 3), reader->Query("Serial Number"));
  EXPECT_EQ(std::string("7\0\0", 3), reader->Query("Serial Month"));
  EXPECT_EQ(std::string("31\0", 3), reader->Query("Serial Day"));
  EXPECT_EQ(std::nullopt, reader->Query("Serial Year"));
}

TEST_F(RegistryStoreTest, LongerValuesComeBackWhole) {
  auto key = store_.OpenKey(path_, KeyAccess::kWrite);
  ASSERT_NE(nullptr, key);
  ASSERT_TRUE(key->Set("Serial Number", std::string("1234\0", 5)));
  key = store_.OpenKey(path_, KeyAccess::kRead);
  EXPECT_EQ(std::string("1234\0", 5), key->Query("Serial Number"));
}

TEST_F(RegistryStoreTest, OverwritingReplacesTheWholeValue) {
  auto key = store_.OpenKey(path_, KeyAccess::kWrite);
  ASSERT_NE(nullptr, key);
  ASSERT_TRUE(key->Set("Serial Number", std::string("99\0", 3)));
  ASSERT_TRUE(key->Set("Serial Number", std::string("0\0\0", 3)));
  DWORD type = 0;
  std::string raw;
  ASSERT_TRUE(RawValue("Serial Number", &type, &raw));
  EXPECT_EQ(std::string("0\0\0", 3), raw);
}

TEST_F(RegistryStoreTest, MissingKeysAreNeverCreated) {
  const std::string missing = path_ + "\\missing";
  EXPECT_EQ(nullptr, store_.OpenKey(missing, KeyAccess::kRead));
  EXPECT_EQ(nullptr, store_.OpenKey(missing, KeyAccess::kWrite));
  HKEY key = nullptr;
  EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, missing.c_str(), 0,
                                         KEY_READ, &key));
}

TEST_F(RegistryStoreTest, AKeyOpenedForReadingCannotWrite) {
  auto key = store_.OpenKey(path_, KeyAccess::kRead);
  ASSERT_NE(nullptr, key);
  EXPECT_FALSE(key->Set("Serial Number", std::string("1\0\0", 3)));
  EXPECT_EQ(std::nullopt, key->Query("Serial Number"));
}

}  // namespace
}  // namespace bendpost
