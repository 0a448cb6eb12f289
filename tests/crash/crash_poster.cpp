// Posts documents as fast as it can until killed: money receipts (FRDB01 with its FRCR01 side)
// against the last few bookings, as a busy counter would, and now and then a new booking
// (CBPT01). Run as "tarvic-crash-poster --set CONNECTION-ATTRIBUTES". It prints "ready" once
// connected, then each saved document's code and number at once, so that the test killing it
// knows what was committed before the kill.
#include "data/Database.h"
#include "data/TransactionRecords.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>

using namespace tarvic;
using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ConnectionString cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
    cs.overrides = app.arguments().value(2);
    try {
        Database db(cs, u"poster"_s);
        TransactionRecords records(db, u"CRASH POSTER"_s);
        QRandomGenerator rng(QRandomGenerator::system()->generate());
        std::vector<std::pair<qint64, qint64>> bookings;  // number, party
        for (QSqlQuery q =
                 db.exec(u"SELECT DOC_NO, PARTY_CODE FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' ORDER BY DOC_NO"_s);
             q.next();)
            bookings.emplace_back(q.value(0).toLongLong(), q.value(1).toLongLong());
        std::printf("ready\n");
        std::fflush(stdout);
        for (;;) {
            const Money amount = Money::fromPaise(rng.bounded(100, 50000000));
            Document d{.amount = amount};
            d.columns = {{u"DOC_DATE"_s, QDateTime::currentDateTime()}, {u"GRAND_TOTAL"_s, amount.toVariant()}};
            if (bookings.empty() || rng.bounded(8) == 0) {
                // The booking carries its own number in IN_DOCNO, written with its row.
                const qint64 party = rng.bounded(1, 6);
                d.code = u"CBPT01"_s;
                d.columns.insert(d.columns.end(), {{u"DOC_DESC"_s, u"CRASH TEST BOOKING"_s},
                                                   {u"PARTY_CODE"_s, party},
                                                   {u"TOTAL_AMOUNT"_s, amount.toVariant()}});
                bookings.emplace_back(records.save(d), party);
                std::printf("CBPT01 %lld\n", static_cast<long long>(bookings.back().first));
            } else {
                const auto& [number, party] =
                    bookings[bookings.size() - 1 - rng.bounded(std::min<quint32>(bookings.size(), 4))];
                d.code = u"FRDB01"_s;
                d.booking = number;
                d.columns.insert(d.columns.end(), {{u"DOC_DESC"_s, u"CRASH TEST RECEIPT"_s},
                                                   {u"PARTY_CODE"_s, party},
                                                   {u"TO_ACC"_s, u"FRDB01"_s},
                                                   {u"PAY_MODEID"_s, 1}});
                d.pairColumns = {{u"TO_ACC"_s, u"FRCR01"_s}};
                std::printf("FRDB01 %lld\n", static_cast<long long>(records.save(d)));
            }
            std::fflush(stdout);
        }
    } catch (const DbError& e) {
        std::fprintf(stderr, "crash poster: %s\n", qPrintable(e.message()));
        return 3;
    }
}
