#include "snmp_answer.h"

#include <cstdint>
#include <ctime>

namespace {

constexpr int64_t kLastInstant = INT32_MAX;  // 2038-01-19 03:14:07 UTC, the last instant the tool shows.
constexpr int64_t kWrap = int64_t{1} << 32;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int CountDaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Rounds down, also for negative values.
int64_t DivideDown(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

struct RemoteClock {
    int64_t utcSeconds;
    int hundredths;
    LONG westMinutes;
};

// DateAndTime: year (2 octets, most significant first), month, day, hour,
// minutes, seconds (60 for a leap second), deci-seconds, and optionally the
// direction ('+' or '-') and hours and minutes from UTC.
NET_API_STATUS ReadClock(const SnmpVariable& v, int64_t localUtcSeconds, RemoteClock* clock, DWORD* cause) {
    if (IsMissing(v)) return Fail(ERROR_NOT_SUPPORTED, ERROR_NOT_SUPPORTED, cause);
    if (v.type != kSnmpOctetString) return Fail(ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATATYPE, cause);
    if (v.octets.size() != 8 && v.octets.size() != 11) return Fail(ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA, cause);
    const unsigned char* o = v.octets.data();
    const int year = o[0] << 8 | o[1];
    const int month = o[2], day = o[3], hour = o[4], minute = o[5], second = o[6], deci = o[7];
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > CountDaysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 60 || deci > 9)
        return Fail(ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA, cause);
    tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;  // A leap second carries into the next minute.
    const int64_t fieldSeconds = static_cast<int64_t>(timegm(&fields));

    int64_t eastSeconds = 0;
    if (v.octets.size() == 11) {
        const unsigned char direction = o[8], offsetHours = o[9], offsetMinutes = o[10];
        // Zones lie within 14 hours of UTC either way.
        if ((direction != '+' && direction != '-') || offsetMinutes > 59 || offsetHours * 60 + offsetMinutes > 14 * 60)
            return Fail(ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA, cause);
        eastSeconds = (offsetHours * 60LL + offsetMinutes) * 60 * (direction == '+' ? 1 : -1);
    } else {
        // Local time with an unknown offset: zones are whole quarter hours
        // apart, so the one nearest this machine's clock is the likely one.
        eastSeconds = DivideDown(fieldSeconds - localUtcSeconds + 450, 900) * 900;
        if (eastSeconds < -12 * 3600 || eastSeconds > 14 * 3600)
            return Fail(ERROR_UNEXP_NET_ERR, ERROR_TIME_SKEW, cause);
    }
    clock->utcSeconds = fieldSeconds - eastSeconds;
    clock->hundredths = deci * 10;
    // An offset worked out from this machine's clock is not the agent's word.
    clock->westMinutes = v.octets.size() == 11 ? static_cast<LONG>(-eastSeconds / 60) : -1;
    if (clock->utcSeconds < 0 || clock->utcSeconds > kLastInstant)
        return Fail(ERROR_UNEXP_NET_ERR, ERROR_INVALID_TIME, cause);
    return NERR_Success;
}

// The engine's age in seconds, or -1 where the value cannot be one:
// negative, or so large that it must be a clock reading.
NET_API_STATUS ReadEngineAge(const SnmpVariable& v, int64_t* seconds, DWORD* cause) {
    *seconds = -1;
    if (IsMissing(v)) return NERR_Success;
    if (v.type != kSnmpInteger) return Fail(ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATATYPE, cause);
    if (v.number >= 0 && v.number <= kMaxEngineSeconds) *seconds = v.number;
    return NERR_Success;
}

// Whole seconds the machine has been up.
NET_API_STATUS ReadUptime(const SnmpAnswer& answer, int64_t* seconds, DWORD* cause) {
    const SnmpVariable& uptime = IsMissing(answer.systemUptime) ? answer.sysUpTime : answer.systemUptime;
    if (IsMissing(uptime)) return Fail(ERROR_NOT_SUPPORTED, ERROR_NOT_FOUND, cause);
    if (uptime.type != kSnmpTimeTicks) return Fail(ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATATYPE, cause);
    if (uptime.number < 0 || uptime.number >= kWrap) return Fail(ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATA, cause);
    int64_t engineSeconds = -1;
    if (NET_API_STATUS status = ReadEngineAge(answer.engineTime, &engineSeconds, cause)) return status;
    *seconds = RestoreUptime(static_cast<uint32_t>(uptime.number), engineSeconds);
    return NERR_Success;
}

}  // namespace

