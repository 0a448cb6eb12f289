// A hostile user over every registered window and the demo books: the longest text and one
// more, non-ASCII, quotes, SQL-like text, negative, zero, huge and fractional numbers,
// impossible dates, pasted tabs and newlines in every field, every button pressed and every
// question answered Yes. Nothing may crash, no message may carry the database's or driver's
// own words, no success may be claimed for what was not stored, no real modal dialog may block
// the program, and the books must check afterwards.
//
// TARVIC_TEST_GROUP names the top menu whose windows are walked ("INNER" for windows opened
// only from others), so that the groups run side by side; unset, every window is walked.
#include "data/BooksCheck.h"
#include "engine/Aging.h"
#include "shell/MenuCatalogue.h"
#include "support/HostileWalk.h"

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

// The top menu that holds a window's entry; "INNER" for a window no menu entry opens.
QString groupOf(const QString& window) {
    const MenuItem* item = MenuCatalogue::entryOpening(window);
    if (!item)
        return u"INNER"_s;
    while (item->parent)
        item = MenuCatalogue::find(QString::fromLatin1(item->parent));
    return QString::fromLatin1(item->name).mid(4).toUpper();  // mnu_Master: MASTER
}

HostileWalk* theWalk = nullptr;

}  // namespace

class TstHostileWalk : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setQuitOnLastWindowClosed(false);
        theWalk = new HostileWalk;
        const QString group = qEnvironmentVariable("TARVIC_TEST_GROUP").toUpper();
        QStringList windows;
        for (const QString& w : theWalk->registry.windows())
            if (group.isEmpty() || groupOf(w) == group)
                windows << w;
        QVERIFY2(!windows.isEmpty(), qPrintable(group));
        theWalk->walk(windows);
        qInfo("%lld window(s), %d field(s) filled, %d button(s) pressed, %lld message(s)", qint64(windows.size()),
              theWalk->fieldsFilled, theWalk->buttonsPressed, qint64(theWalk->messages.size()));
    }
    void cleanupTestCase() {
        // TARVIC_WALK_LOG names a file that receives every message shown, for a reader.
        if (const QString log = qEnvironmentVariable("TARVIC_WALK_LOG"); !log.isEmpty()) {
            QFile f(log);
            if (f.open(QIODevice::WriteOnly | QIODevice::Text))
                f.write(theWalk->messagesWhere([](const WalkMessage&) { return true; }).join(u'\n').toUtf8());
        }
        delete theWalk;
    }

    // What the user reads is the program's own words, never the database's or its driver's.
    void noMessageCarriesDriverText() {
        const QStringList found =
            theWalk->messagesWhere([](const WalkMessage& m) { return carriesDriverText(m.text); });
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    // Every message is one of the program's: titled as the house titles it.
    void everyMessageIsTheProgramsOwn() {
        QStringList odd;
        for (const auto& m : theWalk->ts.prompter.messages)
            if (m.title != Prompter::kTitle || m.text.trimmed().isEmpty())
                odd << m.kind + u": "_s + m.title + u" / "_s + m.text;
        QVERIFY2(odd.isEmpty(), qPrintable(odd.join(u'\n')));
    }

    // A success message means rows were stored or changed.
    void noSuccessWithoutStoredRows() {
        QVERIFY2(theWalk->emptySuccesses.isEmpty(), qPrintable(theWalk->emptySuccesses.join(u'\n')));
    }

    // Nothing blocks the program behind a dialog of its own: files and questions are asked
    // through what a test can answer.
    void noRealModalDialog() {
        QVERIFY2(theWalk->modalDialogs.isEmpty(), qPrintable(theWalk->modalDialogs.join(u'\n')));
    }

    // The books hold together after all of it, as `tarvic-admin check` sees them.
    void booksCheckAfterwards() {
        BooksReport report = checkBooks(theWalk->ts.db());
        report.problems += aging::checkBuckets(theWalk->ts.db(), QDate::currentDate());
        QVERIFY2(report.ok(), qPrintable(report.problems.join(u'\n')));
    }
};

QTEST_MAIN(TstHostileWalk)
#include "tst_hostile_walk.moc"
