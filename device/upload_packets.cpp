#include "device/upload_packets.h"

#include <algorithm>

namespace kadr {
namespace {

template <std::size_t N>
void Seal(std::array<std::uint8_t, N>& packet) {
    packet[0] = kPacketStart;
    packet[1] = static_cast<std::uint8_t>(N - 2);
    const std::uint16_t sum = PacketChecksum(packet.data() + 2, N - 4);
    packet[N - 2] = static_cast<std::uint8_t>(sum & 0xFF);
    packet[N - 1] = static_cast<std::uint8_t>(sum >> 8);
}

}  // namespace

std::uint16_t PacketChecksum(const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sum += bytes[i];
    }
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

HandshakePacket BuildHandshakePacket(const Header& header) {
    HandshakePacket packet{};
    packet[2] = kTypeHandshake;
    std::copy(header.begin(), header.end(), packet.begin() + 3);
    Seal(packet);
    return packet;
}

DataPacket BuildDataPacket(const std::uint8_t* bytes, std::size_t count) {
    DataPacket packet{};
    packet[2] = kTypeData;
    const std::size_t n = std::min(count, kDataPayloadBytes);
    std::fill(packet.begin() + 3, packet.begin() + 3 + kDataPayloadBytes, kDataFill);
    std::copy(bytes, bytes + n, packet.begin() + 3);
    Seal(packet);
    return packet;
}

Reply BuildReply(std::uint8_t status) {
    Reply reply{};
    reply[2] = status;
    Seal(reply);
    return reply;
}

}  // namespace kadr
