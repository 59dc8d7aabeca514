#include "snmp_client.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "session_keys.h"
#include "snmp_library.h"
#include "snmp_peer.h"
#include "snmp_start.h"

static_assert(kSnmpOctetString == ASN_OCTET_STR && kSnmpTimeTicks == ASN_TIMETICKS);
static_assert(kSnmpNoSuchObject == SNMP_NOSUCHOBJECT && kSnmpNoSuchInstance == SNMP_NOSUCHINSTANCE &&
              kSnmpEndOfMibView == SNMP_ENDOFMIBVIEW);

namespace {

// Without a configured timeout a silent agent is given up on within this
// time, shared among the tries.
constexpr long kDefaultWaitMicroseconds = 2500000;

struct ObjectName {
    oid parts[MAX_OID_LEN];
    size_t length;
};

const ObjectName& GetObjectName(RemoteObject object) {
    static const ObjectName kSystemDate = {{1, 3, 6, 1, 2, 1, 25, 1, 2, 0}, 10};
    static const ObjectName kSystemUptime = {{1, 3, 6, 1, 2, 1, 25, 1, 1, 0}, 10};
    static const ObjectName kSysUpTime = {{1, 3, 6, 1, 2, 1, 1, 3, 0}, 9};
    switch (object) {
        case RemoteObject::SystemDate: return kSystemDate;
        case RemoteObject::SystemUptime: return kSystemUptime;
        case RemoteObject::SysUpTime: break;
    }
    return kSysUpTime;
}

// The library reads the client configuration (snmp.conf and snmpapp.conf
// along its search path, "SNMPCONFPATH") as its own commands do. It loads no
// MIB files, keeps no persistent state and logs nowhere.
void InitializeLibrary(const SnmpLibrary& lib, const std::string& peer) {
    static const bool initialized = [&lib, &peer] {
        setenv("MIBS", "", 1);
        setenv("MIBDIRS", "", 1);
        lib.netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        lib.netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        // Nothing can be created below a device file, so the library's
        // index directories are never made.
        lib.netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, "/dev/null");
        // A callback log with no callback registered: messages go nowhere
        // rather than to standard error.
        lib.snmp_enable_calllog();
        // The library sets the character-type locale from the environment;
        // the tool keeps the runtime's own.
        const char* current = setlocale(LC_CTYPE, nullptr);
        const std::string locale = current != nullptr ? current : "C";
        StartSnmpLibrary(lib, peer);
        setlocale(LC_CTYPE, locale.c_str());
        return true;
    }();
    (void)initialized;
}

NET_API_STATUS MapLibraryError(int error) {
    switch (error) {
        case SNMPERR_TIMEOUT: return ERROR_SEM_TIMEOUT;
        case SNMPERR_MALLOC: return ERROR_NOT_ENOUGH_MEMORY;
        case SNMPERR_BAD_ADDRESS:
        case SNMPERR_BAD_LOCPORT:
        case SNMPERR_NO_SOCKET:
        case SNMPERR_BAD_SENDTO:
        case SNMPERR_TRANSPORT_NO_CONFIG:
        case SNMPERR_TRANSPORT_CONFIG_ERROR: return ERROR_BAD_NETPATH;
        case SNMPERR_AUTHENTICATION_FAILURE:
        case SNMPERR_USM_AUTHENTICATIONFAILURE:
        case SNMPERR_UNKNOWN_USER_NAME:
        case SNMPERR_USM_UNKNOWNSECURITYNAME:
        case SNMPERR_UNSUPPORTED_SEC_LEVEL:
        case SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL:
        case SNMPERR_DECRYPTION_ERR:
        case SNMPERR_USM_DECRYPTIONERROR:
        case SNMPERR_NOT_IN_TIME_WINDOW:
        case SNMPERR_USM_NOTINTIMEWINDOW:
        case SNMPERR_UNKNOWN_ENG_ID:
        case SNMPERR_USM_UNKNOWNENGINEID:
        case SNMPERR_BAD_SEC_NAME:
        case SNMPERR_BAD_SEC_LEVEL:
        case SNMPERR_BAD_COMMUNITY:
        case SNMPERR_NOAUTH_DESPRIV:
        case SNMPERR_KT_NOT_AVAILABLE: return ERROR_ACCESS_DENIED;
        default: return ERROR_UNEXP_NET_ERR;
    }
}

NET_API_STATUS MapErrorStatus(long status) {
    switch (status) {
        case SNMP_ERR_NOSUCHNAME: return ERROR_NOT_SUPPORTED;
        case SNMP_ERR_NOACCESS:
        case SNMP_ERR_AUTHORIZATIONERROR: return ERROR_ACCESS_DENIED;
        default: return ERROR_UNEXP_NET_ERR;
    }
}

