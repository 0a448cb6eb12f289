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
        d.exec("INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME) VALUES (1, 'ASHA NAIR'), (2, 'HILL RESORT'), "
               "(3, 'SEA BREEZE')");
        d.exec("INSERT INTO M_TBL_HOTELROOMTYPE (ROOMTYPE_CODE, ROOM_TYPE) VALUES (1, 'DELUXE'), (2, 'SUITE'), "
               "(3, 'STANDARD')");
        Document b = test::booking(1, "50000");
        b.columns.emplace_back("TOURIST_NAME", QStringLiteral("ASHA NAIR"));
        b.columns.emplace_back("FILENO", QStringLiteral("F-77"));
        b.columns.emplace_back("QUOTATION_NO", kQuotation);
        booking = TransactionRecords(d, "T").save(b);
        d.exec("INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, CBPT_NO) VALUES ('QGBL01', ?, ?)", {kQuotation, booking});
        stay(1, 2, "HILL RESORT", 1, "VALLEY VIEW DELUXE", QDate(2027, 1, 10), 2, 0, 0);
        stay(2, 3, "SEA BREEZE", 2, "OCEAN SUITE", QDate(2027, 1, 12), 1, 0, 1);
    }
    Database& db() { return d_; }
    Travellers travellers() { return Travellers(db(), QStringLiteral("ADMINISTRATOR")); }

    void stay(qint64 line, qint64 hotel, const char* name, int roomType, const char* roomName, QDate in, int rooms,
              int singles, int extraBeds) {
        db().exec("INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, ACC_CODE, ACCOUNT_DESC, HOTEL_CODE, HOTEL_NAME, "
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

    static Traveller person(const char* title, const char* first, const char* last, const char* sex, QDate birth,
                            const char* kind, const char* room, const char* type, const char* id = "") {
        return {QString::fromLatin1(title), QString::fromLatin1(first), QString::fromLatin1(last),
                QString::fromLatin1(sex),   birth,                      QString::fromLatin1(id),
                birth.isValid() ? birth.addYears(40) : QDate(),       QString::fromLatin1(kind),
                QString::fromLatin1(room),  QString::fromLatin1(type)};
    }
    // Two DELUXE rooms of two adults, one SUITE of two adults and a child (the extra bed).
    static std::vector<Traveller> good() {
        return {person("MR", "ANIL", "KUMAR", "M", QDate(1980, 2, 29), "ADULT", "101", "DELUXE", "P1234567"),
                person("MRS", "MEENA", "KUMAR", "F", QDate(1982, 7, 1), "ADULT", "101", "DELUXE", "00123"),
                person("MR", "RAVI", "NAIR", "M", QDate(1975, 1, 31), "ADULT", "102", "DELUXE"),
                person("MS", "ASHA", "NAIR", "F", QDate(1978, 12, 31), "ADULT", "102", "DELUXE"),
                person("MR", "JOHN", "O'NEIL, JR", "M", QDate(1970, 5, 5), "ADULT", "S1", "SUITE"),
                person("MRS", "MARY", "O'NEIL", "F", QDate(1972, 6, 6), "ADULT", "S1", "SUITE"),
                person("MASTER", "TOM", "O'NEIL", "M", QDate(2015, 3, 3), "CHILD", "S1", "SUITE")};
    }

    // A file of rows as given (headings first, no commas in cells): a workbook for a name ending
    // in .xlsx (plain numbers become numbers, as a spreadsheet keeps a typed date), else CSV.
    QString file(const QString& name, const QList<QStringList>& rows) {
        const QString path = dir.filePath(name);
        if (name.endsWith(".xlsx")) {
            GridExport::ExportWorkbook(rows.first(), [&](const auto& write) { for (const auto& r : rows.mid(1)) write(r); }, path);
            return path;
        }
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        for (const QStringList& r : rows)
            f.write((r.join(',') + "\r\n").toUtf8());
        return path;
    }
};

}  // namespace tarvic::test
