// Internal to the platform layer: net-snmp, loaded at the first remote
// query. Loading it brings in OpenSSL, which would cost every run on this
// machine about two milliseconds at start-up when linked in.
#pragma once

#include "../loaded_functions.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <net-snmp/library/lcd_time.h>

#define CORVANE_SNMP_FUNCTIONS(X)                                                                              \
    X(get_default_authtype) X(get_enginetime) X(init_snmp) X(init_snmpv3_post_config) X(netsnmp_ds_get_int) X(netsnmp_ds_get_string)     \
    X(netsnmp_ds_set_boolean) X(netsnmp_ds_set_string) X(netsnmp_register_callback) X(snmp_add_null_var)      \
    X(snmp_enable_calllog) X(snmp_free_pdu) X(snmp_oid_compare) X(snmp_pdu_create) X(snmp_sess_close)         \
    X(snmp_sess_error) X(snmp_sess_init) X(snmp_sess_open) X(snmp_sess_session) X(snmp_sess_synch_response) \
    X(snmp_unregister_callback)

// The library's functions, each with the type its header declares.
struct SnmpLibrary {
    CORVANE_SNMP_FUNCTIONS(CORVANE_DECLARE_FUNCTION)
};

// The loaded library, or nullptr when it or one of its functions is missing.
const SnmpLibrary* LoadSnmpLibrary();
