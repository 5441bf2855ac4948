#include "bendpost/cstring.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/text.h"

CString::CString() = default;
CString::CString(const char* text) : text_(text ? text : "") {}
CString::CString(const char* text, int length)
    : text_(text && length > 0 ? std::string(text, static_cast<size_t>(length))
                               : std::string()) {}
CString::CString(const std::string& text) : text_(text) {}
CString::CString(std::string_view text) : text_(text) {}
CString::CString(const CString& other) = default;
CString& CString::operator=(const CString& other) = default;
CString& CString::operator=(const char* text) {
  text_ = text ? text : "";
  return *this;
}
CString::~CString() = default;

int CString::GetLength() const { return static_cast<int>(text_.size()); }
bool CString::IsEmpty() const { return text_.empty(); }
void CString::Empty() { text_.clear(); }

char CString::GetAt(int index) const {
  if (index < 0 || index >= GetLength()) return 0;
  return text_[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char c) {
  if (index >= 0 && index < GetLength()) text_[static_cast<size_t>(index)] = c;
}

int CString::Compare(const char* other) const {
  return bendpost::CompareBytes(text_, other ? other : "");
}

int CString::CompareNoCase(const char* other) const {
  return bendpost::CompareNoCase(text_, other ? other : "");
}

CString& CString::operator+=(const CString& other) {
  text_ += other.text_;
  return *this;
}
CString& CString::operator+=(const char* text) {
  if (text) text_ += text;
  return *this;
}
CString& CString::operator+=(char c) {
  text_ += c;
  return *this;
}

CString& CString::TrimLeft() {
  text_ = std::string(bendpost::TrimLeftView(text_));
  return *this;
}
CString& CString::TrimRight() {
  text_ = std::string(bendpost::TrimRightView(text_));
  return *this;
}
CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::MakeUpper() {
  bendpost::AsciiUpperInPlace(&text_);
  return *this;
}
CString& CString::MakeLower() {
  bendpost::AsciiLowerInPlace(&text_);
  return *this;
}

CString CString::Left(int count) const {
  if (count <= 0) return CString();
  return CString(text_.substr(0, static_cast<size_t>(count)));
}
CString CString::Mid(int first) const {
  if (first < 0) first = 0;
  if (first >= GetLength()) return CString();
  return CString(text_.substr(static_cast<size_t>(first)));
}
CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (first >= GetLength() || count <= 0) return CString();
  return CString(
      text_.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}
CString CString::Right(int count) const {
  if (count <= 0) return CString();
  if (count >= GetLength()) return *this;
  return CString(text_.substr(text_.size() - static_cast<size_t>(count)));
}

int CString::Find(char c, int start) const {
  if (start < 0) start = 0;
  if (start >= GetLength()) return -1;
  size_t pos = text_.find(c, static_cast<size_t>(start));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}
int CString::Find(const char* text, int start) const {
  if (!text) return -1;
  if (start < 0) start = 0;
  if (start > GetLength()) return -1;
  size_t pos = text_.find(text, static_cast<size_t>(start));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}
int CString::ReverseFind(char c) const {
  size_t pos = text_.rfind(c);
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (needed < 0) {
    text_.clear();
  } else {
    std::string out(static_cast<size_t>(needed) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(needed));
    text_ = std::move(out);
  }
  va_end(args);
}

CString operator+(const CString& a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, const char* b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const char* a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, char b) {
  CString r(a);
  r += b;
  return r;
}
bool operator==(const CString& a, const CString& b) {
  return a.str() == b.str();
}
bool operator==(const CString& a, const char* b) {
  return a.str() == (b ? b : "");
}
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) {
  return a.Compare(b.GetString()) < 0;
}
