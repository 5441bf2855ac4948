// Field tables: a binary block described once, as a list of its fields
// (name, offset, width in the block, the struct member that holds it). The
// one table of a block drives its encoding, its decoding, the check that its
// fields fit the block, its readable listing and its JSON, so that adding or
// correcting a field is one line of the table.
//
// How a field is stored follows from the member's type: integers and floats
// little-endian in their own width (char: one byte), a std::array of
// integers as its elements back to back, a std::array of bytes as raw bytes,
// and a std::string as a fixed-width text in one of the styles below.
#ifndef BENDPOST_FORMATS_FIELD_TABLE_H_
#define BENDPOST_FORMATS_FIELD_TABLE_H_

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

#include "base/le_bytes.h"
#include "base/text.h"
#include "formats/dump_text.h"

namespace bendpost::fields {

enum class TextStyle {
  // Width bytes, written space-padded (cut to the width); read as stored.
  kSpacePadded,
  // The same, read with trailing white space removed.
  kSpacePaddedTrimmed,
  // A char array of width bytes holding at most width - 1 bytes of text (up
  // to its first 0 byte), 0-filled after it; read up to the first 0 byte.
  kZeroTerminated,
};

// The member types a field can have.
template <typename Block>
using Member =
    std::variant<int16_t Block::*, int32_t Block::*, uint32_t Block::*,
                 uint8_t Block::*, char Block::*, float Block::*,
                 std::string Block::*, std::array<int32_t, 10> Block::*,
                 std::array<uint8_t, 6> Block::*>;

template <typename Block>
struct Field {
  using BlockType = Block;

  std::string_view name;  // the member's name, also the key in JSON
  size_t offset;          // from the start of the block
  size_t width;           // bytes in the block
  Member<Block> member;
  TextStyle text = TextStyle::kSpacePadded;
  std::string_view label = {};  // the listing's name when not `name`

  constexpr std::string_view DumpLabel() const {
    return label.empty() ? name : label;
  }
};

template <typename T>
constexpr size_t StoredWidth() {
  if constexpr (std::is_arithmetic_v<T>) {
    return sizeof(T);
  } else {
    return std::tuple_size_v<T> * sizeof(typename T::value_type);
  }
}

// A number or an array of numbers: its width follows from its type.
template <typename Block, typename T>
constexpr Field<Block> Num(std::string_view name, size_t offset, T Block::*m,
                           std::string_view label = {}) {
  return {name, offset, StoredWidth<T>(), m, TextStyle::kSpacePadded, label};
}

// A text of `width` bytes in the block.
template <typename Block>
constexpr Field<Block> Text(std::string_view name, size_t offset, size_t width,
                            std::string Block::*m,
                            TextStyle style = TextStyle::kSpacePadded) {
  return {name, offset, width, m, style, {}};
}

// --- Checks, for static_assert ---

// A number's or array's width is that of its type; a text has a width.
template <typename Block>
constexpr bool WidthFitsType(const Field<Block>& f) {
  return std::visit(
      [&](auto m) {
        using T = std::remove_cvref_t<decltype(std::declval<Block&>().*m)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return f.width > 0;
        } else {
          return f.width == StoredWidth<T>();
        }
      },
      f.member);
}

// The fields follow each other in offset order without overlapping, each as
// wide as its type, no two with the same name, and the last one ends at or
// before `block_size`; `contiguous` asks for no gap either, and the last
// field to end exactly at `block_size`.
template <typename Table>
constexpr bool FitsBlock(const Table& table, size_t block_size,
                         bool contiguous) {
  size_t end = 0;
  for (size_t i = 0; i < std::size(table); ++i) {
    const auto& f = table[i];
    if (!WidthFitsType(f) || f.offset < end) return false;
    if (contiguous && f.offset != end) return false;
    for (size_t k = 0; k < i; ++k)
      if (table[k].name == f.name) return false;
    end = f.offset + f.width;
  }
  return contiguous ? end == block_size : end <= block_size;
}

// The offset of the field named `name`; a name not in the table does not
// compile where a constant is required.
template <typename Table>
constexpr size_t OffsetOf(const Table& table, std::string_view name) {
  for (const auto& f : table)
    if (f.name == name) return f.offset;
  throw "no field of that name";
}

// The width of the field named `name` (see OffsetOf).
template <typename Table>
constexpr size_t WidthOf(const Table& table, std::string_view name) {
  for (const auto& f : table)
    if (f.name == name) return f.width;
  throw "no field of that name";
}

