#include "snmp_answer.h"

#include <ctime>

namespace {

bool IsMissing(const SnmpVariable& v) {
    return v.type == kSnmpNoSuchObject || v.type == kSnmpNoSuchInstance || v.type == kSnmpEndOfMibView;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int CountDaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

struct RemoteClock {
    long long utcSeconds;
    int hundredths;
    LONG westMinutes;  // -1 when the value carries no offset.
};

// DateAndTime: year (2 octets, most significant first), month, day, hour,
// minutes, seconds (60 for a leap second), deci-seconds, and optionally the
// direction ('+' or '-') and hours and minutes from UTC.
NET_API_STATUS ReadDateAndTime(const SnmpVariable& v, RemoteClock* clock) {
    if (IsMissing(v)) return ERROR_NOT_SUPPORTED;
    if (v.type != kSnmpOctetString || (v.octets.size() != 8 && v.octets.size() != 11)) return ERROR_UNEXP_NET_ERR;
    const unsigned char* o = v.octets.data();
    const int year = o[0] << 8 | o[1];
    const int month = o[2], day = o[3], hour = o[4], minute = o[5], second = o[6], deci = o[7];
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > CountDaysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 60 || deci > 9)
        return ERROR_UNEXP_NET_ERR;
    long long eastSeconds = 0;
    clock->westMinutes = -1;
    if (v.octets.size() == 11) {
        const unsigned char direction = o[8], offsetHours = o[9], offsetMinutes = o[10];
        if ((direction != '+' && direction != '-') || offsetHours > 14 || offsetMinutes > 59)
            return ERROR_UNEXP_NET_ERR;
        eastSeconds = (offsetHours * 60LL + offsetMinutes) * 60 * (direction == '+' ? 1 : -1);
        clock->westMinutes = static_cast<LONG>(-eastSeconds / 60);
    }
    tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;  // A leap second carries into the next minute.
    clock->utcSeconds = static_cast<long long>(timegm(&fields)) - eastSeconds;
    clock->hundredths = deci * 10;
    // The records hold unsigned 32-bit seconds since 1970.
    if (clock->utcSeconds < 0 || clock->utcSeconds > 0xFFFFFFFFLL) return ERROR_UNEXP_NET_ERR;
    return NERR_Success;
}

}  // namespace

NET_API_STATUS ConvertTimeOfDay(const SnmpVariable& systemDate, TIME_OF_DAY_INFO* info) {
    RemoteClock clock{};
    if (NET_API_STATUS status = ReadDateAndTime(systemDate, &clock)) return status;
    const time_t seconds = static_cast<time_t>(clock.utcSeconds);
    tm utc{};
    if (gmtime_r(&seconds, &utc) == nullptr) return ERROR_UNEXP_NET_ERR;
    *info = TIME_OF_DAY_INFO{};
    info->tod_elapsedt = static_cast<DWORD>(clock.utcSeconds);
    info->tod_msecs = 0;  // The agent is not asked how long it has been up.
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

NET_API_STATUS ConvertServerStatistics(const SnmpVariable& systemDate, const SnmpVariable& systemUptime,
                                       const SnmpVariable& sysUpTime, STAT_SERVER_0* statistics) {
    RemoteClock clock{};
    if (NET_API_STATUS status = ReadDateAndTime(systemDate, &clock)) return status;
    const SnmpVariable& uptime = IsMissing(systemUptime) ? sysUpTime : systemUptime;
    if (IsMissing(uptime)) return ERROR_NOT_SUPPORTED;
    if (uptime.type != kSnmpTimeTicks || uptime.number > 0xFFFFFFFFu) return ERROR_UNEXP_NET_ERR;
    const long long start = clock.utcSeconds - static_cast<long long>(uptime.number / 100);
    if (start < 0) return ERROR_UNEXP_NET_ERR;
    *statistics = STAT_SERVER_0{};
    statistics->sts0_start = static_cast<DWORD>(start);
    return NERR_Success;
}
