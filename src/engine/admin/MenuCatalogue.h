#pragma once
// The menu catalogue (M_TBL_MENUDETAILS) and each login's rights over it (M_TBL_MENUSHOW): the
// rights window replaces a login's rows as a whole, and the catalogue travels between
// installations in a transfer file, a SQLite file of the one table M_Tbl_MenuDetails.
#include "data/Database.h"
#include "data/SqliteFile.h"

#include <functional>

namespace tarvic::menus {

// One right of a login: the entry, and "Y" when it is shown.
struct Right {
    qint64 menu = 0;
    QString show;
};
// The login's rights become these, all of them or none.
void grantRights(Database& db, qint64 login, const QList<Right>& rights);
// The login keeps no rights rows.
void revokeRights(Database& db, qint64 login);

// One catalogue entry as it travels; a null value stays null on the other side.
struct Entry {
    QVariant menuId, groupId, groupName, menuName, caption;
};
// The server's catalogue, in its stored order.
QList<Entry> catalogue(Database& db);

using Progress = std::function<void(const QString&)>;
// Merges entries into the server's catalogue (MENU_ID names an entry: one moved to another
// group is updated, not added twice), then gives every login that has rights rows a shown row
// for each entry it lacks; one transaction. progress hears each step.
void importCatalogue(Database& db, const QList<Entry>& entries, const Progress& progress);

// The transfer file. An export may create it; an import needs an existing one. A file that is
// no database is refused on opening (SqliteError).
class TransferFile {
public:
    void open(const QString& path, bool create);
    void close() { file_.close(); }
    bool isOpen() const { return file_.isOpen(); }

    void begin() { file_.begin(); }
    void commit() { file_.commit(); }
    void rollback() { file_.rollback(); }

    // A new or empty file gets the table; a file that has it keeps its own.
    void ensureTable();
    void clear();
    void add(const Entry& e);
    // Refused (SqliteError) when the file's table lacks a column of an entry.
    QList<Entry> entries();

private:
    SqliteFile file_;
};

}  // namespace tarvic::menus
