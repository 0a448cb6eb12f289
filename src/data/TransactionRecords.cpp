#include "TransactionRecords.h"

#include "ColumnLengths.h"
#include "DocumentStatus.h"
#include "Numbering.h"

#include <QRegularExpression>

namespace tarvic {

namespace {

const QString& kStatusLive = status::kLive;
const QString& kStatusCancelled = status::kCancelled;

void checkName(const QString& column) {
    static const QRegularExpression ok(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!ok.match(column).hasMatch())
        throw DbError(DbError::Kind::Other, QStringLiteral("Not a column name: %1").arg(column));
}

bool named(const QString& column, const char* name) {
    return column.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

Columns merged(Columns base, const Columns& over) {
    for (const auto& [name, value] : over) {
        auto it = std::find_if(base.begin(), base.end(),
                               [&](const auto& c) { return c.first.compare(name, Qt::CaseInsensitive) == 0; });
        if (it != base.end())
            it->second = value;
        else
            base.emplace_back(name, value);
    }
    return base;
}

Columns withAmounts(Columns cols, Money debit, Money credit, bool nullOther) {
    const QVariant nul;
    const auto side = [&](Money m, Money other) {
        return (nullOther && m.isZero() && !other.isZero()) ? nul : m.toVariant();
    };
    cols.emplace_back(QStringLiteral("DB_AMT"), side(debit, credit));
    cols.emplace_back(QStringLiteral("CR_AMT"), side(credit, debit));
    return cols;
}

[[noreturn]] void refuse(const QString& why) {
    throw DbError(DbError::Kind::Other, why);
}

// TO_ACC as the kind's rule says; a caller's differing account is a mistake, not a choice.
Columns withAccount(Columns cols, const DocumentKind& kind, const QString& rowCode) {
    const QString account = accountOf(kind, rowCode);
    if (account.isEmpty())
        return cols;
    for (auto& [name, value] : cols) {
        if (!named(name, "TO_ACC"))
            continue;
        if (!value.isNull() && value.toString().trimmed() != account)
            refuse(QStringLiteral("%1 rows carry TO_ACC %2, not %3").arg(rowCode, account, value.toString()));
        value = account;
        return cols;
    }
    cols.emplace_back(QStringLiteral("TO_ACC"), account);
    return cols;
}

const DocumentKind& kindOf(const QString& code) {
    const DocumentKind* kind = documentKind(code);
    if (!kind)
        refuse(QStringLiteral("Not a document code: %1").arg(code));
    return *kind;
}

}  // namespace

// One row as written: its key, what IN_DOCCODE/IN_DOCNO hold, and the caller's columns.
struct TransactionRecords::Row {
    QString code;
    qint64 number = 0;
    std::optional<std::pair<QString, qint64>> inDoc;
    bool keyedByInDoc = false;  // the booking is part of the key
    Columns columns;
    int part = 0;  // DOC_PART written on insert; 0: none (part 1)
};

QString TransactionRecords::placeholders(qsizetype n) {
    QStringList q;
    for (qsizetype i = 0; i < n; ++i)
        q << QStringLiteral("?");
    return q.join(QLatin1Char(','));
}

QStringList TransactionRecords::parseCodeList(const QString& sqlList) {
    static const QRegularExpression item(QStringLiteral("^'([A-Za-z0-9_-]{1,10})'$"));
    QStringList codes;
    for (const QString& part : sqlList.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const auto m = item.match(part.trimmed());
        if (!m.hasMatch())
            throw DbError(DbError::Kind::Other, QStringLiteral("Malformed code list: %1").arg(sqlList));
        codes << m.captured(1);
    }
    return codes;
}

QStringList TransactionRecords::codeList(const QString& listName) {
    auto it = lists_.constFind(listName);
    if (it != lists_.constEnd())
        return *it;
    const QStringList codes = parseCodeList(
        db_.scalar(QStringLiteral("SELECT CODE_LIST FROM M_TBL_CODES WHERE CODE=?"), {listName}).toString());
    lists_.insert(listName, codes);
    return codes;
}

void TransactionRecords::insert(const Row& row) {
    const QString now = db_.dialect().now();
    QStringList names{QStringLiteral("DOC_CODE"), QStringLiteral("DOC_NO"), QStringLiteral("DOC_STATUS"),
                      QStringLiteral("CREATED_BY"), QStringLiteral("UPDATE_BY")};
    QStringList marks{QStringLiteral("?"), QStringLiteral("?"), QStringLiteral("?"), QStringLiteral("?"),
                      QStringLiteral("?")};
    QVariantList values{row.code, row.number, kStatusLive, user_, user_};
    names << QStringLiteral("CREATED_ON") << QStringLiteral("UPDATE_ON");
    marks << now << now;
    if (row.inDoc) {
        names << QStringLiteral("IN_DOCCODE") << QStringLiteral("IN_DOCNO");
        marks << QStringLiteral("?") << QStringLiteral("?");
        values << row.inDoc->first << row.inDoc->second;
    }
    if (row.part > 0) {
        names << QStringLiteral("DOC_PART");
        marks << QStringLiteral("?");
        values << row.part;
    }
    for (const auto& [name, value] : row.columns) {
        checkName(name);
        names << name;
        marks << QStringLiteral("?");
        values << value;
    }
    // A row already under the number (a counter set back below numbers in use) is refused by
    // the unique keys, never overwritten.
    db_.execAffected(QStringLiteral("INSERT INTO M_TBL_TRANSACTION (%1) VALUES (%2)")
                         .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                     values);
}

void TransactionRecords::update(const Row& row) {
    QStringList sets;
    QVariantList values;
    for (const auto& [name, value] : row.columns) {
        checkName(name);
        sets << name + QStringLiteral("=?");
        values << value;
    }
    sets << QStringLiteral("DOC_STATUS=?") << QStringLiteral("UPDATE_BY=?")
         << QStringLiteral("UPDATE_ON=") + db_.dialect().now();
    values << kStatusLive << user_;

    QString key = QStringLiteral("DOC_CODE=? AND DOC_NO=?");
    QVariantList keyValues{row.code, row.number};
    if (row.keyedByInDoc && row.inDoc) {
        key += QStringLiteral(" AND IN_DOCCODE=? AND IN_DOCNO=?");
        keyValues << row.inDoc->first << row.inDoc->second;
    }
    const int changed = db_.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET %1 WHERE %2 AND "
                                                        "COALESCE(DOC_STATUS,'') <> ?")
                                             .arg(sets.join(QLatin1Char(',')), key),
                                         values + keyValues + QVariantList{kStatusCancelled});
    if (changed == 1)
        return;
    // Nothing (or more than the one row a key names) changed: the whole save is undone.
    const qint64 cancelled =
        db_.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE %1 AND DOC_STATUS=?").arg(key),
                   keyValues + QVariantList{kStatusCancelled})
            .toLongLong();
    if (cancelled > 0)
        throw DbError(DbError::Kind::Cancelled,
                      QStringLiteral("%1 %2 IS CANCELLED, IT CANNOT BE CHANGED ....").arg(row.code).arg(row.number));
    throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
}

