#pragma once
// Logins of the program (MST_LOGINDETAILS): added and changed from the logins window and the
// admin tool, stamped at each logon, given or denied web access. A password reaches here
// already hashed: hashing takes a noticeable moment and never runs inside a transaction.
#include "data/Database.h"

#include <optional>

namespace tarvic::logins {

// What the logins window writes. id 0 is a new login (its id taken from the counter inside the
// save); a shown one is rewritten by its id, and one deleted meanwhile is reported, not added.
struct LoginEntry {
    qint64 id = 0;
    QString name;  // USER_NAME, upper case
    QString fullName;
    QString department;  // MODULE_FOR and USER_DEPARTMENT: the rights window reads the latter
    QString designation;
    std::optional<QString> passwordHash;  // none: the stored password stays
};
qint64 save(Database& db, const LoginEntry& entry);

// A login made from the admin tool, its name in upper case: refused when the name is taken in
// any case (logon looks logins up by name, so a second one would shadow the first). An
// administrator belongs to ADMINISTRATION.
qint64 create(Database& db, const QString& name, const QString& fullName, bool admin, const QString& passwordHash);

// Deletes the login; its rights rows stay (a login added later has another id).
void remove(Database& db, qint64 id);

// Stamps the logon's date and time; rehash replaces a password kept in the old reversible
// form by its hash.
void stampLogon(Database& db, qint64 id, const std::optional<QString>& rehash);

// Sets Web_Access; false when no login has the id.
bool setWebAccess(Database& db, qint64 id, const QString& access);

}  // namespace tarvic::logins
