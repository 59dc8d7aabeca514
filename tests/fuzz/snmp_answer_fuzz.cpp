// Fuzzes the conversion of an agent's answer together with the report that
// shows it: values in, report bytes or a failure status out. The zone comes
// from "TZ", one per run. Checked on every input: exit status 0 only with a
// well-formed report, a Started line that is never empty, and a running
// time equal to Current less Started.
//
// Input: byte 0 picks the types of hrSystemDate, hrSystemUptime and
// sysUpTime; byte 1 those of snmpEngineTime and comStatStart and whether the
// date is made from this machine's clock (so that 8-octet dates near it
// come often); then this machine's clock (4 bytes), the two uptimes (5 bytes
// each), the engine time and comStatStart (5 bytes each, signed), and the
// rest is the date's octets, or for a made date its offset and fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "crlf.h"
#include "fake_platform.h"
#include "platform/snmp/snmp_answer.h"
#include "report/report.h"

namespace {

const int kTypes[] = {kSnmpOctetString, kSnmpTimeTicks, kSnmpInteger, kSnmpNoSuchObject};

void Check(bool condition) {
    if (!condition) abort();
}

std::string output;

// Reads count bytes, most significant first.
int64_t ReadNumber(const uint8_t*& p, int count) {
    int64_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | *p++;
    return value;
}

int64_t ReadSigned40(const uint8_t*& p) {
    const int64_t value = ReadNumber(p, 5);
    return value >= (int64_t{1} << 39) ? value - (int64_t{1} << 40) : value;
}

// The local fields of an instant at eastSeconds from UTC, as 8 octets.
std::vector<unsigned char> MakeLocalDate(int64_t utc, int64_t eastSeconds, unsigned char deci) {
    const time_t t = static_cast<time_t>(utc + eastSeconds);
    tm f{};
    if (gmtime_r(&t, &f) == nullptr) return {};
    const int year = f.tm_year + 1900;
    return {static_cast<unsigned char>(year >> 8), static_cast<unsigned char>(year),
            static_cast<unsigned char>(f.tm_mon + 1), static_cast<unsigned char>(f.tm_mday),
            static_cast<unsigned char>(f.tm_hour), static_cast<unsigned char>(f.tm_min),
            static_cast<unsigned char>(f.tm_sec), deci};
}

// The texts the report must show, worked out apart from the tool's code.
std::string ShowDate(int64_t seconds) {
    const time_t t = static_cast<time_t>(seconds);
    tm local{};
    if (localtime_r(&t, &local) == nullptr) return "";
    static const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    char text[80];
    snprintf(text, sizeof text, "%s, %s %02d, %04d - %02d:%02d:%02d", kDays[local.tm_wday], kMonths[local.tm_mon],
             local.tm_mday, local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::string ShowSpan(int64_t seconds) {
    char text[96];
    snprintf(text, sizeof text, "%lld Days - %02lld Hours - %02lld Minutes - %02lld Seconds",
             static_cast<long long>(seconds / 86400), static_cast<long long>(seconds / 3600 % 24),
             static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

}  // namespace

// The report's output, collected here instead of standard output.
void WriteNarrow(const char* text) {
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n') output += '\r';
        output += *p;
    }
}

void WriteWide(const WCHAR* text) {
    for (const WCHAR* p = text; *p != 0; ++p) {
        if (static_cast<unsigned long>(*p) > 0xFF) break;
        if (*p == L'\n') output += '\r';
        output += static_cast<char>(*p);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 26) return 0;
    const uint8_t* p = data;
    const uint8_t types = *p++, more = *p++;
    SnmpAnswer answer;
    answer.systemDate.type = kTypes[types & 3];
    answer.systemUptime.type = kTypes[(types >> 2) & 3];
    answer.sysUpTime.type = kTypes[(types >> 4) & 3];
    answer.engineTime.type = kTypes[more & 3];
    answer.statStart.type = kTypes[(more >> 2) & 3];
    const int64_t localClock = ReadNumber(p, 4);
    answer.systemUptime.number = ReadNumber(p, 5);
    answer.sysUpTime.number = ReadNumber(p, 5);
    answer.engineTime.number = ReadSigned40(p);
    answer.statStart.number = ReadSigned40(p);
    const uint8_t* rest = p;
    const size_t restSize = size - static_cast<size_t>(rest - data);
    if ((more & 0x10) != 0 && restSize >= 3) {
        // Offset in quarter hours from -16:00 to +15:45, a drift of up to
        // about 18 minutes, and the deci-seconds.
        const int64_t east = (static_cast<int64_t>(rest[0] & 0x7F) - 64) * 900;
        const int64_t drift = static_cast<int64_t>(rest[1]) * 9 - 1152;
        answer.systemDate.octets = MakeLocalDate(localClock + drift, east, rest[2] % 12);
    } else {
        answer.systemDate.octets.assign(rest, rest + restSize);
    }

    TIME_OF_DAY_INFO info{};
    DWORD timeCause = 0;
    const NET_API_STATUS timeStatus = ConvertTimeOfDay(answer, localClock, &info, &timeCause);
    Check(timeStatus == NERR_Success || timeStatus == ERROR_NOT_SUPPORTED || timeStatus == ERROR_UNEXP_NET_ERR);
    Check((timeStatus == NERR_Success) == (timeCause == 0));
    if (timeStatus == NERR_Success) {
        Check(info.tod_month >= 1 && info.tod_month <= 12 && info.tod_day >= 1 && info.tod_day <= 31);
        Check(info.tod_hours < 24 && info.tod_mins < 60 && info.tod_secs < 60 && info.tod_hunds < 100);
        Check(info.tod_weekday < 7 && info.tod_year >= 1970 && info.tod_elapsedt <= INT32_MAX);
        Check(info.tod_timezone >= -840 && info.tod_timezone <= 840);
        Check(answer.systemDate.octets.size() != 8 || info.tod_timezone == -1);
    }
    STAT_SERVER_0 statistics{};
    DWORD startCause = 0;
    const NET_API_STATUS startStatus = ConvertServerStatistics(answer, localClock, &statistics, &startCause);
    Check(startStatus == NERR_Success || startStatus == ERROR_NOT_SUPPORTED || startStatus == ERROR_UNEXP_NET_ERR);
    Check((startStatus == NERR_Success) == (startCause == 0));
    if (startStatus == NERR_Success) Check(timeStatus == NERR_Success && statistics.sts0_start <= INT32_MAX);

    // The report, fed the records as the platform would hand them over.
    fake = FakePlatform{};
    fake.timeStatus = timeStatus;
    fake.timeLastError = timeCause;
    fake.timeOfDay = info;
    fake.statisticsStatus = startStatus;
    fake.statisticsLastError = startCause;
    fake.startTime = statistics.sts0_start;
    output.clear();
    SetLastError(ERROR_SUCCESS);
    WCHAR server[] = L"\\\\fuzz";
    const NET_API_STATUS status = ReportTimeInformation(server, GetStdHandle(STD_OUTPUT_HANDLE));
    Check(fake.buffersHeld == 0 && fake.messagesHeld == 0);

    const std::string failure = Crlf("\n\tUnable to get time information from: \\\\fuzz.\n\n\tSystem Message:\n\t\n");
    if (status == NERR_Success) {
        Check(timeStatus == NERR_Success && startStatus == NERR_Success);
        const int64_t current = info.tod_elapsedt, started = statistics.sts0_start;
        const std::string shownStart = ShowDate(started);
        Check(!shownStart.empty());
        Check(output == Crlf("<clear>\nTime Information For Machine: \\\\fuzz\n\n   Current:\t" + ShowDate(current) +
                             "\n\n   Started:\t" + shownStart + "\n\n   Running:\t" + ShowSpan(current - started) +
                             "\n\n"));
    } else {
        Check(status == ERROR_NOT_SUPPORTED || status == ERROR_UNEXP_NET_ERR);
        Check(output.size() >= failure.size() && output.compare(output.size() - failure.size(), failure.size(),
                                                                failure) == 0);
        Check(output.find("Started:") == std::string::npos);
    }
    return 0;
}
