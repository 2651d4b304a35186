#include "app/program/command_line.h"

#include <gtest/gtest.h>

namespace vantry {
namespace {

using Kind = StartRequest::Kind;

TEST(CommandLineTest, AcceptsTheTwoFormsAndNothingElse) {
    struct Case {
        std::vector<std::string> args;
        bool bad;
        StartRequest request;
    };
    const Case cases[] = {
        {{}, false, {}},
        {{"/tab", "1"}, false, {Kind::Tab, 0, {}}},
        {{"/TAB", "5"}, false, {Kind::Tab, 4, {}}},
        {{"/open", "3", "C:\\a b\\c.txt"}, false, {Kind::Open, 2, "C:\\a b\\c.txt"}},
        {{"/tab", "0"}, true, {}},
        {{"/tab", "6"}, true, {}},
        {{"/tab", "12"}, true, {}},
        {{"/tab", " 1"}, true, {}},
        {{"/tab"}, true, {}},
        {{"/tab", "1", "x"}, true, {}},
        {{"/open", "1"}, true, {}},
        {{"/open", "1", ""}, true, {}},
        {{"/open", "1", "C:\\a\nb"}, true, {}},
        {{"/open", "1", "C:\\a", "more"}, true, {}},
        {{"/tabs", "1"}, true, {}},
        {{"tab", "1"}, true, {}},
        {{"C:\\some\\file.txt"}, true, {}},
    };
    for (const Case& c : cases) {
        std::string given;
        for (const std::string& arg : c.args) given += "[" + arg + "]";
        ParsedCommandLine parsed = ParseCommandLine(c.args);
        EXPECT_EQ(parsed.bad, c.bad) << given;
        EXPECT_EQ(parsed.request, c.request) << given;
    }
}

TEST(CommandLineTest, TheHandOverCarriesARequestIntactAndRefusesAnythingElse) {
    for (const StartRequest& request : {StartRequest{}, StartRequest{Kind::Tab, 2, {}},
                                        StartRequest{Kind::Open, 4, "E:\\Träume\\ночь.txt"}}) {
        EXPECT_EQ(DecodeRequest(EncodeRequest(request)), request);
    }
    for (const char* junk : {"/tab", "/tab\n9", "/open\n1\n", "hello", "/tab\n1\n"}) {
        EXPECT_FALSE(DecodeRequest(junk)) << junk;
    }
}

}  // namespace
}  // namespace vantry
