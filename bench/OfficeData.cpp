#include "OfficeData.h"

#include "data/DueBalances.h"

#include "data/AmountInWords.h"
#include "data/BooksCheck.h"
#include "data/DueBalances.h"
#include "data/Money.h"
#include "engine/admin/DemoData.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cstdio>
#include <mutex>
#include <stdexcept>

namespace tarvic::bench {

namespace {

// Bump when the generated rows change, so that an older cached office is not reused.
constexpr const char* kGeneratorVersion = "office-v1";
// Every key of unit u (its party, lead, quotation, booking and the documents against it) is
// kKeyBase + u; the demo's own documents stay below it.
constexpr int kKeyBase = 1000;

// How the office is made: the demo data set is saved through the program's own operations
// (parties, consultants, logins, statuses, a lead, a priced quotation, a booking with its
// advice notes, receipt, payment, tax invoice and payment schedule). Its first booking with
// everything hanging on it is then the template of every unit: each multi-row
// INSERT ... SELECT below copies those very rows (so every column the operations fill is
// filled, and none they leave empty), changing only the keys, a few names and the dates, so
// that a hundred thousand units take a few statements instead of a million saves.
class Cloner {
public:
    Cloner(Database& db, int units) : db_(db), units_(units) {}

    // Copies the template rows of `table` (those `templateRows` selects, as alias t) once per
    // unit u of n(u) for which `unitsWhere` holds; `set` gives a column's value in place of
    // the default: a key column (see keyed) becomes the unit's key where the template has the
    // template's key, a moment moves by the unit's days, anything else is copied.
    qint64 clone(const QString& table, const QString& templateRows, const std::map<QString, QString>& set = {},
                 const QString& unitsWhere = QStringLiteral("1=1")) {
        const qint64 templates =
            db_.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 t WHERE %2").arg(table, templateRows)).toLongLong();
        if (templates == 0)
            throw std::runtime_error("the demo data set no longer has the template rows of " + table.toStdString() +
                                     " (" + templateRows.toStdString() + ")");
        QStringList names, values;
        for (const auto& [name, moment] : columns(table)) {
            names << name;
            const auto own = set.find(name);
            if (own != set.end())
                values << own->second;
            else if (keyed(name))
                values << QStringLiteral("CASE WHEN t.%1 = 1 THEN %2 ELSE t.%1 END").arg(name, key());
            else if (moment)
                values << shifted(QStringLiteral("t.") + name);
            else
                values << QStringLiteral("t.") + name;
        }
        const QString sql =
            QStringLiteral(
                "WITH RECURSIVE n(u) AS (SELECT 1 UNION ALL SELECT u + 1 FROM n WHERE u < %1) "
                "INSERT INTO %2 (%3) SELECT %4 FROM n CROSS JOIN %2 t WHERE (%5) AND (%6)")
                .arg(units_)
                .arg(table, names.join(QLatin1Char(',')), values.join(QLatin1Char(',')), templateRows, unitsWhere);
        return db_.execAffected(sql);
    }

    // The unit's key, its days from the template's dates, and a moment moved by them: the
    // units run over six years, the last a few weeks after the day the office was made.
    QString key() const { return QStringLiteral("(%1 + n.u)").arg(kKeyBase); }
    QString days() const { return QStringLiteral("(n.u * 2200 / %1 - 2160)").arg(units_); }
    QString shifted(const QString& moment) const {
        if (db_.dialect().isSqlite()) {
            const QString by = QStringLiteral("(CAST(%1 AS TEXT) || ' days')").arg(days());
            // As the program writes them: dates, moments to the second, moments to the millisecond.
            return QStringLiteral(
                       "CASE length(%1) WHEN 10 THEN date(%1, %2) WHEN 19 THEN datetime(%1, %2) "
                       "ELSE strftime('%Y-%m-%d %H:%M:%f', %1, %2) END")
                .arg(moment, by);
        }
        return QStringLiteral("(%1 + %2 * INTERVAL '1 day')").arg(moment, days());
    }
    QString unitText() const { return QStringLiteral("CAST(n.u AS TEXT)"); }

private:
    static bool keyed(const QString& column) {
        static const QStringList keys{QStringLiteral("DOC_NO"),  QStringLiteral("IN_DOCNO"),
                                      QStringLiteral("LEAD_NO"), QStringLiteral("QUOTATION_NO"),
                                      QStringLiteral("CBPT_NO"), QStringLiteral("PARTY_CODE")};
        return keys.contains(column);
    }
    // The table's columns in order, and whether each holds a moment.
    std::vector<std::pair<QString, bool>> columns(const QString& table) {
        std::vector<std::pair<QString, bool>> out;
        if (db_.dialect().isSqlite()) {
            QSqlQuery q = db_.exec(QStringLiteral("SELECT name, type FROM pragma_table_info('%1')").arg(table));
            while (q.next())
                out.emplace_back(q.value(0).toString().toUpper(),
                                 q.value(1).toString().startsWith(QLatin1String("TIMESTAMP"), Qt::CaseInsensitive));
        } else {
            QSqlQuery q = db_.exec(QStringLiteral("SELECT column_name, data_type FROM information_schema.columns "
                                                  "WHERE table_schema = current_schema() AND table_name = ? "
                                                  "ORDER BY ordinal_position"),
                                   {table.toLower()});
            while (q.next())
                out.emplace_back(q.value(0).toString().toUpper(),
                                 q.value(1).toString().startsWith(QLatin1String("timestamp")) ||
                                     q.value(1).toString() == QLatin1String("date"));
        }
        if (out.empty())
            throw std::runtime_error("no columns read for " + table.toStdString());
        return out;
    }

