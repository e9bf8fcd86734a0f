// Feeds arbitrary bytes to the data-file reader, writes back what it read and reads that again:
// the second reading must be complete and give the records as the writer stores them.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_file.h"

namespace {

using namespace zarv;

void Check(bool condition) {
    if (!condition) std::abort();
}

std::string Stored(const std::string& text, const CodePage& cp) {
    return CutText(TrimText(text), kMaxStoredBytes, cp);
}

THotkeyItem Stored(THotkeyItem item, const CodePage& cp) {
    for (std::string* s :
         {&item.Title, &item.FilePath, &item.Options, &item.WorkDir, &item.KeyText}) {
        *s = Stored(*s, cp);
    }
    return item;
}

TCommandItem Stored(TCommandItem item, const CodePage& cp) {
    for (std::string* s : {&item.Name, &item.FilePath, &item.Options, &item.WorkDir}) {
        *s = Stored(*s, cp);
    }
    return item;
}

bool FitsField(const std::string& s) { return s.size() <= kMaxStoredBytes; }

template <class Item, class Parse, class Serialize>
void RoundTrip(std::string_view data, FileVersion version, Parse parse, Serialize serialize) {
    std::vector<Item> list;
    parse(data, version, list);
    for (const CodePage* cp : {&CodePage::ShiftJis(), &CodePage::SingleByte()}) {
        const std::string file = serialize(list, *cp);
        Check(DetectVersion(file) == FileVersion::V103);
        std::vector<Item> back;
        Check(parse(file, FileVersion::V103, back).complete);
        Check(back.size() == list.size());
        for (std::size_t i = 0; i < list.size(); ++i) Check(back[i] == Stored(list[i], *cp));
    }
}

void ReadAll(std::string_view data) {
    for (FileVersion version : {FileVersion::V102, FileVersion::V103}) {
        RoundTrip<THotkeyItem>(data, version, ParseHotkeys, SerializeHotkeys);
        RoundTrip<TCommandItem>(data, version, ParseCommands, SerializeCommands);
    }
    std::vector<THotkeyItem> hotkeys;
    ParseHotkeys(data, FileVersion::V103, hotkeys);
    for (const THotkeyItem& item : hotkeys) {
        Check(FitsField(item.Title) && FitsField(item.FilePath) && FitsField(item.Options) &&
              FitsField(item.WorkDir) && FitsField(item.KeyText));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const FileVersion version = DetectVersion(bytes);
    Check(version == FileVersion::Unknown || HeaderComplete(bytes));
    ReadAll(bytes);
    // The same bytes as the records of a file, so that short inputs reach the record reader.
    ReadAll(std::string(kHeader103) + std::string(bytes));
    return 0;
}
