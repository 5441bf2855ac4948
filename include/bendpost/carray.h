// CArray<T>: the growable array template of the host's record arrays.
// Records are held by value, contiguously, indexed from 0; the array owns
// them and destroys them when they are removed. Header-only, so host and
// driver instantiate the same layout from the same code.
#ifndef BENDPOST_CARRAY_H_
#define BENDPOST_CARRAY_H_

#include <cstddef>
#include <vector>

template <typename T>
class CArray {
 public:
  CArray() = default;
  CArray(const CArray&) = default;
  CArray& operator=(const CArray&) = default;
  virtual ~CArray() = default;

  int GetSize() const { return static_cast<int>(items_.size()); }
  int GetCount() const { return GetSize(); }
  bool IsEmpty() const { return items_.empty(); }

  // By-value access; the index must lie in [0, GetSize()).
  T GetAt(int index) const { return items_[static_cast<size_t>(index)]; }
  void SetAt(int index, const T& item) {
    items_[static_cast<size_t>(index)] = item;
  }
  T& ElementAt(int index) { return items_[static_cast<size_t>(index)]; }
  T& operator[](int index) { return items_[static_cast<size_t>(index)]; }
  const T& operator[](int index) const {
    return items_[static_cast<size_t>(index)];
  }

  // Appends a copy and returns its index.
  int Add(const T& item) {
    items_.push_back(item);
    return GetSize() - 1;
  }
  void RemoveAt(int index) {
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  }
  void RemoveAll() { items_.clear(); }
  // Grows with default-constructed records or shrinks from the end.
  void SetSize(int size) {
    items_.resize(size < 0 ? 0 : static_cast<size_t>(size));
  }

  T* GetData() { return items_.data(); }
  const T* GetData() const { return items_.data(); }

 private:
  std::vector<T> items_;
};

#endif  // BENDPOST_CARRAY_H_
