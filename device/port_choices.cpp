#include "device/port_choices.h"

#include <algorithm>
#include <cctype>

namespace kadr {
namespace {

constexpr int kListedComPorts = 4;

std::string Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

// The box completes typed text with an item's own text in the case the user typed ("com3 (нет)").
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

PortItem ItemFor(std::string_view choice, const PortMap& map) {
    PortItem item;
    item.choice = std::string(choice);
    item.device = map.Device(choice);
    const auto number = ComNumber(choice);
    if (number && *number <= kListedComPorts) {
        item.label = item.choice;
    } else if (number) {
        item.label = "COM" + std::to_string(*number);
    } else {
        item.label = item.choice;
    }
    return item;
}

}  // namespace

std::string PortItem::Text() const {
    if (!present) {
        return label + " (нет)";
    }
    return label + " — " + (description.empty() ? std::string("подключён") : description);
}

std::vector<PortItem> PortItems(const std::vector<SystemPort>& present, const PortMap& map,
                                std::string_view chosen) {
    std::vector<PortItem> items;
    for (int number = 1; number <= kListedComPorts; ++number) {
        items.push_back(ItemFor(ComChoice(number), map));
    }
    for (const SystemPort& port : present) {
        const std::string choice = map.ChoiceFor(port.device);
        auto item = std::find_if(items.begin(), items.end(),
                                 [&choice](const PortItem& i) { return i.choice == choice; });
        if (item == items.end()) {
            items.push_back(ItemFor(choice, map));
            item = items.end() - 1;
        }
        item->present = true;
        item->name = port.name;
        item->description = port.description;
    }
    if (const auto normal = PortChoiceFromText(chosen)) {
        const bool listed = std::any_of(items.begin(), items.end(), [&normal](const PortItem& i) {
            return i.choice == *normal;
        });
        if (!listed) {
            items.push_back(ItemFor(*normal, map));
        }
    }
    return items;
}

std::optional<std::size_t> ItemNamedBy(const std::vector<PortItem>& items, std::string_view typed) {
    const std::string text = Trimmed(typed);
    if (text.empty()) {
        return std::nullopt;
    }
    const std::optional<std::string> choice = PortChoiceFromText(text);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const PortItem& item = items[i];
        if (SameIgnoringAsciiCase(text, item.Text()) || (choice && *choice == item.choice) ||
            text == item.device || (!item.name.empty() && text == item.name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> LonePresentPort(const std::vector<PortItem>& items,
                                           std::string_view chosen) {
    std::optional<std::size_t> lone;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].present) {
            continue;
        }
        if (lone || items[i].choice == chosen) {
            return std::nullopt;
        }
        lone = i;
    }
    return lone;
}

std::string PortInWords(const SystemPort& port) {
    std::string description = port.description;
    const std::string own = " (" + port.name + ")";
    if (description.size() >= own.size() &&
        description.compare(description.size() - own.size(), own.size(), own) == 0) {
        description.resize(description.size() - own.size());
    }
    return description.empty() ? port.name : port.name + " (" + description + ")";
}

}  // namespace kadr