    Database& db_;
    int units_;
};

QString literal(const QString& text) {
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

// The template's documents against its booking (the booking itself, its notes, receipt,
// payment and tax invoice; the proforma invoice is left out) and the invoice's lines.
const char* const kUnitDocuments =
    "(t.DOC_CODE IN ('BLFC01','CBPT01') AND t.DOC_NO = 1) OR (t.IN_DOCCODE = 'CBPT01' AND t.IN_DOCNO = 1 "
    "AND t.DOC_CODE NOT IN ('CBPT01','INV006')) OR (t.IN_DOCCODE = 'INV001' AND t.IN_DOCNO = 1)";

void generate(const Target& target, int units) {
    auto conn = target.connect(QStringLiteral("bench-office"));
    Database& db = *conn;
    addDemoData(db);
    Cloner c(db, units);
    const QString key = c.key(), u = c.unitText();
    const auto named = [&](const char* column, const char* onlyWhere = "1=1") {
        return QStringLiteral("CASE WHEN t.%1 IS NOT NULL AND %2 THEN t.%1 || ' ' || %3 ELSE t.%1 END")
            .arg(QLatin1String(column), QLatin1String(onlyWhere), u);
    };
    // The kept sums are summed once after the load, not added to row by row: on PostgreSQL a
    // supplier's sums updated for each of a hundred thousand notes in one transaction walk
    // every earlier version of their row (half an hour and more).
    const bool pg = !db.dialect().isSqlite();
    const QStringList triggered{QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("M_TBL_BOOKING_INSTALMENT")};
    if (pg)
        for (const QString& t : triggered)
            db.exec(QStringLiteral("ALTER TABLE %1 DISABLE TRIGGER USER").arg(t));
    db.transact([&] {
        c.clone(QStringLiteral("M_TBL_PARTY"), QStringLiteral("t.PARTY_CODE = 1"),
                {{QStringLiteral("PARTY_NAME"), named("PARTY_NAME")},
                 {QStringLiteral("PARTY_ALIASNAME"), named("PARTY_ALIASNAME")}});
        c.clone(
            QStringLiteral("M_TBL_TRANSACTION"), QString::fromLatin1(kUnitDocuments),
            {// Half the leads are the OPERATOR consultant's, the rest the ADMIN's.
             {QStringLiteral("CONSULTANT_CODE"),
              QStringLiteral("CASE WHEN t.DOC_CODE = 'BLFC01' THEN 1 + n.u % 2 ELSE t.CONSULTANT_CODE END")},
             // One lead in ten of the last two months is to be followed up on the day it came.
             {QStringLiteral("FOLLOWUP_DT"),
              QStringLiteral("CASE WHEN t.DOC_CODE = 'BLFC01' AND n.u % 10 = 0 AND %1 >= -60 THEN %2 ELSE %3 END")
                  .arg(c.days(), c.shifted(QStringLiteral("t.DOC_DATE")), c.shifted(QStringLiteral("t.FOLLOWUP_DT")))},
             {QStringLiteral("GST_INVNO"),
              QStringLiteral("CASE WHEN t.GST_INVNO IS NULL THEN NULL ELSE 'BENCH/INV/' || CAST(%1 AS TEXT) END")
                  .arg(key)},
             {QStringLiteral("FILENO"),
              QStringLiteral("CASE WHEN t.FILENO IS NULL THEN NULL ELSE 'BN/' || %1 END").arg(u)},
             {QStringLiteral("PARTY_ALIASNAME"), named("PARTY_ALIASNAME", "t.PARTY_CODE = 1")}});
        c.clone(QStringLiteral("M_TBL_QUOTATION"),
                QStringLiteral("t.DOC_CODE IN ('QGBL01','QGBL02','QGBL03') AND t.DOC_NO = 1"));
        // Each quotation's line counter, kept under its number as text.
        c.clone(QStringLiteral("MST_COUNTER2"), QStringLiteral("t.CODE = '1'"),
                {{QStringLiteral("CODE"), QStringLiteral("CAST(%1 AS VARCHAR(50))").arg(key)}});
        c.clone(QStringLiteral("M_TBL_BOOKING_INSTALMENT"), QStringLiteral("t.CBPT_NO = 1"));
        c.clone(QStringLiteral("M_TBL_ADVICE_DUE"),
                QStringLiteral("t.DOC_CODE IN ('ANCP01','ANCP02','ANCP03') AND t.DOC_NO = 1"));
        c.clone(QStringLiteral("M_TBL_HOTEL_DEADLINE"), QStringLiteral("t.QUOTATION_NO = 1"));

        // Tours more than six weeks old are settled: the customer paid the rest of the grand
        // total, and each supplier left unpaid by the template is paid what its notes come to.
        const QString settled = QStringLiteral("%1 < -45").arg(c.days());
        int pass = 0;
        const auto settle = [&](const char* pair, const QString& party, Money amount) {
            ++pass;
            const QString value = amount.toString();
            c.clone(
                QStringLiteral("M_TBL_TRANSACTION"),
                QStringLiteral("t.DOC_CODE IN %1 AND t.IN_DOCCODE = 'CBPT01' AND t.IN_DOCNO = 1")
                    .arg(QLatin1String(pair)),
                {{QStringLiteral("DOC_NO"), QStringLiteral("(%1 + %2 * %3 + n.u)").arg(kKeyBase).arg(pass).arg(units)},
                 {QStringLiteral("PARTY_CODE"), party},
                 {QStringLiteral("GRAND_TOTAL"), value},
                 {QStringLiteral("DB_AMT"), QStringLiteral("CASE WHEN t.DB_AMT > 0 THEN %1 ELSE 0 END").arg(value)},
                 {QStringLiteral("CR_AMT"), QStringLiteral("CASE WHEN t.CR_AMT > 0 THEN %1 ELSE 0 END").arg(value)},
                 {QStringLiteral("AMT_INWORDS"), literal(amountInWordsPhrase(amount))}},
                settled);
        };
        const auto money = [&](const QString& sql) { return Money::fromVariant(db.scalar(sql)); };
        const Money rest =
            money(QStringLiteral("SELECT GRAND_TOTAL FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=1")) -
            money(QStringLiteral("SELECT SUM(GRAND_TOTAL) FROM M_TBL_TRANSACTION WHERE DOC_CODE='FRDB01' AND "
                                 "IN_DOCCODE='CBPT01' AND IN_DOCNO=1"));
        if (rest > Money())
            settle("('FRDB01','FRCR01')",
                   QStringLiteral("CASE WHEN t.PARTY_CODE = 1 THEN %1 ELSE t.PARTY_CODE END").arg(key), rest);
        QSqlQuery unpaid = db.exec(QStringLiteral(
            "SELECT n.PARTY_CODE, SUM(n.CR_AMT) - COALESCE((SELECT SUM(p.CR_AMT) FROM M_TBL_TRANSACTION p WHERE "
            "p.DOC_CODE='FTCR01' AND p.IN_DOCCODE='CBPT01' AND p.IN_DOCNO=1 AND p.PARTY_CODE=n.PARTY_CODE), 0) "
            "FROM M_TBL_TRANSACTION n WHERE n.DOC_CODE IN ('ANCP01','ANCP02','ANCP03') AND n.IN_DOCCODE='CBPT01' "
            "AND n.IN_DOCNO=1 GROUP BY n.PARTY_CODE ORDER BY n.PARTY_CODE"));
        std::vector<std::pair<qint64, Money>> suppliers;
        while (unpaid.next())
            suppliers.emplace_back(unpaid.value(0).toLongLong(), Money::fromVariant(unpaid.value(1)));
        for (const auto& [supplier, owed] : suppliers)
            if (owed > Money())
                settle("('FTCR01','FTDB01')", QString::number(supplier), owed);

        // Counters ahead of every number used, as the saves leave them.
        db.exec(QStringLiteral(
            "UPDATE MST_COUNTER SET COUNTER = (SELECT MAX(t.DOC_NO) FROM M_TBL_TRANSACTION t WHERE t.DOC_CODE = "
            "MST_COUNTER.CODE) WHERE EXISTS (SELECT 1 FROM M_TBL_TRANSACTION t WHERE t.DOC_CODE = MST_COUNTER.CODE)"));
        db.exec(
            QStringLiteral("UPDATE MST_COUNTER SET COUNTER = (SELECT MAX(DOC_NO) FROM M_TBL_QUOTATION) "
                           "WHERE CODE = 'QGBL01'"));
        db.exec(
            QStringLiteral("UPDATE MST_COUNTER SET COUNTER = (SELECT MAX(PARTY_CODE) FROM M_TBL_PARTY) "
                           "WHERE CODE = 'PARTY'"));
    });
    if (pg) {
        for (const QString& t : triggered)
            db.exec(QStringLiteral("ALTER TABLE %1 ENABLE TRIGGER USER").arg(t));
        db.transact([&] { sumKeptBalancesAgain(db); });
        db.exec(QStringLiteral("VACUUM ANALYZE"));
    }
    const BooksReport books = checkBooks(db);
    if (!books.ok())
        throw std::runtime_error("the generated office fails the books check: " +
                                 books.problems.mid(0, 5).join(QStringLiteral("; ")).toStdString());
}

Office office;
std::once_flag officeOnce;

}  // namespace

const Office& bigOffice() {
    std::call_once(officeOnce, [] {
        const int units = scaled(100000, 100);
        QElapsedTimer clock;
        clock.start();
        office.units = units;
        office.target = cachedDatabase(
            "office", kGeneratorVersion, units, [units](const Target& t) { generate(t, units); }, &office.generated);
        office.generateSeconds = clock.elapsed() / 1000.0;
        auto conn = office.target.connect(QStringLiteral("bench-office-count"));
        for (const char* table : {"M_TBL_PARTY", "M_TBL_QUOTATION", "M_TBL_BOOKING_INSTALMENT", "M_TBL_TRANSACTION"})
            office.rows[table] =
                conn->scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))).toLongLong();
        QSqlQuery q =
            conn->exec(QStringLiteral("SELECT DOC_CODE, COUNT(*) FROM M_TBL_TRANSACTION GROUP BY DOC_CODE UNION ALL "
                                      "SELECT DOC_CODE, COUNT(*) FROM M_TBL_QUOTATION GROUP BY DOC_CODE"));
        while (q.next())
            office.rows[q.value(0).toString().trimmed().toStdString()] += q.value(1).toLongLong();
        std::string counts;
        for (const auto& [what, n] : office.rows)
            counts += " " + what + "=" + std::to_string(n);
        std::fprintf(stderr, "[bench] office of %d bookings %s in %.1f s:%s\n", units,
                     office.generated ? "generated" : "reused", office.generateSeconds, counts.c_str());
    });
    return office;
}

