#include "cli/completion.h"

#include <algorithm>
#include <cctype>

#include "frameset/messages/message.h"

namespace kadr::cli {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator, bool spaces) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end =
            i == text.size() || (spaces ? std::isspace(static_cast<unsigned char>(text[i])) != 0
                                        : text[i] == separator);
        if (end) {
            if (i > start || !spaces) {
                parts.push_back(text.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return parts;
}

std::string WithoutBrackets(std::string_view token) {
    std::string bare;
    std::copy_if(token.begin(), token.end(), std::back_inserter(bare),
                 [](char c) { return c != '[' && c != ']'; });
    return bare;
}

// A choice written as it is typed: "amber", "builtin14", "scroll-left"; not "7..14" or "N".
bool IsLiteral(std::string_view choice) {
    return !choice.empty() && std::islower(static_cast<unsigned char>(choice.front())) != 0 &&
           std::all_of(choice.begin(), choice.end(), [](char c) {
               return std::islower(static_cast<unsigned char>(c)) != 0 ||
                      std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '-';
           });
}

void AddValues(const SynopsisOption& option, Completion& completion) {
    for (const std::string_view choice : Split(option.value, '|', false)) {
        if (choice == "FAMILY") {
            completion.fonts = true;
        } else if (choice == "FILE" || choice == "PATH" || choice == "DIR") {
            completion.files = true;
        } else if (choice == "EFFECT") {
            // An exit has no typewriter; the parser would refuse it.
            for (const messages::Effect effect : messages::kEffects) {
                if (option.name != "--out" || messages::IsExitEffect(effect)) {
                    completion.words.emplace_back(messages::EffectName(effect));
                }
            }
        } else if (IsLiteral(choice)) {
            completion.words.emplace_back(choice);
        }
    }
}

}  // namespace

std::vector<SynopsisOption> SynopsisOptions(std::string_view synopsis) {
    const std::vector<std::string_view> tokens = Split(synopsis, ' ', true);
    std::vector<SynopsisOption> options;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        SynopsisOption option{WithoutBrackets(tokens[i]), {}};
        if (option.name.rfind("--", 0) != 0) {
            continue;
        }
        // "[--json]" closes at once; "[--font builtin|FAMILY]" takes the next word as its value.
        if (tokens[i].back() != ']' && i + 1 < tokens.size()) {
            std::string value = WithoutBrackets(tokens[i + 1]);
            if (!value.empty() && value != "|" && value.front() != '-') {
                option.value = std::move(value);
                ++i;
            }
        }
        options.push_back(std::move(option));
    }
    return options;
}

Completion CompleteAfter(std::span<const CommandHelp> commands,
                         const std::vector<std::string>& before) {
    Completion completion;
    if (before.empty() || (before.size() == 1 && before[0] == "help")) {
        for (const CommandHelp& command : commands) {
            completion.words.emplace_back(command.name);
        }
        if (before.empty()) {
            completion.words.insert(completion.words.end(), {"help", "--help", "--version"});
        }
        return completion;
    }
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const CommandHelp& c) { return c.name == before[0]; });
    if (command == commands.end()) {
        return completion;
    }
    const std::vector<SynopsisOption> options = SynopsisOptions(command->synopsis);
    const auto given = [&](const std::string& name) {
        return std::find(before.begin() + 1, before.end(), name) != before.end();
    };
    if (before.size() >= 2) {
        for (const SynopsisOption& option : options) {
            if (option.name == before.back() && !option.value.empty()) {
                AddValues(option, completion);
                return completion;
            }
        }
    }
    for (const SynopsisOption& option : options) {
        if (!given(option.name)) {
            completion.words.push_back(option.name);
        }
    }
    completion.words.emplace_back("--help");
    completion.files = true;
    return completion;
}

}  // namespace kadr::cli
