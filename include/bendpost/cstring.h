// CString: the 8-bit string value class that appears in the driver's
// exported signatures. Texts are bytes in the system code page; nothing here
// interprets them as characters beyond ASCII.
//
// Letter case: MakeUpper, MakeLower and CompareNoCase touch the ASCII letters
// a-z / A-Z only; every other byte passes unchanged. White space (TrimLeft,
// TrimRight, Trim) is the six C-locale white-space bytes: space, tab, line
// feed, vertical tab, form feed and carriage return. None of this depends on
// the process locale.
#ifndef BENDPOST_CSTRING_H_
#define BENDPOST_CSTRING_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "bendpost/export.h"

class BENDPOST_EXPORT CString {
 public:
  CString();
  CString(const char* text);  // NOLINT: implicit, as the framework's is
  CString(const char* text, int length);
  CString(const std::string& text);  // NOLINT
  CString(std::string_view text);    // NOLINT
  CString(const CString& other);
  CString& operator=(const CString& other);
  CString& operator=(const char* text);
  ~CString();

  int GetLength() const;
  bool IsEmpty() const;
  void Empty();
  char GetAt(int index) const;  // 0 for an index outside the text
  void SetAt(int index, char c);
  char operator[](int index) const { return GetAt(index); }

  // Byte-by-byte comparison: <0, 0, >0 as strcmp (bytes as unsigned).
  int Compare(const char* other) const;
  // As Compare, with ASCII letters compared without regard to case.
  int CompareNoCase(const char* other) const;

  CString& operator+=(const CString& other);
  CString& operator+=(const char* text);
  CString& operator+=(char c);

  CString& TrimLeft();
  CString& TrimRight();
  CString& Trim();
  CString& MakeUpper();
  CString& MakeLower();

  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;

  // Position of the first occurrence at or after `start`, or -1.
  int Find(char c, int start = 0) const;
  int Find(const char* text, int start = 0) const;
  // Position of the last occurrence, or -1.
  int ReverseFind(char c) const;

  // printf-style formatting with the C library's vsnprintf. The driver
  // formats only integers and strings with it; real numbers are formatted
  // with the locale-independent helpers of the platform layer.
  void Format(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;

  operator const char*() const { return text_.c_str(); }  // NOLINT
  const char* GetString() const { return text_.c_str(); }
  const std::string& str() const { return text_; }

 private:
  std::string text_;
};

BENDPOST_EXPORT CString operator+(const CString& a, const CString& b);
BENDPOST_EXPORT CString operator+(const CString& a, const char* b);
BENDPOST_EXPORT CString operator+(const char* a, const CString& b);
BENDPOST_EXPORT CString operator+(const CString& a, char b);
BENDPOST_EXPORT bool operator==(const CString& a, const CString& b);
BENDPOST_EXPORT bool operator==(const CString& a, const char* b);
BENDPOST_EXPORT bool operator!=(const CString& a, const CString& b);
BENDPOST_EXPORT bool operator!=(const CString& a, const char* b);
BENDPOST_EXPORT bool operator<(const CString& a, const CString& b);

#endif  // BENDPOST_CSTRING_H_
