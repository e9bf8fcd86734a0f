#include "core/variables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace zarv {
namespace {

class VariablesTest : public ::testing::Test {
protected:
    // Names are looked up as the system does: letter case ignored.
    VariableLookup Lookup() {
        return [this](std::string_view name) -> std::optional<std::string> {
            asked.emplace_back(name);
            std::string upper(name);
            for (char& c : upper)
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            auto it = vars.find(upper);
            if (it == vars.end()) return std::nullopt;
            return it->second;
        };
    }
    std::string Expand(std::string_view text) { return ExpandVariables(text, Lookup()); }

    std::map<std::string, std::string> vars{{"APPS", "C:\\Apps"},
                                            {"USERPROFILE", "C:\\Users\\\x95\x5C"},
                                            {"EMPTY", ""},
                                            {"LOOP", "%APPS%"},
                                            {"\x95\x5C", "hyo"}};
    std::vector<std::string> asked;
};

TEST_F(VariablesTest, SetVariablesAreReplacedWherever) {
    EXPECT_EQ(Expand("%APPS%\\tool.exe"), "C:\\Apps\\tool.exe");
    EXPECT_EQ(Expand("-o %userprofile%\\out.txt -v"), "-o C:\\Users\\\x95\x5C\\out.txt -v");
    EXPECT_EQ(Expand("%APPS%%USERPROFILE%"), "C:\\AppsC:\\Users\\\x95\x5C");
    EXPECT_EQ(Expand("a%EMPTY%b"), "ab");
    // A Shift-JIS name, whose trail byte is a backslash, is handed over whole.
    EXPECT_EQ(Expand("%\x95\x5C%"), "hyo");
    // A value is used as it stands, not expanded again.
    EXPECT_EQ(Expand("%LOOP%"), "%APPS%");
}

TEST_F(VariablesTest, WhatNamesNoSetVariableStaysAsWritten) {
    for (const char* text : {"", "plain", "C:\\dir\\tool.exe", "%NOPE%\\x.exe", "100%", "%", "%%",
                             "%%%", "a%b", "%APPS", "C:\\50% off\\x.exe"})
        EXPECT_EQ(Expand(text), text) << text;
    // An empty name is never looked up.
    asked.clear();
    Expand("%%");
    EXPECT_TRUE(asked.empty());
}

TEST_F(VariablesTest, TheClosingPercentOfAnUnknownNameMayOpenTheNext) {
    EXPECT_EQ(Expand("50%%APPS%"), "50%C:\\Apps");
    EXPECT_EQ(Expand("%NOPE%APPS%"), "%NOPEC:\\Apps");
    EXPECT_EQ(Expand("%APPS%NOPE%APPS%"), "C:\\AppsNOPEC:\\Apps");
}

TEST_F(VariablesTest, PathExistingAsWrittenIsKeptElseExpanded) {
    std::vector<std::string> existing{"C:\\x\\%APPS%.exe"};
    std::vector<std::string> checked;
    PathExists exists = [&](const std::string& p) {
        checked.push_back(p);
        return std::find(existing.begin(), existing.end(), p) != existing.end();
    };
    // A file whose name really holds a reference runs as it is named.
    EXPECT_EQ(ResolvePath("C:\\x\\%APPS%.exe", Lookup(), exists), "C:\\x\\%APPS%.exe");
    EXPECT_EQ(ResolvePath("%APPS%\\tool.exe", Lookup(), exists), "C:\\Apps\\tool.exe");
    EXPECT_EQ(ResolvePath("%NOPE%\\tool.exe", Lookup(), exists), "%NOPE%\\tool.exe");
    EXPECT_EQ(checked.size(), 3u);
    // A path without % needs no look at the disk.
    checked.clear();
    EXPECT_EQ(ResolvePath("C:\\Apps\\tool.exe", Lookup(), exists), "C:\\Apps\\tool.exe");
    EXPECT_EQ(ResolvePath("", Lookup(), exists), "");
    EXPECT_TRUE(checked.empty());
}

}  // namespace
}  // namespace zarv