OfficeCopy::OfficeCopy(const std::string& name) {
    const Office& o = bigOffice();
    if (!usePostgres()) {
        const QString from = QString::fromStdString(o.target.sqlitePath);
        const QString to = from.section(QLatin1Char('/'), 0, -2) + QLatin1Char('/') + QString::fromStdString(name) +
                           QStringLiteral(".db");
        QFile::remove(to);
        if (!QFile::copy(from, to))
            throw std::runtime_error("cannot copy the office to " + to.toStdString());
        target_.cs = pointedAt(to);
        target_.sqlitePath = to.toStdString();
        return;
    }
    database_ = "tarvic_bench_" + name;
    const std::string office = o.target.cs.overrides.section(QLatin1Char('='), 1).toStdString();
    NativePg admin(pgConninfo("postgres"));
    // Identifiers cannot be bound; both names are the benchmarks' own.
    admin.exec("DROP DATABASE IF EXISTS " + database_ + " WITH (FORCE)");
    admin.exec("CREATE DATABASE " + database_ + " TEMPLATE " + office);
    target_.cs = pointedAt(QString::fromStdString(database_));
    target_.pgConninfo = pgConninfo(database_);
}

OfficeCopy::~OfficeCopy() {
    try {
        if (database_.empty())
            QFile::remove(QString::fromStdString(target_.sqlitePath));
        else
            NativePg(pgConninfo("postgres")).exec("DROP DATABASE IF EXISTS " + database_ + " WITH (FORCE)");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "[bench] %s\n", e.what());
    }
}

}  // namespace tarvic::bench
