#include "TrustedCertificates.h"

#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <memory>

namespace OrbiskSDK::Detail {

bool AddTrustedCertificatesFromPemFile(void* sslContext, const std::string& path, std::string& error)
{
    std::unique_ptr<BIO, decltype(&BIO_free)> file(BIO_new_file(path.c_str(), "r"), &BIO_free);
    if (!file) {
        error = "Cannot read the trusted certificates in \"" + path + "\".";
        return false;
    }
    std::unique_ptr<STACK_OF(X509_INFO), void (*)(STACK_OF(X509_INFO)*)> infos(
        PEM_X509_INFO_read_bio(file.get(), nullptr, nullptr, nullptr),
        [](STACK_OF(X509_INFO) * s) { sk_X509_INFO_pop_free(s, X509_INFO_free); });
    X509_STORE* store = SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(sslContext));
    int added = 0;
    if (infos && store) {
        for (int i = 0; i < sk_X509_INFO_num(infos.get()); ++i) {
            X509_INFO* info = sk_X509_INFO_value(infos.get(), i);
            if (info->x509 && X509_STORE_add_cert(store, info->x509) == 1) ++added;
        }
    }
    if (added == 0) {
        error = "No usable certificate in \"" + path + "\".";
        return false;
    }
    return true;
}

}  // namespace OrbiskSDK::Detail
