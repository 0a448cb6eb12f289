#pragma once
// A booking with two hotel stays for the traveller tests: HILL RESORT, 2 DELUXE rooms from
// 10/01/2027 to 12/01/2027, and SEA BREEZE, 1 SUITE with an extra bed from 12/01/2027 to
// 14/01/2027; the room type master also knows STANDARD, which no line books. good() is a
// list that fills both exactly; files of travellers are written as a user's program would.
#include "data/GridExport.h"
#include "data/Moments.h"
#include "data/TransactionRecords.h"
#include "engine/bookings/Travellers.h"
#include "support/Documents.h"
#include "support/TestDb.h"

#include <QFile>
#include <QTemporaryDir>

namespace tarvic::test {

struct TravellersFixture {
    Database& d_;
    QTemporaryDir dir;
    qint64 booking = 0;
    static constexpr qint64 kQuotation = 70;

    // Over a fresh database (a TestDb's, or a window test's session's).
    explicit TravellersFixture(Database& d) : d_(d) {
        d.exec(
            "INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME) VALUES (1, 'ASHA NAIR'), (2, 'HILL RESORT'), "
            "(3, 'SEA BREEZE')");
        d.exec(
            "INSERT INTO M_TBL_HOTELROOMTYPE (ROOMTYPE_CODE, ROOM_TYPE) VALUES (1, 'DELUXE'), (2, 'SUITE'), "
            "(3, 'STANDARD')");
        Document b = test::booking(1, "50000");
        b.columns.emplace_back("TOURIST_NAME", QStringLiteral("ASHA NAIR"));
        b.columns.emplace_back("FILENO", QStringLiteral("F-77"));
        b.columns.emplace_back("QUOTATION_NO", kQuotation);
        booking = TransactionRecords(d, "T").save(b);
        d.exec("INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, CBPT_NO) VALUES ('QGBL01', ?, ?)",
               {kQuotation, booking});
        stay(1, 2, "HILL RESORT", 1, "VALLEY VIEW DELUXE", QDate(2027, 1, 10), 2, 0, 0);
        stay(2, 3, "SEA BREEZE", 2, "OCEAN SUITE", QDate(2027, 1, 12), 1, 0, 1);
    }
    Database& db() { return d_; }
    Travellers travellers() { return Travellers(db(), QStringLiteral("ADMINISTRATOR")); }

    void stay(qint64 line, qint64 hotel, const char* name, int roomType, const char* roomName, QDate in, int rooms,
              int singles, int extraBeds) {
        db().exec(
            "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, ACC_CODE, ACCOUNT_DESC, HOTEL_CODE, HOTEL_NAME, "
            "HOTEL_PLACE, TOUR_DATE, CHKOT_DT, ROOMTYPE_CODE, ROOM_TYPE, NOOF_ROOM, NOOF_ROOMSNGL, NOOF_EXTBED) "
            "VALUES ('QGBL02', ?, ?, 'HOTEL', ?, ?, 'KERALA', ?, ?, ?, ?, ?, ?, ?)",
            {kQuotation, line, hotel, QString::fromLatin1(name), dateToDb(in), dateToDb(in.addDays(2)), roomType,
             QString::fromLatin1(roomName), rooms, singles, extraBeds});
    }
    void setBooking(const char* column, const QString& value) {
        db().exec(QStringLiteral("UPDATE M_TBL_TRANSACTION SET %1=? WHERE DOC_CODE='CBPT01' AND DOC_NO=?")
                      .arg(QLatin1String(column)),
                  {value, booking});
    }

    // "TITLE|FIRST|LAST|SEX|dd/mm/yyyy|ID NO|ADULT|ROOM NO|ROOM TYPE"; the ID expires at 40.
    static Traveller person(const QString& row) {
        const QStringList c = row.split('|');
        const QDate birth = QDate::fromString(c[4], "dd/MM/yyyy");
        return {c[0], c[1], c[2], c[3], birth, c[5], birth.isValid() ? birth.addYears(40) : QDate(), c[6], c[7], c[8]};
    }
    // Two DELUXE rooms of two adults, one SUITE of two adults and a child (the extra bed).
    static std::vector<Traveller> good() {
        std::vector<Traveller> list;
        for (const char* row :
             {"MR|ANIL|KUMAR|M|29/02/1980|P1234567|ADULT|101|DELUXE",
              "MRS|MEENA|KUMAR|F|01/07/1982|00123|ADULT|101|DELUXE", "MR|RAVI|NAIR|M|31/01/1975||ADULT|102|DELUXE",
              "MS|ASHA|NAIR|F|31/12/1978||ADULT|102|DELUXE", "MR|JOHN|O'NEIL, JR|M|05/05/1970||ADULT|S1|SUITE",
              "MRS|MARY|O'NEIL|F|06/06/1972||ADULT|S1|SUITE", "MASTER|TOM|O'NEIL|M|03/03/2015||CHILD|S1|SUITE"})
            list.push_back(person(QString::fromLatin1(row)));
        return list;
    }

    // A file of rows as given (headings first, no separator in cells): a workbook for a name
    // ending in .xlsx (plain numbers become numbers, as a spreadsheet keeps a typed date), else
    // delimited text.
    QString file(const QString& name, const QList<QStringList>& rows, QChar separator = ',') {
        const QString path = dir.filePath(name);
        if (name.endsWith(".xlsx")) {
            GridExport::ExportWorkbook(
                rows.first(),
                [&](const auto& write) {
                    for (const auto& r : rows.mid(1))
                        write(r);
                },
                path);
            return path;
        }
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        for (const QStringList& r : rows)
            f.write((r.join(separator) + "\r\n").toUtf8());
        return path;
    }
};

}  // namespace tarvic::test
