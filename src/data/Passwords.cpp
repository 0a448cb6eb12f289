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

namespace {
// The workstations' single-byte code page (Windows-1252): 0x80 to 0x9F hold printable
// characters there, and the key raises ordinary letters into that range ('a' + '7' is
// 0x98, "~" as a small tilde), so a stored form read back from an existing database holds
// those characters, not the Latin-1 control codes. Undefined bytes keep their C1 codes.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QByteArray toCp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        char b = '?';  // as the code page shows a character it does not have
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            b = static_cast<char>(u);
        } else {
            for (int i = 0; i < 32; ++i)
                if (kCp1252High[i] == u) {
                    b = static_cast<char>(0x80 + i);
                    break;
                }
        }
        out.append(b);
    }
    return out;
}

QString fromCp1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out.append(b >= 0x80 && b < 0xA0 ? QChar(kCp1252High[b - 0x80]) : QChar(b));
    }
    return out;
}

// The transform on code-page bytes; an empty key leaves the text unchanged.
QByteArray transform(const QByteArray& in, const QByteArray& k) {
    QByteArray out(in.size(), '\0');
    for (qsizetype i = 1; i <= in.size(); ++i) {
        const auto c = static_cast<unsigned char>(in[i - 1]);
        const auto kc = static_cast<unsigned char>(k[i % k.size()]);
        out[i - 1] = static_cast<char>((c + kc) & 0xFF);
    }
    return out;
}
}  // namespace

QString EnCrypt(const QString& text, const QString& key) {
    const QByteArray k = toCp1252(key.toUpper());
    if (k.isEmpty())
        return text;
    return fromCp1252(transform(toCp1252(text), k));
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
    const QByteArray bytes = transform(toCp1252(typed), QByteArray(kKey));
    // A stored form carried over byte for byte may have been read as Latin-1 instead.
    return fromCp1252(bytes) == stored || QString::fromLatin1(bytes) == stored ? Match::YesLegacy : Match::No;
}

}  // namespace tarvic::Passwords
