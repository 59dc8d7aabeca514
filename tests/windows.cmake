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

# corvane.exe against the Linux build: the same bytes and exit status.
if(CORVANE_LINUX_BINARY)
  add_test(NAME windows_output COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows_output_test.sh
           ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:corvane> ${CORVANE_LINUX_BINARY})
endif()
