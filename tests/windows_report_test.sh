#!/usr/bin/env bash
# Runs one case of corvane.exe's report path under Wine, with the network
# management double (netapi32.dll beside corvane.exe) answering from
# NETAPI_* variables, inside a network namespace of its own where one can
# be made. corvane.exe runs under exit_status.exe, which prints its full
# 32-bit exit code. Standard output must equal the Linux build's, fed the
# same answers through its link-time fakes (report_driver), with only the
# system message texts masked; the double's record of the calls must be
# the one expected.
# Usage: windows_report_test.sh CASE WINE DIRECTORY [LINUX_REPORT_DRIVER]
#   DIRECTORY holds corvane.exe, netapi32.dll and exit_status.exe.
set -uo pipefail
name=$1 wine=$2 dir=$3 driver=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

kSkip=77
now="2026 7 1 12 0 0"    # 1782907200
start=1782817139         # 1 day 1 hour 1 minute 1 second earlier
long297=$(printf 'a%.0s' {1..297})

# Per case: the arguments, the zone for each build, the script, the exit
# status on Windows (the Linux build's is the same, at most 255) and the
# record of the calls, one line each, in any order.
args=(remote) linux_args=() tz=UTC0 linux_tz="" system_zone="" script=(NETAPI_TIME="$now" NETAPI_START=$start)
status=0 expected_out="" locale=C
# The record of a whole report for the server name given.
success_record() {
  printf 'NetRemoteTOD %s -> 0 buffer 1\nNetStatisticsGet %s LanmanServer 0 0 -> 0 buffer 2\n' "$1" "$1"
  printf 'NetApiBufferFree buffer 1\nNetApiBufferFree buffer 2'
}
record=$(success_record '\\remote')
case "$name" in
  utc) ;;
  five_hours_west) tz=EST5 ;;
  # Current in daylight time, the start in standard time.
  daylight) tz=EST5EDT linux_tz=EST5EDT,M3.2.0,M11.1.0 script=(NETAPI_TIME="$now" NETAPI_START=1768478400) ;;
  # The C runtime would read these as some other zone: the system's zone
  # serves, which Wine takes from the same "TZ" as Linux does. So under Wine
  # the first is New York time, and the second keeps Europe's rules, which
  # the runtime would swap for those of the United States: on March 20
  # daylight time has begun there but not here.
  iana_tz) tz=America/New_York ;;
  posix_rule_tz) tz=CET-1CEST,M3.5.0,M10.5.0/3 script=(NETAPI_TIME="2026 3 20 12 0 0" NETAPI_START=1773917939) ;;
  # Empty means the system's zone: Wine's, from /etc/localtime, against the
  # Linux build's without "TZ". A zone far from UTC stands in for the
  # system's, so that UTC cannot pass by chance.
  empty_tz) tz="" linux_tz=unset system_zone=Asia/Tokyo ;;
  time_fails)
    script=(NETAPI_TIME_STATUS=53) status=53
    record='NetRemoteTOD \\remote -> 53' ;;
  # After the Current line: output to a file keeps the header and Current.
  statistics_fails)
    script=(NETAPI_TIME="$now" NETAPI_STATISTICS_STATUS=5) status=5
    record='NetRemoteTOD \\remote -> 0 buffer 1
NetStatisticsGet \\remote LanmanServer 0 0 -> 5
NetApiBufferFree buffer 1' ;;
  remote_clock_out_of_range)
    script=(NETAPI_TIME="2040 1 1 0 0 0") status=59
    record='NetRemoteTOD \\remote -> 0 buffer 1
NetApiBufferFree buffer 1' ;;
  status_above_255)
    script=(NETAPI_TIME_STATUS=1722) status=1722
    record='NetRemoteTOD \\remote -> 1722' ;;
  status_above_255_without_text)
    script=(NETAPI_TIME="$now" NETAPI_STATISTICS_STATUS=2114) status=2114
    record='NetRemoteTOD \\remote -> 0 buffer 1
NetStatisticsGet \\remote LanmanServer 0 0 -> 2114
NetApiBufferFree buffer 1' ;;
  status_of_32_bits)
    script=(NETAPI_TIME_STATUS=4294967295) status=4294967295
    record='NetRemoteTOD \\remote -> 4294967295' ;;
  # The thread's last error is described, the query's status is the exit
  # status.
  last_error_of_time_query)
    script=(NETAPI_TIME_STATUS=53 NETAPI_TIME_ERROR=5) status=53
    record='NetRemoteTOD \\remote -> 53' ;;
  last_error_of_statistics_query)
    script=(NETAPI_TIME="$now" NETAPI_STATISTICS_STATUS=53 NETAPI_STATISTICS_ERROR=5) status=53
    record='NetRemoteTOD \\remote -> 0 buffer 1
