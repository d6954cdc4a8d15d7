#include "cli/gif_lzw.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace kadr::cli {
namespace {

constexpr int kMaxCodes = 4096;  // 12-bit codes
constexpr std::size_t kBlockBytes = 255;

}  // namespace

LzwEncoder::LzwEncoder(int codeSize)
    : codeSize_(codeSize),
      clearCode_(1 << codeSize),
      endCode_(clearCode_ + 1),
      children_(static_cast<std::size_t>(kMaxCodes) << codeSize, 0) {
    if (codeSize < 2 || codeSize > 8) {
        throw std::invalid_argument("GIF code size out of range");
    }
}

void LzwEncoder::Reset() {
    // Only the single pixels' rows can hold children now; a new code's row is cleared when
    // the code is made.
    std::fill_n(children_.begin(), static_cast<std::size_t>(clearCode_) << codeSize_, 0);
    nextCode_ = endCode_ + 1;
    bits_ = codeSize_ + 1;
    limit_ = 1 << bits_;
}

inline void LzwEncoder::Put(int code) {
    pending_ |= static_cast<std::uint64_t>(code) << pendingBits_;
    pendingBits_ += bits_;
    if (pendingBits_ >= 32) {
        std::memcpy(end_, &pending_, 4);  // little-endian, as GIF packs its codes
        end_ += 4;
        pending_ >>= 32;
        pendingBits_ -= 32;
    }
    // As giflib does (and so every decoder expects): the width grows once the next code to be
    // made no longer fits.
    if (nextCode_ >= limit_ && bits_ < 12) {
        limit_ = 1 << ++bits_;
    }
}

void LzwEncoder::Flush() {
    for (; pendingBits_ > 0; pendingBits_ -= 8) {
        *end_++ = static_cast<std::uint8_t>(pending_ & 0xFF);
        pending_ >>= 8;
    }
    pendingBits_ = 0;
    pending_ = 0;
    const std::size_t length = static_cast<std::size_t>(end_ - codes_.data());
    blocks_.clear();
    blocks_.reserve(length + length / kBlockBytes + 1);
    for (std::size_t at = 0; at < length; at += kBlockBytes) {
        const std::size_t part = std::min(kBlockBytes, length - at);
        blocks_.push_back(static_cast<std::uint8_t>(part));
        blocks_.insert(blocks_.end(), codes_.begin() + static_cast<std::ptrdiff_t>(at),
                       codes_.begin() + static_cast<std::ptrdiff_t>(at + part));
    }
}

const std::vector<std::uint8_t>& LzwEncoder::Encode(const std::uint8_t* pixels, std::size_t count) {
    // At most one code of 12 bits a pixel, a clear code for every 4093 of them, the end code.
    const std::size_t most = (count + count / 4000 + 8) * 12 / 8 + 8;
    if (codes_.size() < most) {
        codes_.resize(most);
    }
    end_ = codes_.data();
    pending_ = 0;
    pendingBits_ = 0;
    Reset();
    Put(clearCode_);
    if (count > 0) {
        const std::uint32_t mask = static_cast<std::uint32_t>(clearCode_ - 1);
        const int shift = codeSize_;
        std::uint16_t* const children = children_.data();
        int current = pixels[0] & mask;
        for (std::size_t i = 1; i < count; ++i) {
            const std::uint32_t pixel = pixels[i] & mask;
            std::uint16_t& child = children[(static_cast<std::size_t>(current) << shift) | pixel];
            if (child != 0) {
                current = child;
                continue;
            }
            Put(current);
            if (nextCode_ >= kMaxCodes - 1) {
                Put(clearCode_);
                Reset();
            } else {
                child = static_cast<std::uint16_t>(nextCode_);
                std::memset(children + (static_cast<std::size_t>(nextCode_) << shift), 0,
                            sizeof(std::uint16_t) << shift);
                ++nextCode_;
            }
            current = static_cast<int>(pixel);
        }
        Put(current);
    }
    Put(endCode_);
    Flush();
    return blocks_;
}

}  // namespace kadr::cli
