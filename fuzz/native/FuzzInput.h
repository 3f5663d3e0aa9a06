#pragma once
// Reads typed values off the front of a fuzz input; past its end every
// value reads as zero bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>

struct FuzzInput {
    const uint8_t* data;
    size_t size;

    template <typename T> T Take()
    {
        T value{};
        const size_t n = size < sizeof(T) ? size : sizeof(T);
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
};
