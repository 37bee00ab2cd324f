#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>
#include <string>

namespace devserver {

// A key and a self-signed certificate for 127.0.0.1 and localhost, made in
// memory at start-up: nothing is written to disk, and every run has its own.
struct SelfSignedCert
{
    struct KeyFree { void operator()(EVP_PKEY *key) const { EVP_PKEY_free(key); } };
    struct CertFree { void operator()(X509 *cert) const { X509_free(cert); } };

    std::unique_ptr<EVP_PKEY, KeyFree> key;
    std::unique_ptr<X509, CertFree> cert;

    // Empty pointers and *error set when OpenSSL refuses.
    static SelfSignedCert make(std::string *error);
};

} // namespace devserver
