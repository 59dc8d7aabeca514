#include "snmp_client.h"

#include <netdb.h>
#include <sys/socket.h>
#include <time.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "session_keys.h"
#include "snmp_library.h"
#include "snmp_peer.h"
#include "snmp_start.h"

static_assert(kSnmpInteger == ASN_INTEGER && kSnmpOctetString == ASN_OCTET_STR && kSnmpTimeTicks == ASN_TIMETICKS);
static_assert(kSnmpNoSuchObject == SNMP_NOSUCHOBJECT && kSnmpNoSuchInstance == SNMP_NOSUCHINSTANCE &&
              kSnmpEndOfMibView == SNMP_ENDOFMIBVIEW);

namespace {

// Without a configured timeout the whole query, SNMPv3 discovery included,
// is given up on within this time and this many requests.
constexpr long kDefaultWaitMicroseconds = 2500000;
constexpr int kMaxDefaultTries = 10;

struct ObjectName {
    oid parts[MAX_OID_LEN];
    size_t length;
};

// Every object a run may need, asked for together.
struct AskedObject {
    ObjectName name;
    SnmpVariable SnmpAnswer::*value;
};

const AskedObject kAskedObjects[] = {
    {{{1, 3, 6, 1, 2, 1, 25, 1, 2, 0}, 10}, &SnmpAnswer::systemDate},
    {{{1, 3, 6, 1, 2, 1, 25, 1, 1, 0}, 10}, &SnmpAnswer::systemUptime},
    {{{1, 3, 6, 1, 2, 1, 1, 3, 0}, 9}, &SnmpAnswer::sysUpTime},
    {{{1, 3, 6, 1, 6, 3, 10, 2, 1, 3, 0}, 11}, &SnmpAnswer::engineTime},
    {{{1, 3, 6, 1, 4, 1, 77, 1, 1, 4, 0}, 11}, &SnmpAnswer::statStart},
};

// The library takes its persistent directory, and whether to load and save
// state there, from snmp.conf. Set back after each configuration pass, before
// the library's own callbacks run: its certificate index would otherwise
// make directories there. Nothing can be created below a device file.
int KeepNothingOnDisk(int, int, void*, void* library) {
    const SnmpLibrary& lib = *static_cast<const SnmpLibrary*>(library);
    lib.netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    lib.netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    lib.netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, "/dev/null");
    return 0;
}

// The library sets up its own SNMPv3 engine (its engine ID and the time
// entry for it, which fetches OpenSSL's MD5 and builds its table of digests)
// once the configuration is read, whatever the version. Only SNMPv3 uses it:
// the set-up is taken off the library's list before the configuration is
// read, and run by SetUpSnmpEngine for SNMPv3 alone.
int DeferEngineSetUp(int, int, void*, void* library) {
    const SnmpLibrary& lib = *static_cast<const SnmpLibrary*>(library);
    lib.snmp_unregister_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_POST_READ_CONFIG, lib.init_snmpv3_post_config,
                                 nullptr, 1);
    return 0;
}

int GetConfiguredVersion(const SnmpLibrary& lib) {
    // With no defVersion configured: SNMPv2c, whatever version the library
    // was built to default to.
    switch (lib.netsnmp_ds_get_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_SNMPVERSION)) {
        case NETSNMP_DS_SNMP_VERSION_1: return SNMP_VERSION_1;
        case NETSNMP_DS_SNMP_VERSION_3: return SNMP_VERSION_3;
        default: return SNMP_VERSION_2c;
    }
}

int SetUpSnmpEngine(int major, int minor, void*, void* library) {
    const SnmpLibrary& lib = *static_cast<const SnmpLibrary*>(library);
    if (GetConfiguredVersion(lib) == SNMP_VERSION_3) lib.init_snmpv3_post_config(major, minor, nullptr, nullptr);
    return 0;
}

// The library reads the client configuration (snmp.conf and snmpapp.conf
// along its search path, "SNMPCONFPATH") as its own commands do. It loads no
// MIB files, keeps no persistent state and logs nowhere.
void InitializeLibrary(const SnmpLibrary& lib, const std::string& peer) {
    static const bool initialized = [&lib, &peer] {
        setenv("MIBS", "", 1);
        setenv("MIBDIRS", "", 1);
        void* library = const_cast<SnmpLibrary*>(&lib);
        KeepNothingOnDisk(0, 0, nullptr, library);
        for (int pass : {SNMP_CALLBACK_POST_PREMIB_READ_CONFIG, SNMP_CALLBACK_POST_READ_CONFIG})
            lib.netsnmp_register_callback(SNMP_CALLBACK_LIBRARY, pass, KeepNothingOnDisk, library,
                                          NETSNMP_CALLBACK_HIGHEST_PRIORITY);
        lib.netsnmp_register_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_POST_PREMIB_READ_CONFIG, DeferEngineSetUp,
                                      library, NETSNMP_CALLBACK_HIGHEST_PRIORITY);
        lib.netsnmp_register_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_POST_READ_CONFIG, SetUpSnmpEngine, library,
                                      NETSNMP_CALLBACK_HIGHEST_PRIORITY);
        // A callback log with no callback registered: messages go nowhere
        // rather than to standard error.
        lib.snmp_enable_calllog();
        StartSnmpLibrary(lib, peer);
        return true;
    }();
    (void)initialized;
}

