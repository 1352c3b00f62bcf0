// Owning vectors and non-owning strided views of doubles (and of 32-bit
// integers, for pivot records).
//
// A view is what the numerical routines take: a matrix row, column or
// diagonal and an owned vector look alike to them. An owned vector converts
// implicitly to a view of itself. Nothing here throws: an allocation that
// fails leaves the vector empty and the operation returns false.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <new>
#include <optional>
#include <type_traits>
#include <utility>

namespace Zr::Math {

// An array of n value-initialised elements, or null when n is too large or
// memory is short.
template <class T>
T* AllocateArray(size_t n) noexcept {
    if (n > size_t(PTRDIFF_MAX) / sizeof(T)) return nullptr;
    return new (std::nothrow) T[n]();
}

// A strided view: element i lives at First()[i * Stride()]. It stores its
// length rather than an end pointer, so a view of a matrix column never forms
// a pointer beyond the matrix block. Valid while the viewed storage lives and
// is not reallocated.
template <class T>
class BasicVectorView {
public:
    BasicVectorView() noexcept = default;
    BasicVectorView(T* first, size_t size, int32_t stride) noexcept
        : first_(size ? first : nullptr), size_(size), stride_(stride) {}
    // A view of non-const elements is also a view of const ones.
    template <class U>
        requires(std::is_same_v<const U, T> && !std::is_same_v<U, T>)
    BasicVectorView(BasicVectorView<U> other) noexcept
        : first_(other.First()), size_(other.Size()), stride_(other.Stride()) {}

    T* First() const noexcept { return first_; }
    size_t Size() const noexcept { return size_; }
    bool Empty() const noexcept { return size_ == 0; }
    int32_t Stride() const noexcept { return stride_; }
    T& operator[](size_t i) const noexcept { return first_[ptrdiff_t(i) * stride_]; }

private:
    T* first_ = nullptr;
    size_t size_ = 0;
    int32_t stride_ = 1;
};

using VectorView = BasicVectorView<double>;
using ConstVectorView = BasicVectorView<const double>;
using IntVectorView = BasicVectorView<int32_t>;
using ConstIntVectorView = BasicVectorView<const int32_t>;

// An owning, contiguous vector (stride 1) with a capacity: shrinking and
// growing within the capacity never reallocates.
template <class T>
class BasicVector {
public:
    BasicVector() noexcept = default;
    // n zeros (empty when the allocation fails).
    explicit BasicVector(size_t n) noexcept { Resize(n, T(0)); }
    BasicVector(std::initializer_list<T> values) noexcept {
        if (Reshape(values.size())) std::copy(values.begin(), values.end(), first_);
    }
    BasicVector(const BasicVector& other) noexcept { Assign(other); }
    BasicVector(BasicVector&& other) noexcept { Swap(other); }
    BasicVector& operator=(const BasicVector& other) noexcept {
        Assign(other);
        return *this;
    }
    BasicVector& operator=(BasicVector&& other) noexcept {
        BasicVector(std::move(other)).Swap(*this);
        return *this;
    }
    ~BasicVector() { delete[] first_; }

    T* First() noexcept { return first_; }
    const T* First() const noexcept { return first_; }
    size_t Size() const noexcept { return size_t(end_ - first_); }
    bool Empty() const noexcept { return end_ == first_; }
    int32_t Stride() const noexcept { return 1; }
    T& operator[](size_t i) noexcept { return first_[i]; }
    const T& operator[](size_t i) const noexcept { return first_[i]; }
    T* begin() noexcept { return first_; }
    T* end() noexcept { return end_; }
    const T* begin() const noexcept { return first_; }
    const T* end() const noexcept { return end_; }

    operator BasicVectorView<T>() noexcept { return {first_, Size(), 1}; }
    operator BasicVectorView<const T>() const noexcept { return {first_, Size(), 1}; }

    void Fill(T value) noexcept { std::fill(first_, end_, value); }

    // Truncates or grows at the end; appended elements receive the fill value
    // when one is given, else 0. Reallocates (to exactly n) only beyond the
    // capacity; false when that allocation fails, the vector unchanged.
    bool Resize(size_t n, std::optional<T> fill = std::nullopt) noexcept {
        const size_t old = Size();
        if (n > size_t(capacityEnd_ - first_) && !Reallocate(n, old)) return false;
        end_ = first_ + n;
        if (n > old) std::fill(first_ + old, end_, fill.value_or(T(0)));
        return true;
    }

    // A different size frees the elements and allocates n new ones (0 unless
    // filled); the same size keeps them. Either way every element receives
    // the fill value when one is given. False when the allocation fails, the
    // vector then empty.
    bool Reshape(size_t n, std::optional<T> fill = std::nullopt) noexcept {
        if (n != Size()) {
            Release();
            if (!Resize(n)) return false;
        }
        if (fill) Fill(*fill);
        return true;
    }

    // Copies the elements of `source`, reallocating first when the sizes
    // differ. `source` may view this vector's own elements.
    bool Assign(BasicVectorView<const T> source) noexcept {
        const size_t n = source.Size();
        if (n == Size()) {
            CopyElements(source, first_);
            return true;
        }
        T* block = AllocateArray<T>(n);
        if (n && !block) return false;
        CopyElements(source, block);
        Adopt(block, n);
        return true;
    }
    bool Assign(const BasicVector& source) noexcept { return Assign(BasicVectorView<const T>(source)); }

    void Swap(BasicVector& other) noexcept {
        std::swap(first_, other.first_);
        std::swap(end_, other.end_);
        std::swap(capacityEnd_, other.capacityEnd_);
    }

private:
    static void CopyElements(BasicVectorView<const T> source, T* target) noexcept {
        if (source.Empty() || source.First() == target) return;
        if (source.Stride() == 1) {
            std::memmove(target, source.First(), source.Size() * sizeof(T));
            return;
        }
        for (size_t i = 0; i < source.Size(); ++i) target[i] = source[i];
    }
    bool Reallocate(size_t capacity, size_t keep) noexcept {
        T* block = AllocateArray<T>(capacity);
        if (!block) return false;
        std::copy(first_, first_ + keep, block);
        Adopt(block, capacity);
        end_ = first_ + keep;
        return true;
    }
    void Adopt(T* block, size_t n) noexcept {
        delete[] first_;
        first_ = block;
        end_ = capacityEnd_ = block + n;
    }
    void Release() noexcept { Adopt(nullptr, 0); }

    T* first_ = nullptr;
    T* end_ = nullptr;
    T* capacityEnd_ = nullptr;
};

using Vector = BasicVector<double>;
using IntVector = BasicVector<int32_t>;

}  // namespace Zr::Math
