#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

namespace kadr {

// A block of bytes handed from one thread to another. It is zero-filled with one byte more
// than it carries, so received data can also be read as a C string, and it belongs to
// exactly one thread at a time: the sender makes it, the receiver frees it.
struct CommBlock {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::uint32_t count = 0;

    CommBlock() = default;
    CommBlock(const void* data, std::uint32_t size)
        : bytes(std::make_unique<std::uint8_t[]>(std::size_t{size} + 1)), count(size) {
        if (size > 0) {
            std::memcpy(bytes.get(), data, size);
        }
    }
};

}  // namespace kadr
