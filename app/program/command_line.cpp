// The command line's two forms, and their form on the hand-over between copies.

#include "app/program/command_line.h"

#include <algorithm>
#include <cctype>

#include "store/item_files.h"

namespace vantry {

namespace {

// The switches in any case, as Windows programs take them.
bool SameWord(const std::string& arg, const char* word) {
    std::string lower = arg;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == word;
}

// "1" to "5", exactly one digit.
std::optional<int> TabNumber(const std::string& arg) {
    if (arg.size() != 1 || arg[0] < '1' || arg[0] >= '1' + kTabCount) return std::nullopt;
    return arg[0] - '1';
}

// A path holds no control characters; one that does could not be handed over intact.
bool PlainPath(const std::string& path) {
    return !path.empty() &&
           std::none_of(path.begin(), path.end(), [](unsigned char c) { return c < 0x20; });
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) return {};
    const ParsedCommandLine bad{{}, true};
    std::optional<int> tab = args.size() >= 2 ? TabNumber(args[1]) : std::nullopt;
    if (!tab) return bad;
    if (args.size() == 2 && SameWord(args[0], "/tab")) {
        return {{StartRequest::Kind::Tab, *tab, {}}, false};
    }
    if (args.size() == 3 && SameWord(args[0], "/open") && PlainPath(args[2])) {
        return {{StartRequest::Kind::Open, *tab, args[2]}, false};
    }
    return bad;
}

std::string CommandLineUsage(const std::vector<std::string>& args) {
    std::string given;
    for (const std::string& arg : args) given += (given.empty() ? "" : " ") + arg;
    return "Vantry does not understand the command line \"" + given +
           "\". It accepts:\n\n"
           "    Vantry.exe /tab N\n"
           "    Vantry.exe /open N \"path\"\n\n"
           "with N from 1 to 5. Vantry now starts as without it.";
}

std::string EncodeRequest(const StartRequest& request) {
    const std::string number(1, static_cast<char>('1' + request.tab));
    switch (request.kind) {
        case StartRequest::Kind::Tab:
            return "/tab\n" + number;
        case StartRequest::Kind::Open:
            return "/open\n" + number + "\n" + request.path;
        case StartRequest::Kind::None:
            break;
    }
    return {};
}

std::optional<StartRequest> DecodeRequest(const std::string& text) {
    std::vector<std::string> args;
    if (!text.empty()) {
        std::size_t start = 0;
        for (;;) {
            std::size_t end = text.find('\n', start);
            args.push_back(text.substr(start, end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    ParsedCommandLine parsed = ParseCommandLine(args);
    if (parsed.bad) return std::nullopt;
    return parsed.request;
}

}  // namespace vantry
