// A test of the tool against snmpd, with a client configuration directory
// of the test's own (SNMPCONFPATH and HOME point there), so that the
// machine's snmp.conf plays no part. Skips, visibly, without snmpd.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <string>

#include "snmp_agent.h"

class SnmpClientTest : public testing::Test {
protected:
    void SetUp() override {
        if (!SnmpAgent::IsInstalled()) GTEST_SKIP() << "snmpd is not installed";
        char pattern[] = "/tmp/corvane-client-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        clientDirectory = pattern;
    }

    // Removes the directory with whatever the test left in it.
    void TearDown() override {
        std::error_code ignored;
        if (!clientDirectory.empty()) std::filesystem::remove_all(clientDirectory, ignored);
    }

    // The tool's environment: the zone and the client directory.
    std::map<std::string, std::string> ClientEnvironment(const std::string& zone = "UTC0") const {
        return {{"TZ", zone}, {"SNMPCONFPATH", clientDirectory}, {"HOME", clientDirectory}};
    }

    std::string clientDirectory;
};
