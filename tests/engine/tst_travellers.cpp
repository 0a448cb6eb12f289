// Travellers of a booking: a file read (csv or xlsx, headings in any case) previews every row
// with why each refused one is refused and stores nothing; the accepted rows alone are
// stored; a file written reads back as stored; rooms by type against the hotel lines; a shut
// booking or a faulty row refused with nothing written.
#include "data/ColumnLengths.h"
#include "data/SheetImport.h"
#include "support/Drive.h"
#include "support/TravellersFixture.h"
#include "support/Workbook.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

QStringList described(const std::vector<Traveller>& list) {
    QStringList out;
    for (const Traveller& t : list)
        out << travellerCells(t).join('|');
    return out;
}

// Writes a workbook (path, the sheet's rows as XML, "1" for a member of 65 MB of zeros).
const char* const kHostileWorkbook =
    "import sys, zipfile\n"
    "ns = 'xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"'\n"
    "rel = 'xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"'\n"
    "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
    "    z.writestr('xl/workbook.xml', '<workbook %s %s><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/>"
    "</sheets></workbook>' % (ns, rel))\n"
    "    z.writestr('xl/_rels/workbook.xml.rels', '<Relationships><Relationship Id=\"rId1\" "
    "Target=\"worksheets/sheet1.xml\"/></Relationships>')\n"
    "    z.writestr('xl/worksheets/sheet1.xml', '<worksheet %s><sheetData>%s</sheetData></worksheet>' % (ns, "
    "sys.argv[2]))\n"
    "    if sys.argv[3] == '1':\n"
    "        z.writestr('xl/sharedStrings.xml', b'\\0' * (65 * 1024 * 1024))\n";

}  // namespace

