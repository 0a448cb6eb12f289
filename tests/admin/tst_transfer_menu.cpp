// Carrying the menu catalogue through the transfer file: export replaces the file's
// catalogue and compacts it, import merges into the server and gives logins with rights a
// "Y" row for each entry they lack, all or nothing, with every message in its order.
#include "admin/frm_ExpImpMenuDetails.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <memory>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

// Raw access to a transfer file, independent of the window's own code.
struct RawFile {
    sqlite3* db = nullptr;
    explicit RawFile(const QString& path) { sqlite3_open(QFile::encodeName(path).constData(), &db); }
    ~RawFile() { sqlite3_close(db); }
    bool exec(const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    QStringList lines(const char* sql = "SELECT * FROM M_Tbl_MenuDetails ORDER BY Menu_Id") {
        QStringList out;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        while (st && sqlite3_step(st) == SQLITE_ROW) {
            QStringList cells;
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                cells << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
            out << cells.join(QLatin1Char('|'));
        }
        sqlite3_finalize(st);
        return out;
    }
};

QStringList catalogue(Database& db) {
    return lines(db, u"SELECT * FROM M_TBL_MENUDETAILS ORDER BY MENU_ID"_s);
}
QStringList rights(Database& db) {
    return lines(db, u"SELECT * FROM M_TBL_MENUSHOW ORDER BY LOGIN_ID, MENU_ID"_s);
}

struct Window {
    TestSession& ts;
    std::unique_ptr<frm_ExpImpMenuDetails> w;
    QStringList shown;  // every text lbl_Msg showed
    QString answer;     // what the file dialog answers
    TransferPathProvider previous;

    explicit Window(TestSession& s) : ts(s) {
        previous = setTransferPathProvider([this](QWidget*, const QString&, const QString&) { return answer; });
        w = std::make_unique<frm_ExpImpMenuDetails>(ts.session);
        QObject::connect(w.get(), &frm_ExpImpMenuDetails::progress, [this](const QString& t) { shown << t; });
        showActive(*w);
    }
    ~Window() { setTransferPathProvider(previous); }

    // Chooses the file, the direction, and presses Proceed with the given answer.
    void run(const QString& path, bool exporting, bool yes = true) {
        answer = path;
        QTest::mouseClick(w->Cmd_Browse, Qt::LeftButton);
        QTest::mouseClick(exporting ? w->Option1 : w->Option2, Qt::LeftButton);
        shown.clear();
        ts.prompter.clear();
        ts.prompter.answers = {yes};
        QTest::mouseClick(w->Cmd_Proceed, Qt::LeftButton);
    }
    QStringList said() const { return ts.prompter.texts(); }
};

const QString kQuestion = u"Want to proceed preparing Data(Y/N)?"_s;
const QString kExported = u"EXPORT SUCCESSFULLY DONE..."_s;
const QString kImported = u"IMPORT SUCCESSFULLY DONE..."_s;
const QString kRefused = u"Statement refused (injected failure)"_s;
const char* const kCreate =
    "CREATE TABLE M_Tbl_MenuDetails (Menu_Id INTEGER, Group_Id INTEGER, Group_Name TEXT, "
    "Menu_Name TEXT, Menu_Caption TEXT)";

}  // namespace

