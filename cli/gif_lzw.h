#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kadr::cli {

// The LZW code stream of one GIF picture, as the sub-blocks GIF stores it in (each a length
// byte, then up to 255 bytes), without the terminating empty block. It is the stream giflib's
// own compressor makes: a clear code first, codes growing from codeSize + 1 bits to 12, a clear
// code whenever the table is full, and the end code last. Handed to giflib's EGifPutCode, it
// spares the encoder the per-pixel hash lookups that made long animations slow.
class LzwEncoder {
  public:
    // codeSize: bits per pixel of the colour table, 2 to 8; every pixel must be below
    // 1 << codeSize.
    explicit LzwEncoder(int codeSize);

    // The sub-blocks of `pixels`, valid until the next call.
    const std::vector<std::uint8_t>& Encode(const std::uint8_t* pixels, std::size_t count);

  private:
    void Reset();
    inline void Put(int code);
    void Flush();

    int codeSize_;
    int clearCode_;
    int endCode_;
    int nextCode_ = 0;
    int bits_ = 0;
    int limit_ = 0;  // the code that needs one bit more
    // The string table: for each code, the code of that string followed by each pixel value
    // (0 for none; no string's code is 0).
    std::vector<std::uint16_t> children_;
    std::uint64_t pending_ = 0;  // bits not yet a whole byte
    int pendingBits_ = 0;
    std::vector<std::uint8_t> codes_;  // the code stream, made before it is cut into blocks
    std::uint8_t* end_ = nullptr;      // where the next whole byte of it goes
    std::vector<std::uint8_t> blocks_;
};

}  // namespace kadr::cli
