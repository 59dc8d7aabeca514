// The Linux platform layer's own promises.
#include <gtest/gtest.h>

#include <string>

#include "capture_stdout.h"
#include "platform/platform.h"

namespace {

TEST(Platform, AnsiCodePageKeepsEveryByte) {
    char bytes[256];
    for (int i = 1; i < 256; ++i) bytes[i - 1] = static_cast<char>(i);
    bytes[255] = '\0';
    WCHAR wide[256];
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes, -1, wide, 256), 256);
    for (int i = 1; i < 256; ++i) EXPECT_EQ(static_cast<int>(wide[i - 1]), i);
    EXPECT_EQ(wide[255], 0);
    EXPECT_EQ(lstrlenW(wide), 255);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes, -1, nullptr, 0), 256);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes, -1, wide, 10), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(Platform, OutputNarrowsAndEndsLinesWithCarriageReturns) {
    const struct {
        std::wstring wide;
        std::string bytes;
    } cases[] = {
        {L"a\nb", "a\r\nb"},
        {L"\n\n", "\r\n\r\n"},
        {L"caf\u00e9\u00ff", "caf\xe9\xff"},
        {L"ab\u0100cd\n", "ab"},  // The rest of the write goes at the first unit above U+00FF.
        {L"\u20ac", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CaptureStdout([&] { WriteWide(c.wide.c_str()); }), c.bytes);
        // Later writes are unaffected.
        EXPECT_EQ(CaptureStdout([&] {
                      WriteWide(c.wide.c_str());
                      WriteNarrow("x\n");
                  }),
                  c.bytes + "x\r\n");
    }
}

TEST(Platform, ConsoleCallsDoNothingOffATerminal) {
    const std::string out = CaptureStdout([] {
        HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
        SetLastError(ERROR_SUCCESS);
        CONSOLE_SCREEN_BUFFER_INFO info{};
        DWORD written = 0;
        EXPECT_FALSE(GetConsoleScreenBufferInfo(console, &info));
        EXPECT_FALSE(FillConsoleOutputCharacterW(console, L' ', 2000, COORD{0, 0}, &written));
        EXPECT_FALSE(FillConsoleOutputAttribute(console, 7, 2000, COORD{0, 0}, &written));
        EXPECT_FALSE(SetConsoleCursorPosition(console, COORD{0, 0}));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    });
    EXPECT_EQ(out, "");
}

// Every text is one line of at most 200 characters, so that it always fits
// the failure block's message buffer with its code.
TEST(Platform, MessageTableLinesEndInCarriageReturnLineFeed) {
    for (DWORD code : {5u, 6u, 8u, 13u, 50u, 53u, 59u, 87u, 121u, 123u, 124u, 534u, 1168u, 1317u, 1323u, 1325u, 1398u,
                       1804u, 1901u, 6001u, 11001u}) {
        LPWSTR text = nullptr;
        const DWORD length = FormatMessageW(0x3100, nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
        ASSERT_GT(length, 2u) << code;
        EXPECT_LE(length - 2, 200u) << code;
        EXPECT_EQ(std::wstring(text, length - 2).find_first_of(L"\r\n"), std::wstring::npos) << code;
        EXPECT_EQ(static_cast<DWORD>(lstrlenW(text)), length);
        EXPECT_EQ(std::wstring(text).find(L"\r\n"), length - 2) << code;
        LocalFree(text);
    }
    LPWSTR text = nullptr;
    EXPECT_EQ(FormatMessageW(0x3100, nullptr, 4242, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr), 0u);
    EXPECT_EQ(text, nullptr);
}

TEST(Platform, StatisticsNeedTheServerServiceAtLevelZero) {
    WCHAR server[] = L"\\\\localhost";
    const struct {
        const WCHAR* service;
        DWORD level;
        NET_API_STATUS status;
    } cases[] = {
        {L"LanmanServer", 0, NERR_Success},
        {L"LANMANSERVER", 0, NERR_Success},
        {L"LanmanWorkstation", 0, ERROR_INVALID_LEVEL},
        {L"LanmanServer", 1, ERROR_INVALID_LEVEL},
        {L"", 0, ERROR_INVALID_LEVEL},
    };
    for (const auto& c : cases) {
        std::wstring service = c.service;
        LPBYTE buffer = nullptr;
        EXPECT_EQ(NetStatisticsGet(server, service.data(), c.level, 0, &buffer), c.status) << c.level;
        EXPECT_EQ(buffer != nullptr, c.status == NERR_Success);
        NetApiBufferFree(buffer);
    }
}

TEST(Platform, TimeOfDayFieldsAgree) {
    LPBYTE buffer = nullptr;
    ASSERT_EQ(NetRemoteTOD(L"\\\\localhost", &buffer), NERR_Success);
    const auto* tod = reinterpret_cast<const TIME_OF_DAY_INFO*>(buffer);
    EXPECT_EQ(tod->tod_elapsedt % 60, tod->tod_secs);
    EXPECT_EQ((tod->tod_elapsedt / 60) % 60, tod->tod_mins);
    EXPECT_EQ((tod->tod_elapsedt / 3600) % 24, tod->tod_hours);
    EXPECT_EQ((tod->tod_elapsedt / 86400 + 4) % 7, tod->tod_weekday);  // 1970-01-01 was a Thursday.
    EXPECT_LT(tod->tod_hunds, 100u);
    EXPECT_GE(tod->tod_year, 2020u);
    NetApiBufferFree(buffer);
}

TEST(PlatformDeathTest, ExitStatusNeverReadsAsSuccess) {
    const struct {
        DWORD status;
        int code;
    } cases[] = {{0, 0}, {1, 1}, {53, 53}, {255, 255}, {256, 255}, {512, 255}, {0x80070005, 255}, {0xFFFFFFFF, 255}};
    for (const auto& c : cases) EXPECT_EXIT(EndProcess(c.status), testing::ExitedWithCode(c.code), "") << c.status;
}

}  // namespace