class tst_transfer_menu : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    // The source installation's catalogue differs from the seed: a caption changed, an entry
    // moved to another group, a new entry. The target lost entries and changed a caption;
    // it has logins with full, partial and no rights.
    void roundTripCarriesTheCatalogueAndGrantsMissingEntries() {
        const QString path = file(u"roundtrip.dat"_s);
        QStringList source;
        {
            TestSession ts;
            ts.db().exec(u"UPDATE M_TBL_MENUDETAILS SET MENU_CAPTION='STATE MASTER' WHERE MENU_ID=9"_s);
            ts.db().exec(u"UPDATE M_TBL_MENUDETAILS SET GROUP_ID=2, GROUP_NAME='SALES' WHERE MENU_ID=10"_s);
            ts.db().exec(
                u"INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, MENU_CAPTION) "
                "VALUES (200, 9, 'NEW GROUP', 'mnu_New', 'NEW ENTRY')"_s);
            source = catalogue(ts.db());
            Window win(ts);
            win.run(path, true);
            QCOMPARE(win.said(), (QStringList{kQuestion, kExported}));
            // Progress: connection, start, clearing, one text per row, the compaction result.
            QCOMPARE(win.shown.mid(0, 4), (QStringList{u"Please wait while connection is established with "_s + path,
                                                       u"Connection is established with "_s + path,
                                                       u"Exporting of Menu Details about to begin"_s,
                                                       u"PLEASE WAIT CLEARING PREVIOUS DETAILS ....."_s}));
            QCOMPARE(win.shown.size(), 4 + source.size() + 1);
            QVERIFY(
                win.shown.contains(u"EXPORTING MENU DETAILS.... \nMENU ID : 200\nGROUP ID : 9\n"
                                   "GROUP NAME: NEW GROUP\nMENU NAME: mnu_New\nCAPTION: NEW ENTRY"_s));
            QVERIFY(win.shown.constLast().startsWith(u"Compacting Database Result\n"_s + QString(43, QLatin1Char('-')) +
                                                     u"\nSize Before Compact: "_s));
            QVERIFY(win.shown.constLast().endsWith(u"\nSiza After Compact: %1 bytes"_s.arg(QFileInfo(path).size())));
        }
        QCOMPARE(RawFile(path).lines(), source);

        TestSession ts;
        Database& db = ts.db();
        db.exec(u"DELETE FROM M_TBL_MENUDETAILS WHERE MENU_ID IN (114, 115)"_s);
        db.exec(u"UPDATE M_TBL_MENUDETAILS SET MENU_CAPTION='OLD TEXT' WHERE MENU_ID=5"_s);
        // Login 7 has a row for every remaining entry, entry 5 denied; login 8 only two rows.
        db.exec(
            u"INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) SELECT 7, MENU_ID, "
            "CASE WHEN MENU_ID=5 THEN 'N' ELSE 'Y' END, 'OLD' FROM M_TBL_MENUDETAILS"_s);
        db.exec(
            u"INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) VALUES "
            "(8, 1, 'N', '.Enabled=FALSE'), (8, 2, 'Y', '.Enabled=TRUE')"_s);
        const QStringList before = rights(db);
        Window win(ts);
        win.run(path, false);
        QCOMPARE(win.said(), (QStringList{kQuestion, kImported}));
        QCOMPARE(catalogue(db), source);
        QCOMPARE(
            win.shown.mid(0, 5),
            (QStringList{u"Please wait while connection is established with "_s + path,
                         u"Connection is established with "_s + path, u"PLEASE WAIT..., ABOUT TO IMPORT DETAILS ..."_s,
                         u"SETTING MENU ACCESS FOR MEMBERS  ...."_s, u"LOGIN ID : 7\nMENU : COMPANY PROFILE"_s}));
        QCOMPARE(win.shown.size(), 4 + 2 * source.size());  // logins in order, entries by group then id
        QCOMPARE(win.shown.constLast(), u"LOGIN ID : 8\nMENU : NEW ENTRY"_s);

        // Every row a login had keeps its answer; login 7 gains exactly the three entries it
        // lacked, login 8 every entry but its own two.
        const QStringList after = rights(db);
        for (const QString& r : before)
            QVERIFY2(after.contains(r), qPrintable(r));
        QCOMPARE(
            lines(db,
                  u"SELECT MENU_ID, SHOW_MENU, MENU_DISP FROM M_TBL_MENUSHOW WHERE LOGIN_ID=7 AND MENU_DISP<>'OLD' "
                  "ORDER BY MENU_ID"_s),
            (QStringList{"114|Y|.Enabled=TRUE", "115|Y|.Enabled=TRUE", "200|Y|.Enabled=TRUE"}));
        QCOMPARE(count(db, u"M_TBL_MENUSHOW"_s, u"LOGIN_ID=8 AND MENU_ID>2 AND MENU_DISP='.Enabled=TRUE'"_s),
                 source.size() - 2);
        QCOMPARE(after.size(), before.size() + 3 + source.size() - 2);
        // Importing again changes nothing; the file was only read.
        win.run(path, false);
        QCOMPARE(win.said(), (QStringList{kQuestion, kImported}));
        QCOMPARE(rights(db), after);
        QCOMPARE(catalogue(db), source);
        QCOMPARE(RawFile(path).lines(), source);
    }

    void refusalsLeaveFileAndServerAsTheyWere() {
        TestSession ts;
        Database& db = ts.db();
        Window win(ts);
        auto* w = win.w.get();
        // A file that held another, larger catalogue: replaced whole, rewritten without free space.
        const QString path = file(u"kept.dat"_s);
        QVERIFY(RawFile(path).exec(kCreate) &&
                RawFile(path).exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                   "FROM n WHERE i < 3000) INSERT INTO M_Tbl_MenuDetails "
                                   "SELECT i, 1, 'OLD', 'mnu_Old' || i, 'X' FROM n"));
        win.run(path, true);
        const QStringList fileRows = RawFile(path).lines();
        QCOMPARE(fileRows, catalogue(db));
        QCOMPARE(RawFile(path).lines("PRAGMA freelist_count"), QStringList{"0"});
        // No to the question: the file is closed untouched and the message cleared.
        win.run(path, true, false);
        QCOMPARE(win.said(), QStringList{kQuestion});
        QCOMPARE(win.shown.constLast(), QString());
        QCOMPARE(RawFile(path).lines(), fileRows);

        // A missing file is not created by an import, nor is a file that is no database read,
        // nor is anything opened without a file: the reason is told, the window keeps its text.
        w->lbl_Msg->setText(u"EARLIER"_s);
        const QString missing = file(u"missing.dat"_s);
        const QString text = file(u"text.dat"_s);
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(QByteArray(4096, 'z')) == 4096);
        f.close();
        for (const auto& [chosen, exporting] :
             {std::pair{missing, false}, {text, false}, {text, true}, {QString(), true}}) {
            if (chosen.isEmpty())
                w->Load_Init();
            win.run(chosen, exporting);
            QCOMPARE(win.said().size(), 1);
            QCOMPARE(ts.prompter.messages.at(0).kind, u"information"_s);
            QCOMPARE(w->lbl_Msg->text(), u"EARLIER"_s);
        }
        QVERIFY(!QFileInfo::exists(missing));
        QCOMPARE(QFileInfo(text).size(), 4096);

        // An export the server refuses leaves the file's catalogue as it was (a cancelled
        // dialog keeps the file chosen before).
        db.exec(u"UPDATE M_TBL_MENUDETAILS SET MENU_CAPTION='CHANGED' WHERE MENU_ID=3"_s);
        win.answer = path;
        QTest::mouseClick(w->Cmd_Browse, Qt::LeftButton);
        win.answer.clear();
        QTest::mouseClick(w->Cmd_Browse, Qt::LeftButton);
        ts.prompter.clear();
        ts.prompter.answers = {true};
        db.failStatement(1);
        QTest::mouseClick(w->Cmd_Proceed, Qt::LeftButton);
        QCOMPARE(win.said(), (QStringList{kQuestion, u"EXPDATA : "_s + kRefused}));
        QCOMPARE(RawFile(path).lines(), fileRows);

        // An empty server catalogue: nothing to export, the file keeps its rows and the
        // window starts again.
        db.exec(u"DELETE FROM M_TBL_MENUDETAILS"_s);
        win.run(path, true);
        QCOMPARE(win.said(), (QStringList{kQuestion, u"NO RECORDS AVAILABLE FOR EXPORTING ...."_s}));
        QCOMPARE(RawFile(path).lines(), fileRows);
        QVERIFY(w->lbl_FilePath->text().isEmpty() && w->Option1->isChecked());
    }

    void importIsAllOrNothing() {
        TestSession ts;
        Database& db = ts.db();
        const QString path = file(u"full.dat"_s);
        Window win(ts);
        win.run(path, true);
        db.exec(u"DELETE FROM M_TBL_MENUDETAILS WHERE MENU_ID > 100"_s);
        db.exec(u"UPDATE M_TBL_MENUDETAILS SET MENU_CAPTION='LOCAL' WHERE MENU_ID=4"_s);
        db.exec(u"INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU) VALUES (3, 1, 'Y')"_s);
        const Footprint before = footprint(db, {u"M_TBL_MENUDETAILS"_s, u"M_TBL_MENUSHOW"_s});
        // A statement refused early or late (while granting rights) takes back every row written.
        for (int n : {3, 240}) {
            db.failStatement(n);
            win.run(path, false);
            QCOMPARE(win.said(), (QStringList{kQuestion, u"IMPDATA : "_s + kRefused}));
            QVERIFY(footprint(db, {u"M_TBL_MENUDETAILS"_s, u"M_TBL_MENUSHOW"_s}) == before);
        }
        // A file whose catalogue is empty: nothing to import; a file without the table: why.
        const QString empty = file(u"empty.dat"_s), bare = file(u"bare.dat"_s);
        QVERIFY(RawFile(empty).exec(kCreate) && RawFile(bare).exec("CREATE TABLE OTHER (X INTEGER)"));
        win.run(empty, false);
        QCOMPARE(win.said(), (QStringList{kQuestion, u"NO RECORDS AVAILABLE FOR IMPORT ...."_s}));
        win.run(bare, false);
        QVERIFY(win.said().size() == 2 && win.said().at(1).startsWith(u"IMPDATA : "_s));
        QVERIFY(footprint(db, {u"M_TBL_MENUDETAILS"_s, u"M_TBL_MENUSHOW"_s}) == before);
    }
};

QTEST_MAIN(tst_transfer_menu)
#include "tst_transfer_menu.moc"
