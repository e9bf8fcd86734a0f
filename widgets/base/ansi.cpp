#include "widgets/base/ansi.h"

#include <windows.h>

namespace zarv {
namespace {

std::wstring ToWide(UINT cp, std::string_view s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

}  // namespace

std::wstring AnsiToWide(std::string_view s) { return ToWide(CP_ACP, s); }
std::wstring Utf8ToWide(std::string_view s) { return ToWide(CP_UTF8, s); }

std::string WideToAnsi(std::wstring_view s) {
    if (s.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string a(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), a.data(), n, nullptr,
                        nullptr);
    return a;
}

bool WideToAnsiExact(std::wstring_view s, std::string& out) {
    out.clear();
    if (s.empty()) return true;
    const int len = static_cast<int>(s.size());
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, s.data(), len, nullptr, 0, nullptr,
                                &usedDefault);
    if (n <= 0 || usedDefault) return false;
    out.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, s.data(), len, out.data(), n, nullptr,
                        &usedDefault);
    // The round trip also catches what a code page maps without reporting a default character.
    return !usedDefault && AnsiToWide(out) == s;
}

const CodePage& AnsiCodePage() {
    static const CodePage cp = [] {
        CPINFO info{};
        if (!GetCPInfo(CP_ACP, &info)) return CodePage::ShiftJis();
        size_t pairs = 0;
        while (pairs < MAX_LEADBYTES / 2 && info.LeadByte[pairs * 2] != 0) ++pairs;
        return CodePage::FromRanges(info.LeadByte, pairs);
    }();
    return cp;
}

std::wstring DecimalText(unsigned long n) {
    wchar_t digits[12];
    wchar_t* p = digits + 12;
    do {
        *--p = static_cast<wchar_t>(L'0' + n % 10);
        n /= 10;
    } while (n);
    return std::wstring(p, digits + 12);
}

std::wstring SystemErrorText(unsigned long code) {
    wchar_t* buf = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    std::wstring text;
    if (n && buf) text.assign(buf, n);
    if (buf) LocalFree(buf);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty()) text = L"Error " + DecimalText(code);
    return text;
}

}  // namespace zarv
