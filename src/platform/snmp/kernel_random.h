// Internal to the platform layer: an OpenSSL random generator that takes its
// bytes straight from the kernel's (getrandom), offered by a provider of the
// tool's own.
#pragma once

#include "crypto_library.h"

// Registers the generator and names it as the one OpenSSL creates for
// RAND_bytes, in place of its default (CTR_DRBG), which builds its cipher on
// first use. Call before the configuration is read, so that a "random"
// section there still decides.
void OfferKernelRandom(const CryptoLibrary& crypto);

// Call once the configuration is read: loads the generator's provider beside
// those the configuration loaded, and where the configuration leaves no room
// for the generator (a policy that admits only FIPS algorithms), gives
// OpenSSL back its own.
void LoadKernelRandom(const CryptoLibrary& crypto);