int64_t GetMonotonicMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

// How long the query may wait and how many requests it may send. With no
// timeout configured: one budget of time and tries for the whole query,
// discovery and every GET together; otherwise the library's own timeout and
// retries, as its commands use them.
struct WaitBudget {
    bool limited = false;
    int retries = 0;    // Configured retries of one exchange, at least 0.
    int triesLeft = 0;  // Requests the rest of the query may still send.
    int64_t deadline = 0;
};

WaitBudget& GetWaitBudget(const SnmpLibrary& lib) {
    static WaitBudget budget = [&lib] {
        WaitBudget b;
        if (lib.netsnmp_ds_get_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_TIMEOUT) > 0) return b;
        const int retries = lib.netsnmp_ds_get_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_RETRIES);
        b.limited = true;
        b.retries = retries < 0 ? 0 : retries;
        b.triesLeft = kMaxDefaultTries;
        b.deadline = GetMonotonicMicroseconds() + kDefaultWaitMicroseconds;
        return b;
    }();
    return budget;
}

// Gives the next exchange the tries it may still make and shares what is
// left of the time among them. False when nothing is left. *started is when
// the exchange begins, for SpendWait.
bool ShareWait(const WaitBudget& budget, netsnmp_session* session, int64_t* started) {
    *started = GetMonotonicMicroseconds();
    if (!budget.limited) return true;
    const int tries = budget.retries < budget.triesLeft ? budget.retries + 1 : budget.triesLeft;
    if (tries <= 0) return false;
    const int64_t perTry = (budget.deadline - *started) / tries;
    if (perTry <= 0) return false;
    session->retries = tries - 1;
    session->timeout = static_cast<long>(perTry);
    return true;
}

// Takes the tries an exchange made off the budget: one for each timeout
// that ran out, and the one that was answered or last.
void SpendWait(WaitBudget& budget, const netsnmp_session& session, int64_t started) {
    if (!budget.limited || session.timeout <= 0) return;
    const int64_t timedOut = (GetMonotonicMicroseconds() - started) / session.timeout;
    budget.triesLeft -= timedOut < session.retries ? static_cast<int>(timedOut) + 1 : session.retries + 1;
}

NET_API_STATUS MapLibraryError(int error, DWORD* cause) {
    switch (error) {
        case SNMPERR_TIMEOUT: return Fail(ERROR_SEM_TIMEOUT, ERROR_SEM_TIMEOUT, cause);
        case SNMPERR_MALLOC: return Fail(ERROR_NOT_ENOUGH_MEMORY, ERROR_NOT_ENOUGH_MEMORY, cause);
        case SNMPERR_BAD_ADDRESS:
        case SNMPERR_BAD_LOCPORT:
        case SNMPERR_NO_SOCKET:
        case SNMPERR_BAD_SENDTO:
        case SNMPERR_TRANSPORT_NO_CONFIG:
        case SNMPERR_TRANSPORT_CONFIG_ERROR: return Fail(ERROR_BAD_NETPATH, ERROR_BAD_NETPATH, cause);
        case SNMPERR_UNKNOWN_USER_NAME:
        case SNMPERR_USM_UNKNOWNSECURITYNAME: return Fail(ERROR_ACCESS_DENIED, ERROR_NO_SUCH_USER, cause);
        case SNMPERR_AUTHENTICATION_FAILURE:
        case SNMPERR_USM_AUTHENTICATIONFAILURE: return Fail(ERROR_ACCESS_DENIED, ERROR_WRONG_PASSWORD, cause);
        case SNMPERR_DECRYPTION_ERR:
        case SNMPERR_USM_DECRYPTIONERROR: return Fail(ERROR_ACCESS_DENIED, ERROR_DECRYPTION_FAILED, cause);
        case SNMPERR_UNSUPPORTED_SEC_LEVEL:
        case SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL:
        case SNMPERR_NOT_IN_TIME_WINDOW:
        case SNMPERR_USM_NOTINTIMEWINDOW:
        case SNMPERR_UNKNOWN_ENG_ID:
        case SNMPERR_USM_UNKNOWNENGINEID:
        case SNMPERR_BAD_SEC_NAME:
        case SNMPERR_BAD_SEC_LEVEL:
        case SNMPERR_BAD_COMMUNITY:
        case SNMPERR_NOAUTH_DESPRIV:
        case SNMPERR_KT_NOT_AVAILABLE: return Fail(ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, cause);
        default: return Fail(ERROR_UNEXP_NET_ERR, ERROR_UNEXP_NET_ERR, cause);
    }
}

