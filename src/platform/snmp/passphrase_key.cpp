#include "passphrase_key.h"

#include <algorithm>
#include <string>

#include "crypto_library.h"

namespace {

constexpr size_t kStretchLength = 1024 * 1024;
constexpr size_t kBlockLength = 16 * 1024;

}  // namespace

size_t ComputePassphraseKey(const char* digest, std::string_view passphrase, unsigned char* key, size_t capacity) {
    const CryptoLibrary* crypto = LoadCryptoLibrary();
    if (crypto == nullptr || passphrase.empty()) return 0;
    EVP_MD* md = crypto->EVP_MD_fetch(nullptr, digest, nullptr);
    if (md == nullptr) return 0;
    const int size = crypto->EVP_MD_get_size(md);
    EVP_MD_CTX* context = crypto->EVP_MD_CTX_new();
    bool hashed = size > 0 && static_cast<size_t>(size) <= capacity && context != nullptr &&
                  crypto->EVP_DigestInit_ex(context, md, nullptr) == 1;

    // Whole repetitions of the passphrase, so that every block of the
    // stretch starts with its first character.
    std::string block;
    const size_t repetitions = (kBlockLength + passphrase.size() - 1) / passphrase.size();
    block.reserve(repetitions * passphrase.size());
    for (size_t i = 0; i < repetitions; ++i) block += passphrase;
    for (size_t done = 0; hashed && done < kStretchLength;) {
        const size_t length = std::min(block.size(), kStretchLength - done);
        hashed = crypto->EVP_DigestUpdate(context, block.data(), length) == 1;
        done += length;
    }
    unsigned int length = 0;
    hashed = hashed && crypto->EVP_DigestFinal_ex(context, key, &length) == 1 && length == static_cast<unsigned>(size);
    crypto->OPENSSL_cleanse(block.data(), block.size());
    crypto->EVP_MD_CTX_free(context);
    crypto->EVP_MD_free(md);
    return hashed ? length : 0;
}
