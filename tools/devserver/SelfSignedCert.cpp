#include "SelfSignedCert.h"

#include <openssl/bn.h>
#include <openssl/ec.h>
#include <openssl/err.h>
#include <openssl/x509v3.h>

namespace devserver {

namespace {

constexpr long kValidSeconds = 365L * 24 * 3600;

std::string lastOpenSslError(const char *step)
{
    char text[256] = {0};
    ERR_error_string_n(ERR_get_error(), text, sizeof(text));
    return std::string(step) + ": " + text;
}

bool addExtension(X509 *cert, int nid, const char *value)
{
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, cert, cert, nullptr, nullptr, 0);
    X509_EXTENSION *ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    if (!ext)
        return false;
    const bool added = X509_add_ext(cert, ext, -1) == 1;
    X509_EXTENSION_free(ext);
    return added;
}

} // namespace

SelfSignedCert SelfSignedCert::make(std::string *error)
{
    SelfSignedCert out;
    // P-256: made in a millisecond, and every TLS client here speaks it.
    std::unique_ptr<EVP_PKEY, KeyFree> key(EVP_EC_gen("P-256"));
    if (!key) {
        *error = lastOpenSslError("key");
        return out;
    }
    std::unique_ptr<X509, CertFree> cert(X509_new());
    if (!cert) {
        *error = lastOpenSslError("certificate");
        return out;
    }
    X509 *c = cert.get();
    X509_set_version(c, 2);
    // A random serial, so clients that remember certificates never meet the
    // same serial with another key.
    BIGNUM *serial = BN_new();
    if (!serial || !BN_rand(serial, 64, BN_RAND_TOP_ANY, BN_RAND_BOTTOM_ANY)
        || !BN_to_ASN1_INTEGER(serial, X509_get_serialNumber(c))) {
        BN_free(serial);
        *error = lastOpenSslError("serial");
        return out;
    }
    BN_free(serial);
    // An hour back, for clocks that differ a little.
    X509_gmtime_adj(X509_getm_notBefore(c), -3600);
    X509_gmtime_adj(X509_getm_notAfter(c), kValidSeconds);
    X509_NAME *name = X509_get_subject_name(c);
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char *>("Glimora demo server"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char *>("127.0.0.1"),
                               -1, -1, 0);
    X509_set_issuer_name(c, name);
    X509_set_pubkey(c, key.get());
    if (!addExtension(c, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost")
        || !addExtension(c, NID_basic_constraints, "critical,CA:FALSE")
        || !addExtension(c, NID_ext_key_usage, "serverAuth")) {
        *error = lastOpenSslError("extensions");
        return out;
    }
    if (X509_sign(c, key.get(), EVP_sha256()) == 0) {
        *error = lastOpenSslError("signature");
        return out;
    }
    out.key = std::move(key);
    out.cert = std::move(cert);
    return out;
}

} // namespace devserver