void TransactionRecords::replaceLines(const DocumentKind& kind, qint64 number, const std::vector<Columns>& lines,
                                      bool isNew) {
    const QString lineCode = QString::fromLatin1(kind.lineCode);
    const QString header = QString::fromLatin1(kind.code);
    // Every line under the number must be this header's (a new header has none yet), and each
    // goes: a line of another document is never deleted in passing.
    const qint64 expected =
        db_.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?"),
                   {lineCode, number})
            .toLongLong();
    const int deleted = db_.execAffected(QStringLiteral("DELETE FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=? "
                                                        "AND IN_DOCCODE=? AND IN_DOCNO=?"),
                                         {lineCode, number, header, number});
    if (deleted != expected || (isNew && expected > 0))
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    int slno = 0;
    for (const Columns& line : lines) {
        Row row{lineCode, number, std::make_pair(header, number), false, line};
        row.columns.emplace_back(QStringLiteral("INV_DETSLNO"), ++slno);
        insert(row);
    }
}

qint64 TransactionRecords::save(const Document& d, const SaveCheck& check) {
    return save(std::vector<Document>{d}, check);
}

qint64 TransactionRecords::save(const std::vector<Document>& parts, const SaveCheck& check) {
    if (parts.empty())
        refuse(QStringLiteral("A document without rows"));
    const DocumentKind& kind = kindOf(parts.front().code);
    const qint64 given = parts.front().number;
    const QString code = QString::fromLatin1(kind.code);
    const QString pairCode = kind.pairCode ? QString::fromLatin1(kind.pairCode) : QString();
    for (const Document& d : parts) {
        if (d.code != code || d.number != given)
            refuse(QStringLiteral("The parts of %1 differ in code or number").arg(code));
        if (kind.link == DocLink::Booking && d.booking <= 0)
            refuse(QStringLiteral("%1 is posted against a booking, and none was given").arg(code));
        if (kind.side == AmountSide::Either && !d.side)
            refuse(QStringLiteral("%1 needs its side, debit or credit").arg(code));
        if (!kind.lineCode && !d.lines.empty())
            refuse(QStringLiteral("%1 has no lines").arg(code));
        if (kind.link != DocLink::None) {
            for (const Columns* cols : {&d.columns, &d.pairColumns})
                for (const auto& c : *cols)
                    if (named(c.first, "IN_DOCCODE") || named(c.first, "IN_DOCNO"))
                        refuse(QStringLiteral("%1 links its rows itself; %2 is not the caller's").arg(code, c.first));
        }
    }
    if (parts.size() > 1 && !kind.keyedByBooking)
        refuse(QStringLiteral("%1 is one row set per number").arg(code));
    // The amount, and the total of a document spread over bookings, within the largest amount.
    QList<Money> amounts;
    for (const Document& d : parts)
        amounts << d.amount;
    if (!Money::sum(amounts))
        throw DbError(DbError::Kind::Refused, exceedsLimitMessage(parts.size() > 1 ? QStringLiteral("TOTAL AMOUNT")
                                                                                   : QStringLiteral("AMOUNT")));
    checkTextLengths(db_, parts);

    return db_.transact([&] {
        if (check) {
            const QString refusal = check();
            if (!refusal.isEmpty())
                throw DbError(DbError::Kind::Refused, refusal);
        }
        const bool isNew = given <= 0;
        const qint64 number = isNew ? Numbering(db_).next(code) : given;
        const auto write = [&](const Row& row) { isNew ? insert(row) : update(row); };
        // A row posted against a booking is named by it too: saved under another booking, a
        // number changes nothing and is refused. The parts of a new bulk posting are numbered.
        const bool byBooking = kind.link == DocLink::Booking;
        int part = 0;
        for (const Document& d : parts) {
            ++part;
            std::optional<std::pair<QString, qint64>> firstLink, pairLink;
            switch (kind.link) {
                case DocLink::None:
                    break;
                case DocLink::Booking:
                    firstLink = pairLink = std::make_pair(QString::fromLatin1(kBookingCode), d.booking);
                    break;
                case DocLink::Self:
                    firstLink = std::make_pair(code, number);
                    break;
                case DocLink::Pair:
                    firstLink = std::make_pair(pairCode, number);
                    pairLink = std::make_pair(code, number);
                    break;
            }
            const AmountSide side = kind.side == AmountSide::Either ? *d.side : kind.side;
            const Money debit = side == AmountSide::Debit ? d.amount : Money();
            const Money credit = side == AmountSide::Credit ? d.amount : Money();
            const bool amounts = side != AmountSide::None;

            const Columns first = withAccount(d.columns, kind, code);
            const int written = parts.size() > 1 ? part : 0;
            write({code, number, firstLink, byBooking, amounts ? withAmounts(first, debit, credit, d.nullOther) : first,
                   written});
            if (!pairCode.isEmpty()) {
                // The first row's account is not inherited where the rule fixes the pair's.
                Columns base = d.columns;
                if (!accountOf(kind, pairCode).isEmpty())
                    std::erase_if(base, [](const auto& c) { return named(c.first, "TO_ACC"); });
                Columns pair = withAccount(merged(base, d.pairColumns), kind, pairCode);
                if (amounts)
                    pair = withAmounts(pair, credit, debit, d.nullOther);
                write({pairCode, number, pairLink, byBooking, pair, written});
            }
            if (kind.lineCode)
                replaceLines(kind, number, d.lines, isNew);
        }
        return number;
    });
}

