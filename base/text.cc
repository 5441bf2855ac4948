#include "base/text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

namespace bendpost {

bool IsSpaceByte(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}
bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }
void AsciiUpperInPlace(std::string* s) {
  for (char& c : *s) c = AsciiUpper(c);
}
void AsciiLowerInPlace(std::string* s) {
  for (char& c : *s) c = AsciiLower(c);
}

std::string_view TrimLeftView(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsSpaceByte(s[i])) ++i;
  return s.substr(i);
}
std::string_view TrimRightView(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && IsSpaceByte(s[n - 1])) --n;
  return s.substr(0, n);
}
std::string_view TrimView(std::string_view s) {
  return TrimLeftView(TrimRightView(s));
}

static int CompareWith(std::string_view a, std::string_view b, bool fold) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char x =
        static_cast<unsigned char>(fold ? AsciiLower(a[i]) : a[i]);
    unsigned char y =
        static_cast<unsigned char>(fold ? AsciiLower(b[i]) : b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}
int CompareBytes(std::string_view a, std::string_view b) {
  return CompareWith(a, b, false);
}
int CompareNoCase(std::string_view a, std::string_view b) {
  return CompareWith(a, b, true);
}
bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

template <typename T>
static std::string FormatShortest(T value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char buf[64];
  T mag = std::fabs(value);
  std::to_chars_result r;
  if (value == 0 || (mag >= T(1e-6) && mag < T(1e9))) {
    r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    // Fixed notation without a precision is the shortest round-trip text.
  } else {
    r = std::to_chars(buf, buf + sizeof buf, value);
  }
  return std::string(buf, r.ptr);
}
std::string FormatFloat(float value) { return FormatShortest(value); }
std::string FormatDouble(double value) { return FormatShortest(value); }

std::optional<double> ParseDouble(std::string_view text) {
  std::string_view t = TrimView(text);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  if (t.empty()) return std::nullopt;
  double value = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value,
                                   std::chars_format::general);
  if (ec != std::errc() || ptr != t.data() + t.size()) return std::nullopt;
  return value;
}

std::optional<int> ParseInt(std::string_view text) {
  std::string_view t = TrimView(text);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  if (t.empty()) return std::nullopt;
  int value = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (ec != std::errc() || ptr != t.data() + t.size()) return std::nullopt;
  return value;
}

int LeadingDigitsValue(std::string_view text) {
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(value);
}

std::string Latin1ToUtf8(const std::string& bytes) {
  std::string s;
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      s += static_cast<char>(c);
    } else {
      s += static_cast<char>(0xC0 | (c >> 6));
      s += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return s;
}

bool Latin1FromUtf8(const std::string& text, std::string* bytes) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size() &&
               (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
      out += static_cast<char>(
          ((c & 0x03) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
      ++i;
    } else {
      return false;
    }
  }
  *bytes = out;
  return true;
}

}  // namespace bendpost