NET_API_STATUS MapErrorStatus(long status, DWORD* cause) {
    switch (status) {
        case SNMP_ERR_NOACCESS:
        case SNMP_ERR_AUTHORIZATIONERROR: return Fail(ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, cause);
        default: return Fail(ERROR_UNEXP_NET_ERR, ERROR_UNEXP_NET_ERR, cause);
    }
}

bool Resolves(const std::string& host) {
    if (host.empty()) return true;
    addrinfo hints{};
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    const int error = getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (found != nullptr) freeaddrinfo(found);
    return error == 0 || (error != EAI_NONAME && error != EAI_AGAIN && error != EAI_FAIL && error != EAI_NODATA);
}

// Why a session could not be opened. Nothing has reached the agent unless
// SNMPv3 discovery had an answer.
NET_API_STATUS ExplainOpenFailure(const SnmpLibrary& lib, const std::string& peer, int version, int error,
                                  DWORD* cause) {
    if (version == SNMP_VERSION_3 && HasShortPassphrase(lib))
        return Fail(ERROR_ACCESS_DENIED, ERROR_PASSWORD_RESTRICTION, cause);
    const NET_API_STATUS status = MapLibraryError(error, cause);
    if (status != ERROR_UNEXP_NET_ERR && status != ERROR_BAD_NETPATH) return status;
    if (!Resolves(GetPeerHost(peer))) return Fail(ERROR_BAD_NETPATH, WSAHOST_NOT_FOUND, cause);
    return Fail(ERROR_BAD_NETPATH, ERROR_BAD_NETPATH, cause);
}

// One session per run, kept for every request to the same peer.
struct OpenSession {
    std::string peer;
    void* handle = nullptr;
};

NET_API_STATUS OpenSessionTo(const SnmpLibrary& lib, const std::string& peer, void** handle, DWORD* cause) {
    static OpenSession open;
    if (open.handle != nullptr && open.peer == peer) {
        *handle = open.handle;
        return NERR_Success;
    }
    if (open.handle != nullptr) {
        lib.snmp_sess_close(open.handle);
        open = OpenSession{};
    }

    netsnmp_session session;
    lib.snmp_sess_init(&session);
    std::vector<char> peerName(peer.begin(), peer.end());
    peerName.push_back('\0');
    session.peername = peerName.data();
    session.version = GetConfiguredVersion(lib);
    if (session.version != SNMP_VERSION_3) {
        const char* community = lib.netsnmp_ds_get_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_COMMUNITY);
        if (community == nullptr) community = "public";
        session.community = reinterpret_cast<u_char*>(const_cast<char*>(community));
        session.community_len = strlen(community);
    }
    // SNMPv3 discovery, inside the opening, draws on the same budget.
    WaitBudget& budget = GetWaitBudget(lib);
    int64_t started = 0;
    if (!ShareWait(budget, &session, &started)) return Fail(ERROR_SEM_TIMEOUT, ERROR_SEM_TIMEOUT, cause);

    SetPassphraseKeys(lib, &session);
    void* opened = lib.snmp_sess_open(&session);
    if (session.version == SNMP_VERSION_3) SpendWait(budget, session, started);
    if (opened == nullptr) return ExplainOpenFailure(lib, peer, session.version, session.s_snmp_errno, cause);
    open.peer = peer;
    open.handle = opened;
    *handle = opened;
    return NERR_Success;
}

bool SameName(const SnmpLibrary& lib, const netsnmp_variable_list* v, const ObjectName& name) {
    return v->name_length == name.length && lib.snmp_oid_compare(v->name, v->name_length, name.parts, name.length) == 0;
}

void ReadValue(const netsnmp_variable_list* v, SnmpVariable* value) {
    value->type = v->type;
    value->octets.clear();
    value->number = 0;
    if (v->type == ASN_OCTET_STR && v->val.string != nullptr)
        value->octets.assign(v->val.string, v->val.string + v->val_len);
    else if (v->type == ASN_TIMETICKS && v->val.integer != nullptr)
        value->number = static_cast<int64_t>(static_cast<unsigned long>(*v->val.integer) & 0xFFFFFFFFu);
    else if (v->type == ASN_INTEGER && v->val.integer != nullptr)
        value->number = *v->val.integer;
}

