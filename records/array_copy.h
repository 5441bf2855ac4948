// Whole-array copies between a record's fixed-size array field and the
// caller's array of the same shape, given as a pointer to its first element
// (double*, double (*)[2], double (*)[64][3], ...). The full field is always
// copied, whatever the record's point counts say. A null pointer copies
// nothing.
#ifndef BENDPOST_RECORDS_ARRAY_COPY_H_
#define BENDPOST_RECORDS_ARRAY_COPY_H_

#include <cstring>
#include <type_traits>

namespace bendpost {

template <typename Field, typename Pointer>
constexpr bool kSameShape =
    std::is_array_v<Field>&& std::is_pointer_v<Pointer>&&
        std::is_same_v<std::remove_extent_t<Field>,
                       std::remove_cv_t<std::remove_pointer_t<Pointer>>>&&
            std::is_trivially_copyable_v<std::remove_all_extents_t<Field>>;

template <typename Field, typename Pointer>
void CopyOut(const Field& field, Pointer destination) {
  static_assert(kSameShape<Field, Pointer>);
  if (destination != nullptr) {
    std::memcpy(destination, field, sizeof(Field));
  }
}

template <typename Field, typename Pointer>
void CopyIn(Pointer source, Field& field) {
  static_assert(kSameShape<Field, Pointer>);
  if (source != nullptr) std::memcpy(field, source, sizeof(Field));
}

}  // namespace bendpost

#endif  // BENDPOST_RECORDS_ARRAY_COPY_H_
