# Tests of the Windows build, run under Wine (the toolchain file's emulator).
# GoogleTest is built from the sources Debian's googletest package ships.
set(CORVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${CORVANE_GOOGLETEST_SOURCE} googletest EXCLUDE_FROM_ALL)

# Time values under the C runtime's rules, one process per zone. The
# runtime reads the daylight rules of "TZ" as those of the United States.
add_executable(time_values_test time_values_test.cpp)
target_link_libraries(time_values_test PRIVATE corvane_core GTest::gtest_main)
target_link_options(time_values_test PRIVATE -static)
foreach(zone IN ITEMS "utc|UTC0|Utc" "fivewest|EST5|FiveWest" "daylight|EST5EDT|Daylight")
  string(REPLACE "|" ";" parts "${zone}")
  list(GET parts 0 name)
  list(GET parts 1 tz)
  list(GET parts 2 suite)
  add_test(NAME windows_time_values_${name} COMMAND time_values_test --gtest_filter=AnyZone.*:${suite}.*)
  set_tests_properties(windows_time_values_${name} PROPERTIES ENVIRONMENT "TZ=${tz};WINEDEBUG=-all")
endforeach()

# The "TZ" values the C runtime is given.
add_executable(runtime_zone_test windows/runtime_zone_test.cpp)
target_link_libraries(runtime_zone_test PRIVATE corvane_system GTest::gtest_main)
target_link_options(runtime_zone_test PRIVATE -static)
add_test(NAME windows_runtime_zone COMMAND runtime_zone_test)
set_tests_properties(windows_runtime_zone PROPERTIES ENVIRONMENT "WINEDEBUG=-all")

# corvane.exe against the Linux build: the same bytes and exit status.
if(CORVANE_LINUX_BINARY)
  add_test(NAME windows_output COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows_output_test.sh
           ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:corvane> ${CORVANE_LINUX_BINARY})
endif()

# The report path of corvane.exe under Wine. Wine's own netapi32 has no
# remote time query, so a double of it (netapi32.dll) answers from the
# environment; it sits beside a copy of corvane.exe, in a directory of its
# own so that no other run of corvane.exe loads it. exit_status.exe shows
# the full 32-bit exit code, which wine64 cuts to 8 bits.
set(CORVANE_LINUX_REPORT_DRIVER "" CACHE FILEPATH "The Linux build's tests/report_driver, to compare the report with")
set(report_dir ${CMAKE_CURRENT_BINARY_DIR}/wine-report)
add_library(netapi_double SHARED windows/netapi_double.cpp windows/netapi_double.def)
set_target_properties(netapi_double PROPERTIES PREFIX "" OUTPUT_NAME netapi32 RUNTIME_OUTPUT_DIRECTORY ${report_dir})
target_link_options(netapi_double PRIVATE -static)
add_executable(exit_status windows/exit_status.cpp)
set_target_properties(exit_status PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${report_dir})
target_link_options(exit_status PRIVATE -static)
add_custom_target(wine_report_corvane ALL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:corvane> ${report_dir}/corvane.exe
  DEPENDS corvane)
foreach(case IN ITEMS utc five_hours_west daylight iana_tz posix_rule_tz empty_tz time_fails statistics_fails
                      remote_clock_out_of_range status_above_255 status_above_255_without_text status_of_32_bits
                      last_error_of_time_query last_error_of_statistics_query name_of_297 name_of_298
                      name_with_backslash latin1_name wide_name wide_name_in_report)
  add_test(NAME windows_report_${case} COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows_report_test.sh ${case}
           ${CMAKE_CROSSCOMPILING_EMULATOR} ${report_dir} ${CORVANE_LINUX_REPORT_DRIVER})
  set_tests_properties(windows_report_${case} PROPERTIES SKIP_RETURN_CODE 77)
endforeach()
