// The rooming list of a hotel line read back from the real PDF (pdftotext) and workbook: the
// hotel and its stay, each traveller under its own room and no other hotel's room type, a
// difference with what was booked printed, nothing for a line of another booking.
#include "reports/RoomingList.h"
#include "support/TravellersFixture.h"
#include "support/Workbook.h"

#include <QProcess>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

QString pdfText(TravellersFixture& f, qint64 line) {
    const QByteArray pdf = roomingListPdf(f.db(), f.booking, TravellersFixture::kQuotation, line);
    const QString path = f.dir.filePath(QStringLiteral("rooming%1.pdf").arg(line));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(pdf);
    file.close();
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    if (const QString shots = qEnvironmentVariable("TARVIC_SHOTS_DIR"); !shots.isEmpty())
        QFile::copy(path, shots + QStringLiteral("/rooming%1.pdf").arg(line));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Whether each text shows after the one before it.
bool inOrder(const QString& text, const QStringList& parts) {
    qsizetype at = 0;
    for (const QString& part : parts) {
        at = text.indexOf(part, at);
        if (at < 0) {
            qWarning() << "not in order:" << part;
            return false;
        }
    }
    return true;
}

}  // namespace

class TstRoomingList : public QObject {
    Q_OBJECT
private slots:
    void pdfShowsEachTravellerUnderItsRoom_data() {
        QTest::addColumn<qint64>("line");
        QTest::addColumn<QStringList>("inOrder");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<bool>("thirdRoom");
        QTest::newRow("deluxe at the hill resort") << qint64(1) << QStringList{"ROOMING LIST",
                                                                               "HILL RESORT",
                                                                               "10/01/2027",
                                                                               "12/01/2027",
                                                                               "DELUXE (VALLEY VIEW DELUXE)",
                                                                               "101",
                                                                               "MR ANIL KUMAR",
                                                                               "MRS MEENA KUMAR",
                                                                               "102",
                                                                               "MR RAVI NAIR",
                                                                               "MS ASHA NAIR",
                                                                               "TOTAL ROOMS : 2",
                                                                               "TOTAL TRAVELLERS : 4"}
                                                   << QStringList{"O'NEIL", "S1", "ROOMS BOOKED"} << false;
        QTest::newRow("suite by the sea")
            << qint64(2)
            << QStringList{"SEA BREEZE",          "12/01/2027",      "14/01/2027",        "S1",
                           "MR JOHN O'NEIL, JR",  "MRS MARY O'NEIL", "MASTER TOM O'NEIL", "TOTAL ROOMS : 1",
                           "TOTAL TRAVELLERS : 3"}
            << QStringList{"KUMAR", "RAVI"} << false;
        QTest::newRow("a room more than booked, stated") << qint64(1) << QStringList{"101",
                                                                                     "102",
                                                                                     "RAVI NAIR",
                                                                                     "103",
                                                                                     "ASHA NAIR",
                                                                                     "ROOM TYPE DELUXE:",
                                                                                     "3 IN THE ROOMING LIST",
                                                                                     "TOTAL ROOMS : 3"}
                                                         << QStringList{"O'NEIL"} << true;
    }
    void pdfShowsEachTravellerUnderItsRoom() {
        QFETCH(qint64, line);
        QFETCH(QStringList, inOrder);
        QFETCH(QStringList, absent);
        QFETCH(bool, thirdRoom);
        TestDb t;
        TravellersFixture f(t.db());
        // Stored out of room order: the print puts rooms in order.
        std::vector<Traveller> list = TravellersFixture::good();
        std::rotate(list.begin(), list.begin() + 2, list.begin() + 4);
        if (thirdRoom)
            list[1].roomNo = QStringLiteral("103");
        f.travellers().store(f.booking, list);
        const QString text = pdfText(f, line);
        QVERIFY2(::inOrder(text, inOrder), qPrintable(text));
        for (const QString& a : absent)
            QVERIFY2(!text.contains(a), qPrintable(a));
    }

    void workbookRoomByRoom() {
        TestDb t;
        TravellersFixture f(t.db());
        f.travellers().store(f.booking, TravellersFixture::good());
        const QString path = f.dir.filePath("rooming.xlsx");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(roomingListXlsx(f.db(), f.booking, TravellersFixture::kQuotation, 2));
        file.close();
        const Sheets sheets = readWorkbook(path);
        const QList<QStringList> rooms = sheets.value("ROOMING LIST");
        QCOMPARE(rooms.size(), 4);
        QCOMPARE(rooms[0].mid(0, 3).join('|'), "ROOM NO|ROOM TYPE|TITLE");
        QCOMPARE(rooms[3].join('|'), "S1|SUITE|MASTER|TOM|O'NEIL|M|03/03/2015||03/03/2055|CHILD");
        QVERIFY(sheets.value("STAY").contains(QStringList{"HOTEL", "SEA BREEZE"}));
        QVERIFY(sheets.value("STAY").contains(QStringList{"CHECK IN DT", "12/01/2027"}));
    }

    void lineOfAnotherBookingGivesNothing() {
        TestDb t;
        TravellersFixture f(t.db());
        QVERIFY(roomingListPdf(f.db(), f.booking, TravellersFixture::kQuotation, 9).isEmpty());
        QVERIFY(roomingListXlsx(f.db(), f.booking + 1, TravellersFixture::kQuotation, 1).isEmpty());
    }
};

QTEST_MAIN(TstRoomingList)
#include "tst_rooming_list.moc"
