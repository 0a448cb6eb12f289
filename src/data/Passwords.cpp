#include "Passwords.h"

#include <sodium.h>

#include <stdexcept>

namespace tarvic::Passwords {

namespace {
constexpr unsigned long long kOps = 2;
constexpr size_t kMem = 19u * 1024u * 1024u;

void initSodium() {
    static const bool ok = sodium_init() >= 0;
    if (!ok)
        throw std::runtime_error("libsodium could not be initialised");
}
}  // namespace

QString EnCrypt(const QString& text, const QString& key) {
    const QByteArray k = key.toUpper().toLatin1();
    if (k.isEmpty())
        return text;
    const QByteArray in = text.toLatin1();
    QByteArray out(in.size(), '\0');
    for (qsizetype i = 1; i <= in.size(); ++i) {
        const auto c = static_cast<unsigned char>(in[i - 1]);
        const auto kc = static_cast<unsigned char>(k[(i % k.size())]);
        out[i - 1] = static_cast<char>((c + kc) & 0xFF);
    }
    return QString::fromLatin1(out);
}

QString hash(const QString& password) {
    initSodium();
    const QByteArray pw = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, pw.constData(), static_cast<unsigned long long>(pw.size()), kOps, kMem,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return QString::fromLatin1(out);
}

bool isHash(const QString& stored) { return stored.startsWith(QLatin1String("$argon2id$")); }

Match verify(const QString& typed, const QString& stored) {
    if (isHash(stored)) {
        initSodium();
        const QByteArray pw = typed.toUtf8();
        const QByteArray st = stored.toLatin1();
        return crypto_pwhash_str_verify(st.constData(), pw.constData(), static_cast<unsigned long long>(pw.size())) == 0
                   ? Match::Yes : Match::No;
    }
    if (stored.isEmpty())
        return Match::No;
    return EnCrypt(typed) == stored ? Match::YesLegacy : Match::No;
}

}  // namespace tarvic::Passwords
