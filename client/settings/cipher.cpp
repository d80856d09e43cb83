// encipher / decipher: libsodium secret box keyed from the fixed key text,
// nonce first, the whole as base64 so the INI value survives any byte.

#include "client/settings/credentials.h"

#include "client/web/text.h"

#include <sodium.h>

#include <array>
#include <vector>

namespace settings {

namespace {

using Key = std::array<unsigned char, crypto_secretbox_KEYBYTES>;

bool sodium_ready()
{
    static const bool ready = ::sodium_init() >= 0;
    return ready;
}

const Key& cipher_key()
{
    static const Key key = [] {
        Key k{};
        const std::string text = web::utf8_to_gbk("青松");
        crypto_generichash(k.data(), k.size(), reinterpret_cast<const unsigned char*>(text.data()),
                           text.size(), nullptr, 0);
        return k;
    }();
    return key;
}

}  // namespace

std::string encipher(const std::string& text)
{
    if (!sodium_ready())
        return {};
    std::vector<unsigned char> sealed(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES +
                                      text.size());
    unsigned char* nonce = sealed.data();
    ::randombytes_buf(nonce, crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(nonce + crypto_secretbox_NONCEBYTES,
                          reinterpret_cast<const unsigned char*>(text.data()), text.size(), nonce,
                          cipher_key().data());
    std::string out(sodium_base64_ENCODED_LEN(sealed.size(), sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(out.data(), out.size(), sealed.data(), sealed.size(),
                      sodium_base64_VARIANT_ORIGINAL);
    out.resize(out.find('\0'));
    return out;
}

std::string decipher(const std::string& value)
{
    if (!sodium_ready() || value.empty())
        return {};
    std::vector<unsigned char> sealed(value.size());
    std::size_t length = 0;
    if (sodium_base642bin(sealed.data(), sealed.size(), value.data(), value.size(), nullptr,
                          &length, nullptr, sodium_base64_VARIANT_ORIGINAL) != 0)
        return {};
    if (length < crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES)
        return {};
    const unsigned char* nonce = sealed.data();
    const std::size_t boxed = length - crypto_secretbox_NONCEBYTES;
    std::string text(boxed - crypto_secretbox_MACBYTES, '\0');
    if (crypto_secretbox_open_easy(reinterpret_cast<unsigned char*>(text.data()),
                                   nonce + crypto_secretbox_NONCEBYTES, boxed, nonce,
                                   cipher_key().data()) != 0)
        return {};
    return text;
}

}  // namespace settings
