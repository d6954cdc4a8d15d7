#include "device/comm_types.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kadr {
namespace {

constexpr std::array<std::string_view, kCommPortCount> kPortNames{"Com1", "Com2", "Com3", "Com4"};
constexpr std::array<std::string_view, 5> kParityNames{"None", "Odd", "Even", "Mark", "Space"};
constexpr std::array<std::string_view, 5> kDataBitsNames{"_4", "_5", "_6", "_7", "_8"};
constexpr std::array<std::string_view, 3> kStopBitsNames{"_1", "_1_5", "_2"};
constexpr std::array<std::string_view, kBaudRateCount> kBaudNames{
    "____110", "____300", "____600", "___1200", "___2400", "___4800", "___9600", "__14400",
    "__19200", "__38400", "__56000", "__57600", "_115200", "_128000", "_256000"};
constexpr std::array<int, kBaudRateCount> kBaudValues{110,   300,   600,    1200,   2400,
                                                      4800,  9600,  14400,  19200,  38400,
                                                      56000, 57600, 115200, 128000, 256000};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

template <typename Enum, std::size_t N>
std::optional<Enum> FromName(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i) {
        if (SameIgnoringCase(names[i], name)) {
            return static_cast<Enum>(i);
        }
    }
    return std::nullopt;
}

}  // namespace

std::string_view EnumName(TCommPort value) {
    return kPortNames.at(static_cast<std::size_t>(value));
}
std::string_view EnumName(TParity value) {
    return kParityNames.at(static_cast<std::size_t>(value));
}
std::string_view EnumName(TDataBits value) {
    return kDataBitsNames.at(static_cast<std::size_t>(value));
}
std::string_view EnumName(TStopBits value) {
    return kStopBitsNames.at(static_cast<std::size_t>(value));
}
std::string_view EnumName(TBaudRate value) {
    return kBaudNames.at(static_cast<std::size_t>(value));
}

std::optional<TCommPort> CommPortFromName(std::string_view name) {
    return FromName<TCommPort>(kPortNames, name);
}

std::optional<TBaudRate> BaudRateFromName(std::string_view name) {
    return FromName<TBaudRate>(kBaudNames, name);
}

int BaudValue(TBaudRate rate) {
    return kBaudValues.at(static_cast<std::size_t>(rate));
}

std::optional<TBaudRate> BaudRateFromValue(long long baud) {
    for (std::size_t i = 0; i < kBaudValues.size(); ++i) {
        if (kBaudValues[i] == baud) {
            return static_cast<TBaudRate>(i);
        }
    }
    return std::nullopt;
}

int DataBitsValue(TDataBits bits) {
    return 4 + static_cast<int>(bits);
}

std::string SystemPortName(TCommPort port) {
    return "COM" + std::to_string(static_cast<int>(port) + 1);
}

}  // namespace kadr
