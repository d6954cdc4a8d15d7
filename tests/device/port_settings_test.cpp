#include <gtest/gtest.h>
#include <stdlib.h>

#include <QSettings>
#include <filesystem>

#include "device/comm_types.h"
#include "device/port_settings.h"

namespace kadr {
namespace {

class PortSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { Store().clear(); }
    void TearDown() override { Store().clear(); }

    static QSettings& Store() {
        static QSettings settings(kSettingsOrganization, kSettingsApplication);
        return settings;
    }
    static void Put(const char* key, const QString& value) {
        Store().setValue(QString(kSettingsGroup) + "/" + key, value);
    }
};

TEST_F(PortSettingsTest, NothingStoredGivesTheBuiltInValues) {
    PortSettings settings;
    RestorePortSettings(settings);
    EXPECT_EQ(settings.Port, "Com1");
    EXPECT_EQ(settings.BaudRate, TBaudRate::__56000);
    EXPECT_EQ(settings.SendTimeoutInterval, 3000);
    EXPECT_EQ(ComPortDevice(TCommPort::Com1), "/dev/ttyS0");
    EXPECT_EQ(ComPortDevice(TCommPort::Com4), "/dev/ttyS3");
}

TEST_F(PortSettingsTest, SavedValuesComeBackAsTheEditorsStringsInItsOwnStore) {
    PortSettings saved;
    saved.Port = "Com3";
    saved.BaudRate = TBaudRate::_115200;
    saved.SendTimeoutInterval = 10000;
    SavePortSettings(saved);

    const std::string file = std::string(getenv("XDG_CONFIG_HOME")) + "/Tarnovik/kadropisets.conf";
    ASSERT_TRUE(std::filesystem::exists(file));
    QSettings raw(QString::fromStdString(file), QSettings::IniFormat);
    EXPECT_EQ(raw.value("TfmMain/VSSComm321_CommPort").toString(), "Com3");
    EXPECT_EQ(raw.value("TfmMain/VSSComm321_BaudRate").toString(), "_115200");
    EXPECT_EQ(raw.value("TfmMain/TimerSendTimeout_Interval").toString(), "10000");

    PortSettings restored;
    RestorePortSettings(restored);
    EXPECT_EQ(restored.Port, "Com3");
    EXPECT_EQ(restored.BaudRate, TBaudRate::_115200);
    EXPECT_EQ(restored.SendTimeoutInterval, 10000);
}

TEST_F(PortSettingsTest, NamesMatchInAnyCaseAndUnknownTextIsIgnored) {
    Put(kCommPortKey, "cOM2");
    Put(kBaudRateKey, "_115200");
    Put(kSendTimeoutKey, "2500");
    PortSettings settings;
    RestorePortSettings(settings);
    EXPECT_EQ(settings.Port, "Com2");
    EXPECT_EQ(settings.BaudRate, TBaudRate::_115200);
    EXPECT_EQ(settings.SendTimeoutInterval, 2500);

    Put(kCommPortKey, "Ком5");
    Put(kBaudRateKey, "___115200");  // one underscore too many
    Put(kSendTimeoutKey, "three seconds");
    RestorePortSettings(settings);
    EXPECT_EQ(settings.Port, "Com2");
    EXPECT_EQ(settings.BaudRate, TBaudRate::_115200);
    EXPECT_EQ(settings.SendTimeoutInterval, 2500);

    // A port above Com4 and a device path are ports now, kept as the store's own texts.
    for (const auto& [stored, port] :
         {std::pair{"COM7", "Com7"}, {"/dev/ttyUSB0", "/dev/ttyUSB0"}}) {
        Put(kCommPortKey, stored);
        RestorePortSettings(settings);
        EXPECT_EQ(settings.Port, port);
    }

    // An interval that would never fire is no interval.
    Put(kSendTimeoutKey, "0");
    RestorePortSettings(settings);
    EXPECT_EQ(settings.SendTimeoutInterval, 2500);

    Put(kBaudRateKey, "__256000");
    Put("FormVersion", "-1");  // a store below its own version restores nothing
    RestorePortSettings(settings);
    EXPECT_EQ(settings.BaudRate, TBaudRate::_115200);
}

TEST_F(PortSettingsTest, EveryEnumerationNameIsItsOwnTextForm) {
    // Written out once more by hand: a wrong entry in either table of the component (a name,
    // a speed, two swapped) shows here, where a round trip through those tables would not.
    struct Rate {
        const char* name;
        int baud;
    };
    const Rate rates[] = {
        {"____110", 110},    {"____300", 300},    {"____600", 600},    {"___1200", 1200},
        {"___2400", 2400},   {"___4800", 4800},   {"___9600", 9600},   {"__14400", 14400},
        {"__19200", 19200},  {"__38400", 38400},  {"__56000", 56000},  {"__57600", 57600},
        {"_115200", 115200}, {"_128000", 128000}, {"_256000", 256000},
    };
    ASSERT_EQ(kBaudRateCount, 15);
    for (int i = 0; i < kBaudRateCount; ++i) {
        const auto rate = static_cast<TBaudRate>(i);
        EXPECT_EQ(EnumName(rate), rates[i].name) << i;
        EXPECT_EQ(BaudValue(rate), rates[i].baud) << i;
        EXPECT_EQ(BaudRateFromName(rates[i].name), rate) << i;
        EXPECT_EQ(BaudRateFromValue(rates[i].baud), rate) << i;
    }
    EXPECT_EQ(BaudRateFromValue(12345), std::nullopt);
    const int dataBits[] = {4, 5, 6, 7, 8};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(DataBitsValue(static_cast<TDataBits>(i)), dataBits[i]);
    }
    EXPECT_EQ(EnumName(TDataBits::_4), "_4");
    EXPECT_EQ(EnumName(TParity::None), "None");
    EXPECT_EQ(EnumName(TStopBits::_1_5), "_1_5");
    EXPECT_EQ(EnumName(TParity::Space), "Space");
    EXPECT_EQ(SystemPortName(TCommPort::Com4), "COM4");
}

TEST_F(PortSettingsTest, ComPortDeviceValuesNameOtherDevices) {
    Put("Com2Device", "/dev/ttyUSB0");
    EXPECT_EQ(ComPortDevice(TCommPort::Com2), "/dev/ttyUSB0");
    EXPECT_EQ(ComPortDevice(TCommPort::Com1), "/dev/ttyS0");
    SetComPortDevice(TCommPort::Com1, "/dev/ttyACM0");
    EXPECT_EQ(ComPortDevice(TCommPort::Com1), "/dev/ttyACM0");
    SetComPortDevice(TCommPort::Com1, "");
    EXPECT_EQ(ComPortDevice(TCommPort::Com1), "/dev/ttyS0");
    // Any number may be sent elsewhere; every opener asks the same resolver.
    Put("com12Device", "/tmp/display");
    EXPECT_EQ(PortDevice("COM12"), "/tmp/display");
    EXPECT_EQ(PortDevice("Com13"), "/dev/ttyS12");
    EXPECT_EQ(PortDevice("/dev/ttyACM0"), "/dev/ttyACM0");
}

}  // namespace
}  // namespace kadr
