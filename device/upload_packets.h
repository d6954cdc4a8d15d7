#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "frameset/frame_codec.h"

namespace kadr {

// Every packet: 0xFE, L (bytes after L), type, payload, 16-bit little-endian sum of type and
// payload. The device's replies have the same form with the status as type and no payload.
inline constexpr std::uint8_t kPacketStart = 0xFE;
inline constexpr std::uint8_t kTypeHandshake = 0x00;
inline constexpr std::uint8_t kTypeData = 0x01;
inline constexpr std::uint8_t kReplyLength = 0x03;
inline constexpr std::size_t kHandshakePacketBytes = 10;
inline constexpr std::size_t kDataPayloadBytes = 64;
inline constexpr std::size_t kDataPacketBytes = 69;
inline constexpr std::size_t kReplyBytes = 5;
inline constexpr std::uint8_t kDataFill = 0xFF;

using HandshakePacket = std::array<std::uint8_t, kHandshakePacketBytes>;
using DataPacket = std::array<std::uint8_t, kDataPacketBytes>;
using Reply = std::array<std::uint8_t, kReplyBytes>;

std::uint16_t PacketChecksum(const std::uint8_t* bytes, std::size_t count);

HandshakePacket BuildHandshakePacket(const Header& header);
// Up to 64 bytes; the rest of the payload is filled with 0xFF.
DataPacket BuildDataPacket(const std::uint8_t* bytes, std::size_t count);
// What the display unit answers: status 0 accepts a handshake, status 1 a data packet.
Reply BuildReply(std::uint8_t status);

}  // namespace kadr
