#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kadr {

// Windows numbers its serial ports COM1 to COM256.
inline constexpr int kHighestComNumber = 256;

// A port as the user names it and the settings store keeps it: "Com1".."Com256" or a device
// path ("/dev/ttyUSB0", "\\.\CNCA0"). Typed or stored text becomes one when it is "ComN" in any
// letter case (COM7, com7) or a path; anything else names no port. Com1..Com4 keep the very
// texts an older editor reads; a higher number is stored the same way, which such an editor
// ignores (it keeps its default), and a path as it is.
std::optional<std::string> PortChoiceFromText(std::string_view text);

// N of a choice "ComN"; nothing for a device path.
std::optional<int> ComNumber(std::string_view choice);
std::string ComChoice(int number);

// How a port is named to the user: "COM7" for Com7 wherever it opens the system's own COM7,
// else the choice with the device it opens ("Com1 (/dev/ttyS0)"), a path as it is.
std::string PortLabel(std::string_view choice, std::string_view device);

// Where each choice leads: the settings' "ComNDevice" values first (a USB adapter, a
// pseudo-terminal, one end of a null-modem pair in place of ComN), else the system's own port.
// The one place that turns a choice into the device to open.
class PortMap {
  public:
    explicit PortMap(std::map<int, std::string> mapped = {}) : mapped_(std::move(mapped)) {}

    // The device a choice opens; empty for text that is no choice.
    std::string Device(std::string_view choice) const;
    // The choice that opens `device`: ComN when it is where ComN leads, else the path itself.
    std::string ChoiceFor(std::string_view device) const;

  private:
    std::map<int, std::string> mapped_;
};

// The system's own ComN: /dev/ttyS(N-1) on POSIX systems, \\.\COMN on Windows.
std::string DefaultComDevice(int number);

}  // namespace kadr
