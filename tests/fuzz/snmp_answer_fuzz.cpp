// Fuzzes the conversion of an agent's values: the first byte picks the
// types, the next eight give the uptime, the rest is the DateAndTime.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/snmp/snmp_answer.h"

namespace {

const int kTypes[] = {kSnmpOctetString, kSnmpTimeTicks, kSnmpNoSuchObject, kSnmpNoSuchInstance};

void Check(bool condition) {
    if (!condition) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 9) return 0;
    SnmpVariable date, hostUptime, sysUpTime;
    date.type = kTypes[data[0] & 3];
    hostUptime.type = kTypes[(data[0] >> 2) & 3];
    sysUpTime.type = kTypes[(data[0] >> 4) & 3];
    uint64_t ticks = 0;
    for (int i = 1; i < 9; ++i) ticks = ticks << 8 | data[i];
    hostUptime.number = ticks;
    sysUpTime.number = ticks >> 7;
    date.octets.assign(data + 9, data + size);

    TIME_OF_DAY_INFO info{};
    const NET_API_STATUS status = ConvertTimeOfDay(date, &info);
    Check(status == NERR_Success || status == ERROR_NOT_SUPPORTED || status == ERROR_UNEXP_NET_ERR);
    if (status == NERR_Success) {
        Check(info.tod_month >= 1 && info.tod_month <= 12 && info.tod_day >= 1 && info.tod_day <= 31);
        Check(info.tod_hours < 24 && info.tod_mins < 60 && info.tod_secs < 60 && info.tod_hunds < 100);
        Check(info.tod_weekday < 7 && info.tod_year >= 1970);
    }
    STAT_SERVER_0 statistics{};
    const NET_API_STATUS started = ConvertServerStatistics(date, hostUptime, sysUpTime, &statistics);
    Check(started == NERR_Success || started == ERROR_NOT_SUPPORTED || started == ERROR_UNEXP_NET_ERR);
    if (started == NERR_Success) {
        Check(status == NERR_Success);
        Check(statistics.sts0_start <= info.tod_elapsedt);
    }
    return 0;
}
