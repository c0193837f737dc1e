#pragma once
// Reading a fuzzer's bytes as the values a target needs, one after another;
// once the input runs out every read gives 0, so any input is a whole case.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte()
    {
        if (size_ == 0)
            return 0;
        --size_;
        return *data_++;
    }

    // A whole number from -128 to 127.
    double Small() { return static_cast<std::int8_t>(Byte()); }

    // Any bit pattern: infinities, not-a-numbers and subnormals included.
    double Raw()
    {
        double value = 0;
        if (size_ >= sizeof value) {
            std::memcpy(&value, data_, sizeof value);
            data_ += sizeof value;
            size_ -= sizeof value;
        }
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace fuzz