bool TransactionRecords::bookingOpen(const QString& code, qint64 booking) {
    const DocumentKind& kind = kindOf(code);
    // The lock column comes from the kinds table, never from the caller.
    const QString lock = kind.bookingLock ? QString::fromLatin1(kind.bookingLock) : QStringLiteral("'N'");
    const auto row = db_.firstRow(QStringLiteral("SELECT DOC_STATUS AS R_STATUS, COALESCE(%1,'N') AS R_LOCK "
                                                 "FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?%2")
                                      .arg(lock, db_.dialect().forUpdate()),
                                  {QString::fromLatin1(kBookingCode), booking});
    return row && row->value(0).toString().trimmed() == kStatusLive &&
           row->value(1).toString().trimmed() != QLatin1String("Y");
}

std::pair<QString, QVariantList> TransactionRecords::balanceStatement(const Dialect& dialect, const QStringList& codes,
                                                                      const BalanceFilter& f) {
    QString sql = QStringLiteral("SELECT %1 FROM M_TBL_TRANSACTION WHERE DOC_CODE IN (%2)")
                      .arg(dialect.balanceInPaise(QStringLiteral("DB_AMT"), QStringLiteral("CR_AMT")),
                           placeholders(codes.size()));
    QVariantList values;
    for (const QString& c : codes)
        values << c;
    if (f.booking) {
        sql += QStringLiteral(" AND IN_DOCCODE=? AND IN_DOCNO=?");
        values << QString::fromLatin1(kBookingCode) << *f.booking;
    }
    if (f.party) {
        sql += QStringLiteral(" AND PARTY_CODE=?");
        values << *f.party;
    }
    if (f.until) {
        sql += QStringLiteral(" AND DOC_DATE <= ?");
        values << *f.until;
    }
    sql += QStringLiteral(" AND ") + sql::live();
    return {sql, values};
}

