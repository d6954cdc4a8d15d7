// Port names as users type them and the settings keep them, where they lead, the port box's
// items and the words for a port that does not open. Standard C++ only: the same cases run on
// Linux and, cross-built, under wine, each against its platform's own COM devices.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "device/comm_types.h"
#include "device/port_choices.h"
#include "device/port_failure_text.h"
#include "device/port_names.h"

namespace kadr {
namespace {

TEST(PortChoice, TypedAndStoredTextBecomesOneChoiceOrNone) {
    const struct {
        const char* text;
        std::optional<std::string> choice;
    } cases[] = {
        {"Com1", "Com1"},
        {"cOM2", "Com2"},
        {"COM7", "Com7"},
        {" com12 ", "Com12"},
        {"Com256", "Com256"},
        {"Com257", std::nullopt},
        {"Com0", std::nullopt},
        {"Com07", std::nullopt},
        {"COM", std::nullopt},
        {"Com1x", std::nullopt},
        {"Ком1", std::nullopt},
        {"", std::nullopt},
        {"12345", std::nullopt},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"\\\\.\\CNCA0", "\\\\.\\CNCA0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PortChoiceFromText(c.text), c.choice) << '"' << c.text << '"';
    }
}

// What an older editor makes of the values: it knows Com1..Com4 alone, so a higher port or a
// path leaves it at its default, as its own rules say of a name it does not know.
TEST(PortChoice, AnOldReaderKnowsOnlyTheFirstFour) {
    EXPECT_EQ(CommPortFromName("cOM4"), TCommPort::Com4);
    for (const char* stored : {"Com5", "Com7", "/dev/ttyUSB0", "\\\\.\\COM7"}) {
        EXPECT_EQ(CommPortFromName(stored), std::nullopt) << stored;
        EXPECT_TRUE(PortChoiceFromText(stored).has_value()) << stored << " is still a port today";
    }
}

TEST(PortChoice, ChoicesLeadToTheMappedDeviceElseTheSystemsOwn) {
    const PortMap map({{1, "/dev/ttyUSB0"}, {7, "/tmp/display"}});
    EXPECT_EQ(map.Device("Com1"), "/dev/ttyUSB0");
    EXPECT_EQ(map.Device("Com7"), "/tmp/display");
    EXPECT_EQ(map.Device("Com2"), DefaultComDevice(2));
    EXPECT_EQ(map.Device("/dev/ttyACM0"), "/dev/ttyACM0");
    EXPECT_EQ(map.Device("Ком1"), "");
    // And back: the system's own COM1 is no longer what Com1 opens.
    EXPECT_EQ(map.ChoiceFor("/dev/ttyUSB0"), "Com1");
    EXPECT_EQ(map.ChoiceFor(DefaultComDevice(12)), "Com12");
    EXPECT_EQ(map.ChoiceFor(DefaultComDevice(1)), DefaultComDevice(1));
    EXPECT_EQ(map.ChoiceFor("/dev/ttyACM0"), "/dev/ttyACM0");
}

SystemPort Com(int number, const std::string& description = {}) {
    return {"COM" + std::to_string(number), DefaultComDevice(number), description};
}

class PortItemsTest : public ::testing::Test {
  protected:
    const std::vector<SystemPort> present_{
        Com(3, "USB-SERIAL CH340 (COM3)"),
        Com(7),
        {"/dev/ttyUSB0", "/dev/ttyUSB0", "FTDI FT232R USB UART", 0x0403, 0x6001}};
    const std::vector<PortItem> items_ = PortItems(present_, PortMap(), "Com12");
};

TEST_F(PortItemsTest, TheFirstFourStayThenThePresentOnesThenTheChosenOne) {
    std::vector<std::string> texts;
    for (const PortItem& item : items_) {
        texts.push_back(item.Text());
    }
    EXPECT_EQ(texts,
              (std::vector<std::string>{
                  "Com1 (нет)", "Com2 (нет)", "Com3 — USB-SERIAL CH340 (COM3)", "Com4 (нет)",
                  "COM7 — подключён", "/dev/ttyUSB0 — FTDI FT232R USB UART", "COM12 (нет)"}));
    EXPECT_EQ(items_[4].choice, "Com7");
    EXPECT_EQ(items_[5].choice, "/dev/ttyUSB0");
}

TEST_F(PortItemsTest, TypedTextNamesAnItemOrNothing) {
    const struct {
        std::string typed;
        std::optional<std::size_t> item;
    } cases[] = {
        {"com7", 4},
        {"COM7", 4},
        {DefaultComDevice(7), 4},
        {"Com3 — USB-SERIAL CH340 (COM3)", 2},
        {"com12 (нет)", 6},
        {"/dev/ttyUSB0", 5},
        {"Com12", 6},
        {"Com2", 1},
        {"Com9", std::nullopt},
        {"Ком1", std::nullopt},
        {"", std::nullopt},
        {std::string(5000, '7'), std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ItemNamedBy(items_, c.typed), c.item) << c.typed;
    }
}

TEST_F(PortItemsTest, TheLonePresentPortIsOfferedOnlyInPlaceOfAnAbsentOne) {
    const std::vector<SystemPort> one{Com(7, "USB-SERIAL CH340 (COM7)")};
    EXPECT_EQ(LonePresentPort(PortItems(one, PortMap(), "Com1"), "Com1"), 4u);
    EXPECT_EQ(LonePresentPort(PortItems(one, PortMap(), "Com7"), "Com7"), std::nullopt);
    EXPECT_EQ(LonePresentPort(items_, "Com1"), std::nullopt) << "three present: the user chooses";
    EXPECT_EQ(LonePresentPort(PortItems({}, PortMap(), "Com1"), "Com1"), std::nullopt);
    // An adapter that Com1Device names is Com1, present, and takes no item of its own.
    const auto mapped = PortItems({present_[2]}, PortMap({{1, "/dev/ttyUSB0"}}), "Com1");
    EXPECT_EQ(mapped.size(), 4u);
    EXPECT_TRUE(mapped[0].present);
}

TEST(PortFailureWords, EachReasonSaysWhatHappenedAndWhatToDo) {
    const std::vector<SystemPort> present{Com(3, "USB-SERIAL CH340 (COM3)"), Com(5), Com(7)};
    const std::string com7 = DefaultComDevice(7);
    EXPECT_EQ(PortFailureAdvice(PortFailure::Absent, 2, "COM7", com7, present),
              "Порта COM7 нет: адаптер не подключён или получил другой номер. Подключённые "
              "порты: COM3 (USB-SERIAL CH340), COM5. Выберите один из них.");
    EXPECT_EQ(PortFailureAdvice(PortFailure::Absent, 2, "COM7", com7, {present[2]}),
              "Порта COM7 нет: адаптер не подключён или получил другой номер. Подключённых "
              "портов нет: подключите адаптер устройства.");
    EXPECT_EQ(PortFailureAdvice(PortFailure::Busy, 5, "COM3", "", present),
              "Порт COM3 занят другой программой: закройте её (или второй редактор) и повторите "
              "загрузку.");
    EXPECT_EQ(PortFailureAdvice(PortFailure::Denied, 13, "/dev/ttyUSB0", "", present),
              "Нет доступа к порту /dev/ttyUSB0: пользователь должен входить в группу dialout "
              "(sudo adduser $USER dialout, затем войти в систему заново).");
    const std::string other = PortFailureAdvice(PortFailure::Other, 5, "COM3", "", present);
    EXPECT_EQ(other.rfind("Порт COM3 не открылся: ", 0), 0u) << other;
    EXPECT_FALSE(other.ends_with("..")) << other;
    EXPECT_EQ(PortFailureAdvice(PortFailure::Other, 0, "COM3", "", present),
              "Порт COM3 не открылся.");
}

}  // namespace
}  // namespace kadr
