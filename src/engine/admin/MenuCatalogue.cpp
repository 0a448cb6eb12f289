#include "MenuCatalogue.h"

#include "data/ColumnLengths.h"

#include <QHash>

namespace tarvic::menus {

namespace {

QVariant nullInt() {
    return QVariant(QMetaType::fromType<qlonglong>());
}
QVariant nullText() {
    return QVariant(QMetaType::fromType<QString>());
}

// Whole numbers arrive as numbers from SQLite and as exact text from PostgreSQL.
QVariant asInt(const QVariant& v) {
    if (v.isNull())
        return nullInt();
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    return ok ? QVariant(n) : nullInt();
}
QVariant asText(const QVariant& v) {
    return v.isNull() ? nullText() : QVariant(v.toString());
}

const QString kDeleteRights = QStringLiteral(" DELETE FROM M_TBL_MENUSHOW  WHERE LOGIN_ID=?");
const QString kAddRight =
    QStringLiteral("INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) VALUES (?, ?, ?, ?)");

QString display(bool shown) {
    return shown ? QStringLiteral(".Enabled=TRUE") : QStringLiteral(".Enabled=FALSE");
}

}  // namespace

void grantRights(Database& db, qint64 login, const QList<Right>& rights) {
    db.transact([&] {
        db.exec(kDeleteRights, {login});
        for (const Right& r : rights)
            db.exec(kAddRight, {login, r.menu, r.show, display(r.show == QLatin1String("Y"))});
    });
}

void revokeRights(Database& db, qint64 login) {
    db.exec(kDeleteRights, {login});
}

QList<Entry> catalogue(Database& db) {
    QList<Entry> rows;
    QSqlQuery q = db.exec(QStringLiteral(" SELECT * FROM M_TBL_MENUDETAILS "));
    while (q.next())
        rows.append({asInt(q.value(QStringLiteral("MENU_ID"))), asInt(q.value(QStringLiteral("GROUP_ID"))),
                     asText(q.value(QStringLiteral("GROUP_NAME"))), asText(q.value(QStringLiteral("MENU_NAME"))),
                     asText(q.value(QStringLiteral("MENU_CAPTION")))});
    return rows;
}

void importCatalogue(Database& db, const QList<Entry>& entries, const Progress& progress) {
    const auto say = [&](const QString& text) {
        if (progress)
            progress(text);
    };
    db.transact([&] {
        for (const Entry& e : entries) {
            // A file from elsewhere may hold longer names than this catalogue's columns.
            checkTextLengths(db, QStringLiteral("M_TBL_MENUDETAILS"),
                             {{QStringLiteral("GROUP_NAME"), e.groupName},
                              {QStringLiteral("MENU_NAME"), e.menuName},
                              {QStringLiteral("MENU_CAPTION"), e.caption}});
            const bool exists =
                db.firstRow(QStringLiteral(" SELECT * FROM M_TBL_MENUDETAILS  WHERE MENU_ID=?"), {e.menuId})
                    .has_value();
            if (exists)
                db.exec(QStringLiteral("UPDATE M_TBL_MENUDETAILS SET GROUP_ID=?, GROUP_NAME=?, MENU_NAME=?, "
                                       "MENU_CAPTION=? WHERE MENU_ID=?"),
                        {e.groupId, e.groupName, e.menuName, e.caption, e.menuId});
            else
                db.exec(QStringLiteral("INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, "
                                       "MENU_CAPTION) VALUES (?, ?, ?, ?, ?)"),
                        {e.menuId, e.groupId, e.groupName, e.menuName, e.caption});
        }

        say(QStringLiteral("SETTING MENU ACCESS FOR MEMBERS  ...."));
        QList<QVariant> logins;
        {
            QSqlQuery q =
                db.exec(QStringLiteral("SELECT LOGIN_ID FROM M_TBL_MENUSHOW WHERE LOGIN_ID IS NOT NULL "
                                       "GROUP BY LOGIN_ID  ORDER BY LOGIN_ID"));
            while (q.next())
                logins.append(asInt(q.value(0)));
        }
        QList<std::pair<QVariant, QString>> menus;
        {
            QSqlQuery q = db.exec(QStringLiteral("SELECT * FROM M_TBL_MENUDETAILS ORDER BY GROUP_ID, MENU_ID "));
            while (q.next())
                menus.append(
                    {asInt(q.value(QStringLiteral("MENU_ID"))), q.value(QStringLiteral("MENU_CAPTION")).toString()});
        }
        for (const QVariant& login : logins) {
            for (const auto& [menuId, caption] : menus) {
                say(QStringLiteral("LOGIN ID : ") + login.toString() + QStringLiteral("\nMENU : ") + caption);
                const bool has =
                    db.firstRow(QStringLiteral("SELECT * FROM M_TBL_MENUSHOW  WHERE LOGIN_ID=? AND MENU_ID=?"),
                                {login, menuId})
                        .has_value();
                if (!has)
                    db.exec(kAddRight, {login, menuId, QStringLiteral("Y"), display(true)});
            }
        }
    });
}

void TransferFile::open(const QString& path, bool create) {
    file_.open(path, create ? SqliteFile::Mode::Create : SqliteFile::Mode::ReadOnly);
    try {
        file_.run(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
    } catch (...) {
        file_.close();
        throw;
    }
}

void TransferFile::ensureTable() {
    file_.run(
        QStringLiteral("CREATE TABLE IF NOT EXISTS M_Tbl_MenuDetails (Menu_Id INTEGER PRIMARY KEY, "
                       "Group_Id INTEGER, Group_Name TEXT, Menu_Name TEXT, Menu_Caption TEXT)"));
}

void TransferFile::clear() {
    file_.run(QStringLiteral(" DELETE FROM M_Tbl_MenuDetails "));
}

void TransferFile::add(const Entry& e) {
    file_.run(QStringLiteral("INSERT INTO M_Tbl_MenuDetails (Menu_Id, Group_Id, Group_Name, Menu_Name, Menu_Caption) "
                             "VALUES (?1, ?2, ?3, ?4, ?5)"),
              {asInt(e.menuId), asInt(e.groupId), asText(e.groupName), asText(e.menuName), asText(e.caption)});
}

QList<Entry> TransferFile::entries() {
    QList<Entry> out;
    QHash<QString, int> col;
    file_.run(QStringLiteral(" SELECT * FROM M_TBL_MENUDETAILS "), {}, [&](const SqliteFile::Row& r) {
        if (col.isEmpty()) {
            for (int i = 0; i < r.count(); ++i)
                col.insert(r.name(i).toUpper(), i);
        }
        out.append({r.integer(col.value(QStringLiteral("MENU_ID"))), r.integer(col.value(QStringLiteral("GROUP_ID"))),
                    r.text(col.value(QStringLiteral("GROUP_NAME"))), r.text(col.value(QStringLiteral("MENU_NAME"))),
                    r.text(col.value(QStringLiteral("MENU_CAPTION")))});
    });
    // Column names are known before the first row: an empty table with a column missing is
    // refused as well.
    if (out.isEmpty()) {
        file_.run(QStringLiteral("SELECT name FROM pragma_table_info('M_Tbl_MenuDetails')"), {},
                  [&](const SqliteFile::Row& r) { col.insert(r.string(0).toUpper(), 0); });
    }
    for (const char* name : {"MENU_ID", "GROUP_ID", "GROUP_NAME", "MENU_NAME", "MENU_CAPTION"})
        if (!col.contains(QLatin1String(name)))
            throw SqliteError(QStringLiteral("no such column: %1").arg(QLatin1String(name)), 1);
    return out;
}

}  // namespace tarvic::menus
