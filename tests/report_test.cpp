// The report and its failure block against scripted network answers. CTest
// runs the binary under "UTC0" (suites Report, ReportUtc), under
// "EST5EDT,M3.2.0,M11.1.0" (Report, ReportDaylight), and under "EST5",
// "JST-9" and "ABC-1:00:30" (Report).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "capture_stdout.h"
#include "crlf.h"
#include "fake_platform.h"
#include "report/report.h"

namespace {

const std::wstring kServer = L"\\\\remote";
const std::wstring kNotFound = L"Machine not found.\r\n";
const std::wstring kDenied = L"Access denied.\r\n";

class ReportFixture : public testing::Test {
protected:
    void SetUp() override {
        fake = FakePlatform{};
        fake.timeOfDay = MakeTimeOfDay(2026, 7, 1, 12, 0, 0);  // 1782907200
        fake.startTime = 1782907200 - 90061;
        fake.messages = {{ERROR_BAD_NETPATH, kNotFound}, {ERROR_ACCESS_DENIED, kDenied}};
        SetLastError(ERROR_SUCCESS);
    }

    void TearDown() override {
        EXPECT_EQ(fake.buffersHeld, 0) << "network buffers not released";
        EXPECT_EQ(fake.messagesHeld, 0) << "message text not released";
    }

    // Runs the report and gives its exact output bytes.
    std::string Run(const std::wstring& server = kServer) {
        std::wstring name = server;
        return CaptureStdout([&] { status = ReportTimeInformation(name.data(), GetStdHandle(STD_OUTPUT_HANDLE)); });
    }

    static std::string ExpectedReport(const std::string& current, const std::string& started, const std::string& running) {
        return Crlf("<clear>\nTime Information For Machine: \\\\remote\n\n   Current:\t" + current +
                    "\n\n   Started:\t" + started + "\n\n   Running:\t" + running + "\n\n");
    }

    static std::string ExpectedFailure(const std::string& message) {
        return Crlf("<clear>\n\tUnable to get time information from: \\\\remote.\n\n\tSystem Message:\n\t" + message +
                    "\n");
    }

