#include "device/port_failure_text.h"

#include "device/comms_log.h"
#include "device/port_choices.h"

namespace kadr {
namespace {

std::string PresentPorts(std::string_view missing, const std::vector<SystemPort>& present) {
    std::string list;
    for (const SystemPort& port : present) {
        if (port.device != missing) {
            list += (list.empty() ? "" : ", ") + PortInWords(port);
        }
    }
    if (list.empty()) {
        return "Подключённых портов нет: подключите адаптер устройства.";
    }
    return "Подключённые порты: " + list + ". Выберите один из них.";
}

}  // namespace

std::string PortFailureAdvice(PortFailure reason, int systemError, std::string_view label,
                              std::string_view device, const std::vector<SystemPort>& present) {
    const std::string port(label);
    switch (reason) {
        case PortFailure::Absent:
            return "Порта " + port + " нет: адаптер не подключён или получил другой номер. " +
                   PresentPorts(device, present);
        case PortFailure::Busy:
            return "Порт " + port +
                   " занят другой программой: закройте её (или второй редактор) и повторите "
                   "загрузку.";
        case PortFailure::Denied:
            return "Нет доступа к порту " + port +
                   ": пользователь должен входить в группу dialout (sudo adduser $USER dialout, "
                   "затем войти в систему заново).";
        case PortFailure::Other:
            break;
    }
    if (systemError == 0) {
        return "Порт " + port + " не открылся.";
    }
    // The system's texts end with a full stop of their own on Windows, without one on Linux.
    std::string text = FormatLastError(systemError);
    while (!text.empty() && (text.back() == '.' || text.back() == ' ')) {
        text.pop_back();
    }
    return "Порт " + port + " не открылся: " + text + ".";
}

}  // namespace kadr
