#include "Numbering.h"

#include "DocumentKinds.h"

#include <vector>

namespace tarvic {

namespace {

std::vector<CounterUse> buildCounterUses() {
    std::vector<CounterUse> uses;
    // A document's pair and line rows carry its number: they count as using it.
    for (const DocumentKind& k : documentKinds()) {
        CounterUse u{QString::fromLatin1(k.code),
                     QStringLiteral("M_TBL_TRANSACTION"),
                     QStringLiteral("DOC_NO"),
                     {QString::fromLatin1(k.code)},
                     true};
        for (const char* other : {k.pairCode, k.lineCode})
            if (other)
                u.codes << QString::fromLatin1(other);
        uses.push_back(u);
    }
    uses.push_back({QStringLiteral("QGBL01"),
                    QStringLiteral("M_TBL_QUOTATION"),
                    QStringLiteral("DOC_NO"),
                    {QStringLiteral("QGBL01"), QStringLiteral("QGBL02"), QStringLiteral("QGBL03")},
                    true});
    const auto master = [&](const char* counter, const char* table, const char* column) {
        uses.push_back({QString::fromLatin1(counter), QString::fromLatin1(table), QString::fromLatin1(column), {}});
    };
    // clang-format off
    master("QAC001",       "M_TBL_QUOT_AGENT_COMB",  "DOC_NO");
    master("ITNHD",        "M_TBL_ITINERARY_HEADER", "ITN_DOCNO");
    master("PARTY",        "M_TBL_PARTY",            "PARTY_CODE");
    master("ADDBOOK",      "M_TBL_ADDRESSBOOK",      "BUSINESS_CODE");
    master("LoginId",      "MST_LOGINDETAILS",       "LOGIN_ID");
    master("COUNTRY",      "M_TBL_CSP_COUNTRY",      "COUNTRY_CODE");
    master("STATE",        "M_TBL_CSP_STATE",        "STATE_CODE");
    master("PLACE",        "M_TBL_CSP_PLACE",        "PLACE_CODE");
    master("LEADSTAT",     "M_TBL_LEADSTATUS",       "LEADSTATUS_CODE");
    master("HOTLSTAT",     "M_TBL_HOTELSTATUS",      "HOTELSTATUS_CODE");
    master("CBPTSTAT",     "M_TBL_CBPT_STATUS",      "CBPTSTATUS_CODE");
    master("CBPTSTAT_OPS", "M_TBL_CBPT_STATUS_OPS",  "CBPTSTATUS_CODE_O");
    master("CONSULTANT",   "M_TBL_CONSULTANT",       "CONSULTANT_CODE");
    master("CONSULTANT-OP", "M_TBL_CONSULTANT_OP",   "CONSULTANT_CODE");
    master("SCHTMPL",      "M_TBL_SCHEDULE_TEMPLATE", "TEMPLATE_CODE");
    master("REMINDER",     "M_TBL_REMINDER_LOG",     "REMINDER_ID");
    master("SUPPSTEP",     "M_TBL_SUPPLIER_REQUEST_LOG", "STEP_ID");
    // clang-format on
    return uses;
}

}  // namespace

std::span<const CounterUse> counterUses() {
    static const std::vector<CounterUse> uses = buildCounterUses();
    return uses;
}

const CounterUse* counterUse(const QString& counter) {
    const QString key = counter.trimmed();
    for (const CounterUse& u : counterUses())
        if (u.counter == key)
            return &u;
    return nullptr;
}

qint64 Numbering::highestUsed(const QString& code) {
    const CounterUse* use = counterUse(code);
    if (!use)
        return 0;
    // One MAX per code, so that each reads the end of the key's index rather than every row.
    // Always a whole number: the statement stays prepared from save to save (see advance()).
    QStringList parts;
    QVariantList values;
    for (const QString& c : use->codes) {
        parts << QStringLiteral("SELECT MAX(%1) AS R_NO FROM %2 WHERE DOC_CODE=?").arg(use->column, use->table);
        values << c;
    }
    if (parts.isEmpty())
        parts << QStringLiteral("SELECT MAX(%1) AS R_NO FROM %2").arg(use->column, use->table);
    return db_
        .scalar(
            QStringLiteral("SELECT COALESCE(MAX(R_NO), 0) FROM (%1) R").arg(parts.join(QStringLiteral(" UNION ALL "))),
            values, ResultTypes::Fixed)
        .toLongLong();
}

bool Numbering::inUse(const QString& code, qint64 number) {
    const CounterUse* use = counterUse(code);
    if (!use)
        return false;
    QString sql = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2=?").arg(use->table, use->column);
    QVariantList values{number};
    if (!use->codes.isEmpty()) {
        sql +=
            QStringLiteral(" AND DOC_CODE IN (%1)").arg(QStringList(use->codes.size(), QStringLiteral("?")).join(u','));
        for (const QString& c : use->codes)
            values << c;
    }
    return db_.scalar(sql, values).toLongLong() > 0;
}

QString Numbering::refusal(const QString& code, qint64 number) {
    const qint64 highest = highestUsed(code);
    if (number >= highest)
        return {};
    return QStringLiteral("COUNTER %1 CANNOT BE SET BELOW %2, THE HIGHEST NUMBER IN USE ....")
        .arg(code.trimmed())
        .arg(highest);
}

qint64 Numbering::floor(const QString& table, const QString& code) {
    return table == QLatin1String("MST_COUNTER") ? highestUsed(code) : 0;
}

qint64 Numbering::advance(const QString& table, const QString& code) {
    const QString key = code.trimmed();
    const QString upsert = QStringLiteral(
                               "INSERT INTO %1 (CODE, COUNTER) VALUES (?, ?) "
                               "ON CONFLICT (CODE) DO UPDATE SET COUNTER = %1.COUNTER + 1")
                               .arg(table);
    return db_.transact([&] {
        const qint64 highest = floor(table, key);
        // One statement creates or advances the row and keeps it locked until the
        // transaction ends, so the number read back is ours alone.
        qint64 taken = 0;
        if (!db_.dialect().isSqlite()) {
            taken = db_.scalar(upsert + QStringLiteral(" RETURNING COUNTER"), {key, highest + 1}).toLongLong();
        } else {
            // SQLite's ODBC driver returns no rows for RETURNING: read it back in the same transaction.
            // A whole number every time, so kept prepared: compiling it and the highest-number read
            // afresh each save cost the client more than a third of its time beyond native's.
            db_.execAffected(upsert, {key, highest + 1});
            taken = db_.scalar(QStringLiteral("SELECT COUNTER FROM %1 WHERE CODE=?").arg(table), {key},
                               ResultTypes::Fixed)
                        .toLongLong();
        }
        // Only a counter set back behind its rows can hand out a number at or below the highest
        // in use; the number is refused when a row already holds it (a gap below is free).
        if (taken <= highest && inUse(key, taken)) {
            const CounterUse* use = counterUse(key);
            throw DbError(DbError::Kind::Refused,
                          (use->document ? QStringLiteral("DOCUMENT NO %1 %2") : QStringLiteral("%1 CODE %2"))
                                  .arg(key)
                                  .arg(taken) +
                              QStringLiteral(" IS ALREADY IN USE, THE COUNTER IS BEHIND; PLEASE ASK THE "
                                             "ADMINISTRATOR TO RESET COUNTER %1 ....")
                                  .arg(key));
        }
        return taken;
    });
}

qint64 Numbering::peek(const QString& table, const QString& code) {
    const QString key = code.trimmed();
    return db_.transact([&] {
        db_.execAffected(
            QStringLiteral("INSERT INTO %1 (CODE, COUNTER) VALUES (?, ?) ON CONFLICT (CODE) DO NOTHING").arg(table),
            {key, floor(table, key)});
        return db_.scalar(QStringLiteral("SELECT COUNTER FROM %1 WHERE CODE=?").arg(table), {key}).toLongLong() + 1;
    });
}

void Numbering::store(const QString& table, const QString& code, qint64 number) {
    const QString key = code.trimmed();
    db_.transact([&] {
        if (table == QLatin1String("MST_COUNTER"))
            if (const QString why = refusal(key, number); !why.isEmpty())
                throw DbError(DbError::Kind::Refused, why);
        db_.execAffected(QStringLiteral("INSERT INTO %1 (CODE, COUNTER) VALUES (?, ?) "
                                        "ON CONFLICT (CODE) DO UPDATE SET COUNTER = excluded.COUNTER")
                             .arg(table),
                         {key, number});
    });
}

}  // namespace tarvic
