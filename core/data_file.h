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

#include "records.h"
#include "text.h"

namespace zarv {

constexpr std::size_t kHeaderSize = 22;
constexpr std::string_view kHeader102 = "ZARV Head Version 1.02";
constexpr std::string_view kHeader103 = "ZARV Head Version 1.03";
constexpr std::uint8_t kRecordMarker = 0xFF;
// Longest text a file stores: L + 1 must fit the count byte.
constexpr std::size_t kMaxStoredBytes = 254;

enum class FileVersion { Unknown, V102, V103 };

// The version named by the first 22 bytes (trailing bytes of code <= 32 removed before the
// comparison). Unknown also for data shorter than the header; see HeaderComplete.
FileVersion DetectVersion(std::string_view data);

struct ParseResult {
    // False when the data ended inside a record: the records before it are complete and
    // returned, the torn one is dropped.
    bool complete = true;
};

// Reads the records after the header with the given version's layout. Bytes other than 0xFF
// where a record should start are skipped. A text field's count of 0 leaves the field empty; a
// count above 256 is impossible in a byte; a one-byte field with a count other than 1 takes its
// first byte as the value and skips the rest. Records are appended to out.
ParseResult ParseHotkeys(std::string_view data, FileVersion version,
                         std::vector<THotkeyItem>& out);
ParseResult ParseCommands(std::string_view data, FileVersion version,
                          std::vector<TCommandItem>& out);

// The whole file content, version 1.03: header, then each record with its texts trimmed and cut
// to kMaxStoredBytes (never inside a double-byte character).
std::string SerializeHotkeys(const std::vector<THotkeyItem>& list, const CodePage& cp);
std::string SerializeCommands(const std::vector<TCommandItem>& list, const CodePage& cp);

}  // namespace zarv