// One GET of the objects still asked for. On an SNMPv1 agent's noSuchName
// the object it names is dropped from *asked and *retry is set.
NET_API_STATUS ExchangeGet(const SnmpLibrary& lib, void* handle, std::vector<size_t>* asked, SnmpAnswer* answer,
                           bool* retry, DWORD* cause) {
    *retry = false;
    WaitBudget& budget = GetWaitBudget(lib);
    netsnmp_session* session = lib.snmp_sess_session(handle);
    if (session == nullptr) return Fail(ERROR_UNEXP_NET_ERR, ERROR_UNEXP_NET_ERR, cause);
    int64_t started = 0;
    if (!ShareWait(budget, session, &started)) return Fail(ERROR_SEM_TIMEOUT, ERROR_SEM_TIMEOUT, cause);
    netsnmp_pdu* request = lib.snmp_pdu_create(SNMP_MSG_GET);
    if (request == nullptr) return Fail(ERROR_NOT_ENOUGH_MEMORY, ERROR_NOT_ENOUGH_MEMORY, cause);
    for (size_t i : *asked) lib.snmp_add_null_var(request, kAskedObjects[i].name.parts, kAskedObjects[i].name.length);
    netsnmp_pdu* response = nullptr;
    const int outcome = lib.snmp_sess_synch_response(handle, request, &response);  // Frees the request.
    SpendWait(budget, *session, started);
    if (outcome == STAT_TIMEOUT) return Fail(ERROR_SEM_TIMEOUT, ERROR_SEM_TIMEOUT, cause);
    if (outcome != STAT_SUCCESS || response == nullptr) {
        int systemError = 0, libraryError = 0;
        char* text = nullptr;
        lib.snmp_sess_error(handle, &systemError, &libraryError, &text);
        free(text);
        if (response != nullptr) lib.snmp_free_pdu(response);
        return MapLibraryError(libraryError, cause);
    }
    const long errorStatus = response->errstat;
    const long errorIndex = response->errindex;
    if (errorStatus == SNMP_ERR_NOERROR) {
        for (const netsnmp_variable_list* v = response->variables; v != nullptr; v = v->next_variable)
            for (size_t i : *asked)
                if (SameName(lib, v, kAskedObjects[i].name)) ReadValue(v, &(answer->*kAskedObjects[i].value));
        lib.snmp_free_pdu(response);
        return NERR_Success;
    }
    lib.snmp_free_pdu(response);
    if (errorStatus != SNMP_ERR_NOSUCHNAME || errorIndex < 1 || static_cast<size_t>(errorIndex) > asked->size())
        return MapErrorStatus(errorStatus, cause);
    asked->erase(asked->begin() + (errorIndex - 1));  // Stays noSuchObject.
    *retry = true;
    return NERR_Success;
}

// Where the engine time is out of view, SNMPv3 discovery has told it: the
// agent reports it with every answer, and the library keeps it per engine.
void FillEngineTimeFromDiscovery(const SnmpLibrary& lib, void* handle, SnmpAnswer* answer) {
    if (!IsMissing(answer->engineTime)) return;
    const netsnmp_session* session = lib.snmp_sess_session(handle);
    if (session == nullptr || session->version != SNMP_VERSION_3 || session->securityEngineIDLen == 0) return;
    u_int boots = 0, seconds = 0;
    if (lib.get_enginetime(session->securityEngineID, static_cast<u_int>(session->securityEngineIDLen), &boots,
                           &seconds, FALSE) != SNMPERR_SUCCESS)
        return;
    answer->engineTime = SnmpVariable{};
    answer->engineTime.type = kSnmpInteger;
    answer->engineTime.number = seconds;
}

}  // namespace

NET_API_STATUS GetRemoteAnswer(const std::string& peer, SnmpAnswer* answer, DWORD* cause) {
    *answer = SnmpAnswer{};
    *cause = ERROR_SUCCESS;
    if (!IsValidPeerName(peer)) return Fail(ERROR_INVALID_NAME, ERROR_INVALID_NAME, cause);
    const SnmpLibrary* library = LoadSnmpLibrary();
    if (library == nullptr) return Fail(ERROR_BAD_NETPATH, ERROR_BAD_NETPATH, cause);  // No way to reach any agent.
    const SnmpLibrary& lib = *library;
    InitializeLibrary(lib, peer);
    void* handle = nullptr;
    if (NET_API_STATUS status = OpenSessionTo(lib, peer, &handle, cause)) return status;

    // An SNMPv1 agent names one missing object per answer: ask again
    // without it until the rest is answered.
    std::vector<size_t> asked;
    for (size_t i = 0; i < sizeof kAskedObjects / sizeof kAskedObjects[0]; ++i) asked.push_back(i);
    bool retry = true;
    while (retry && !asked.empty())
        if (NET_API_STATUS status = ExchangeGet(lib, handle, &asked, answer, &retry, cause)) return status;
    FillEngineTimeFromDiscovery(lib, handle, answer);
    return NERR_Success;
}
