#pragma once
// Grow-only scratch storage for the block copies and fills. Large pictures
// make a fresh allocation expensive (every page of a new buffer faults on
// first touch), so each kind of scratch keeps its memory between calls.

#include <cstddef>
#include <vector>

namespace pictavo {

template <class T>
class ScratchBuffer {
 public:
  // At least n elements; the contents are unspecified.
  T* get(std::size_t n) {
    if (data_.size() < n) data_.resize(n);
    return data_.data();
  }
  // Gives the memory back, e.g. after an unusually large operation.
  void release() {
    data_.clear();
    data_.shrink_to_fit();
  }

 private:
  std::vector<T> data_;
};

}  // namespace pictavo
