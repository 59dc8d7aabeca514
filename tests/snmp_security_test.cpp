// The binary against a real snmpd on loopback, for every SNMP version, every
// SNMPv3 authentication and privacy type the library offers, and the
// transports without TLS: exact report bytes and exit status. The tool
// computes SNMPv3 keys from passphrases itself and starts OpenSSL on its own
// terms; these tests hold it to the library's answers, keys and choices.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <openssl/evp.h>
#include <openssl/provider.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "crlf.h"
#include "run_process.h"
#include "snmp_agent.h"
#include "snmp_client_test.h"

namespace {

const std::string kBinary = CORVANE_BINARY;
const std::string kBanner = Crlf("\n\tRetrieving Time Information.\n\n\tPlease Wait...\n");

// An agent whose clock reads 2026-07-01 12:00:00.0 +02:00 (10:00 UTC) and
// which has been up 1 day, 1 hour, 1 minute and 1 second.
const char kFixedClock[] =
    "override 1.3.6.1.2.1.25.1.2.0 octet_str 0x07EA07010C0000002B0200\n"
    "override 1.3.6.1.2.1.25.1.1.0 timeticks 9006100\n";
const char kCommunity[] = "rocommunity public 127.0.0.1\nrocommunity6 public ::1\n";

const char kAuthPassphrase[] = "an-auth-passphrase";
const char kPrivPassphrase[] = "a-privacy-passphrase";

std::string ExpectedReport(const std::string& peer) {
    return kBanner + Crlf("\nTime Information For Machine: \\\\" + peer +
                          "\n\n   Current:\tWednesday, July 01, 2026 - 10:00:00"
                          "\n\n   Started:\tTuesday, June 30, 2026 - 08:58:59"
                          "\n\n   Running:\t1 Days - 01 Hours - 01 Minutes - 01 Seconds\n\n");
}

// The start of the failure block, up to the message text.
std::string ExpectedFailurePrefix(const std::string& peer) {
    return kBanner + Crlf("\n\tUnable to get time information from: \\\\" + peer + ".\n\n\tSystem Message:\n\t");
}

std::string UserConfig(const std::string& user, const std::string& level, const std::string& auth,
                       const std::string& priv) {
    std::string config = "defVersion 3\ndefSecurityName " + user + "\ndefSecurityLevel " + level + "\n";
    if (!auth.empty()) config += "defAuthType " + auth + "\ndefAuthPassphrase " + kAuthPassphrase + "\n";
    if (!priv.empty()) config += "defPrivType " + priv + "\ndefPrivPassphrase " + kPrivPassphrase + "\n";
    return config;
}

bool CanBindIpv6Loopback() {
    const int s = socket(AF_INET6, SOCK_DGRAM, 0);
    if (s < 0) return false;
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_addr = in6addr_loopback;
    const bool bound = bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(s);
    return bound;
}

class SnmpSecurity : public SnmpClientTest {
protected:
    // Runs the tool with this client configuration.
    RunResult Run(const std::string& peer, const std::string& clientConfig,
                  const std::map<std::string, std::string>& extraEnvironment = {}) {
        WriteTextFile(clientDirectory + "/snmp.conf", clientConfig);
        std::map<std::string, std::string> env = ClientEnvironment();
        env.insert(extraEnvironment.begin(), extraEnvironment.end());
        RunResult r = RunProgram(kBinary, {peer}, env);
        EXPECT_EQ(r.err, "");
        return r;
    }

    void ExpectReport(const RunResult& r, const std::string& peer, const std::string& what) {
        EXPECT_EQ(r.out, ExpectedReport(peer)) << what;
        EXPECT_EQ(r.exitCode, 0) << what;
    }

