#include "device/port_settings.h"

#include <QRegularExpression>
#include <QSettings>
#include <QString>

namespace kadr {
namespace {

std::string& SettingsApplication() {
    static std::string application = kSettingsApplication;
    return application;
}

// Opens the editor's store positioned in its main window's group.
class Store {
  public:
    Store() : settings_(kSettingsOrganization, QString::fromStdString(SettingsApplication())) {
        settings_.beginGroup(kSettingsGroup);
    }
    QSettings& operator*() { return settings_; }
    QSettings* operator->() { return &settings_; }

  private:
    QSettings settings_;
};

QString DeviceKey(TCommPort port) {
    return QString("Com%1Device").arg(static_cast<int>(port) + 1);
}

}  // namespace

void SetSettingsApplication(const std::string& application) {
    SettingsApplication() = application;
}

void RestorePortSettings(PortSettings& settings) {
    Store store;
    // The store restores nothing when its recorded version is below its own (0).
    bool ok = false;
    const int version = store->value("FormVersion", "0").toString().trimmed().toInt(&ok);
    if (ok && version < 0) {
        return;
    }
    RestorePortSettings(*store, settings);
}

void RestorePortSettings(QSettings& group, PortSettings& settings) {
    QSettings* store = &group;
    bool ok = false;
    if (store->contains(kCommPortKey)) {
        const std::string text = store->value(kCommPortKey).toString().trimmed().toStdString();
        if (const auto port = PortChoiceFromText(text)) {
            settings.Port = *port;
        }
    }
    if (store->contains(kBaudRateKey)) {
        const std::string text = store->value(kBaudRateKey).toString().trimmed().toStdString();
        if (const auto rate = BaudRateFromName(text)) {
            settings.BaudRate = *rate;
        }
    }
    if (store->contains(kSendTimeoutKey)) {
        const int interval = store->value(kSendTimeoutKey).toString().trimmed().toInt(&ok);
        if (ok && interval > 0) {
            settings.SendTimeoutInterval = interval;
        }
    }
}

void SavePortSettings(const PortSettings& settings) {
    Store store;
    SavePortSettings(*store, settings);
    store->sync();
}

void SavePortSettings(QSettings& group, const PortSettings& settings) {
    QSettings* store = &group;
    store->setValue(kCommPortKey, QString::fromStdString(settings.Port));
    store->setValue(kBaudRateKey, QString::fromStdString(std::string(EnumName(settings.BaudRate))));
    store->setValue(kSendTimeoutKey, QString::number(settings.SendTimeoutInterval));
}

PortMap StoredPortMap() {
    Store store;
    std::map<int, std::string> mapped;
    static const QRegularExpression kDeviceKey(QStringLiteral("^Com([1-9][0-9]*)Device$"),
                                               QRegularExpression::CaseInsensitiveOption);
    for (const QString& key : store->childKeys()) {
        const QRegularExpressionMatch match = kDeviceKey.match(key);
        const QString device = store->value(key).toString().trimmed();
        if (match.hasMatch() && !device.isEmpty()) {
            if (const auto number = ComNumber("Com" + match.captured(1).toStdString())) {
                mapped[*number] = device.toStdString();
            }
        }
    }
    return PortMap(std::move(mapped));
}

std::string PortDevice(std::string_view choice) {
    return StoredPortMap().Device(choice);
}

std::string ComPortDevice(TCommPort port) {
    return PortDevice(EnumName(port));
}

void SetComPortDevice(TCommPort port, const std::string& device) {
    Store store;
    if (device.empty()) {
        store->remove(DeviceKey(port));
    } else {
        store->setValue(DeviceKey(port), QString::fromStdString(device));
    }
    store->sync();
}

}  // namespace kadr
