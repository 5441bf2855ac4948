// Locale-independent text helpers shared by the whole driver.
//
// White space is the six C-locale bytes " \t\n\v\f\r"; letter case concerns
// ASCII letters only. Numbers are written and read with "." as the decimal
// point whatever the process locale says.
#ifndef BENDPOST_BASE_TEXT_H_
#define BENDPOST_BASE_TEXT_H_

#include <optional>
#include <string>
#include <string_view>

namespace bendpost {

bool IsSpaceByte(char c);
bool IsBlankOrTab(char c);  // space or tab only
char AsciiUpper(char c);
char AsciiLower(char c);
void AsciiUpperInPlace(std::string* s);
void AsciiLowerInPlace(std::string* s);

std::string_view TrimLeftView(std::string_view s);
std::string_view TrimRightView(std::string_view s);
std::string_view TrimView(std::string_view s);

// strcmp-like results on unsigned bytes.
int CompareBytes(std::string_view a, std::string_view b);
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Shortest decimal text that reads back as the same 32-bit float
// ("57.84", "0.1", "3"). Never uses exponent notation for values between
// 1e-6 and 1e9; "nan"/"inf" for non-finite values.
std::string FormatFloat(float value);
// Shortest round-trip text of a double.
std::string FormatDouble(double value);

// Whole-text parse of a real number ("12", "-0.5", " 3.25 " with surrounding
// white space allowed). nullopt for anything else, including an empty text.
std::optional<double> ParseDouble(std::string_view text);
// Whole-text parse of a decimal integer (optional sign, surrounding white
// space allowed); nullopt when not a number or outside the 32-bit range.
std::optional<int> ParseInt(std::string_view text);
// Value of the leading decimal digits of `text` (no sign, no white space);
// 0 when it does not start with a digit. Saturates at INT32_MAX.
int LeadingDigitsValue(std::string_view text);

// A text (a JSON string, say) that carries arbitrary bytes: each byte becomes
// the Unicode character of the same number (0x00..0xFF), so the bytes come back
// exactly with Latin1FromUtf8, which is false when `text` holds a character
// above U+00FF or is not UTF-8.
std::string Latin1ToUtf8(const std::string& bytes);
bool Latin1FromUtf8(const std::string& text, std::string* bytes);

}  // namespace bendpost

#endif  // BENDPOST_BASE_TEXT_H_
