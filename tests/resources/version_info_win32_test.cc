// The version resource of the built bendpost.dll: what Windows shows in the
// file's properties is the project's version.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bendpost {
namespace {

TEST(VersionInfoTest, TheDllCarriesTheProjectVersion) {
  std::string path = BENDPOST_DLL_PATH;
  std::replace(path.begin(), path.end(), '/', '\\');
  if (!path.empty() && path[0] == '\\') path = "Z:" + path;  // Wine's drive

  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  ASSERT_NE(0u, size) << path;
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

  char* text = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(),
                             "\\StringFileInfo\\040904B0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ(std::string(BENDPOST_VERSION_TEXT), std::string(text));

  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\",
                             reinterpret_cast<void**>(&fixed), &length));
  const std::string numbers =
      std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
      std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
      std::to_string(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(std::string(BENDPOST_VERSION_TEXT), numbers);
}

}  // namespace
}  // namespace bendpost
