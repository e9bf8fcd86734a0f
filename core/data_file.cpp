#include "core/data_file.h"

#include <algorithm>
#include <cstring>

namespace zarv {

namespace {

// Cursor over a file's bytes. Every read checks what is left first, so a damaged file can
// neither make it read past the end nor write past a field.
class Reader {
public:
    Reader(std::string_view data, std::size_t pos) : data_(data), pos_(pos) {}

    // Moves past the next record marker, skipping any stray bytes before it. False when no
    // marker is left.
    bool NextMarker() {
        // Records follow each other directly; stray bytes are the rare case.
        if (pos_ < data_.size() && static_cast<unsigned char>(data_[pos_]) == kRecordMarker) {
            ++pos_;
            return true;
        }
        const void* hit = std::memchr(data_.data() + pos_, kRecordMarker, data_.size() - pos_);
        if (!hit) {
            pos_ = data_.size();
            return false;
        }
        pos_ = static_cast<std::size_t>(static_cast<const char*>(hit) - data_.data()) + 1;
        return true;
    }

    // Count n, then n bytes: the length L and the text, of which the first min(L, n - 1) bytes
    // are taken. A count of 0 is an empty text with nothing after it.
    bool Text(std::string& field) {
        std::size_t n;
        if (!Count(n)) return false;
        if (n == 0) {
            field.clear();
            return true;
        }
        const std::size_t length =
            std::min<std::size_t>(static_cast<unsigned char>(data_[pos_]), n - 1);
        field.assign(data_.data() + pos_ + 1, length);
        pos_ += n;
        return true;
    }

    // Count n, then n bytes of which the first is the value. A count of 0 is the value 0 with
    // nothing after it.
    bool Byte(std::uint8_t& value) {
        std::size_t n;
        if (!Count(n)) return false;
        value = n == 0 ? 0 : static_cast<std::uint8_t>(data_[pos_]);
        pos_ += n;
        return true;
    }

private:
    // Reads a count byte; false when it, or the n bytes it announces, lie past the end.
    bool Count(std::size_t& n) {
        if (pos_ >= data_.size()) return false;
        n = static_cast<unsigned char>(data_[pos_++]);
        return n <= data_.size() - pos_;
    }

    std::string_view data_;
    std::size_t pos_;
};

bool ReadRecord(Reader& in, FileVersion version, THotkeyItem& item) {
    return in.Text(item.Title) && in.Text(item.FilePath) && in.Text(item.Options) &&
           (version == FileVersion::V102 || in.Text(item.WorkDir)) && in.Text(item.KeyText) &&
           in.Byte(item.Modifiers) && in.Byte(item.VKey) && in.Byte(item.FuncNo);
}

bool ReadRecord(Reader& in, FileVersion version, TCommandItem& item) {
    return in.Text(item.Name) && in.Text(item.FilePath) && in.Text(item.Options) &&
           (version == FileVersion::V102 || in.Text(item.WorkDir));
}

std::size_t CountMarkers(std::string_view data) {
    std::size_t count = 0;
    for (Reader in(data, 0); in.NextMarker();) ++count;
    return count;
}

template <class Item>
ParseResult ParseRecords(std::string_view data, FileVersion version, std::vector<Item>& out) {
    ParseResult result;
    if (version == FileVersion::Unknown) return result;
    if (data.size() < kHeaderSize) {
        result.complete = false;
        return result;
    }
    // Every record starts with a marker byte, so the markers bound the record count: one
    // allocation instead of repeated growth that moves every record read so far.
    out.reserve(out.size() + CountMarkers(data.substr(kHeaderSize)));
    Reader in(data, kHeaderSize);
    while (in.NextMarker()) {
        Item& item = out.emplace_back();
        if (!ReadRecord(in, version, item)) {
            out.pop_back();
            result.complete = false;
            break;
        }
    }
    return result;
}

// Appends a text field: count L + 1, length L, then the stored text (L + 1 fits its byte).
void WriteText(std::string& out, std::string_view text, const CodePage& cp) {
    text = StoredText(text, cp);
    out.push_back(static_cast<char>(text.size() + 1));
    out.push_back(static_cast<char>(text.size()));
    out.append(text);
}

void WriteByte(std::string& out, std::uint8_t value) {
    out.push_back(1);
    out.push_back(static_cast<char>(value));
}

void WriteRecord(std::string& out, const THotkeyItem& item, const CodePage& cp) {
    out.push_back(static_cast<char>(kRecordMarker));
    WriteText(out, item.Title, cp);
    WriteText(out, item.FilePath, cp);
    WriteText(out, item.Options, cp);
    WriteText(out, item.WorkDir, cp);
    WriteText(out, item.KeyText, cp);
    WriteByte(out, item.Modifiers);
    WriteByte(out, item.VKey);
    WriteByte(out, item.FuncNo);
}

void WriteRecord(std::string& out, const TCommandItem& item, const CodePage& cp) {
    out.push_back(static_cast<char>(kRecordMarker));
    WriteText(out, item.Name, cp);
    WriteText(out, item.FilePath, cp);
    WriteText(out, item.Options, cp);
    WriteText(out, item.WorkDir, cp);
}

// Upper bound of a record's stored size, to allocate the file content once.
std::size_t MaxStoredSize(const THotkeyItem& item) {
    return 17 + item.Title.size() + item.FilePath.size() + item.Options.size() +
           item.WorkDir.size() + item.KeyText.size();
}

std::size_t MaxStoredSize(const TCommandItem& item) {
    return 9 + item.Name.size() + item.FilePath.size() + item.Options.size() + item.WorkDir.size();
}

template <class Item>
std::string SerializeRecords(const std::vector<Item>& list, const CodePage& cp) {
    std::size_t size = kHeaderSize;
    for (const Item& item : list) size += MaxStoredSize(item);
    std::string out;
    out.reserve(size);
    out.append(kHeader103);
    for (const Item& item : list) WriteRecord(out, item, cp);
    return out;
}

}  // namespace

std::string_view StoredText(std::string_view text, const CodePage& cp) {
    text = TrimText(text);
    return text.substr(0, CutLength(text, kMaxStoredBytes, cp));
}

FileVersion DetectVersion(std::string_view data) {
    if (data.size() < kHeaderSize) return FileVersion::Unknown;
    std::string_view header = data.substr(0, kHeaderSize);
    while (!header.empty() && IsBlankByte(header.back())) header.remove_suffix(1);
    if (header == kHeader102) return FileVersion::V102;
    if (header == kHeader103) return FileVersion::V103;
    return FileVersion::Unknown;
}

ParseResult ParseHotkeys(std::string_view data, FileVersion version,
                         std::vector<THotkeyItem>& out) {
    return ParseRecords(data, version, out);
}

ParseResult ParseCommands(std::string_view data, FileVersion version,
                          std::vector<TCommandItem>& out) {
    return ParseRecords(data, version, out);
}

std::string SerializeHotkeys(const std::vector<THotkeyItem>& list, const CodePage& cp) {
    return SerializeRecords(list, cp);
}

std::string SerializeCommands(const std::vector<TCommandItem>& list, const CodePage& cp) {
    return SerializeRecords(list, cp);
}

}  // namespace zarv
