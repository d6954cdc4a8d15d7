#include "frameset/messages/message_plan.h"

#include <algorithm>
#include <cmath>

#include "frameset/text/running_line.h"

namespace kadr::messages {
namespace {

// Where a still text of `width` columns begins on the display.
int LeftColumn(Align align, int width) {
    switch (align) {
        case Align::Left:
            return 0;
        case Align::Right:
            return kColumns - width;
        case Align::Centre:
            break;
    }
    return (kColumns - width) / 2;
}

RestPicture RestOf(const text::RenderedText& rendered, Align align) {
    const int left = LeftColumn(align, rendered.picture.width);
    RestPicture rest;
    for (int column = 0; column < rendered.picture.width; ++column) {
        for (int row = 0; row < kDotRows; ++row) {
            if (rendered.picture.Ink(column, row)) {
                rest.picture.SetLit(left + column, row, true);
            }
        }
    }
    rest.characterEnds.reserve(rendered.characterEnds.size());
    for (const int end : rendered.characterEnds) {
        rest.characterEnds.push_back(left + end);
    }
    return rest;
}

double Seconds(int frames, int speedAnim) {
    return static_cast<double>(frames) / std::max(speedAnim, kMinSpeed);
}

}  // namespace

int HoldFrames(double seconds, int speedAnim) {
    const double frames = std::max(seconds, 0.0) * std::max(speedAnim, kMinSpeed);
    return std::max(1, static_cast<int>(std::lround(std::min(frames, 1e6))));
}

int MessagePlan::FrameCount() const {
    if (refusal != Refusal::None) {
        return 0;
    }
    if (show == Show::Line) {
        return text::RunningLineFrameTotal(Width());
    }
    return static_cast<int>(entry.size() + exit.size()) + hold;
}

double MessagePlan::EntrySeconds(int speedAnim) const {
    return Seconds(static_cast<int>(entry.size()), speedAnim);
}
double MessagePlan::HoldSeconds(int speedAnim) const {
    return Seconds(hold, speedAnim);
}
double MessagePlan::ExitSeconds(int speedAnim) const {
    return Seconds(static_cast<int>(exit.size()), speedAnim);
}

MessagePlan PlanMessage(const Message& message, const text::TextFont& font, int speedAnim) {
    MessagePlan plan;
    plan.show = message.show;
    plan.rendered = text::RenderText(message.text, font, {message.place, message.gap, 0, 0});
    if (plan.rendered.characters == 0) {
        plan.refusal = Refusal::EmptyText;
        return plan;
    }
    if (message.show == Show::Line) {
        return plan;
    }
    if (plan.Width() > kColumns) {
        plan.refusal = Refusal::TooWide;
        return plan;
    }
    plan.rest = RestOf(plan.rendered, message.align);
    plan.entry = EntryPictures(message.in, plan.rest);
    plan.exit = ExitPictures(message.out, plan.rest);
    plan.hold = HoldFrames(message.hold, speedAnim);
    plan.blink = std::clamp(message.blink, 0, kMaxBlink);
    return plan;
}

void AppendMessageFrames(const MessagePlan& plan, std::vector<Frame>& frames) {
    if (plan.refusal != Refusal::None) {
        return;
    }
    if (plan.show == Show::Line) {
        const std::vector<Frame> line = text::RunningLineFrames(plan.rendered.picture);
        frames.insert(frames.end(), line.begin(), line.end());
        return;
    }
    for (const Picture& picture : plan.entry) {
        frames.push_back(playback::AnimationFrameOf(picture));
    }
    const Frame rest = playback::AnimationFrameOf(plan.rest.picture);
    const Frame dark = playback::AnimationFrameOf(Picture{});
    for (int i = 0; i < plan.hold; ++i) {
        const bool lit = plan.blink == 0 || (i / plan.blink) % 2 == 0;
        frames.push_back(lit ? rest : dark);
    }
    for (const Picture& picture : plan.exit) {
        frames.push_back(playback::AnimationFrameOf(picture));
    }
}

ProgramPlan PlanProgram(const Program& program, FontSource& fonts, int speedAnim, int framesInUse) {
    ProgramPlan plan;
    plan.speedAnim = ClampSpeed(program.speedAnim.value_or(speedAnim));
    plan.freeFrames = std::max(0, kMaxFrames - framesInUse);
    plan.messages.reserve(program.messages.size());
    for (const Message& message : program.messages) {
        const text::TextFont* font = fonts.Font(message.font, message.size);
        MessagePlan& planned = plan.messages.emplace_back();
        if (font == nullptr) {
            planned.refusal = Refusal::NoFont;
        } else {
            planned = PlanMessage(message, *font, plan.speedAnim);
        }
        plan.added += planned.FrameCount();
        if (planned.refusal != Refusal::None && plan.refusal == Refusal::None) {
            plan.refusal = planned.refusal;
            plan.refusedMessage = static_cast<int>(plan.messages.size()) - 1;
        }
    }
    if (program.messages.empty()) {
        plan.refusal = Refusal::NoMessages;
    } else if (plan.refusal == Refusal::None && plan.added > plan.freeFrames) {
        plan.refusal = Refusal::TooLong;
    }
    return plan;
}

std::vector<Frame> ProgramFrames(const ProgramPlan& plan) {
    return plan.refusal == Refusal::None ? PlannedFrames(plan, plan.added) : std::vector<Frame>{};
}

std::vector<Frame> PlannedFrames(const ProgramPlan& plan, int limit) {
    std::vector<Frame> frames;
    frames.reserve(static_cast<std::size_t>(std::clamp(plan.added, 0, limit)));
    for (const MessagePlan& message : plan.messages) {
        if (static_cast<int>(frames.size()) + message.FrameCount() > limit) {
            break;  // a message is played whole or not at all
        }
        AppendMessageFrames(message, frames);
    }
    return frames;
}

int WidestText(const ProgramPlan& plan) {
    int widest = 0;
    for (const MessagePlan& message : plan.messages) {
        widest = std::max(widest, message.Width());
    }
    return widest;
}

std::u32string MissingCharacters(const ProgramPlan& plan) {
    std::u32string missing;
    for (const MessagePlan& message : plan.messages) {
        for (const char32_t c : message.rendered.missing) {
            if (missing.find(c) == std::u32string::npos) {
                missing.push_back(c);
            }
        }
    }
    return missing;
}

}  // namespace kadr::messages
