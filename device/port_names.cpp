#include "device/port_names.h"

#include <cctype>
#include <charconv>

namespace kadr {
namespace {

bool IsDevicePath(std::string_view text) {
    return text.find('/') != std::string_view::npos || text.starts_with("\\\\.\\");
}

}  // namespace

std::optional<int> ComNumber(std::string_view choice) {
    if (choice.size() < 4 || std::tolower(static_cast<unsigned char>(choice[0])) != 'c' ||
        std::tolower(static_cast<unsigned char>(choice[1])) != 'o' ||
        std::tolower(static_cast<unsigned char>(choice[2])) != 'm') {
        return std::nullopt;
    }
    const std::string_view digits = choice.substr(3);
    // "Com07" would be a second name for Com7, and a store must hold one text per port.
    if (digits.front() == '0') {
        return std::nullopt;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size() || number < 1 ||
        number > kHighestComNumber) {
        return std::nullopt;
    }
    return number;
}

std::string ComChoice(int number) {
    return "Com" + std::to_string(number);
}

std::optional<std::string> PortChoiceFromText(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    if (const auto number = ComNumber(text)) {
        return ComChoice(*number);
    }
    if (IsDevicePath(text)) {
        return std::string(text);
    }
    return std::nullopt;
}

std::string PortLabel(std::string_view choice, std::string_view device) {
    const auto number = ComNumber(choice);
    if (!number) {
        return std::string(choice);
    }
    const std::string system = "COM" + std::to_string(*number);
    if (device == "\\\\.\\" + system) {
        return system;
    }
    return std::string(choice) + " (" + std::string(device) + ")";
}

std::string PortMap::Device(std::string_view choice) const {
    if (const auto number = ComNumber(choice)) {
        const auto mapped = mapped_.find(*number);
        return mapped != mapped_.end() ? mapped->second : DefaultComDevice(*number);
    }
    return IsDevicePath(choice) ? std::string(choice) : std::string();
}

std::string PortMap::ChoiceFor(std::string_view device) const {
    for (const auto& [number, path] : mapped_) {
        if (path == device) {
            return ComChoice(number);
        }
    }
    for (int number = 1; number <= kHighestComNumber; ++number) {
        // A mapped ComN no longer leads to the system's own port of that number.
        if (!mapped_.contains(number) && DefaultComDevice(number) == device) {
            return ComChoice(number);
        }
    }
    return std::string(device);
}

}  // namespace kadr