class TstTravellers : public QObject {
    Q_OBJECT
private slots:
    void importPreviewsEveryRowBeforeStoring_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("csv") << "in.csv";
        QTest::newRow("xlsx") << "in.xlsx";
        QTest::newRow("csv with semicolons") << "semi.csv";
    }
    void importPreviewsEveryRowBeforeStoring() {
        QFETCH(QString, name);
        TestDb t;
        TravellersFixture f(t.db());
        f.travellers().store(f.booking, TravellersFixture::good());
        const QString future = QDate::currentDate().addDays(1).toString("dd/MM/yyyy");
        const QString path =
            f.file(name,
                   {{"Title", "first_name", "Last Name", "sex", "date of birth", "Passport", "Id_Expiry", "adult/child",
                     "Room No", "room_type"},
                    {"Mr", "Anil", "Kumar", "m", "29/02/1980", "P1234567", "28/02/2030", "adult", "101", "deluxe"},
                    {"Mrs", "Meena", "Kumar", "female", "1982-07-01", "00123", "", "Adt", "101", "DELUXE"},
                    {"", "Tom", "", "M", "44927", "", "", "chd", "S1", "suite"},
                    {"Mr", "Ravi", "Nair", "M", "31/02/1990", "", "", "ADULT", "102", "DELUXE"},
                    {"Ms", "Asha", "Nair", "F", "", "", "", "ADULT", "102", "STANDARD"},
                    {"Mr", "", "", "M", "", "", "", "ADULT", "102", "DELUXE"},
                    {"", "Kim", "Lee", "X", "", "", "", "ADULT", "S1", "SUITE"},
                    {"", "Ann", "Lee", "F", "", "", "", "INFANT", "S1", "SUITE"},
                    {"", "Bo", "Lee", "M", future, "", "", "CHILD", "S1", "SUITE"},
                    {"", "Al", "Lee", "M", "01/01/2000", "", "01/01/1999", "ADULT", "S1", "SUITE"},
                    {"", "", "", "", "", "", "", "", "", ""}},
                   name.startsWith("semi") ? QChar(';') : QChar(','));
        const TravellerImport in = f.travellers().preview(f.booking, path);
        QStringList seen;
        for (const ImportedRow& r : in.rows)
            seen << QString::number(r.line) + ' ' +
                        (r.refusal.isEmpty() ? travellerCells(r.traveller).join('|') : r.refusal);
        QCOMPARE(seen, (QStringList{
                           "2 MR|ANIL|KUMAR|M|29/02/1980|P1234567|28/02/2030|ADULT|101|DELUXE",
                           "3 MRS|MEENA|KUMAR|F|01/07/1982|00123||ADULT|101|DELUXE",
                           "4 |TOM||M|01/01/2023|||CHILD|S1|SUITE",
                           "5 DATE OF BIRTH IS NOT A DATE : 31/02/1990 ....",
                           "6 UNKNOWN ROOM TYPE \"STANDARD\" ....",
                           "7 ENTER FIRST OR LAST NAME ....",
                           "8 SEX MUST BE M OR F, NOT \"X\" ....",
                           "9 ADULT/CHILD MUST BE ADULT OR CHILD, NOT \"INFANT\" ....",
                           "10 DATE OF BIRTH CANNOT BE IN THE FUTURE ....",
                           "11 ID EXPIRY MUST BE AFTER DATE OF BIRTH ....",
                       }));
        QCOMPARE(lines(f.db(), "SELECT COUNT(*), MAX(FIRST_NAME) FROM M_TBL_BOOKING_TRAVELLER"), QStringList{"7|TOM"});
        // Accepted, they replace the list whole: lines beyond them go.
        Travellers(f.db(), "SECOND").store(f.booking, in.accepted());
        QCOMPARE(described(f.travellers().read(f.booking)), described(in.accepted()));
        QCOMPARE(lines(f.db(), "SELECT LINE_NO, FIRST_NAME, UPDATE_BY FROM M_TBL_BOOKING_TRAVELLER ORDER BY LINE_NO"),
                 (QStringList{"1|ANIL|SECOND", "2|MEENA|SECOND", "3|TOM|SECOND"}));
    }

    void fileWrittenReadsBackAsStored_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("john");  // a name with a comma, as the file holds it
        QTest::newRow("csv") << "out.csv"
                             << "MR,JOHN,\"O'NEIL, JR\",M,05/05/1970,,05/05/2010,ADULT,S1,SUITE";
        QTest::newRow("xlsx") << "out.xlsx"
                              << "MR,JOHN,O'NEIL, JR,M,05/05/1970,,05/05/2010,ADULT,S1,SUITE";
    }
    void fileWrittenReadsBackAsStored() {
        QFETCH(QString, name);
        QFETCH(QString, john);
        TestDb t;
        TravellersFixture f(t.db());
        f.travellers().store(f.booking, TravellersFixture::good());
        const std::vector<Traveller> stored = f.travellers().read(f.booking);
        const QString path = f.dir.filePath(name);
        Travellers::write(stored, path);
        QStringList rows;
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (name.endsWith(".xlsx"))
            for (const QStringList& r : readWorkbook(path).value("Sheet1"))
                rows << r.join(',');
        else
            rows = QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 8);
        QCOMPARE(
            rows[0],
            "TITLE,FIRST NAME,LAST NAME,SEX,DATE OF BIRTH,PASSPORT / ID NO,ID EXPIRY,ADULT/CHILD,ROOM NO,ROOM TYPE");
        QCOMPARE(rows[2], "MRS,MEENA,KUMAR,F,01/07/1982,00123,01/07/2022,ADULT,101,DELUXE");
        QCOMPARE(rows[5], john);
        // What was written is read again as the same list, every row accepted.
        const TravellerImport again = f.travellers().preview(f.booking, path);
        QCOMPARE(again.refused(), 0);
        QCOMPARE(described(again.accepted()), described(stored));
    }

    void roomCountsAgainstHotelLines_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<QStringList>("differences");
        QTest::newRow("as booked") << 0 << QStringList();
        QTest::newRow("a third deluxe room")
            << 1 << QStringList{"HILL RESORT 10/01/2027, ROOM TYPE DELUXE: 2 ROOMS BOOKED, 3 IN THE ROOMING LIST"};
        // Nobody listed in a suite: the party sleeps at SEA BREEZE in the rooms it has listed.
        QTest::newRow("suite left out")
            << 2
            << QStringList{
                   "SEA BREEZE 12/01/2027, ROOM TYPE SUITE: 1 ROOMS BOOKED, 2 IN THE ROOMING LIST; 3 PLACES BOOKED, 4 "
                   "TRAVELLERS"};
        QTest::newRow("one list for two hotels of other room types") << 4 << QStringList();
        QTest::newRow("one more in the suite")
            << 3 << QStringList{"SEA BREEZE 12/01/2027, ROOM TYPE SUITE: 3 PLACES BOOKED, 4 TRAVELLERS"};
    }
    void roomCountsAgainstHotelLines() {
        QFETCH(int, change);
        QFETCH(QStringList, differences);
        TestDb t;
        TravellersFixture f(t.db());
        std::vector<Traveller> list = TravellersFixture::good();
        if (change == 1)
            list[3].roomNo = "103";
        if (change == 2 || change == 4)
            list.resize(4);
        if (change == 4)
            t.db().exec("UPDATE M_TBL_QUOTATION SET NOOF_ROOM=2 WHERE DOC_CODE='QGBL02' AND ACC_CODE=2");
        if (change == 3)
            list.push_back(TravellersFixture::person("|SAM|LEE|M|||ADULT|S1|SUITE"));
        QCOMPARE(roomDifferences(f.travellers().roomCounts(f.booking, list)), differences);
    }

    // A file made to claim more than a list can hold is refused before the memory is taken;
    // format-only cells far to the right are no cells.
    void hostileWorkbookRefusedOrTrimmed_data() {
        QTest::addColumn<QString>("sheet");  // the first sheet's <sheetData> body
        QTest::addColumn<bool>("bomb");      // plus a member claiming 65 MB of zeros
        QTest::addColumn<QString>("expected");
        const QString head = "<row r='1'><c r='A1' t='inlineStr'><is><t>FIRST NAME</t></is></c></row>";
        const QString tooLarge = "THE FILE IS TOO LARGE TO IMPORT ....";
        QTest::newRow("row numbered in the billions")
            << head + "<row r='900000000'><c r='A900000000' t='inlineStr'><is><t>X</t></is></c></row>" << false
            << tooLarge;
        QTest::newRow("column past the last")
            << head + "<row r='2'><c r='AAAAAAAAAAAAAAAA2' t='inlineStr'><is><t>X</t></is></c></row>" << false
            << tooLarge;
        QTest::newRow("member unpacking to gigabytes") << head << true << tooLarge;
        QTest::newRow("format-only cell far right")
            << head + "<row r='2'><c r='A2' t='inlineStr'><is><t>ANIL</t></is></c><c r='AMJ2' s='1'/></row>" << false
            << "";
    }
    void hostileWorkbookRefusedOrTrimmed() {
        QFETCH(QString, sheet);
        QFETCH(bool, bomb);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("hostile.xlsx");
        QProcess py;
        py.start("python3", {"-c", kHostileWorkbook, path, sheet, bomb ? "1" : "0"});
        QVERIFY(py.waitForFinished(60000) && py.exitCode() == 0);
        QString message;
        SheetRows rows;
        try {
            rows = readSheetFile(path);
        } catch (const ExportError& e) {
            message = e.message();
        }
        QCOMPARE(message, expected);
        if (expected.isEmpty())
            QCOMPARE(rows, (SheetRows{{"FIRST NAME"}, {"ANIL"}}));
    }

    // A refused save names why (the first faulty row by its place) and leaves the list stored.
    void refusedSaveWritesNothing_data() {
        QTest::addColumn<int>("spoil");
        QTest::addColumn<QString>("message");
        QTest::newRow("locked") << 0 << kTravellersShut;
        QTest::newRow("cancelled") << 1 << kTravellersShut;
        QTest::newRow("name too long") << 2 << "ROW 3 : LAST NAME CANNOT BE LONGER THAN 100 CHARACTERS ....";
        QTest::newRow("room type not booked") << 4 << "ROW 5 : UNKNOWN ROOM TYPE \"STANDARD\" ....";
        QTest::newRow("passport ran out at birth") << 6 << "ROW 7 : ID EXPIRY MUST BE AFTER DATE OF BIRTH ....";
    }
    void refusedSaveWritesNothing() {
        QFETCH(int, spoil);
        QFETCH(QString, message);
        TestDb t;
        TravellersFixture f(t.db());
        f.travellers().store(f.booking, {TravellersFixture::good().front()});
        std::vector<Traveller> list = TravellersFixture::good();
        switch (spoil) {
            case 0:
                f.setBooking("LCK_CBPT", "Y");
                break;
            case 1:
                f.setBooking("DOC_STATUS", "CNCL");
                break;
            case 2:
                list[2].lastName = QString(101, 'N');
                break;
            case 4:
                list[4].roomType = "STANDARD";
                break;
            case 6:
                list[6].idExpiry = list[6].birth;
                break;
        }
        QCOMPARE(f.travellers().isOpen(f.booking), spoil >= 2);
        QCOMPARE(refusalText([&] { f.travellers().store(f.booking, list); }), message);
        QCOMPARE(lines(f.db(), "SELECT LINE_NO, FIRST_NAME FROM M_TBL_BOOKING_TRAVELLER"), QStringList{"1|ANIL"});
    }
};

QTEST_MAIN(TstTravellers)
#include "tst_travellers.moc"
