#include "program_file/program_file.h"

#include <cmath>
#include <optional>

#include "program_file/json_fields.h"

namespace kadr::messages {
namespace {

using json_fields::Json;
using json_fields::Number;
using json_fields::OrderedJson;

[[noreturn]] void Refuse(const std::string& path, const std::string& what) {
    json_fields::Refuse<ProgramFormatError>(path, what);
}

std::string EffectList(bool exit) {
    std::string list;
    for (const Effect effect : kEffects) {
        if (!exit || IsExitEffect(effect)) {
            list += (list.empty() ? "" : ", ") + std::string(EffectName(effect));
        }
    }
    return list;
}

int WholeIn(const Json& value, const std::string& path, int low, int high) {
    return json_fields::WholeIn<ProgramFormatError>(value, path, low, high);
}

std::string Text(const Json& value, const std::string& path) {
    return json_fields::Text<ProgramFormatError>(value, path);
}

template <typename Value>
Value Named(const Json& value, const std::string& path,
            std::optional<Value> (*parse)(std::string_view), const std::string& choices) {
    const std::optional<Value> parsed =
        value.is_string() ? parse(value.get<std::string>()) : std::nullopt;
    if (!parsed) {
        Refuse(path, "must be " + choices);
    }
    return *parsed;
}

Message ParseMessage(const Json& json, const std::string& path) {
    if (!json.is_object()) {
        Refuse(path, "must be an object");
    }
    Message m;
    bool hasText = false;
    for (const auto& [key, value] : json.items()) {
        const std::string field = path + "." + key;
        if (key == "text") {
            m.text = Text(value, field);
            hasText = true;
        } else if (key == "show") {
            m.show = Named(value, field, ParseShow, "still or line");
        } else if (key == "align") {
            m.align = Named(value, field, ParseAlign, "left, centre or right");
        } else if (key == "in") {
            m.in = Named(value, field, ParseEffect, "one of " + EffectList(false));
        } else if (key == "out") {
            m.out = Named(value, field, ParseEffect, "one of " + EffectList(true));
            if (!IsExitEffect(m.out)) {
                Refuse(field, "must be one of " + EffectList(true));
            }
        } else if (key == "hold") {
            const std::optional<double> seconds = Number(value);
            if (!seconds || !(*seconds >= 0 && *seconds <= kMaxHoldSeconds)) {
                Refuse(field, "must be 0 to 60");
            }
            m.hold = *seconds;
        } else if (key == "blink") {
            m.blink = WholeIn(value, field, 0, kMaxBlink);
        } else if (key == "font") {
            m.font = Text(value, field);
            if (m.font.empty()) {
                Refuse(field, "must name a font");
            }
        } else if (key == "size") {
            m.size = WholeIn(value, field, kMinFontSize, kMaxFontSize);
        } else if (key == "place") {
            m.place = Named(value, field, ParsePlacement, "top, bottom or middle");
        } else if (key == "gap") {
            m.gap = WholeIn(value, field, 0, text::kMaxGap);
        } else {
            Refuse(field, "unknown field");
        }
    }
    if (!hasText) {
        Refuse(path + ".text", "missing");
    }
    return m;
}

OrderedJson MessageJson(const Message& m) {
    OrderedJson json;
    json["text"] = m.text;
    json["show"] = ShowName(m.show);
    json["align"] = AlignName(m.align);
    json["in"] = EffectName(m.in);
    if (m.hold == std::floor(m.hold)) {
        json["hold"] = static_cast<int>(m.hold);
    } else {
        json["hold"] = m.hold;
    }
    json["blink"] = m.blink;
    json["out"] = EffectName(m.out);
    json["font"] = m.font;
    json["size"] = m.size;
    json["place"] = PlacementName(m.place);
    json["gap"] = m.gap;
    return json;
}

}  // namespace

Program ParseProgram(std::string_view text) {
    const Json json = json_fields::Parse<ProgramFormatError>(text, "not a JSON program");
    if (!json.is_object()) {
        Refuse("program", "must be an object");
    }
    Program program;
    bool hasMessages = false;
    for (const auto& [key, value] : json.items()) {
        if (key == "speedAnim") {
            program.speedAnim = WholeIn(value, key, kMinSpeed, kMaxSpeed);
        } else if (key == "messages") {
            if (!value.is_array()) {
                Refuse(key, "must be a list of messages");
            }
            for (std::size_t i = 0; i < value.size(); ++i) {
                program.messages.push_back(
                    ParseMessage(value[i], "messages[" + std::to_string(i) + "]"));
            }
            hasMessages = true;
        } else {
            Refuse(key, "unknown field");
        }
    }
    if (!hasMessages) {
        Refuse("messages", "missing");
    }
    return program;
}

std::string ProgramJson(const Program& program) {
    OrderedJson json = OrderedJson::object();
    if (program.speedAnim) {
        json["speedAnim"] = *program.speedAnim;
    }
    json["messages"] = OrderedJson::array();
    for (const Message& message : program.messages) {
        json["messages"].push_back(MessageJson(message));
    }
    return json_fields::Dump(json);
}

Program ReadProgramFile(const std::string& path) {
    return ParseProgram(json_fields::ReadText<ProgramFormatError>(
        path, kMaxProgramFileBytes, "the program file is larger than 1 MiB"));
}

void WriteProgramFile(const std::string& path, const Program& program) {
    json_fields::WriteText(path, ProgramJson(program));
}

}  // namespace kadr::messages