// Where byte `offset` of a block lies, in the words of a problem report:
// "in " and the name of the field that holds it, or "outside every field"
// for a byte of a gap or behind the last field.
template <typename Table>
std::string WhereInBlock(const Table& table, size_t offset) {
  for (const auto& f : table)
    if (offset >= f.offset && offset - f.offset < f.width)
      return "in " + std::string(f.name);
  return "outside every field";
}

// --- Encoding and decoding ---

namespace internal {

inline void PutScalar(uint8_t* p, int16_t v) { PutI16(p, v); }
inline void PutScalar(uint8_t* p, int32_t v) { PutI32(p, v); }
inline void PutScalar(uint8_t* p, uint32_t v) { PutU32(p, v); }
inline void PutScalar(uint8_t* p, uint8_t v) { PutU8(p, v); }
inline void PutScalar(uint8_t* p, char v) { PutU8(p, static_cast<uint8_t>(v)); }
inline void PutScalar(uint8_t* p, float v) { PutF32(p, v); }

template <typename T>
T GetScalar(const uint8_t* p) {
  if constexpr (std::is_same_v<T, int16_t>) return GetI16(p);
  if constexpr (std::is_same_v<T, int32_t>) return GetI32(p);
  if constexpr (std::is_same_v<T, uint32_t>) return GetU32(p);
  if constexpr (std::is_same_v<T, uint8_t>) return GetU8(p);
  if constexpr (std::is_same_v<T, char>) return static_cast<char>(GetU8(p));
  if constexpr (std::is_same_v<T, float>) return GetF32(p);
}

// The length of the text in a zero-terminated field: up to its first 0 byte
// within the width.
inline size_t TerminatedLength(const uint8_t* p, size_t width) {
  size_t n = 0;
  while (n < width && p[n] != 0) ++n;
  return n;
}

}  // namespace internal

// At most `max_chars` bytes of `text`, stopping at its first 0 byte.
inline std::string_view BoundedView(std::string_view text, size_t max_chars) {
  const size_t limit = std::min(text.size(), max_chars);
  size_t n = 0;
  while (n < limit && text[n] != 0) ++n;
  return text.substr(0, n);
}

// Writes a text field of `width` bytes at `p` in the given style.
inline void PutText(uint8_t* p, std::string_view text, size_t width,
                    TextStyle style) {
  std::memset(p, 0, width);
  if (style == TextStyle::kZeroTerminated) {
    const std::string_view t = BoundedView(text, width - 1);
    if (!t.empty()) std::memcpy(p, t.data(), t.size());
    return;
  }
  const size_t n = std::min(text.size(), width);
  if (n > 0) std::memcpy(p, text.data(), n);
  // Every 0 byte within the width, the text's own ones included, becomes a
  // space.
  for (size_t i = 0; i < width; ++i)
    if (p[i] == 0) p[i] = ' ';
}

// Reads a text field of `width` bytes at `p` in the given style.
inline std::string GetText(const uint8_t* p, size_t width, TextStyle style) {
  const char* c = reinterpret_cast<const char*>(p);
  switch (style) {
    case TextStyle::kSpacePadded:
      return std::string(c, width);
    case TextStyle::kSpacePaddedTrimmed:
      return std::string(TrimRightView(std::string_view(c, width)));
    case TextStyle::kZeroTerminated:
      break;
  }
  return std::string(c, internal::TerminatedLength(p, width));
}

namespace internal {

// Writes one field's value at `at` (`width` and `style` matter for texts).
inline void PutField(const std::string& v, uint8_t* at, size_t width,
                     TextStyle style) {
  PutText(at, v, width, style);
}
template <typename T>
void PutField(const T& v, uint8_t* at, size_t, TextStyle) {
  if constexpr (std::is_arithmetic_v<T>) {
    PutScalar(at, v);
  } else {
    using E = typename T::value_type;
    for (size_t i = 0; i < v.size(); ++i) PutScalar(at + i * sizeof(E), v[i]);
  }
}

// Field I of kTable, with its member, offset and width as constants.
template <const auto& kTable, size_t I, typename Block>
void EncodeField(const Block& block, uint8_t* p) {
  constexpr const auto& f = kTable[I];
  constexpr auto member = std::get<f.member.index()>(f.member);
  PutField(block.*member, p + f.offset, f.width, f.text);
}

// `p` is a parameter, not a lambda's capture: every byte stored may alias a
// captured pointer, which would then be loaded again for every field.
template <const auto& kTable, typename Block, size_t... I>
void EncodeEachField(const Block& block, uint8_t* p,
                     std::index_sequence<I...>) {
  (EncodeField<kTable, I>(block, p), ...);
}

}  // namespace internal

