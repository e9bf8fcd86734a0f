#pragma once
// Byte layout of "Hotkey.DAT" and "Command.DAT".
//
//   offset 0, 22 bytes: "ZARV Head Version 1.03" (or 1.02), no length, no terminator
//   then records back to back: 0xFF marker, then the fields in record order.
//   text field:     count n = L + 1, length L, L bytes      (empty text: 01 00)
//   one-byte field: count 01, value
//   1.02 records lack WorkDir.
//
// These functions only turn bytes into records and back; the file system is the caller's.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "core/text.h"

namespace zarv {

constexpr std::size_t kHeaderSize = 22;
constexpr std::string_view kHeader102 = "ZARV Head Version 1.02";
constexpr std::string_view kHeader103 = "ZARV Head Version 1.03";
constexpr std::uint8_t kRecordMarker = 0xFF;
// Longest text a file stores: L + 1 must fit the count byte.
constexpr std::size_t kMaxStoredBytes = 254;

enum class FileVersion { Unknown, V102, V103 };

// The version named by the first 22 bytes (trailing bytes of code <= 32 removed before the
// comparison, which is exact and case-sensitive). Unknown also for data shorter than the header;
// see HeaderComplete.
FileVersion DetectVersion(std::string_view data);

// False when the data ends before the header does: for a file, an input/output failure rather
// than an unknown version.
inline bool HeaderComplete(std::string_view data) { return data.size() >= kHeaderSize; }

struct ParseResult {
    // False when the data ended inside a record (or inside the header): the records before it
    // are complete and appended, the torn one is dropped.
    bool complete = true;
};

// Reads the records of a whole file's content (header included; reading starts after it) with
// the given version's layout and appends them to out; Unknown reads nothing. Bytes other than
// 0xFF where a record should start are skipped. A text field is a count n, then n bytes: the
// length L and the text, of which the first min(L, n - 1) bytes are taken; a count of 0 is an
// empty text. A one-byte field with a count other than 1 takes the first of its n bytes as the
// value (0 for a count of 0). Version 1.02 records get an empty WorkDir.
ParseResult ParseHotkeys(std::string_view data, FileVersion version, std::vector<THotkeyItem>& out);
ParseResult ParseCommands(std::string_view data, FileVersion version,
                          std::vector<TCommandItem>& out);

// A text as the file stores it: without its leading and trailing bytes of code 32 or less, cut
// to kMaxStoredBytes (never inside a double-byte character). What the next start-up reads back.
std::string_view StoredText(std::string_view text, const CodePage& cp);

// The whole file content, version 1.03: header, then each record with its texts as StoredText.
std::string SerializeHotkeys(const std::vector<THotkeyItem>& list, const CodePage& cp);
std::string SerializeCommands(const std::vector<TCommandItem>& list, const CodePage& cp);

}  // namespace zarv
