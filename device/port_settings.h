#pragma once

#include <string>

#include "device/comm_types.h"
#include "device/port_names.h"

class QSettings;

namespace kadr {

// Where the editor keeps its settings from one run to the next: QSettings with this
// organization and application, values as strings in the main window's group.
inline constexpr char kSettingsOrganization[] = "Tarnovik";
inline constexpr char kSettingsApplication[] = "kadropisets";
inline constexpr char kSettingsGroup[] = "TfmMain";

inline constexpr char kCommPortKey[] = "VSSComm321_CommPort";
inline constexpr char kBaudRateKey[] = "VSSComm321_BaudRate";
inline constexpr char kSendTimeoutKey[] = "TimerSendTimeout_Interval";

// The port values an upload needs, at their built-in values.
struct PortSettings {
    std::string Port = "Com1";  // a port choice: "Com1".."Com256" or a device path
    TBaudRate BaudRate = TBaudRate::__56000;
    int SendTimeoutInterval = 3000;  // milliseconds
};

// Takes over every stored value that makes sense and keeps the current one for the rest: an
// absent value, a port that is no port choice, a speed name that matches no enumeration value
// (letter case aside), an interval that is not a positive whole number (an interval of 0 would
// never end a silent upload).
void RestorePortSettings(PortSettings& settings);
void SavePortSettings(const PortSettings& settings);
// The same, through a store already open in the main window's group.
void RestorePortSettings(QSettings& group, PortSettings& settings);
void SavePortSettings(QSettings& group, const PortSettings& settings);

// Whose store the values live in: the editor's (kSettingsApplication) unless the editor, whose
// store is named after its executable, says otherwise.
void SetSettingsApplication(const std::string& application);

// Where the choices lead by the store's "ComNDevice" values (a USB adapter, a pseudo-terminal,
// the other end of a null-modem pair), read now.
PortMap StoredPortMap();
// The device a port choice opens: the one resolver of the editor's upload, `kadr upload`,
// `kadr simulate --port` and `kadr ports`. Empty for text that is no port choice.
std::string PortDevice(std::string_view choice);
std::string ComPortDevice(TCommPort port);
void SetComPortDevice(TCommPort port, const std::string& device);  // empty: back to the default

}  // namespace kadr
