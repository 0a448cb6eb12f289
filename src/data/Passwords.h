#pragma once
// How logins' passwords are kept. New and changed passwords are stored as argon2id hashes;
// the old reversible transform is kept only to recognise passwords stored by an existing
// database, which are re-stored as a hash at their first successful logon.
#include <QString>

namespace tarvic::Passwords {

// The fixed one-digit key of the old transform.
inline constexpr const char* kKey = "7";

// The old transform: each character's code in the workstations' code page (Windows-1252)
// raised by the key character's code, low 8 bits. The result has the text's length.
QString EnCrypt(const QString& text, const QString& key = QString::fromLatin1(kKey));

// An argon2id hash (about 19 MiB, 2 passes) in its self-describing text form.
QString hash(const QString& password);

enum class Match { No, Yes, YesLegacy };
// Checks a typed password against its stored form. YesLegacy: it matched the old transform
// and should be re-stored with hash().
Match verify(const QString& typed, const QString& stored);
bool isHash(const QString& stored);

}  // namespace tarvic::Passwords
