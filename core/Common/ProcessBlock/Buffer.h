#pragma once
// An owned, zero-filled float array; every block buffer holds 4096 samples, the largest call.

#include <cstddef>
#include <memory>

template <typename T>
class Buffer
{
public:
    static constexpr size_t defaultSize = 4096;

    explicit Buffer(size_t size = defaultSize) : length(size), storage(new T[size]()) {}

    T* data() { return storage.get(); }
    const T* data() const { return storage.get(); }
    size_t size() const { return length; }
    T& operator[](size_t i) { return storage[i]; }
    const T& operator[](size_t i) const { return storage[i]; }
    operator T*() { return storage.get(); }
    operator const T*() const { return storage.get(); }

private:
    size_t length;
    std::unique_ptr<T[]> storage;
};