    NET_API_STATUS status = 0xFFFFFFFF;
};

using Report = ReportFixture;
using ReportUtc = ReportFixture;
using ReportDaylight = ReportFixture;

TEST_F(ReportUtc, Success) {
    EXPECT_EQ(Run(), ExpectedReport("Wednesday, July 01, 2026 - 12:00:00", "Tuesday, June 30, 2026 - 10:58:59",
                            "1 Days - 01 Hours - 01 Minutes - 01 Seconds"));
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(fake.timeServer, kServer);
    EXPECT_EQ(fake.statisticsServer, kServer);
    EXPECT_EQ(fake.service, L"LanmanServer");
    EXPECT_EQ(fake.level, 0u);
    EXPECT_EQ(fake.options, 0u);
}

TEST_F(ReportUtc, StartLaterThanCurrentGivesANegativeSpan) {
    fake.startTime = 1782907200 + 1800;
    EXPECT_EQ(Run(), ExpectedReport("Wednesday, July 01, 2026 - 12:00:00", "Wednesday, July 01, 2026 - 12:30:00",
                            "0 Days - 00 Hours - -30 Minutes - 00 Seconds"));
    EXPECT_EQ(status, 0u);
}

TEST_F(ReportUtc, UnderADayStartsWithZeroDays) {
    fake.startTime = 1782907200 - 3661;
    EXPECT_EQ(Run(), ExpectedReport("Wednesday, July 01, 2026 - 12:00:00", "Wednesday, July 01, 2026 - 10:58:59",
                            "0 Days - 01 Hours - 01 Minutes - 01 Seconds"));
}

// The Current line is the remote clock's true instant in local time, in
// daylight time as in standard time, and the running time is exact.
TEST_F(ReportDaylight, CurrentIsTheTrueInstant) {
    EXPECT_EQ(Run(), ExpectedReport("Wednesday, July 01, 2026 - 08:00:00", "Tuesday, June 30, 2026 - 06:58:59",
                            "1 Days - 01 Hours - 01 Minutes - 01 Seconds"));
    fake.timeOfDay = MakeTimeOfDay(2026, 1, 15, 12, 0, 0);  // 1768478400
    fake.startTime = 1768478400 - 86400;
    EXPECT_EQ(Run(), ExpectedReport("Thursday, January 15, 2026 - 07:00:00", "Wednesday, January 14, 2026 - 07:00:00",
                            "1 Days - 00 Hours - 00 Minutes - 00 Seconds"));
    EXPECT_EQ(status, 0u);
}

TEST_F(Report, TimeQueryFails) {
    fake.timeStatus = ERROR_BAD_NETPATH;
    EXPECT_EQ(Run(), ExpectedFailure("Machine not found. (0x35)"));
    EXPECT_EQ(status, 53u);
    EXPECT_EQ(fake.statisticsCalls, 0);
}

TEST_F(Report, StatisticsQueryFailsAfterThePartialReport) {
    fake.statisticsStatus = ERROR_ACCESS_DENIED;
    const std::string out = Run();
    // On a console the clearing wipes the header and Current line.
    const std::string partial = "<clear>\r\nTime Information For Machine: \\\\remote\r\n\r\n   Current:\t";
    ASSERT_EQ(out.compare(0, partial.size(), partial), 0) << out;
    const size_t wipe = out.find("<clear>", 1);
    ASSERT_NE(wipe, std::string::npos) << out;
    EXPECT_EQ(out.substr(wipe), ExpectedFailure("Access denied. (0x5)"));
    EXPECT_EQ(status, 5u);
}

TEST_F(Report, NoTextForTheCode) {
    fake.timeStatus = 2320;  // Not in the table.
    EXPECT_EQ(Run(), ExpectedFailure(""));
    EXPECT_EQ(status, 2320u);
}

TEST_F(Report, MessageLengthLimit) {
    // 242 units with the line end fit the 256-unit buffer; 243 do not.
    const struct {
        size_t length;
        std::string message;
    } cases[] = {
        {242, std::string(240, 'm') + " (0x35)"},
        {243, ""},
        {2, " (0x35)"},
    };
    for (const auto& c : cases) {
        fake.messages[ERROR_BAD_NETPATH] = std::wstring(c.length - 2, L'm') + L"\r\n";
        fake.timeStatus = ERROR_BAD_NETPATH;
        EXPECT_EQ(Run(), ExpectedFailure(c.message)) << c.length;
    }
}

TEST_F(Report, CodeInLowerCaseHex) {
    fake.timeStatus = 0x8007ABCD;
    fake.messages[0x8007ABCD] = L"Big code.\r\n";
    EXPECT_EQ(Run(), ExpectedFailure("Big code. (0x8007abcd)"));
    EXPECT_EQ(status, 0x8007ABCDu);
}

TEST_F(Report, LastErrorOfTheQueryIsPreferredToItsStatus) {
    fake.timeStatus = ERROR_BAD_NETPATH;
    fake.timeLastError = ERROR_ACCESS_DENIED;
    EXPECT_EQ(Run(), ExpectedFailure("Access denied. (0x5)"));
    EXPECT_EQ(status, 53u);

    fake.timeLastError = ERROR_SUCCESS;
    fake.timeStatus = NERR_Success;
    fake.statisticsStatus = ERROR_BAD_NETPATH;
    fake.statisticsLastError = ERROR_ACCESS_DENIED;
    const std::string out = Run();
    EXPECT_EQ(out.substr(out.find("<clear>", 1)), ExpectedFailure("Access denied. (0x5)"));
    EXPECT_EQ(status, 53u);
}

// Neither a code left before the query nor the one the clearing leaves on a
// file describes the failure.
TEST_F(Report, StaleErrorCodesAreNotReported) {
    fake.messages[ERROR_INVALID_HANDLE] = L"Bad handle.\r\n";
    fake.timeStatus = ERROR_BAD_NETPATH;
    SetLastError(ERROR_INVALID_HANDLE);
    EXPECT_EQ(Run(), ExpectedFailure("Machine not found. (0x35)"));
    EXPECT_EQ(status, 53u);
}

// Clocks outside 1970-01-01 00:00:00 to 2038-01-19 03:14:07 UTC, in every zone.
TEST_F(Report, UnrepresentableRemoteClockIsAFailure) {
    fake.messages[ERROR_UNEXP_NET_ERR] = L"Odd answer.\r\n";
    const TIME_OF_DAY_INFO clocks[] = {
        MakeTimeOfDay(2040, 1, 1, 0, 0, 0),     MakeTimeOfDay(1968, 1, 1, 0, 0, 0),
        MakeTimeOfDay(0, 1, 1, 0, 0, 0),        MakeTimeOfDay(0xFFFFFFFF, 1, 1, 0, 0, 0),
        MakeTimeOfDay(1969, 12, 31, 23, 59, 59), MakeTimeOfDay(2038, 1, 19, 3, 14, 8),
        MakeTimeOfDay(2106, 2, 7, 6, 28, 15),   MakeTimeOfDay(2000, 1, 1, 0, 0, 0x80000000),
    };
    for (const TIME_OF_DAY_INFO& clock : clocks) {
        fake.timeOfDay = clock;
        fake.statisticsCalls = 0;
        const std::string out = Run();
        EXPECT_EQ(out.substr(out.rfind("<clear>")), ExpectedFailure("Odd answer. (0x3b)")) << clock.tod_year;
        EXPECT_EQ(status, 59u);
        EXPECT_EQ(fake.statisticsCalls, 0);
    }
}

// The first and last instants the tool can show give a report in every
// zone, and an offset with seconds keeps them: the Current line is the
// clock's exact instant in local time, as the Started line is.
TEST_F(Report, EdgeClocksInEveryZone) {
    const TIME_OF_DAY_INFO first = MakeTimeOfDay(1970, 1, 1, 0, 0, 0);
    const TIME_OF_DAY_INFO last = MakeTimeOfDay(2038, 1, 19, 3, 14, 7);
    const TIME_OF_DAY_INFO july = MakeTimeOfDay(2026, 7, 1, 12, 0, 0);  // 1782907200
    const std::string none = "0 Days - 00 Hours - 00 Minutes - 00 Seconds";
    const std::string dayAndMore = "1 Days - 01 Hours - 01 Minutes - 01 Seconds";
    const struct {
        const char* zone;
        TIME_OF_DAY_INFO clock;
        DWORD start;
        std::string current, started, running;
    } cases[] = {
        {"UTC0", first, 0, "Thursday, January 01, 1970 - 00:00:00", "Thursday, January 01, 1970 - 00:00:00", none},
        {"UTC0", last, 2147483647 - 90061, "Tuesday, January 19, 2038 - 03:14:07",
         "Monday, January 18, 2038 - 02:13:06", dayAndMore},
        {"EST5", first, 0, "Wednesday, December 31, 1969 - 19:00:00", "Wednesday, December 31, 1969 - 19:00:00",
         none},
        {"EST5", last, 2147483647 - 90061, "Monday, January 18, 2038 - 22:14:07",
         "Sunday, January 17, 2038 - 21:13:06", dayAndMore},
        {"EST5", july, 1782907200 - 90061, "Wednesday, July 01, 2026 - 07:00:00",
         "Tuesday, June 30, 2026 - 05:58:59", dayAndMore},
        {"EST5EDT,M3.2.0,M11.1.0", first, 0, "Wednesday, December 31, 1969 - 19:00:00",
         "Wednesday, December 31, 1969 - 19:00:00", none},
        {"EST5EDT,M3.2.0,M11.1.0", last, 2147483647 - 90061, "Monday, January 18, 2038 - 22:14:07",
         "Sunday, January 17, 2038 - 21:13:06", dayAndMore},
        {"JST-9", first, 0, "Thursday, January 01, 1970 - 09:00:00", "Thursday, January 01, 1970 - 09:00:00", none},
        {"JST-9", last, 2147483647 - 90061, "Tuesday, January 19, 2038 - 12:14:07",
         "Monday, January 18, 2038 - 11:13:06", dayAndMore},
        {"JST-9", july, 1782907200 - 90061, "Wednesday, July 01, 2026 - 21:00:00",
         "Tuesday, June 30, 2026 - 19:58:59", dayAndMore},
        {"ABC-1:00:30", first, 0, "Thursday, January 01, 1970 - 01:00:30", "Thursday, January 01, 1970 - 01:00:30",
         none},
        {"ABC-1:00:30", last, 2147483647 - 90061, "Tuesday, January 19, 2038 - 04:14:37",
         "Monday, January 18, 2038 - 03:13:36", dayAndMore},
        {"ABC-1:00:30", july, 1782907200 - 90061, "Wednesday, July 01, 2026 - 13:00:30",
         "Tuesday, June 30, 2026 - 11:59:29", dayAndMore},
    };
    const char* zone = getenv("TZ");
    ASSERT_NE(zone, nullptr);
    int matched = 0;
    for (const auto& c : cases) {
        if (std::string(zone) != c.zone) continue;
        ++matched;
        fake.timeOfDay = c.clock;
        fake.startTime = c.start;
        EXPECT_EQ(Run(), ExpectedReport(c.current, c.started, c.running)) << c.current;
        EXPECT_EQ(status, 0u) << c.current;
    }
    EXPECT_GT(matched, 0) << "no case for TZ=" << zone;
}

TEST(SystemMessage, FallsBackToTheCodeWithoutALastError) {
    fake = FakePlatform{};
    fake.messages = {{7, L"Seven.\r\n"}, {9, L"Nine.\r\n"}};
    WCHAR buffer[256];
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(FormatSystemMessage(buffer, 256, 7)), L"Seven. (0x7)");
    SetLastError(9);
    EXPECT_EQ(std::wstring(FormatSystemMessage(buffer, 256, 7)), L"Nine. (0x9)");
    EXPECT_EQ(fake.messageFlags & 0x3100u, 0x3100u);
    EXPECT_EQ(fake.messagesHeld, 0);
    SetLastError(ERROR_SUCCESS);
}

}  // namespace