    void ExpectFailure(const RunResult& r, const std::string& peer, int exitCode, const std::string& what) {
        const std::string prefix = ExpectedFailurePrefix(peer);
        EXPECT_EQ(r.out.substr(0, prefix.size()), prefix) << what << "\n" << r.out;
        if (exitCode != 0)
            EXPECT_EQ(r.exitCode, exitCode) << what;
        else
            EXPECT_GT(r.exitCode, 0) << what;
    }
};

const char kVersion1[] = "defVersion 1\ndefCommunity public\n";
const char kVersion2c[] = "defVersion 2c\ndefCommunity public\n";
const std::string kVersion3 = UserConfig("corvuser", "authPriv", "SHA", "AES");
const std::string kVersion3User = std::string("createUser corvuser SHA ") + kAuthPassphrase + " AES " +
                                  kPrivPassphrase + "\nrouser corvuser priv\n";

TEST_F(SnmpSecurity, EveryVersionOverUdpAndTcp) {
    SnmpAgent agent(kCommunity + std::string(kFixedClock) + kVersion3User + "agentAddress tcp:127.0.0.1:{port}\n");
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const std::string port = std::to_string(agent.Port());
    const struct {
        const char* name;
        std::string config;
    } versions[] = {{"SNMPv1", kVersion1}, {"SNMPv2c", kVersion2c}, {"SNMPv3", kVersion3}};
    for (const std::string& peer : {agent.Peer(), "udp:" + agent.Peer(), "tcp:" + agent.Peer()})
        for (const auto& version : versions) ExpectReport(Run(peer, version.config), peer, version.name + (" " + peer));
}

TEST_F(SnmpSecurity, EveryVersionOverUdp6) {
    if (!CanBindIpv6Loopback()) GTEST_SKIP() << "no IPv6 loopback address here";
    SnmpAgent agent(kCommunity + std::string(kFixedClock) + kVersion3User + "agentAddress udp6:[::1]:{port}\n");
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const std::string peer = "udp6:[::1]:" + std::to_string(agent.Port());
    for (const std::string& config : {std::string(kVersion1), std::string(kVersion2c), kVersion3})
        ExpectReport(Run(peer, config), peer, config);
}

// One agent with a user for every pairing of authentication and privacy
// type, every authentication type without privacy, and one user with
// neither. Each key comes from its passphrase, stretched under the
// authentication type's digest; the extended AES keys grow from it.
TEST_F(SnmpSecurity, EveryAuthenticationAndPrivacyType) {
    const char* auths[] = {"MD5", "SHA", "SHA-224", "SHA-256", "SHA-384", "SHA-512"};
    const char* privs[] = {"DES", "AES", "AES192", "AES256", "AES192C", "AES256C"};
    struct Case {
        std::string user, level, auth, priv;
    };
    std::vector<Case> cases = {{"nobody", "noAuthNoPriv", "", ""}};
    std::string users = "createUser nobody\nrouser nobody noauth\n";
    for (size_t a = 0; a < std::size(auths); ++a) {
        const std::string authUser = "auth" + std::to_string(a);
        users += "createUser " + authUser + " " + auths[a] + " " + kAuthPassphrase + "\nrouser " + authUser + " auth\n";
        cases.push_back({authUser, "authNoPriv", auths[a], ""});
        for (size_t p = 0; p < std::size(privs); ++p) {
            const std::string user = "priv" + std::to_string(a) + "x" + std::to_string(p);
            users += "createUser " + user + " " + auths[a] + " " + kAuthPassphrase + " " + privs[p] + " " +
                     kPrivPassphrase + "\nrouser " + user + " priv\n";
            cases.push_back({user, "authPriv", auths[a], privs[p]});
        }
    }
    SnmpAgent agent(kFixedClock + users);
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    for (const Case& c : cases)
        ExpectReport(Run(agent.Peer(), UserConfig(c.user, c.level, c.auth, c.priv)), agent.Peer(),
                     c.level + " " + c.auth + " " + c.priv);
}

// One passphrase for both keys, given twice or as the common passphrase.
TEST_F(SnmpSecurity, OnePassphraseForBothKeys) {
    SnmpAgent agent(kFixedClock + std::string("createUser same SHA-256 ") + kAuthPassphrase + " AES " +
                    kAuthPassphrase + "\nrouser same priv\n");
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const std::string user = "defVersion 3\ndefSecurityName same\ndefSecurityLevel authPriv\n"
                             "defAuthType SHA-256\ndefPrivType AES\n";
    ExpectReport(Run(agent.Peer(), user + "defAuthPassphrase " + kAuthPassphrase + "\ndefPrivPassphrase " +
                                       kAuthPassphrase + "\n"),
                 agent.Peer(), "twice");
    ExpectReport(Run(agent.Peer(), user + "defPassphrase " + kAuthPassphrase + "\n"), agent.Peer(), "common");
}

// A passphrase's key under a digest (RFC 3414, A.2), as hex.
std::string ComputeMasterKey(const char* digest, const std::string& passphrase) {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    EVP_DigestInit_ex(context, EVP_get_digestbyname(digest), nullptr);
    for (size_t i = 0; i < 1024 * 1024; ++i) EVP_DigestUpdate(context, &passphrase[i % passphrase.size()], 1);
    unsigned char key[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context, key, &length);
    EVP_MD_CTX_free(context);
    std::string hex = "0x";
    char pair[3];
    for (unsigned int i = 0; i < length; ++i) {
        snprintf(pair, sizeof pair, "%02x", key[i]);
        hex += pair;
    }
    return hex;
}

// Configured master keys come before passphrases, as in the library's own
// commands: here the passphrases are wrong and the keys right.
TEST_F(SnmpSecurity, MasterKeysComeBeforePassphrases) {
    SnmpAgent agent(kFixedClock + kVersion3User);
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const std::string config = "defVersion 3\ndefSecurityName corvuser\ndefSecurityLevel authPriv\n"
                               "defAuthType SHA\ndefPrivType AES\n"
                               "defAuthPassphrase not-the-passphrase\ndefPrivPassphrase not-the-passphrase\n"
                               "defAuthMasterKey " + ComputeMasterKey("SHA1", kAuthPassphrase) + "\n"
                               "defPrivMasterKey " + ComputeMasterKey("SHA1", kPrivPassphrase) + "\n";
    ExpectReport(Run(agent.Peer(), config), agent.Peer(), "master keys");
}

TEST_F(SnmpSecurity, WrongOrRefusedPassphrases) {
    SnmpAgent agent(kFixedClock + kVersion3User);
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const std::string user = "defVersion 3\ndefSecurityName corvuser\ndefSecurityLevel authPriv\n"
                             "defAuthType SHA\ndefPrivType AES\n";
    const struct {
        const char* what;
        std::string auth, priv;
        int exitCode;
    } cases[] = {
        {"wrong authentication passphrase", "wrong-passphrase", kPrivPassphrase, 5},
        // The agent cannot read what a wrong privacy key encrypted, and
        // drops it unanswered, as it does for its own commands.
        {"wrong privacy passphrase", kAuthPassphrase, "wrong-passphrase", 121},
        // The library refuses passphrases under 8 characters and sends
        // nothing.
        {"short authentication passphrase", "short", kPrivPassphrase, 5},
        {"short privacy passphrase", kAuthPassphrase, "short", 5},
    };
    for (const auto& c : cases)
        ExpectFailure(Run(agent.Peer(), user + "defAuthPassphrase " + c.auth + "\ndefPrivPassphrase " + c.priv + "\n"),
                      agent.Peer(), c.exitCode, c.what);
}

// The system's OpenSSL configuration applies to the tool's own use of
// OpenSSL: one that allows only FIPS algorithms, where no FIPS provider is
// installed, leaves SNMPv3 without digests, while SNMPv2c needs none.
TEST_F(SnmpSecurity, SystemOpenSslConfigurationApplies) {
    SnmpAgent agent(kCommunity + std::string(kFixedClock) + kVersion3User);
    ASSERT_TRUE(agent.IsRunning()) << agent.Log();
    const std::string policy = clientDirectory + "/openssl.cnf";
    ASSERT_TRUE(WriteTextFile(policy,
                              "openssl_conf = openssl_init\n[openssl_init]\nalg_section = evp_properties\n"
                              "[evp_properties]\ndefault_properties = fips=yes\n"));
    const std::map<std::string, std::string> withPolicy = {{"OPENSSL_CONF", policy}};
    if (OSSL_PROVIDER* fips = OSSL_PROVIDER_load(nullptr, "fips")) {
        OSSL_PROVIDER_unload(fips);
        GTEST_SKIP() << "a FIPS provider is installed: the policy would not withhold SHA-1";
    }
    ExpectFailure(Run(agent.Peer(), kVersion3, withPolicy), agent.Peer(), 0, "SNMPv3 under the policy");
    ExpectReport(Run(agent.Peer(), kVersion2c, withPolicy), agent.Peer(), "SNMPv2c under the policy");
    ExpectReport(Run(agent.Peer(), kVersion3), agent.Peer(), "SNMPv3 without it");
}

}  // namespace
