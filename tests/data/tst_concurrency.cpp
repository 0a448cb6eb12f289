// Several workstations saving at the same moment: eight connections post paired documents
// at once. No number may be taken twice, no pair may be half written, and every balance
// must equal a recomputation from what was posted.
#include "support/Documents.h"
#include "support/TestDb.h"

#include "data/BooksCheck.h"
#include "data/TransactionRecords.h"

#include <QtTest>

#include <atomic>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>

using namespace tarvic;
using namespace tarvic::test;

namespace {

constexpr int kWriters = 8;
// Enough for eight writers to collide many times over; each embedded commit costs three fsyncs.
constexpr int kDocsPerWriter = 200;
constexpr int kBookings = 40;
constexpr int kParties = 10;

struct Posting {
    qint64 number;
    qint64 booking;
    qint64 party;
    qint64 paise;
};

}  // namespace

class TstConcurrency : public QObject {
    Q_OBJECT
private slots:
    void eightWritersPostAtOnce() {
        TestDb t;
        Database& db = t.db();
        TransactionRecords setup(db, QStringLiteral("SETUP"));
        std::map<qint64, qint64> partyOf;     // booking -> party
        std::map<qint64, qint64> bookingPaise;
        for (int i = 0; i < kBookings; ++i) {
            Document b;
            b.code = QStringLiteral("CBPT01");
            b.amount = Money::fromPaise(1'000'000 + i * 1234);
            const qint64 party = 1 + i % kParties;
            b.columns = {{QStringLiteral("DOC_DATE"), QDate::currentDate()}, {QStringLiteral("PARTY_CODE"), party}};
            const qint64 no = setup.save(b);
            partyOf[no] = party;
            bookingPaise[no] = b.amount.paise();
        }

        std::mutex lock;
        std::vector<Posting> posted;
        std::atomic<int> failures{0};
        QStringList errors;
        std::vector<std::thread> writers;
        for (int w = 0; w < kWriters; ++w) {
            writers.emplace_back([&, w] {
                try {
                    auto conn = t.connect(QStringLiteral("writer%1").arg(w));
                    TransactionRecords tr(*conn, QStringLiteral("WRITER %1").arg(w));
                    std::mt19937 rng(w);
                    for (int i = 0; i < kDocsPerWriter; ++i) {
                        const qint64 booking = 1 + rng() % kBookings;
                        const Money amount = Money::fromPaise(1 + rng() % 5'000'000);
                        const qint64 no = tr.save(receipt(booking, partyOf.at(booking), amount.toString()));
                        std::lock_guard g(lock);
                        posted.push_back({no, booking, partyOf.at(booking), amount.paise()});
                    }
                } catch (const DbError& e) {
                    ++failures;
                    std::lock_guard g(lock);
                    errors << e.message();
                }
            });
        }
        for (auto& th : writers)
            th.join();
        QVERIFY2(failures == 0, qPrintable(errors.mid(0, 3).join(QLatin1Char('\n'))));
        QCOMPARE(int(posted.size()), kWriters * kDocsPerWriter);

        // no number taken twice, and the books whole: every pair mirrored, counters at the highest
        std::set<qint64> numbers;
        for (const Posting& p : posted)
            QVERIFY2(numbers.insert(p.number).second, "a receipt number was taken twice");
        QCOMPARE(*numbers.rbegin(), qint64(kWriters * kDocsPerWriter));
        QCOMPARE(checkBooks(db).problems, QStringList());

        // balances recomputed from what each writer posted
        std::map<qint64, qint64> expectBooking = bookingPaise, expectParty;
        for (const Posting& p : posted)
            expectBooking[p.booking] -= p.paise;
        for (const auto& [booking, paise] : expectBooking)
            expectParty[partyOf[booking]] += paise;
        TransactionRecords tr(db, QStringLiteral("CHECK"));
        for (const auto& [booking, paise] : expectBooking)
            QCOMPARE(tr.balance(QStringLiteral("PTBAL"), {.party = partyOf[booking], .booking = booking}).paise(), paise);
        for (const auto& [party, paise] : expectParty)
            QCOMPARE(tr.balance(QStringLiteral("LDOP"), {.party = party}).paise(), paise);
    }
};

QTEST_GUILESS_MAIN(TstConcurrency)
#include "tst_concurrency.moc"