// One session per run: the second query reuses the first one's transport
// and, for SNMPv3, its discovered engine.
struct OpenSession {
    std::string peer;
    void* handle = nullptr;
};

NET_API_STATUS OpenSessionTo(const SnmpLibrary& lib, const std::string& peer, void** handle) {
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

    // With no defVersion configured: SNMPv2c, whatever version the library
    // was built to default to.
    switch (lib.netsnmp_ds_get_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_SNMPVERSION)) {
        case NETSNMP_DS_SNMP_VERSION_1: session.version = SNMP_VERSION_1; break;
        case NETSNMP_DS_SNMP_VERSION_3: session.version = SNMP_VERSION_3; break;
        default: session.version = SNMP_VERSION_2c; break;
    }
    if (session.version != SNMP_VERSION_3) {
        const char* community = lib.netsnmp_ds_get_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_COMMUNITY);
        if (community == nullptr) community = "public";
        session.community = reinterpret_cast<u_char*>(const_cast<char*>(community));
        session.community_len = strlen(community);
    }
    if (lib.netsnmp_ds_get_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_TIMEOUT) <= 0) {
        int retries = lib.netsnmp_ds_get_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_RETRIES);
        if (retries < 0) retries = 0;
        session.retries = retries;
        session.timeout = kDefaultWaitMicroseconds / (retries + 1L);
    }

    SetPassphraseKeys(lib, &session);
    void* opened = lib.snmp_sess_open(&session);
    if (opened == nullptr) {
        const NET_API_STATUS status = MapLibraryError(session.s_snmp_errno);
        return status == ERROR_UNEXP_NET_ERR ? ERROR_BAD_NETPATH : status;
    }
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
        value->number = static_cast<unsigned long>(*v->val.integer) & 0xFFFFFFFFu;
}

}  // namespace

NET_API_STATUS GetRemoteObjects(const std::string& peer, const RemoteObject* objects, size_t count,
                                SnmpVariable* values) {
    for (size_t i = 0; i < count; ++i) values[i] = SnmpVariable{};
    if (!IsValidPeerName(peer)) return ERROR_INVALID_NAME;
    const SnmpLibrary* library = LoadSnmpLibrary();
    if (library == nullptr) return ERROR_BAD_NETPATH;  // No way to reach any agent.
    const SnmpLibrary& lib = *library;
    InitializeLibrary(lib, peer);
    void* handle = nullptr;
    if (NET_API_STATUS status = OpenSessionTo(lib, peer, &handle)) return status;

    // An SNMPv1 agent names one missing object per answer: ask again
    // without it until the rest is answered.
    std::vector<size_t> asked;
    for (size_t i = 0; i < count; ++i) asked.push_back(i);
    while (!asked.empty()) {
        netsnmp_pdu* request = lib.snmp_pdu_create(SNMP_MSG_GET);
        if (request == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
        for (size_t i : asked) {
            const ObjectName& name = GetObjectName(objects[i]);
            lib.snmp_add_null_var(request, name.parts, name.length);
        }
        netsnmp_pdu* response = nullptr;
        const int outcome = lib.snmp_sess_synch_response(handle, request, &response);  // Frees the request.
        if (outcome == STAT_TIMEOUT) return ERROR_SEM_TIMEOUT;
        if (outcome != STAT_SUCCESS || response == nullptr) {
            int systemError = 0, libraryError = 0;
            char* text = nullptr;
            lib.snmp_sess_error(handle, &systemError, &libraryError, &text);
            free(text);
            if (response != nullptr) lib.snmp_free_pdu(response);
            return MapLibraryError(libraryError);
        }
        const long errorStatus = response->errstat;
        const long errorIndex = response->errindex;
        if (errorStatus == SNMP_ERR_NOERROR) {
            for (const netsnmp_variable_list* v = response->variables; v != nullptr; v = v->next_variable)
                for (size_t i : asked)
                    if (SameName(lib, v, GetObjectName(objects[i]))) ReadValue(v, &values[i]);
            lib.snmp_free_pdu(response);
            return NERR_Success;
        }
        lib.snmp_free_pdu(response);
        if (errorStatus != SNMP_ERR_NOSUCHNAME || errorIndex < 1 || static_cast<size_t>(errorIndex) > asked.size())
            return MapErrorStatus(errorStatus);
        asked.erase(asked.begin() + (errorIndex - 1));  // Stays noSuchObject.
    }
    return NERR_Success;
}
