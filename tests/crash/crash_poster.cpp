// Posts documents as fast as it can until killed (or until --count documents are saved):
// money receipts (FRDB01 with its FRCR01 side) against a few bookings and parties, and now and
// then a new booking (CBPT01). It prints "ready" once connected; each saved document's code and number is printed at once, so
// that the test killing this process knows what was committed before the kill.
#include "data/Database.h"
#include "data/TransactionRecords.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>

using namespace tarvic;

namespace {

struct Booking {
    qint64 number;
    qint64 party;
};

void announce(const QString& code, qint64 number) {
    std::printf("%s %lld\n", qPrintable(code), static_cast<long long>(number));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption setOpt(QStringLiteral("set"), QStringLiteral("Connection attribute."), QStringLiteral("KEY=VALUE"));
    const QCommandLineOption countOpt(QStringLiteral("count"), QStringLiteral("Documents to save."), QStringLiteral("N"),
                                      QStringLiteral("1000000"));
    parser.addOption(setOpt);
    parser.addOption(countOpt);
    parser.process(app);

    ConnectionString cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
    cs.overrides = parser.values(setOpt).join(QLatin1Char(';'));
    const qint64 count = parser.value(countOpt).toLongLong();

    try {
        Database db(cs, QStringLiteral("poster"));
        TransactionRecords records(db, QStringLiteral("CRASH POSTER"));
        QRandomGenerator rng(QRandomGenerator::system()->generate());

        std::vector<Booking> bookings;
        {
            QSqlQuery q = db.exec(QStringLiteral("SELECT DOC_NO, PARTY_CODE FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' "
                                                 "ORDER BY DOC_NO"));
            while (q.next())
                bookings.push_back({q.value(0).toLongLong(), q.value(1).toLongLong()});
        }
        std::printf("ready\n");
        std::fflush(stdout);

        for (qint64 i = 0; i < count; ++i) {
            const QDateTime now = QDateTime::currentDateTime();
            const Money amount = Money::fromPaise(rng.bounded(100, 50000000));
            if (bookings.empty() || rng.bounded(8) == 0) {
                // The booking carries its own number in IN_DOCNO, written with its row.
                const qint64 party = rng.bounded(1, 6);
                Document d;
                d.code = QStringLiteral("CBPT01");
                d.columns = {{QStringLiteral("DOC_DATE"), now},
                             {QStringLiteral("DOC_DESC"), QStringLiteral("CRASH TEST BOOKING")},
                             {QStringLiteral("PARTY_CODE"), party},
                             {QStringLiteral("TOTAL_AMOUNT"), amount.toVariant()},
                             {QStringLiteral("GRAND_TOTAL"), amount.toVariant()}};
                d.amount = amount;
                const qint64 number = records.save(d);
                bookings.push_back({number, party});
                announce(QStringLiteral("CBPT01"), number);
                continue;
            }
            // Receipts go to the last few bookings, as a busy counter would post them.
            const size_t recent = std::min<size_t>(bookings.size(), 4);
            const Booking& b = bookings[bookings.size() - 1 - rng.bounded(static_cast<quint32>(recent))];
            Document d;
            d.code = QStringLiteral("FRDB01");
            d.booking = b.number;
            d.columns = {{QStringLiteral("DOC_DATE"), now},
                         {QStringLiteral("DOC_DESC"), QStringLiteral("CRASH TEST RECEIPT")},
                         {QStringLiteral("PARTY_CODE"), b.party},
                         {QStringLiteral("TO_ACC"), QStringLiteral("FRDB01")},
                         {QStringLiteral("PAY_MODEID"), 1},
                         {QStringLiteral("GRAND_TOTAL"), amount.toVariant()}};
            d.pairColumns = {{QStringLiteral("TO_ACC"), QStringLiteral("FRCR01")}};
            d.amount = amount;
            announce(d.code, records.save(d));
        }
    } catch (const DbError& e) {
        std::fprintf(stderr, "crash poster: %s\n", qPrintable(e.message()));
        return 3;
    }
    return 0;
}
