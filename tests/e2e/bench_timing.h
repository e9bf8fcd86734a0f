#pragma once
// Timing helpers of the benchmarks: the performance counter in milliseconds, spinning waits and
// the printed summary of a series.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness.h"

namespace e2e::bench {

inline LONGLONG Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

inline double Ms(LONGLONG from, LONGLONG to) {
    static const LONGLONG freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return static_cast<double>(to - from) * 1000.0 / static_cast<double>(freq);
}

inline double Median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// One line: what, the number of measurements, median, 90th percentile, least and most.
inline void Print(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) { return ms[static_cast<size_t>(q * (ms.size() - 1) + 0.5)]; };
    std::printf("%-36s n=%zu  median %8.2f ms  p90 %8.2f ms  min %8.2f ms  max %8.2f ms\n", what,
                ms.size(), at(0.5), at(0.9), ms.front(), ms.back());
}

// Spins until cond holds; false after timeout_ms.
template <typename Cond>
bool Spin(Cond cond, DWORD timeout_ms = kTimeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeout_ms;
    while (!cond()) {
        if (GetTickCount64() >= end) return false;
        Sleep(1);
    }
    return true;
}

// RssAnon in KB of the Wine process whose command line starts with exe; -1 when there is none.
inline long RssAnonKb(const std::wstring& exe) {
    const std::wstring proc = LinuxProcFolder(exe);
    if (proc.empty()) return -1;
    std::string status = ReadBytes(proc + L"\\status").value_or("");
    size_t at = status.find("RssAnon:");
    return at == std::string::npos ? -1 : std::atol(status.c_str() + at + 8);
}

}  // namespace e2e::bench
