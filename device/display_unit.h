#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "device/upload_packets.h"
#include "frameset/frame_set.h"

namespace kadr {

// A virtual display unit: takes the bytes that arrive on its line, finds the packets in them
// and answers each well-formed one. A packet is well-formed only as the editor builds it: the
// right length for its type, a correct sum, a header with sound settings and at most 256
// frames, and 0xFF after the last data byte. Anything else (junk between packets, a broken
// packet) gets no reply; the unit looks for the next 0xFE.
class DisplayUnit {
  public:
    struct Answer {
        std::size_t lastByte = 0;  // where in the fed bytes the answered packet ended
        Reply reply{};
        bool completed = false;  // this data packet brought the last byte of the frame set
    };

    DisplayUnit();

    std::vector<Answer> Feed(const std::uint8_t* bytes, std::size_t count);

    // The frame set of the last completed upload (empty until then).
    const FrameSet& Received() const { return *received_; }
    int CompletedUploads() const { return completed_; }

  private:
    // How many bytes the packet at the front takes, 0 while it is incomplete, or -1 when the
    // front 0xFE starts no acceptable packet.
    long PacketAtFront() const;
    bool Accept(const std::uint8_t* packet, bool& completed);
    void Complete();

    std::vector<std::uint8_t> pending_;
    bool receiving_ = false;
    Header header_{};
    std::size_t expectedBytes_ = 0;
    std::vector<std::uint8_t> data_;
    std::unique_ptr<FrameSet> received_;
    int completed_ = 0;
};

}  // namespace kadr
