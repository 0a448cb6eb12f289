// Carrying the menu catalogue through the transfer file: export replaces the file's
// catalogue and compacts it, import merges into the server and gives logins with rights a
// "Y" row for each entry they lack, all or nothing, with every message in its order.
#include "support/Drive.h"
#include "admin/frm_ExpImpMenuDetails.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <memory>

using namespace tarvic;
using namespace tarvic::test;

namespace {

// Raw access to a transfer file, independent of the window's own code.
struct RawFile {
    sqlite3* db = nullptr;
    explicit RawFile(const QString& path) { sqlite3_open(QFile::encodeName(path).constData(), &db); }
    ~RawFile() { sqlite3_close(db); }
    bool exec(const QByteArray& sql) { return sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK; }
    qint64 number(const QByteArray& sql) {
        sqlite3_stmt* st = nullptr;
        qint64 n = -1;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            n = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        return n;
    }
    QStringList rows() {
        QStringList out;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT Menu_Id, Group_Id, Group_Name, Menu_Name, Menu_Caption FROM M_Tbl_MenuDetails ORDER BY Menu_Id",
                           -1, &st, nullptr);
        while (st && sqlite3_step(st) == SQLITE_ROW) {
            QStringList cells;
            for (int c = 0; c < 5; ++c)
                cells << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
            out << cells.join(QLatin1Char('|'));
        }
        sqlite3_finalize(st);
        return out;
    }
};

