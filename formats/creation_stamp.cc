#include "formats/creation_stamp.h"

namespace bendpost {
namespace {

std::string TwoDigits(uint64_t v) {
  return std::string(1, static_cast<char>('0' + v / 10 % 10)) +
         static_cast<char>('0' + v % 10);
}

}  // namespace

// A yymmdd of two-digit fields is below 10^6, so the unwrapped value is the
// stamp plus 0, 1 or 2 x 2^32, and 2^32 (7296 modulo 10^4) moves its last
// four digits: the one that ends in 1122 is the date.
std::optional<uint64_t> UnwrappedCreationStamp(uint32_t stamp) {
  constexpr uint64_t kWrap = uint64_t{1} << 32;
  for (uint64_t value = stamp; value < 3 * kWrap; value += kWrap) {
    if (value % 10000 == 1122) return value;
  }
  return std::nullopt;
}

std::string CreationDate(uint32_t stamp) {
  const std::optional<uint64_t> value = UnwrappedCreationStamp(stamp);
  if (!value) return std::string();
  const uint64_t date = *value / 10000;
  return TwoDigits(date / 10000) + "-" + TwoDigits(date / 100 % 100) + "-" +
         TwoDigits(date % 100);
}

std::string CreationDateTime(uint32_t stamp) {
  const std::optional<uint64_t> value = UnwrappedCreationStamp(stamp);
  if (!value) return std::string();
  const uint64_t time = *value % 10000;
  return CreationDate(stamp) + " " + TwoDigits(time / 100) + ":" +
         TwoDigits(time % 100);
}

}  // namespace bendpost
