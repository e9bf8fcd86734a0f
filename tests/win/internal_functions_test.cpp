// The text of the date-and-time box.
#include <windows.h>

#include <gtest/gtest.h>

#include "resident/internal_functions.h"

namespace zarv {
namespace {

SYSTEMTIME At(WORD h, WORD m, WORD s) {
    SYSTEMTIME t{};
    t.wYear = 2026;
    t.wMonth = 12;
    t.wDay = 7;
    t.wDayOfWeek = 1;
    t.wHour = h;
    t.wMinute = m;
    t.wSecond = s;
    return t;
}

std::wstring ShortDate(const SYSTEMTIME& t) {
    wchar_t d[128];
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, d, 128);
    return d;
}

std::wstring LongTime(const SYSTEMTIME& t) {
    wchar_t c[128];
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &t, nullptr, c, 128);
    return c;
}

TEST(DateTimeText, DateBlankAndLongTime) {
    SYSTEMTIME t = At(14, 30, 5);
    EXPECT_EQ(DateTimeText(t), ShortDate(t) + L" " + LongTime(t));
    EXPECT_NE(LongTime(t).find(L"05"), std::wstring::npos);  // seconds are part of it
}

TEST(DateTimeText, DateAloneAtExactlyMidnight) {
    EXPECT_EQ(DateTimeText(At(0, 0, 0)), ShortDate(At(0, 0, 0)));
    SYSTEMTIME oneSecond = At(0, 0, 1);
    EXPECT_EQ(DateTimeText(oneSecond), ShortDate(oneSecond) + L" " + LongTime(oneSecond));
}

}  // namespace
}  // namespace zarv
