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
        return [this](std::wstring_view name) -> std::optional<std::wstring> {
            asked.emplace_back(name);
            std::wstring upper(name);
            for (wchar_t& c : upper)
                if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
            auto it = vars.find(upper);
            if (it == vars.end()) return std::nullopt;
            return it->second;
        };
    }
    std::wstring Expand(std::wstring_view text) { return ExpandVariables(text, Lookup()); }

    std::map<std::wstring, std::wstring> vars{{L"APPS", L"C:\\Apps"},
                                              {L"USERPROFILE", L"C:\\Users\\Zoë"},
                                              {L"EMPTY", L""},
                                              {L"LOOP", L"%APPS%"},
                                              {L"表", L"hyo"}};
    std::vector<std::wstring> asked;
};

TEST_F(VariablesTest, SetVariablesAreReplacedWherever) {
    EXPECT_EQ(Expand(L"%APPS%\\tool.exe"), L"C:\\Apps\\tool.exe");
    // A value with characters of any code page is handed over whole.
    EXPECT_EQ(Expand(L"-o %userprofile%\\out.txt -v"), L"-o C:\\Users\\Zoë\\out.txt -v");
    EXPECT_EQ(Expand(L"%APPS%%USERPROFILE%"), L"C:\\AppsC:\\Users\\Zoë");
    EXPECT_EQ(Expand(L"a%EMPTY%b"), L"ab");
    EXPECT_EQ(Expand(L"%表%"), L"hyo");
    // A value is used as it stands, not expanded again.
    EXPECT_EQ(Expand(L"%LOOP%"), L"%APPS%");
}

TEST_F(VariablesTest, WhatNamesNoSetVariableStaysAsWritten) {
    for (const wchar_t* text : {L"", L"plain", L"C:\\dir\\tool.exe", L"%NOPE%\\x.exe", L"100%",
                                L"%", L"%%", L"%%%", L"a%b", L"%APPS", L"C:\\50% off\\x.exe"})
        EXPECT_EQ(Expand(text), text);
    // An empty name is never looked up.
    asked.clear();
    Expand(L"%%");
    EXPECT_TRUE(asked.empty());
}

TEST_F(VariablesTest, TheClosingPercentOfAnUnknownNameMayOpenTheNext) {
    EXPECT_EQ(Expand(L"50%%APPS%"), L"50%C:\\Apps");
    EXPECT_EQ(Expand(L"%NOPE%APPS%"), L"%NOPEC:\\Apps");
    EXPECT_EQ(Expand(L"%APPS%NOPE%APPS%"), L"C:\\AppsNOPEC:\\Apps");
}

TEST_F(VariablesTest, PathExistingAsWrittenIsKeptElseExpanded) {
    std::vector<std::wstring> existing{L"C:\\x\\%APPS%.exe"};
    std::vector<std::wstring> checked;
    PathExists exists = [&](const std::wstring& p) {
        checked.push_back(p);
        return std::find(existing.begin(), existing.end(), p) != existing.end();
    };
    // A file whose name really holds a reference runs as it is named.
    EXPECT_EQ(ResolvePath(L"C:\\x\\%APPS%.exe", Lookup(), exists), L"C:\\x\\%APPS%.exe");
    EXPECT_EQ(ResolvePath(L"%APPS%\\tool.exe", Lookup(), exists), L"C:\\Apps\\tool.exe");
    EXPECT_EQ(ResolvePath(L"%NOPE%\\tool.exe", Lookup(), exists), L"%NOPE%\\tool.exe");
    EXPECT_EQ(checked.size(), 3u);
    // A path without % needs no look at the disk.
    checked.clear();
    EXPECT_EQ(ResolvePath(L"C:\\Apps\\tool.exe", Lookup(), exists), L"C:\\Apps\\tool.exe");
    EXPECT_EQ(ResolvePath(L"", Lookup(), exists), L"");
    EXPECT_TRUE(checked.empty());
}

}  // namespace
}  // namespace zarv