Money TransactionRecords::balanceOf(const QStringList& codes, const BalanceFilter& f) {
    if (codes.isEmpty())
        return {};
    const auto [sql, values] = balanceStatement(db_.dialect(), codes, f);
    // Whole paise of one type whatever the rows: the statement stays prepared, and its result is exact.
    bool ok = false;
    const qint64 paise = db_.scalar(sql, values, ResultTypes::Fixed).toLongLong(&ok);
    if (!ok)
        throw DbError(DbError::Kind::Other, QStringLiteral("A balance that is not a number of paise"));
    return Money::fromPaise(paise);
}

Money TransactionRecords::balance(const QString& listName, const BalanceFilter& filter) {
    return balanceOf(codeList(listName), filter);
}

int TransactionRecords::cancel(const QString& code, qint64 number, const QList<qint64>& bookings,
                               const QString& reason) {
    const DocumentKind& kind = kindOf(code);
    const bool byBooking = kind.link == DocLink::Booking;
    if (byBooking == bookings.isEmpty())
        refuse(byBooking ? QStringLiteral("%1 is named by its booking, and none was given").arg(code)
                         : QStringLiteral("%1 is not posted against a booking").arg(code));
    QVariantList own{code};  // the document's own codes: first and pair
    if (kind.pairCode)
        own << QString::fromLatin1(kind.pairCode);
    QVariantList all = own;  // and its lines
    if (kind.lineCode)
        all << QString::fromLatin1(kind.lineCode);

    // The document under its full name: its rows by code, number and booking(s), its lines by
    // the header they name.
    QString named = QStringLiteral("(DOC_CODE IN (%1) AND DOC_NO=?").arg(placeholders(own.size()));
    QVariantList nameValues = own + QVariantList{number};
    if (byBooking) {
        named += QStringLiteral(" AND IN_DOCCODE=? AND IN_DOCNO IN (%1)").arg(placeholders(bookings.size()));
        nameValues << QString::fromLatin1(kBookingCode);
        for (qint64 b : bookings)
            nameValues << b;
    }
    named += QLatin1Char(')');
    const QString ownNamed = named;
    const QVariantList ownValues = nameValues;
    if (kind.lineCode) {
        named += QStringLiteral(" OR (DOC_CODE=? AND DOC_NO=? AND IN_DOCCODE=? AND IN_DOCNO=?)");
        nameValues << QString::fromLatin1(kind.lineCode) << number << code << number;
    }
    const QString live = QStringLiteral(" AND COALESCE(DOC_STATUS,'') <> ?");
    return db_.transact([&] {
        // No row of the document answers to the name: it is not this one.
        if (db_.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE %1").arg(ownNamed), ownValues)
                .toLongLong() == 0)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        // Every live row that carries the number under the document's codes.
        const qint64 expected =
            db_.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_CODE IN (%1) AND DOC_NO=?%2")
                           .arg(placeholders(all.size()), live),
                       all + QVariantList{number, kStatusCancelled})
                .toLongLong();
        const int changed =
            db_.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET DOC_STATUS=?, CNCL_BY=?, CNCL_ON=%1, "
                                            "REASON_CNCL=? WHERE (%2)%3")
                                 .arg(db_.dialect().now(), named, live),
                             QVariantList{kStatusCancelled, user_, reason} + nameValues +
                                 QVariantList{kStatusCancelled});
        // A live row under the number that the name does not cover is another document's: the
        // number is not this one's alone, and nothing is cancelled.
        if (changed != expected)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        return changed;
    });
}

}  // namespace tarvic
