#pragma once
// The program's command line: `/tab N` starts on tab N, `/open N "path"` opens that item of tab N
// as a click on it does. N counts from 1, as Ctrl+1 to Ctrl+5 do. A later start hands its request
// to the running copy, which carries it out.

#include <optional>
#include <string>
#include <vector>

namespace vantry {

struct StartRequest {
    enum class Kind { None, Tab, Open };
    Kind kind = Kind::None;
    int tab = 0;       // 0..4: the N of the command line less one
    std::string path;  // Open: the item's stored path

    friend bool operator==(const StartRequest&, const StartRequest&) = default;
};

struct ParsedCommandLine {
    StartRequest request;
    bool bad = false;  // not one of the accepted forms: the request is None
};

// The arguments after the program's name, in UTF-8 as the system split them.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// What a start with a bad command line tells the user before it starts as without one.
std::string CommandLineUsage(const std::vector<std::string>& args);

// The request as the hand-over between copies carries it, and back; nothing for text that is not
// one (the hand-over takes data from any process).
std::string EncodeRequest(const StartRequest& request);
std::optional<StartRequest> DecodeRequest(const std::string& text);

}  // namespace vantry
