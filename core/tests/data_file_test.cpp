#include "core/data_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zarv {
namespace {

using namespace std::string_literals;

const CodePage& Sjis() { return CodePage::ShiftJis(); }

const std::string kHeader = std::string(kHeader103);

// A stored text field: count, length, bytes.
std::string Field(const std::string& text) {
    return std::string{static_cast<char>(text.size() + 1), static_cast<char>(text.size())} + text;
}

std::string ByteField(int value) { return "\x01"s + static_cast<char>(value); }

THotkeyItem Hotkey(std::string title, std::string path, std::string options, std::string dir,
                   std::string key, int mods, int vkey, int func) {
    return {title,
            path,
            options,
            dir,
            key,
            static_cast<std::uint8_t>(mods),
            static_cast<std::uint8_t>(vkey),
            static_cast<std::uint8_t>(func)};
}

std::vector<THotkeyItem> ParseAllHotkeys(const std::string& data, bool expectComplete = true) {
    std::vector<THotkeyItem> list;
    const ParseResult r = ParseHotkeys(data, DetectVersion(data), list);
    EXPECT_EQ(r.complete, expectComplete);
    return list;
}

TEST(DataFileTest, EmptyRecordIs17BytesAfterTheHeader) {
    const std::string file = SerializeHotkeys({THotkeyItem{}}, Sjis());
    EXPECT_EQ(file,
              kHeader + "\xFF\x01\x00\x01\x00\x01\x00\x01\x00\x01\x00\x01\x00\x01\x00\x01\x00"s);
    EXPECT_EQ(file.size(), kHeaderSize + 17);
    EXPECT_EQ(ParseAllHotkeys(file), std::vector<THotkeyItem>{THotkeyItem{}});
}

TEST(DataFileTest, RecordLayoutByteForByte) {
    const THotkeyItem hk = Hotkey("Memo", "C:\\w.exe", "-q", "C:\\", "Ctrl + A", 2, 65, 0);
    EXPECT_EQ(SerializeHotkeys({hk}, Sjis()),
              kHeader + "\xFF" + Field("Memo") + Field("C:\\w.exe") + Field("-q") + Field("C:\\") +
                  Field("Ctrl + A") + ByteField(2) + ByteField(65) + ByteField(0));

    const TCommandItem cmd{"np", "notepad.exe", "", "D:\\"};
    EXPECT_EQ(SerializeCommands({cmd}, Sjis()),
              kHeader + "\xFF" + Field("np") + Field("notepad.exe") + Field("") + Field("D:\\"));
}

TEST(DataFileTest, HeaderOnly) {
    EXPECT_EQ(SerializeHotkeys({}, Sjis()), kHeader);
    EXPECT_EQ(SerializeCommands({}, Sjis()), kHeader);
    EXPECT_TRUE(ParseAllHotkeys(kHeader).empty());
}

TEST(DataFileTest, DetectVersion) {
    EXPECT_EQ(DetectVersion(kHeader + "\xFF"), FileVersion::V103);
    EXPECT_EQ(DetectVersion("ZARV Head Version 1.02"), FileVersion::V102);
    EXPECT_EQ(DetectVersion("zarv head version 1.03"), FileVersion::Unknown);
    EXPECT_EQ(DetectVersion("ZARV Head Version 1.04"), FileVersion::Unknown);
    EXPECT_EQ(DetectVersion(" ZARV Head Version 1.0"), FileVersion::Unknown);
    EXPECT_EQ(DetectVersion("ZARV Head Version 1.0"), FileVersion::Unknown);
    EXPECT_FALSE(HeaderComplete("ZARV Head Version 1.0"));
    EXPECT_TRUE(HeaderComplete(kHeader));

    // An unknown version reads nothing; data shorter than the header is torn.
    std::vector<THotkeyItem> list;
    EXPECT_TRUE(ParseHotkeys(kHeader + "\xFF", FileVersion::Unknown, list).complete);
    EXPECT_FALSE(ParseHotkeys("ZARV", FileVersion::V103, list).complete);
    EXPECT_TRUE(list.empty());
}

TEST(DataFileTest, Version102HasNoWorkDir) {
    const std::string hotkeys = "ZARV Head Version 1.02\xFF"s + Field("T") + Field("C:\\a.exe") +
                                Field("-x") + Field("Win + B") + ByteField(8) + ByteField(66) +
                                ByteField(0);
    ASSERT_EQ(DetectVersion(hotkeys), FileVersion::V102);
    EXPECT_EQ(ParseAllHotkeys(hotkeys),
              std::vector<THotkeyItem>{Hotkey("T", "C:\\a.exe", "-x", "", "Win + B", 8, 66, 0)});

    const std::string commands = "ZARV Head Version 1.02\xFF"s + Field("a") + Field("b") +
                                 Field("c") + "\xFF" + Field("d") + Field("e") + Field("f");
    std::vector<TCommandItem> list;
    EXPECT_TRUE(ParseCommands(commands, DetectVersion(commands), list).complete);
    EXPECT_EQ(list, (std::vector<TCommandItem>{{"a", "b", "c", ""}, {"d", "e", "f", ""}}));
}

TEST(DataFileTest, StrayBytesBeforeAMarkerAreSkipped) {
    const std::string record =
        SerializeHotkeys({Hotkey("x", "", "", "", "", 1, 2, 3)}, Sjis()).substr(kHeaderSize);
    const std::string file = kHeader + "\x00\x01\x41\xFE"s + record + "junk" + record + "\x00"s;
    EXPECT_EQ(ParseAllHotkeys(file).size(), 2u);
}

TEST(DataFileTest, ATornRecordIsDroppedAndReported) {
    const std::vector<THotkeyItem> two = {Hotkey("one", "a", "", "", "k", 2, 65, 0),
                                          Hotkey("two", "b", "o", "d", "k", 2, 66, 255)};
    const std::string file = SerializeHotkeys(two, Sjis());
    const std::size_t secondStart = SerializeHotkeys({two[0]}, Sjis()).size();
    for (std::size_t size = secondStart + 1; size < file.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_EQ(ParseAllHotkeys(file.substr(0, size), false), std::vector<THotkeyItem>{two[0]});
    }
    EXPECT_EQ(ParseAllHotkeys(file.substr(0, secondStart)), std::vector<THotkeyItem>{two[0]});
}

TEST(DataFileTest, OddCountsInHandMadeFiles) {
    // Text count 0: empty, nothing more consumed. Length larger than the count allows: the
    // count wins. Length shorter than the count: the rest is skipped.
    // Byte count 0: value 0. Byte count 3: first byte is the value, the other two skipped.
    const std::string file = kHeader + "\xFF\x00"s +
                             "\x03\x0A"
                             "ab" +
                             "\x05\x02"
                             "abXY" +
                             "\x00"s + Field("k") + "\x00"s + "\x03\x07\x08\x09" + ByteField(255) +
                             "\xFF" + Field("next") + Field("") + Field("") + Field("") +
                             Field("") + ByteField(1) + ByteField(2) + ByteField(3);
    const std::vector<THotkeyItem> list = ParseAllHotkeys(file);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], Hotkey("", "ab", "ab", "", "k", 0, 7, 255));
    EXPECT_EQ(list[1].Title, "next");
}

