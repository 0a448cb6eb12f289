#pragma once
// Outstanding balances by age: what each party owes (or is owed) split into 0-30, 31-60,
// 61-90 and over 90 days. Payments settle the oldest items first, so what is still open is
// the newest items of the balance's side, taken newest first until they make up the balance
// (the oldest of them only in part). The buckets of a party therefore always add up to its
// balance on the outstanding list; the books check holds both to that.
//
// An item is due on its document's date. A payment schedule will age its instalments by
// their own due dates instead: it supplies its own DueItems (an instalment per row, due on
// its date), and nothing else here changes.
#include "data/Database.h"
#include "data/Money.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <array>
#include <functional>

namespace tarvic::aging {

enum Bucket { Days0To30, Days31To60, Days61To90, Over90 };
inline constexpr int kBuckets = 4;
// The column each bucket is read from, and its caption: "0-30 DAYS".
const char* bucketColumn(int bucket);
QString bucketCaption(int bucket);

// The items aged for a list of document codes: a statement yielding PARTY_CODE, DUE_DATE,
// AMT_P (debit minus credit in whole paise) and the keys K1 to K4 that order items of one
// day, over the approved rows of the codes; its values are appended in order.
struct DueItems {
    std::function<QString(const QStringList& codes, QVariantList& values)> sql;
    // Every document row due on its own date.
    static DueItems documentDates();
};

// The parties to age: a statement yielding PARTY_CODEs, and its values. Empty: every party.
struct Parties {
    QString sql;
    QVariantList values;
    Dialect dialect = Dialect(Engine::SQLite);
};

// Per party with open items: PARTY_CODE and the four buckets in whole paise as numbers
// (AGE_0_30, AGE_31_60, AGE_61_90, AGE_OVER_90), aged on asOf; its values are appended.
// An item dated after asOf counts as 0-30.
QString agedByParty(const QStringList& codes, const QDate& asOf, QVariantList& values,
                    const DueItems& items = DueItems::documentDates(), const Parties& among = Parties());

struct PartyAge {
    qint64 party = 0;
    std::array<Money, kBuckets> buckets{};
    Money total() const;
};

// The aged balances of every party with an open balance over the codes, by party. Throws DbError.
QList<PartyAge> agedBalances(Database& db, const QStringList& codes, const QDate& asOf,
                             const DueItems& items = DueItems::documentDates());

// The books-check rule: on both outstanding lists (codes "LDOP" and "LDMA"), every party's
// buckets add up to its balance. One line per party that does not. Throws DbError.
QStringList checkBuckets(Database& db, const QDate& asOf, const DueItems& items = DueItems::documentDates());

}  // namespace tarvic::aging
