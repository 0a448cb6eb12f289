#include "DueBalances.h"

#include <QRegularExpression>
#include <QSqlQuery>

#include <set>
#include <vector>

namespace tarvic {

namespace {

// What a row adds to its target's sums, written over the row as R: the target's key columns
// from it, whether it counts, and what it adds to which column. A share may go to several rows
// of its target, one per row of another table it meets (`with`, as L, on `meets`).
struct Share {
    const char* source;
    const char* target;
    QStringList keys;
    QString counts;
    std::vector<std::pair<QString, QString>> adds;
    QString with = {};
    QString meets = {};
};

struct Target {
    const char* table;
    QStringList keys;
    QStringList columns;
    // The books check's line for a key whose kept sums differ ("%1", "%2": the key's values).
    const char* fault;
};

QString paise(const QString& amount) {
    return QStringLiteral("CAST(ROUND(COALESCE(%1, 0) * 100) AS BIGINT)").arg(amount);
}

const QString kLive = QStringLiteral("R.DOC_STATUS='APPRV'");
const QString kAgainstBooking = QStringLiteral("R.IN_DOCCODE='CBPT01' AND R.IN_DOCNO IS NOT NULL");

const Target kTargets[] = {
    {"M_TBL_BOOKING_DUE",
     {QStringLiteral("CBPT_NO")},
     {QStringLiteral("DUE_PAISE"), QStringLiteral("SCHEDULED_PAISE"), QStringLiteral("INSTALMENTS"),
      QStringLiteral("RECEIVED_PAISE"), QStringLiteral("TOTAL_PAISE")},
     "CBPT01 %1: its kept sums of instalments, receipts and grand total differ from its documents"},
    {"M_TBL_SUPPLIER_DUE",
     {QStringLiteral("CBPT_NO"), QStringLiteral("PARTY_CODE")},
     {QStringLiteral("NOTED_PAISE"), QStringLiteral("PAID_PAISE")},
     "CBPT01 %1: the kept sums of supplier %2's notes and payments differ from its documents"},
    {"M_TBL_PARTY_BALANCE",
     {QStringLiteral("LIST_CODE"), QStringLiteral("PARTY_CODE")},
     {QStringLiteral("DB_PAISE"), QStringLiteral("CR_PAISE"), QStringLiteral("BAL_PAISE")},
     "%1 party %2: its kept debits and credits differ from its documents"},
    {"M_TBL_BOOKING_BALANCE",
     {QStringLiteral("LIST_CODE"), QStringLiteral("CBPT_NO"), QStringLiteral("PARTY_CODE")},
     {QStringLiteral("DB_PAISE"), QStringLiteral("CR_PAISE"), QStringLiteral("BAL_PAISE")},
     "%1 CBPT01 %2 party %3: its kept debits and credits differ from its documents"},
    {"M_TBL_BANK_BALANCE",
     {QStringLiteral("LIST_CODE"), QStringLiteral("BANK_ID")},
     {QStringLiteral("DB_PAISE"), QStringLiteral("CR_PAISE"), QStringLiteral("BAL_PAISE"), QStringLiteral("POSTINGS")},
     "%1 bank %2: its kept debits and credits differ from its documents"},
    {"M_TBL_BOOKING_PL",
     {QStringLiteral("CBPT_NO")},
     {QStringLiteral("DB_PAISE"), QStringLiteral("CR_PAISE"), QStringLiteral("BAL_PAISE"), QStringLiteral("POSTINGS")},
     "CBPT01 %1: its kept receipts and payments of the tour's profit and loss differ from its documents"},
};

// The targets each migration step brings in.
const QStringList kDueTargets{QStringLiteral("M_TBL_BOOKING_DUE"), QStringLiteral("M_TBL_SUPPLIER_DUE")};
const QStringList kPartyTargets{QStringLiteral("M_TBL_PARTY_BALANCE"), QStringLiteral("M_TBL_BOOKING_BALANCE")};
const QStringList kListingTargets{QStringLiteral("M_TBL_BANK_BALANCE"), QStringLiteral("M_TBL_BOOKING_PL")};

// The code lists whose balances are kept: per party, the outstanding lists'; per booking
// and party, the bookings' balances list's; per bank, the credit-debit listing's.
const QString kPartyLists = QStringLiteral("'LDOP','LDMA'");
const QString kBookingLists = QStringLiteral("'LDOP'");
const QString kBankLists = QStringLiteral("'CRDB'");

// A posting's debit, credit and balance: the balance kept as a column of its own, so that
// PostgreSQL estimates how many are on a side from its statistics (of a comparison of two
// columns it guesses a third, and read every posting of the books for a list of 4,000).
const std::vector<std::pair<QString, QString>> kDebitCredit{
    {QStringLiteral("DB_PAISE"), paise(QStringLiteral("R.DB_AMT"))},
    {QStringLiteral("CR_PAISE"), paise(QStringLiteral("R.CR_AMT"))},
    {QStringLiteral("BAL_PAISE"),
     paise(QStringLiteral("R.DB_AMT")) + QStringLiteral(" - ") + paise(QStringLiteral("R.CR_AMT"))}};

// A posting's code is named in the code list L (quoted in it, so that a code is never taken
// for a part of another).
QString inKeptList(const QString& lists) {
    return QStringLiteral("L.CODE IN (%1) AND REPLACE(L.CODE_LIST, '''' || R.DOC_CODE || '''', '') <> L.CODE_LIST")
        .arg(lists);
}

const std::vector<Share>& shares() {
    static const std::vector<Share> all{
        // A live instalment: only what is above zero takes a share of the money received.
        {"M_TBL_BOOKING_INSTALMENT",
         "M_TBL_BOOKING_DUE",
         {QStringLiteral("R.CBPT_NO")},
         kLive,
         {{QStringLiteral("DUE_PAISE"), paise(QStringLiteral("CASE WHEN R.INST_AMT > 0 THEN R.INST_AMT ELSE 0 END"))},
          {QStringLiteral("SCHEDULED_PAISE"), paise(QStringLiteral("R.INST_AMT"))},
          {QStringLiteral("INSTALMENTS"), QStringLiteral("1")}}},
        {"M_TBL_TRANSACTION",
         "M_TBL_BOOKING_DUE",
         {QStringLiteral("R.IN_DOCNO")},
         QStringLiteral("R.DOC_CODE='FRDB01' AND %1 AND %2").arg(kAgainstBooking, kLive),
         {{QStringLiteral("RECEIVED_PAISE"), paise(QStringLiteral("R.DB_AMT"))}}},
        {"M_TBL_TRANSACTION",
         "M_TBL_BOOKING_DUE",
         {QStringLiteral("R.DOC_NO")},
         QStringLiteral("R.DOC_CODE='CBPT01' AND %1").arg(kLive),
         {{QStringLiteral("TOTAL_PAISE"), paise(QStringLiteral("R.GRAND_TOTAL"))}}},
        // A supplier's live advice notes (what is above zero of each) and payments to him.
        {"M_TBL_TRANSACTION",
         "M_TBL_SUPPLIER_DUE",
         {QStringLiteral("R.IN_DOCNO"), QStringLiteral("R.PARTY_CODE")},
         QStringLiteral("R.DOC_CODE IN ('ANCP01','ANCP02','ANCP03','FTCR01') AND %1 AND R.PARTY_CODE IS NOT NULL "
                        "AND %2")
             .arg(kAgainstBooking, kLive),
         {{QStringLiteral("NOTED_PAISE"),
           paise(QStringLiteral("CASE WHEN R.DOC_CODE<>'FTCR01' AND R.CR_AMT > 0 THEN R.CR_AMT ELSE 0 END"))},
          {QStringLiteral("PAID_PAISE"),
           paise(QStringLiteral("CASE WHEN R.DOC_CODE='FTCR01' THEN R.CR_AMT ELSE 0 END"))}}},
        // A party's live postings, to each kept code list that names their code; and those
        // against a booking, to the booking's sums of that party.
        {"M_TBL_TRANSACTION",
         "M_TBL_PARTY_BALANCE",
         {QStringLiteral("L.CODE"), QStringLiteral("R.PARTY_CODE")},
         QStringLiteral("%1 AND R.PARTY_CODE IS NOT NULL").arg(kLive),
         kDebitCredit,
         QStringLiteral("M_TBL_CODES L"),
         inKeptList(kPartyLists)},
        {"M_TBL_TRANSACTION",
         "M_TBL_BOOKING_BALANCE",
         {QStringLiteral("L.CODE"), QStringLiteral("R.IN_DOCNO"), QStringLiteral("R.PARTY_CODE")},
         QStringLiteral("%1 AND %2 AND R.PARTY_CODE IS NOT NULL").arg(kAgainstBooking, kLive),
         kDebitCredit,
         QStringLiteral("M_TBL_CODES L"),
         inKeptList(kBookingLists)},
        // Every live posting of a kept list's codes, per bank (0: none named), counted so
        // that a bank whose postings are all of nothing still shows.
        {"M_TBL_TRANSACTION",
         "M_TBL_BANK_BALANCE",
         {QStringLiteral("L.CODE"), QStringLiteral("COALESCE(R.TO_BANKID, 0)")},
         kLive,
         {kDebitCredit[0], kDebitCredit[1], kDebitCredit[2], {QStringLiteral("POSTINGS"), QStringLiteral("1")}},
         QStringLiteral("M_TBL_CODES L"),
         inKeptList(kBankLists)},
        // A booking's live receipts and supplier payments.
        {"M_TBL_TRANSACTION",
         "M_TBL_BOOKING_PL",
         {QStringLiteral("R.IN_DOCNO")},
         QStringLiteral("R.DOC_CODE IN ('FRDB01','FTCR01') AND %1 AND %2").arg(kAgainstBooking, kLive),
         {kDebitCredit[0], kDebitCredit[1], kDebitCredit[2], {QStringLiteral("POSTINGS"), QStringLiteral("1")}}},
    };
    return all;
}

// The columns whose change can move a share, per written table.
struct Source {
    const char* table;
    const char* name;  // of its triggers
    const char* columns;
};
const Source kSources[] = {
    {"M_TBL_BOOKING_INSTALMENT", "INSTALMENT", "CBPT_NO, DOC_STATUS, INST_AMT"},
    {"M_TBL_TRANSACTION", "TRANSACTION",
     "DOC_CODE, DOC_NO, DOC_STATUS, IN_DOCCODE, IN_DOCNO, PARTY_CODE, TO_BANKID, DB_AMT, CR_AMT, GRAND_TOTAL"},
};

const Target& targetOf(const Share& s) {
    for (const Target& t : kTargets)
        if (qstrcmp(t.table, s.target) == 0)
            return t;
    Q_UNREACHABLE();
}

QString over(QString sql, const char* row) {
    static const QRegularExpression alias(QStringLiteral("\\bR\\."));
    return sql.replace(alias, QLatin1String(row) + QLatin1Char('.'));
}

// The share of the row `row` (NEW or OLD) added (sign +1) or taken back (-1).
QString apply(const Share& s, const char* row, int sign) {
    const Target& t = targetOf(s);
    QStringList columns = t.keys, values, updates;
    for (const QString& k : s.keys)
        values << over(k, row);
    for (const auto& [column, value] : s.adds) {
        columns << column;
        values << (sign > 0 ? over(value, row) : QStringLiteral("-(%1)").arg(over(value, row)));
        updates << QStringLiteral("%1 = %2.%1 + excluded.%1").arg(column, QLatin1String(t.table));
    }
    const QString where = s.with.isEmpty() ? over(s.counts, row)
                                           : QStringLiteral("%1 AND %2").arg(over(s.meets, row), over(s.counts, row));
    return QStringLiteral("INSERT INTO %1 (%2) SELECT %3 %4WHERE %5 ON CONFLICT (%6) DO UPDATE SET %7")
        .arg(QLatin1String(t.table), columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")),
             s.with.isEmpty() ? QString() : QStringLiteral("FROM %1 ").arg(s.with), where,
             t.keys.join(QStringLiteral(", ")), updates.join(QStringLiteral(", ")));
}

// The shares a row of `source` has in `targets`.
std::vector<const Share*> sharesOf(const Source& source, const QStringList& targets) {
    std::vector<const Share*> out;
    for (const Share& s : shares())
        if (qstrcmp(s.source, source.table) == 0 && targets.contains(QLatin1String(s.target)))
            out.push_back(&s);
    return out;
}

// The shares of a row of `source` written as `row`, each statement followed by ";".
QString applyAll(const Source& source, const QStringList& targets, const char* row, int sign) {
    QString out;
    for (const Share* s : sharesOf(source, targets))
        out += apply(*s, row, sign) + QStringLiteral(";\n");
    return out;
}

// Whether a row of `source` written as `row` has any share at all.
QString countsAny(const Source& source, const QStringList& targets, const char* row) {
    QStringList any;
    for (const Share* s : sharesOf(source, targets))
        any << QLatin1Char('(') + over(s->counts, row) + QLatin1Char(')');
    return any.join(QStringLiteral(" OR "));
}

// The target's sums from the documents, one row per key, rows of nothing left out.
QString summed(const Target& t) {
    QStringList branches;
    for (const Share& s : shares()) {
        if (qstrcmp(s.target, t.table) != 0)
            continue;
        QStringList values;
        for (int i = 0; i < t.keys.size(); ++i)
            values << QStringLiteral("%1 AS %2").arg(s.keys[i], t.keys[i]);
        for (const QString& column : t.columns) {
            QString value = QStringLiteral("0");
            for (const auto& [c, v] : s.adds)
                if (c == column)
                    value = v;
            values << QStringLiteral("%1 AS %2").arg(value, column);
        }
        branches << (s.with.isEmpty() ? QStringLiteral("SELECT %1 FROM %2 R WHERE %3")
                                            .arg(values.join(QStringLiteral(", ")), QLatin1String(s.source), s.counts)
                                      : QStringLiteral("SELECT %1 FROM %2 R, %3 WHERE %4 AND %5")
                                            .arg(values.join(QStringLiteral(", ")), QLatin1String(s.source), s.with,
                                                 s.meets, s.counts));
    }
    QStringList sums, nonZero;
    for (const QString& column : t.columns) {
        sums << QStringLiteral("SUM(U.%1)").arg(column);
        nonZero << QStringLiteral("SUM(U.%1) <> 0").arg(column);
    }
    const QString keys = QStringLiteral("U.") + t.keys.join(QStringLiteral(", U."));
    return QStringLiteral("SELECT %1, %2 FROM (%3) U GROUP BY %1 HAVING %4")
        .arg(keys, sums.join(QStringLiteral(", ")), branches.join(QStringLiteral(" UNION ALL ")),
             nonZero.join(QStringLiteral(" OR ")));
}

// The target's kept sums, rows of nothing left out.
QString kept(const Target& t) {
    QStringList nonZero;
    for (const QString& column : t.columns)
        nonZero << column + QStringLiteral(" <> 0");
    return QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4")
        .arg(t.keys.join(QStringLiteral(", ")), t.columns.join(QStringLiteral(", ")), QLatin1String(t.table),
             nonZero.join(QStringLiteral(" OR ")));
}

// The target summed again from the documents as they stand.
QString refill(const Target& t) {
    return QStringLiteral("INSERT INTO %1 (%2, %3) %4")
        .arg(QLatin1String(t.table), t.keys.join(QStringLiteral(", ")), t.columns.join(QStringLiteral(", ")),
             summed(t));
}

const Target& target(const QString& table) {
    for (const Target& t : kTargets)
        if (table == QLatin1String(t.table))
            return t;
    Q_UNREACHABLE();
}

// The triggers of `source` for its shares in `targets`, in place of any it had.
void createTriggers(Database& db, const Source& s, const QStringList& targets) {
    const QString table = QLatin1String(s.table), name = QLatin1String(s.name);
    for (const char* event : {"INSERT", "DELETE", "UPDATE"})
        db.exec(
            db.dialect().isSqlite()
                ? QStringLiteral("DROP TRIGGER IF EXISTS TRG_DUE_%1_%2").arg(name, QLatin1String(event))
                : QStringLiteral("DROP TRIGGER IF EXISTS TRG_DUE_%1_%2 ON %3").arg(name, QLatin1String(event), table));
    if (db.dialect().isSqlite()) {
        db.exec(QStringLiteral("CREATE TRIGGER TRG_DUE_%1_INSERT AFTER INSERT ON %2 WHEN %3 BEGIN\n%4END")
                    .arg(name, table, countsAny(s, targets, "NEW"), applyAll(s, targets, "NEW", 1)));
        db.exec(QStringLiteral("CREATE TRIGGER TRG_DUE_%1_DELETE AFTER DELETE ON %2 WHEN %3 BEGIN\n%4END")
                    .arg(name, table, countsAny(s, targets, "OLD"), applyAll(s, targets, "OLD", -1)));
        db.exec(QStringLiteral("CREATE TRIGGER TRG_DUE_%1_UPDATE AFTER UPDATE OF %2 ON %3 WHEN %4 OR %5 BEGIN\n%6%7END")
                    .arg(name, QLatin1String(s.columns), table, countsAny(s, targets, "OLD"),
                         countsAny(s, targets, "NEW"), applyAll(s, targets, "OLD", -1),
                         applyAll(s, targets, "NEW", 1)));
        return;
    }
    db.exec(QStringLiteral("CREATE OR REPLACE FUNCTION TRG_DUE_%1() RETURNS trigger LANGUAGE plpgsql AS $$\nBEGIN\n"
                           "IF TG_OP <> 'INSERT' THEN\n%2END IF;\nIF TG_OP <> 'DELETE' THEN\n%3END IF;\n"
                           "RETURN NULL;\nEND\n$$")
                .arg(name, applyAll(s, targets, "OLD", -1), applyAll(s, targets, "NEW", 1)));
    db.exec(QStringLiteral("CREATE TRIGGER TRG_DUE_%1_INSERT AFTER INSERT ON %2 FOR EACH ROW WHEN (%3) "
                           "EXECUTE FUNCTION TRG_DUE_%1()")
                .arg(name, table, countsAny(s, targets, "NEW")));
    db.exec(QStringLiteral("CREATE TRIGGER TRG_DUE_%1_DELETE AFTER DELETE ON %2 FOR EACH ROW WHEN (%3) "
                           "EXECUTE FUNCTION TRG_DUE_%1()")
                .arg(name, table, countsAny(s, targets, "OLD")));
    db.exec(
        QStringLiteral("CREATE TRIGGER TRG_DUE_%1_UPDATE AFTER UPDATE OF %2 ON %3 FOR EACH ROW WHEN (%4 OR %5) "
                       "EXECUTE FUNCTION TRG_DUE_%1()")
            .arg(name, QLatin1String(s.columns), table, countsAny(s, targets, "OLD"), countsAny(s, targets, "NEW")));
}

// Brings in `added`, beside the targets already kept, and fills them from the books.
void keep(Database& db, const QStringList& kept, const QStringList& added) {
    for (const Source& s : kSources)
        if (!sharesOf(s, added).empty())
            createTriggers(db, s, kept + added);
    for (const QString& t : added)
        db.exec(refill(target(t)));
}

// A kept list's codes changed (by a tool: the program has no window for them): the balances
// kept over `lists` (`targets`) are summed again under the new lists. Replaces the triggers an
// earlier step made for fewer.
void followKeptLists(Database& db, const QStringList& targets, const QString& lists) {
    QString again;
    for (const QString& table : targets)
        again += QStringLiteral("DELETE FROM %1;\n%2;\n").arg(table, refill(target(table)));
    const QString named = QStringLiteral("%1.CODE IN (%2)");
    const std::pair<const char*, QString> events[] = {
        {"INSERT", named.arg(QStringLiteral("NEW"), lists)},
        {"DELETE", named.arg(QStringLiteral("OLD"), lists)},
        {"UPDATE",
         named.arg(QStringLiteral("OLD"), lists) + QStringLiteral(" OR ") + named.arg(QStringLiteral("NEW"), lists)}};
    const bool sqlite = db.dialect().isSqlite();
    for (const auto& [event, when] : events)
        db.exec(QStringLiteral("DROP TRIGGER IF EXISTS TRG_KEPT_LISTS_%1%2")
                    .arg(QLatin1String(event), sqlite ? QString() : QStringLiteral(" ON M_TBL_CODES")));
    if (sqlite) {
        for (const auto& [event, when] : events)
            db.exec(QStringLiteral("CREATE TRIGGER TRG_KEPT_LISTS_%1 AFTER %1 ON M_TBL_CODES WHEN %2 BEGIN\n%3END")
                        .arg(QLatin1String(event), when, again));
        return;
    }
    db.exec(QStringLiteral("CREATE OR REPLACE FUNCTION TRG_KEPT_LISTS() RETURNS trigger LANGUAGE plpgsql AS $$\n"
                           "BEGIN\n%1RETURN NULL;\nEND\n$$")
                .arg(again));
    for (const auto& [event, when] : events)
        db.exec(QStringLiteral("CREATE TRIGGER TRG_KEPT_LISTS_%1 AFTER %1 ON M_TBL_CODES FOR EACH ROW WHEN (%2) "
                               "EXECUTE FUNCTION TRG_KEPT_LISTS()")
                    .arg(QLatin1String(event), when));
}

}  // namespace

void createDueBalances(Database& db) {
    keep(db, {}, kDueTargets);
}

void createPartyBalances(Database& db) {
    keep(db, kDueTargets, kPartyTargets);
    followKeptLists(db, kPartyTargets, kPartyLists);
}

void createListingSums(Database& db) {
    keep(db, kDueTargets + kPartyTargets, kListingTargets);
    followKeptLists(db, kPartyTargets + QStringList{QStringLiteral("M_TBL_BANK_BALANCE")},
                    kPartyLists + QLatin1Char(',') + kBankLists);
}

QStringList sumKeptBalancesStatements() {
    QStringList out;
    for (const Target& t : kTargets)
        out << QStringLiteral("DELETE FROM %1").arg(QLatin1String(t.table)) << refill(t);
    return out;
}

void sumKeptBalancesAgain(Database& db) {
    for (const QString& sql : sumKeptBalancesStatements())
        db.exec(sql);
}

QStringList dueBalanceFaults(Database& db) {
    QStringList faults;
    for (const Target& t : kTargets) {
        // Both ways: a sum kept wrong, a sum the documents have and the table lacks, and a
        // sum kept of nothing.
        std::set<std::vector<QString>> keys;
        for (const auto& [a, b] : {std::pair{summed(t), kept(t)}, std::pair{kept(t), summed(t)}}) {
            QSqlQuery q = db.exec(QStringLiteral("SELECT * FROM (%1) A EXCEPT SELECT * FROM (%2) B").arg(a, b));
            while (q.next()) {
                std::vector<QString> key;
                for (int i = 0; i < t.keys.size(); ++i)
                    key.push_back(q.value(i).toString());
                keys.insert(key);
            }
        }
        for (const std::vector<QString>& key : keys) {
            QString line = QLatin1String(t.fault);
            for (const QString& k : key)
                line = line.arg(k);
            faults << line;
        }
    }
    return faults;
}

}  // namespace tarvic
