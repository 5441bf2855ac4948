#include "support/temp_dir.h"

#include <filesystem>
#include <random>
#include <system_error>

namespace bendpost::test_support {

std::string MakeTempDir(const std::string& prefix) {
  std::error_code ec;
  std::filesystem::path base = std::filesystem::temp_directory_path(ec);
  if (ec) return std::string();
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path dir =
        base / (prefix + std::to_string(random() % 1000000000));
    // false without an error: the name is taken, try another.
    if (std::filesystem::create_directory(dir, ec)) return dir.string();
    if (ec) return std::string();
  }
  return std::string();
}

}  // namespace bendpost::test_support