NetStatisticsGet \\remote LanmanServer 0 0 -> 53
NetApiBufferFree buffer 1' ;;
  # 297 characters fill the name buffers; 298 are refused before any query.
  name_of_297)
    args=("$long297") record=$(success_record "\\\\$long297") ;;
  name_of_298)
    args=("${long297}a") status=123 record="" ;;
  name_with_backslash)
    args=('\one') record=$(success_record '\one') ;;
  # A character of the ANSI code page: the same byte on both.
  latin1_name)
    args=($'h\xc3\xb4te') linux_args=($'h\xf4te') locale=C.UTF-8
    record=$(success_record $'\\\\h\xc3\xb4te') ;;
  # Outside the ANSI code page: the name reaches the query unchanged, not
  # as "??" or a best fit such as "lodz", and a first character that has no
  # ANSI form does not ask for the syntax text. The report's writes end at
  # that character, as every wide write does.
  wide_name)
    args=($'\xe6\x9d\xb1\xe4\xba\xac') locale=C.UTF-8 script=(NETAPI_TIME_STATUS=53) status=53
    record=$'NetRemoteTOD \\\\\xe6\x9d\xb1\xe4\xba\xac -> 53'
    expected_out=$'\r\n\tRetrieving Time Information.\r\n\r\n\tPlease Wait...\r\n\r\n\tUnable to get time information from: \\\\' ;;
  wide_name_in_report)
    args=($'\xc5\x82\xc3\xb3d\xc5\xba') locale=C.UTF-8
    record=$(success_record $'\\\\\xc5\x82\xc3\xb3d\xc5\xba')
    expected_out=$'\r\n\tRetrieving Time Information.\r\n\r\n\tPlease Wait...\r\n\r\nTime Information For Machine: \\\\\r\n'
    expected_out+=$'   Current:\tWednesday, July 01, 2026 - 12:00:00\r\n\r\n'
    expected_out+=$'   Started:\tTuesday, June 30, 2026 - 10:58:59\r\n\r\n'
    expected_out+=$'   Running:\t1 Days - 01 Hours - 01 Minutes - 01 Seconds\r\n\r\n' ;;
  *) echo "unknown case $name"; exit 2 ;;
esac
[ ${#linux_args[@]} -eq 0 ] && linux_args=("${args[@]}")
[ -z "$linux_tz" ] && linux_tz=$tz

if [ -z "$expected_out" ] && [ ! -x "$driver" ]; then
  echo "SKIP: no Linux report driver to compare with (configure with -DCORVANE_LINUX_REPORT_DRIVER=...)"
  exit $kSkip
fi

# Nothing leaves the machine: the double answers every query, and where a
# network namespace can be made the run has no network at all.
isolate=()
if unshare -n true 2>/dev/null; then
  isolate=(unshare -n)
else
  echo "note: no network namespace here (unshare -n failed); running without one"
fi
# A case's system zone is bound over /etc/localtime in a mount namespace of
# the run's own.
zone_file=""
if [ -n "$system_zone" ]; then
  zone_file=/usr/share/zoneinfo/$system_zone
  if ! unshare -m --propagation private bash -c 'mount --bind "$0" /etc/localtime' "$zone_file" 2>/dev/null; then
    echo "note: cannot bind $zone_file over /etc/localtime; the system's own zone stands"
    zone_file=""
  fi
fi
run_isolated() {
  if [ -n "$zone_file" ]; then
    "${isolate[@]}" unshare -m --propagation private \
      bash -c 'mount --bind "$0" /etc/localtime && exec "$@"' "$zone_file" "$@"
  else
    "${isolate[@]}" "$@"
  fi
}

# Wine takes Unix paths through its Z: drive.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;netapi32=n,b"
run_isolated env "${script[@]}" NETAPI_RECORD="Z:$work/record" TZ="$tz" LC_ALL=$locale \
  "$wine" "$dir/exit_status.exe" corvane.exe "${args[@]}" >"$work/launched" 2>"$work/wine-stderr"
# exit_status.exe ends the output with a line feed, "exit status N" and a
# line feed; what comes before is corvane.exe's.
launched=$(cat "$work/launched"; echo x)
launched=${launched%x}
if [[ ! $launched =~ $'\n'exit\ status\ ([0-9]+)$'\n'$ ]]; then
  echo "FAIL: corvane.exe did not run to an exit status"
  cat "$work/launched" "$work/wine-stderr"
  exit 1
fi
windows_status=${BASH_REMATCH[1]}
head -c $(($(wc -c <"$work/launched") - ${#BASH_REMATCH[0]})) "$work/launched" >"$work/windows"

failed=0
fail() { echo "FAIL: $*"; failed=1; }

[ "$windows_status" = "$status" ] || fail "exit status $windows_status on Windows, expected $status"

if [ -n "$expected_out" ]; then
  cmp -s "$work/windows" <(printf '%s' "$expected_out") || {
    fail "standard output differs from the expected bytes"
    od -c "$work/windows" | tail -n 8
  }
else
  zone=(TZ="$linux_tz")
  [ "$linux_tz" = unset ] && zone=(-u TZ)
  run_isolated env "${zone[@]}" "${script[@]}" LC_ALL=C "$driver" "${linux_args[@]}" >"$work/linux" 2>/dev/null
  linux_status=$?
  expected_linux=$((status > 255 ? 255 : status))
  [ "$linux_status" -eq "$expected_linux" ] || fail "exit status $linux_status on Linux, expected $expected_linux"
  # The message texts are each system's own; their codes are compared.
  mask() { perl -0pe 's/(\tSystem Message:\r\n\t).+?( \(0x[0-9a-f]+\)\r\n)/$1<message>$2/g' "$1"; }
  if ! cmp -s <(mask "$work/windows") <(mask "$work/linux"); then
    fail "standard output differs from the Linux build's"
    diff <(mask "$work/windows" | od -c) <(mask "$work/linux" | od -c) | head -n 20
  fi
fi

sort "$work/record" 2>/dev/null >"$work/record.sorted"
if ! cmp -s "$work/record.sorted" <([ -n "$record" ] && printf '%s\n' "$record" | sort); then
  fail "the calls recorded by the double differ from the expected ones"
  diff "$work/record.sorted" <([ -n "$record" ] && printf '%s\n' "$record" | sort)
fi

[ "$failed" -eq 0 ] && echo "PASS: $name"
exit "$failed"