QStringList catalogue(Database& db) {
    QStringList out;
    QSqlQuery q = db.exec(QStringLiteral("SELECT MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, MENU_CAPTION FROM M_TBL_MENUDETAILS ORDER BY MENU_ID"));
    while (q.next()) {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells << q.value(c).toString();
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

// "LOGIN|MENU|SHOW|DISP" rows of the rights table.
QStringList rights(Database& db) {
    QStringList out;
    QSqlQuery q = db.exec(QStringLiteral("SELECT LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP FROM M_TBL_MENUSHOW ORDER BY LOGIN_ID, MENU_ID"));
    while (q.next())
        out << QStringLiteral("%1|%2|%3|%4").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString());
    return out;
}

struct Window {
    TestSession& ts;
    std::unique_ptr<frm_ExpImpMenuDetails> w;
    QStringList shown;  // every text lbl_Msg showed
    QString answer;     // what the file dialog answers
    QStringList asked;  // title|filter of each dialog
    TransferPathProvider previous;

    explicit Window(TestSession& s) : ts(s) {
        previous = setTransferPathProvider([this](QWidget*, const QString& title, const QString& filter) {
            asked << title + QLatin1Char('|') + filter;
            return answer;
        });
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
};

const QString kQuestion = QStringLiteral("Want to proceed preparing Data(Y/N)?");

}  // namespace

class tst_transfer_menu : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void loadInitChoosesExportAndCaptionsFollow() {
        TestSession ts;
        Window win(ts);
        auto* w = win.w.get();
        QCOMPARE(w->windowTitle(), QStringLiteral("Export - Import Menu Details"));
        QVERIFY(w->Option1->isChecked());
        QVERIFY(w->lbl_FilePath->text().isEmpty());
        QCOMPARE(w->Cmd_Proceed->text(), QStringLiteral("&Proceed Export Menu"));
        QTest::mouseClick(w->Option2, Qt::LeftButton);
        QCOMPARE(w->Cmd_Proceed->text(), QStringLiteral("&Proceed Import Menu"));

        win.answer = file(QStringLiteral("chosen.dat"));
        QTest::mouseClick(w->Cmd_Browse, Qt::LeftButton);
        QCOMPARE(win.asked, QStringList{QStringLiteral("SELECT FILE FOR EXPORT/IMPORT|SELECT FILES (*.dat)")});
        QCOMPARE(w->lbl_FilePath->text(), win.answer);
        // A cancelled dialog keeps the file chosen before.
        win.answer.clear();
        QTest::mouseClick(w->Cmd_Browse, Qt::LeftButton);
        QCOMPARE(w->lbl_FilePath->text(), file(QStringLiteral("chosen.dat")));
        shoot(*w, QStringLiteral("frm_ExpImpMenuDetails"));

        w->Load_Init();
        QVERIFY(w->Option1->isChecked() && w->lbl_FilePath->text().isEmpty());
        QCOMPARE(w->Cmd_Proceed->text(), QStringLiteral("&Proceed Export Menu"));
    }

    // The source installation's catalogue differs from the seed: a caption changed, an entry
    // moved to another group, a new entry. The target lost entries and changed a caption;
    // it has logins with full, partial and no rights.
    void roundTripCarriesTheCatalogueAndGrantsMissingEntries() {
        const QString path = file(QStringLiteral("roundtrip.dat"));
        QStringList source;
        {
            TestSession ts;
            ts.db().exec(QStringLiteral("UPDATE M_TBL_MENUDETAILS SET MENU_CAPTION=? WHERE MENU_ID=?"), {QStringLiteral("STATE MASTER"), 9});
            ts.db().exec(QStringLiteral("UPDATE M_TBL_MENUDETAILS SET GROUP_ID=?, GROUP_NAME=? WHERE MENU_ID=?"),
                         {2, QStringLiteral("SALES"), 10});
            ts.db().exec(QStringLiteral("INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, MENU_CAPTION) "
                                        "VALUES (?, ?, ?, ?, ?)"),
                         {200, 9, QStringLiteral("NEW GROUP"), QStringLiteral("mnu_New"), QStringLiteral("NEW ENTRY")});
            source = catalogue(ts.db());
            Window win(ts);
            win.run(path, true);
            QCOMPARE(ts.prompter.texts(), (QStringList{kQuestion, QStringLiteral("EXPORT SUCCESSFULLY DONE...")}));
            QCOMPARE(ts.prompter.messages.at(0).kind, QStringLiteral("question"));
            QCOMPARE(ts.prompter.messages.at(1).kind, QStringLiteral("information"));
            QCOMPARE(ts.prompter.messages.at(1).title, QStringLiteral("Morvane"));
            // Progress: connection, start, clearing, one text per row, the compaction result.
            QCOMPARE(win.shown.mid(0, 4),
                     (QStringList{QStringLiteral("Please wait while connection is established with ") + path,
                                  QStringLiteral("Connection is established with ") + path,
                                  QStringLiteral("Exporting of Menu Details about to begin"),
                                  QStringLiteral("PLEASE WAIT CLEARING PREVIOUS DETAILS .....")}));
            QCOMPARE(win.shown.size(), 4 + source.size() + 1);
            QVERIFY(win.shown.contains(QStringLiteral("EXPORTING MENU DETAILS.... \nMENU ID : 200\nGROUP ID : 9\n"
                                                      "GROUP NAME: NEW GROUP\nMENU NAME: mnu_New\nCAPTION: NEW ENTRY")));
            const QString result = win.shown.constLast();
            QVERIFY2(result.startsWith(QStringLiteral("Compacting Database Result\n") + QString(43, QLatin1Char('-')) +
                                       QStringLiteral("\nSize Before Compact: ")),
                     qPrintable(result));
            QVERIFY(result.endsWith(QStringLiteral("\nSiza After Compact: ") + QString::number(QFileInfo(path).size()) +
                                    QStringLiteral(" bytes")));
            QCOMPARE(win.w->lbl_Msg->text(), result);
        }
        QCOMPARE(RawFile(path).rows(), source);

        TestSession ts;
        Database& db = ts.db();
        db.exec(QStringLiteral("DELETE FROM M_TBL_MENUDETAILS WHERE MENU_ID IN (?, ?)"), {114, 115});
        db.exec(QStringLiteral("UPDATE M_TBL_MENUDETAILS SET MENU_CAPTION=? WHERE MENU_ID=?"), {QStringLiteral("OLD TEXT"), 5});
        // Login 7 has a row for every remaining entry, entry 5 denied; login 8 only two rows.
        QSqlQuery ids = db.exec(QStringLiteral("SELECT MENU_ID FROM M_TBL_MENUDETAILS"));
        QVariantList menuIds;
        while (ids.next())
            menuIds << ids.value(0);
        ids.finish();
        for (const QVariant& id : menuIds)
            db.exec(QStringLiteral("INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) VALUES (?, ?, ?, ?)"),
                    {7, id, id.toInt() == 5 ? QStringLiteral("N") : QStringLiteral("Y"),
                     id.toInt() == 5 ? QStringLiteral(".Enabled=FALSE") : QStringLiteral(".Enabled=TRUE")});
        db.exec(QStringLiteral("INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) VALUES "
                               "(8, 1, 'N', '.Enabled=FALSE'), (8, 2, 'Y', '.Enabled=TRUE')"));
        const QStringList before = rights(db);

        Window win(ts);
        win.run(path, false);
        QCOMPARE(ts.prompter.texts(), (QStringList{kQuestion, QStringLiteral("IMPORT SUCCESSFULLY DONE...")}));
        QCOMPARE(catalogue(db), source);
        QCOMPARE(win.shown.mid(0, 4),
                 (QStringList{QStringLiteral("Please wait while connection is established with ") + path,
                              QStringLiteral("Connection is established with ") + path,
                              QStringLiteral("PLEASE WAIT..., ABOUT TO IMPORT DETAILS ..."),
                              QStringLiteral("SETTING MENU ACCESS FOR MEMBERS  ....")}));
        // Logins in order, entries by group then id: the first is login 7's first entry.
        QCOMPARE(win.shown.at(4), QStringLiteral("LOGIN ID : 7\nMENU : COMPANY PROFILE"));
        QCOMPARE(win.shown.size(), 4 + 2 * source.size());
        QCOMPARE(win.shown.constLast(), QStringLiteral("LOGIN ID : 8\nMENU : NEW ENTRY"));

        // Login 7 gains exactly the three entries it lacked; its denial of entry 5 stays.
        // Login 8 gains every entry but its own two, which keep their answers.
        const QStringList after = rights(db);
        QStringList gained = after;
        for (const QString& r : before)
            gained.removeOne(r);
        QStringList expected;
        for (const int id : {114, 115, 200})
            expected << QStringLiteral("7|%1|Y|.Enabled=TRUE").arg(id);
        for (const QString& row : source) {
            const int id = row.section(QLatin1Char('|'), 0, 0).toInt();
            if (id != 1 && id != 2)
                expected << QStringLiteral("8|%1|Y|.Enabled=TRUE").arg(id);
        }
        std::sort(expected.begin(), expected.end());
        std::sort(gained.begin(), gained.end());
        QCOMPARE(gained, expected);
        QCOMPARE(after.size(), before.size() + expected.size());
        QVERIFY(after.contains(QStringLiteral("7|5|N|.Enabled=FALSE")));
        QVERIFY(after.contains(QStringLiteral("8|1|N|.Enabled=FALSE")));

        // Importing again changes nothing.
        win.run(path, false);
        QCOMPARE(ts.prompter.texts(), (QStringList{kQuestion, QStringLiteral("IMPORT SUCCESSFULLY DONE...")}));
        QCOMPARE(rights(db), after);
        QCOMPARE(catalogue(db), source);
        // The file was only read.
        QCOMPARE(RawFile(path).rows(), source);
    }

    // A file that held another, larger catalogue: it is replaced whole, twice over, and the
    // file is rewritten without free space.
    void exportReplacesTheFileCatalogueAndCompacts() {
        const QString path = file(QStringLiteral("old.dat"));
        {
            RawFile raw(path);
            QVERIFY(raw.exec("CREATE TABLE M_Tbl_MenuDetails (Menu_Id INTEGER, Group_Id INTEGER, Group_Name TEXT, "
                             "Menu_Name TEXT, Menu_Caption TEXT)"));
            QVERIFY(raw.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                             "INSERT INTO M_Tbl_MenuDetails SELECT i, 1, 'OLD', 'mnu_Old' || i, hex(zeroblob(150)) FROM n"));
        }
        const qint64 oldSize = QFileInfo(path).size();
        TestSession ts;
        const QStringList source = catalogue(ts.db());
        Window win(ts);
        for (int round = 0; round < 2; ++round) {
            win.run(path, true);
            QCOMPARE(ts.prompter.texts(), (QStringList{kQuestion, QStringLiteral("EXPORT SUCCESSFULLY DONE...")}));
            RawFile raw(path);
            QCOMPARE(raw.rows(), source);
            QCOMPARE(raw.number("PRAGMA freelist_count"), 0);
        }
        QVERIFY(QFileInfo(path).size() < oldSize / 4);
        QVERIFY(win.shown.constLast().contains(QStringLiteral("Siza After Compact: ")));
        // Nothing is left beside the file.
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("old.dat*"), QStringLiteral(".old.dat*")},
                                            QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("old.dat")});
    }

    void refusalsLeaveFileAndServerAsTheyWere() {
        TestSession ts;
        Database& db = ts.db();
        const QStringList source = catalogue(db);
        Window win(ts);
        auto* w = win.w.get();

        // No to the question: the file is closed untouched and the message cleared.
        const QString path = file(QStringLiteral("kept.dat"));
        win.run(path, true);
        const QStringList fileRows = RawFile(path).rows();
        QCOMPARE(fileRows.size(), source.size());
        win.run(path, true, false);
        QCOMPARE(ts.prompter.texts(), QStringList{kQuestion});
        QVERIFY(w->lbl_Msg->text().isEmpty());
        QCOMPARE(win.shown.constLast(), QString());

        // A missing file is not created by an import, nor is a file that is no database read;
        // the window keeps its message, the reason is told.
        w->lbl_Msg->setText(QStringLiteral("EARLIER"));
        const QString missing = file(QStringLiteral("missing.dat"));
        win.run(missing, false);
        QCOMPARE(ts.prompter.texts().size(), 1);
        QCOMPARE(ts.prompter.messages.at(0).kind, QStringLiteral("information"));
        QVERIFY(!QFileInfo::exists(missing));
        QCOMPARE(w->lbl_Msg->text(), QStringLiteral("EARLIER"));
        const QString text = file(QStringLiteral("text.dat"));
        {
            QFile f(text);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'z'));
        }
        for (bool exporting : {false, true}) {
            win.run(text, exporting);
            QCOMPARE(ts.prompter.texts().size(), 1);
            QVERIFY(ts.prompter.messages.at(0).kind != QStringLiteral("question"));
            QCOMPARE(w->lbl_Msg->text(), QStringLiteral("EARLIER"));
        }
        QCOMPARE(QFileInfo(text).size(), 4096);
        // Proceeding without a file opens nothing.
        w->Load_Init();
        ts.prompter.clear();
        QTest::mouseClick(w->Cmd_Proceed, Qt::LeftButton);
        QCOMPARE(ts.prompter.texts().size(), 1);
        QVERIFY(ts.prompter.messages.at(0).kind != QStringLiteral("question"));

        // An export the server refuses leaves the file's catalogue as it was.
        db.exec(QStringLiteral("UPDATE M_TBL_MENUDETAILS SET MENU_CAPTION=? WHERE MENU_ID=?"), {QStringLiteral("CHANGED"), 3});
        win.answer = path;
        QTest::mouseClick(w->Cmd_Browse, Qt::LeftButton);
        ts.prompter.clear();
        ts.prompter.answers = {true};
        db.failStatement(1);
        QTest::mouseClick(w->Cmd_Proceed, Qt::LeftButton);
        QCOMPARE(ts.prompter.texts(), (QStringList{kQuestion, QStringLiteral("EXPDATA : Statement refused (injected failure)")}));
        QCOMPARE(RawFile(path).rows(), fileRows);

        // An empty server catalogue: nothing to export, the file keeps its rows and the
        // window starts again.
        db.exec(QStringLiteral("DELETE FROM M_TBL_MENUDETAILS"));
        win.run(path, true);
        QCOMPARE(ts.prompter.texts(), (QStringList{kQuestion, QStringLiteral("NO RECORDS AVAILABLE FOR EXPORTING ....")}));
        QCOMPARE(RawFile(path).rows(), fileRows);
        QVERIFY(w->lbl_FilePath->text().isEmpty());
        QVERIFY(w->Option1->isChecked());
    }

    void importIsAllOrNothing() {
        TestSession ts;
        Database& db = ts.db();
        const QString path = file(QStringLiteral("full.dat"));
        Window win(ts);
        win.run(path, true);
        db.exec(QStringLiteral("DELETE FROM M_TBL_MENUDETAILS WHERE MENU_ID > ?"), {100});
        db.exec(QStringLiteral("UPDATE M_TBL_MENUDETAILS SET MENU_CAPTION=? WHERE MENU_ID=?"), {QStringLiteral("LOCAL"), 4});
        db.exec(QStringLiteral("INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) VALUES (3, 1, 'Y', '.Enabled=TRUE')"));
        const QStringList catalogueBefore = catalogue(db);
        const QStringList rightsBefore = rights(db);

        // A statement refused late (while granting rights) takes back every row written.
        for (int n : {3, 240}) {
            db.failStatement(n);
            win.run(path, false);
            QCOMPARE(ts.prompter.texts(), (QStringList{kQuestion, QStringLiteral("IMPDATA : Statement refused (injected failure)")}));
            QCOMPARE(catalogue(db), catalogueBefore);
            QCOMPARE(rights(db), rightsBefore);
        }

        // A file whose catalogue is empty: nothing to import.
        const QString empty = file(QStringLiteral("empty.dat"));
        QVERIFY(RawFile(empty).exec("CREATE TABLE M_Tbl_MenuDetails (Menu_Id INTEGER, Group_Id INTEGER, Group_Name TEXT, "
                                    "Menu_Name TEXT, Menu_Caption TEXT)"));
        win.run(empty, false);
        QCOMPARE(ts.prompter.texts(), (QStringList{kQuestion, QStringLiteral("NO RECORDS AVAILABLE FOR IMPORT ....")}));
        // A file without the table reports why.
        const QString bare = file(QStringLiteral("bare.dat"));
        QVERIFY(RawFile(bare).exec("CREATE TABLE OTHER (X INTEGER)"));
        win.run(bare, false);
        QCOMPARE(ts.prompter.texts().size(), 2);
        QVERIFY(ts.prompter.texts().at(1).startsWith(QStringLiteral("IMPDATA : ")));
        QCOMPARE(catalogue(db), catalogueBefore);
        QCOMPARE(rights(db), rightsBefore);
    }
};

QTEST_MAIN(tst_transfer_menu)
#include "tst_transfer_menu.moc"