TEST(DataFileTest, AppendsToTheList) {
    std::vector<TCommandItem> list = {{"kept", "", "", ""}};
    const std::string file = SerializeCommands({{"new", "", "", ""}}, Sjis());
    EXPECT_TRUE(ParseCommands(file, FileVersion::V103, list).complete);
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].Name, "new");
}

TEST(DataFileTest, JapaneseTextsRoundTrip) {
    // メモ帳, 表示 (trail 0x5C), 予定表 (ends in 0x5C), a path with ソフト (trail 0x5C).
    const std::vector<THotkeyItem> list = {
        Hotkey("\x83\x81\x83\x82\x92\xA0", "C:\\\x83\x5C\x83\x74\x83\x67\\memo.exe",
               "/f \x95\x5C\x8E\xA6", "C:\\\x83\x5C\x83\x74\x83\x67", "Ctrl + \x96\xB3\x95\xCF", 2,
               29, 0),
        Hotkey("\x97\x5C\x92\xE8\x95\x5C", "http://example.jp/", "", "", "Win + F8", 8, 119, 255),
    };
    EXPECT_EQ(ParseAllHotkeys(SerializeHotkeys(list, Sjis())), list);

    const std::vector<TCommandItem> commands = {{"\x95\x5C", "\x95\x5C.txt", "", ""}};
    std::vector<TCommandItem> back;
    ParseCommands(SerializeCommands(commands, Sjis()), FileVersion::V103, back);
    EXPECT_EQ(back, commands);
}

TEST(DataFileTest, StoredTextsAreTrimmed) {
    const std::vector<TCommandItem> list = {{"  go\t", " -q ", "\r\nC:\\\x95\x5C \x01", " "}};
    std::vector<TCommandItem> back;
    ParseCommands(SerializeCommands(list, Sjis()), FileVersion::V103, back);
    EXPECT_EQ(back, (std::vector<TCommandItem>{{"go", "-q", "C:\\\x95\x5C", ""}}));
    EXPECT_EQ(list[0].Name, "  go\t");
}

TEST(DataFileTest, LongTextsAreCutTo254BytesOnWholeCharacters) {
    auto stored = [](const std::string& text, const CodePage& cp) {
        std::vector<TCommandItem> back;
        ParseCommands(SerializeCommands({{text, "", "", ""}}, cp), FileVersion::V103, back);
        return back.at(0).Name;
    };
    EXPECT_EQ(stored(std::string(255, 'a'), Sjis()), std::string(254, 'a'));
    // 253 + 2 bytes: the double-byte character would straddle the limit.
    const std::string text = std::string(253, 'a') + "\x95\x5C";
    EXPECT_EQ(stored(text, Sjis()), std::string(253, 'a'));
    EXPECT_EQ(stored(text, CodePage::SingleByte()), std::string(253, 'a') + "\x95");
    // Trimmed first, then cut.
    EXPECT_EQ(stored("  " + std::string(254, 'b') + "  ", Sjis()), std::string(254, 'b'));
}

}  // namespace
}  // namespace zarv
