#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kadr {

// The value names below are also the texts under which the settings store keeps them, so they
// keep the leading underscores that make every name a valid identifier.
enum class TCommPort : std::uint8_t { Com1, Com2, Com3, Com4 };
enum class TParity : std::uint8_t { None, Odd, Even, Mark, Space };
enum class TDataBits : std::uint8_t { _4, _5, _6, _7, _8 };
enum class TStopBits : std::uint8_t { _1, _1_5, _2 };
enum class TBaudRate : std::uint8_t {
    ____110,
    ____300,
    ____600,
    ___1200,
    ___2400,
    ___4800,
    ___9600,
    __14400,
    __19200,
    __38400,
    __56000,
    __57600,
    _115200,
    _128000,
    _256000,
};

inline constexpr int kCommPortCount = 4;
inline constexpr int kBaudRateCount = 15;

std::string_view EnumName(TCommPort value);
std::string_view EnumName(TParity value);
std::string_view EnumName(TDataBits value);
std::string_view EnumName(TStopBits value);
std::string_view EnumName(TBaudRate value);

// Names compare without regard to letter case; an unknown name gives nothing.
std::optional<TCommPort> CommPortFromName(std::string_view name);
std::optional<TBaudRate> BaudRateFromName(std::string_view name);

int BaudValue(TBaudRate rate);
std::optional<TBaudRate> BaudRateFromValue(long long baud);
int DataBitsValue(TDataBits bits);
// "COM1".."COM4": the names the ports go by on Windows and in messages.
std::string SystemPortName(TCommPort port);

}  // namespace kadr