int64_t RestoreUptime(uint32_t hundredths, int64_t engineSeconds) {
    int64_t count = hundredths;
    // The agent runs on the machine, so the machine has been up at least as
    // long as the engine, give or take 5 seconds of rounding and delay.
    const int64_t floor = engineSeconds * 100 - 500;
    if (engineSeconds >= 0 && count < floor) count += (floor - count + kWrap - 1) / kWrap * kWrap;
    return count / 100;
}

NET_API_STATUS ConvertTimeOfDay(const SnmpAnswer& answer, int64_t localUtcSeconds, TIME_OF_DAY_INFO* info,
                                DWORD* cause) {
    *cause = ERROR_SUCCESS;
    RemoteClock clock{};
    if (NET_API_STATUS status = ReadClock(answer.systemDate, localUtcSeconds, &clock, cause)) return status;
    const time_t seconds = static_cast<time_t>(clock.utcSeconds);
    tm utc{};
    if (gmtime_r(&seconds, &utc) == nullptr) return Fail(ERROR_UNEXP_NET_ERR, ERROR_INVALID_TIME, cause);
    *info = TIME_OF_DAY_INFO{};
    info->tod_elapsedt = static_cast<DWORD>(clock.utcSeconds);
    info->tod_msecs = 0;  // Not used: the start comes with the statistics.
    info->tod_hours = static_cast<DWORD>(utc.tm_hour);
    info->tod_mins = static_cast<DWORD>(utc.tm_min);
    info->tod_secs = static_cast<DWORD>(utc.tm_sec);
    info->tod_hunds = static_cast<DWORD>(clock.hundredths);
    info->tod_timezone = clock.westMinutes;
    info->tod_tinterval = 1000;  // A DateAndTime resolves tenths of a second.
    info->tod_day = static_cast<DWORD>(utc.tm_mday);
    info->tod_month = static_cast<DWORD>(utc.tm_mon + 1);
    info->tod_year = static_cast<DWORD>(utc.tm_year + 1900);
    info->tod_weekday = static_cast<DWORD>(utc.tm_wday);
    return NERR_Success;
}

NET_API_STATUS ConvertServerStatistics(const SnmpAnswer& answer, int64_t localUtcSeconds, STAT_SERVER_0* statistics,
                                       DWORD* cause) {
    *cause = ERROR_SUCCESS;
    RemoteClock clock{};
    if (NET_API_STATUS status = ReadClock(answer.systemDate, localUtcSeconds, &clock, cause)) return status;
    int64_t start = 0;
    const SnmpVariable& statStart = answer.statStart;
    if (!IsMissing(statStart) && statStart.type != kSnmpInteger)
        return Fail(ERROR_UNEXP_NET_ERR, ERROR_INVALID_DATATYPE, cause);
    // A count of 0 is the epoch itself: no start the service recorded.
    if (!IsMissing(statStart) && statStart.number != 0 && statStart.number <= clock.utcSeconds) {
        start = statStart.number;  // The server service's own start, as it stands.
    } else {
        int64_t uptime = 0;
        if (NET_API_STATUS status = ReadUptime(answer, &uptime, cause)) return status;
        start = clock.utcSeconds - uptime;
    }
    if (start < 0 || start > kLastInstant) return Fail(ERROR_UNEXP_NET_ERR, ERROR_ARITHMETIC_OVERFLOW, cause);
    *statistics = STAT_SERVER_0{};
    statistics->sts0_start = static_cast<DWORD>(start);
    return NERR_Success;
}