// Writes every field of `block` into `p`; bytes that hold no field are left
// as they are. The table is a template argument so that the fields are
// written one after the other with constant offsets and types, without a
// loop over the table or a dispatch on each member's type.
template <const auto& kTable, typename Block>
void EncodeFields(const Block& block, uint8_t* p) {
  internal::EncodeEachField<kTable>(
      block, p, std::make_index_sequence<std::size(kTable)>());
}

// Reads every field of `block` from `p`. A zero-terminated text that fills
// its whole width (no 0 byte) is read whole and reported to `unterminated`
// (called with the field) when given.
template <typename Table, typename Block, typename OnUnterminated>
void DecodeFields(const Table& table, const uint8_t* p, Block* block,
                  OnUnterminated unterminated) {
  for (const Field<Block>& f : table) {
    const uint8_t* at = p + f.offset;
    std::visit(
        [&](auto m) {
          using T = std::remove_cvref_t<decltype(block->*m)>;
          T& v = block->*m;
          if constexpr (std::is_same_v<T, std::string>) {
            v = GetText(at, f.width, f.text);
            if (f.text == TextStyle::kZeroTerminated && v.size() == f.width)
              unterminated(f);
          } else if constexpr (std::is_arithmetic_v<T>) {
            v = internal::GetScalar<T>(at);
          } else {
            using E = typename T::value_type;
            for (size_t i = 0; i < v.size(); ++i)
              v[i] = internal::GetScalar<E>(at + i * sizeof(E));
          }
        },
        f.member);
  }
}

template <typename Table, typename Block>
void DecodeFields(const Table& table, const uint8_t* p, Block* block) {
  DecodeFields(table, p, block, [](const Field<Block>&) {});
}

// --- The readable listing ---

// One line per field ("offset  name  value"), straight from the block's
// bytes: numbers in decimal, a char as its quoted byte and its value, texts
// quoted (space-padded ones with all their bytes, zero-terminated ones up to
// the 0 byte), an array of integers one line per element.
template <typename Table>
void DumpFields(const Table& table, const uint8_t* p, std::string* out) {
  using Block = typename std::remove_cvref_t<decltype(table[0])>::BlockType;
  for (const Field<Block>& f : table) {
    const uint8_t* at = p + f.offset;
    const std::string_view label = f.DumpLabel();
    const auto* chars = reinterpret_cast<const char*>(at);
    std::visit(
        [&](auto m) {
          using T = std::remove_cvref_t<decltype(std::declval<Block>().*m)>;
          if constexpr (std::is_same_v<T, std::string>) {
            const size_t n = f.text == TextStyle::kZeroTerminated
                                 ? internal::TerminatedLength(at, f.width)
                                 : f.width;
            dump::Line(out, f.offset, label,
                       dump::Quote(std::string_view(chars, n)));
          } else if constexpr (std::is_same_v<T, float>) {
            dump::Line(out, f.offset, label, dump::Float(GetF32(at)));
          } else if constexpr (std::is_same_v<T, char>) {
            dump::Line(out, f.offset, label,
                       dump::Quote(std::string_view(chars, 1)) + " (" +
                           dump::Int(at[0]) + ")");
          } else if constexpr (std::is_arithmetic_v<T>) {
            dump::Line(out, f.offset, label,
                       dump::Int(internal::GetScalar<T>(at)));
          } else if constexpr (std::is_same_v<typename T::value_type,
                                              uint8_t>) {
            dump::Line(out, f.offset, label,
                       dump::Quote(std::string_view(chars, f.width)));
          } else {
            using E = typename T::value_type;
            for (size_t i = 0; i < std::tuple_size_v<T>; ++i)
              dump::Line(out, f.offset + i * sizeof(E), label,
                         dump::Int(internal::GetScalar<E>(at + i * sizeof(E))));
          }
        },
        f.member);
  }
}

}  // namespace bendpost::fields

#endif  // BENDPOST_FORMATS_FIELD_TABLE_H_
