#include "TransactionRecords.h"

#include "Numbering.h"

#include <QRegularExpression>

namespace tarvic {

namespace {

void checkName(const QString& column) {
    static const QRegularExpression ok(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!ok.match(column).hasMatch())
        throw DbError(DbError::Kind::Other, QStringLiteral("Not a column name: %1").arg(column));
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

}  // namespace

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

void TransactionRecords::insert(const QString& code, qint64 number, const Columns& columns,
                                const std::optional<std::pair<QString, qint64>>& inDoc) {
    const QDateTime now = QDateTime::currentDateTime();
    QStringList names{QStringLiteral("DOC_CODE"), QStringLiteral("DOC_NO"), QStringLiteral("DOC_STATUS"),
                      QStringLiteral("CREATED_BY"), QStringLiteral("CREATED_ON"), QStringLiteral("UPDATE_BY"),
                      QStringLiteral("UPDATE_ON")};
    QVariantList values{code, number, QStringLiteral("APPRV"), user_, now, user_, now};
    if (inDoc) {
        names << QStringLiteral("IN_DOCCODE") << QStringLiteral("IN_DOCNO");
        values << inDoc->first << inDoc->second;
    }
    for (const auto& [name, value] : columns) {
        checkName(name);
        names << name;
        values << value;
    }
    db_.execAffected(QStringLiteral("INSERT INTO M_TBL_TRANSACTION (%1) VALUES (%2)")
                 .arg(names.join(QLatin1Char(',')), placeholders(names.size())),
             values);
}

void TransactionRecords::upsert(const QString& code, qint64 number, const Columns& columns,
                                const std::optional<std::pair<QString, qint64>>& inDoc) {
    Columns cols = columns;
    cols.emplace_back(QStringLiteral("DOC_STATUS"), QStringLiteral("APPRV"));
    cols.emplace_back(QStringLiteral("UPDATE_BY"), user_);
    cols.emplace_back(QStringLiteral("UPDATE_ON"), QDateTime::currentDateTime());
    if (inDoc) {
        cols.emplace_back(QStringLiteral("IN_DOCCODE"), inDoc->first);
        cols.emplace_back(QStringLiteral("IN_DOCNO"), inDoc->second);
    }

    QStringList sets;
    QVariantList values;
    for (const auto& [name, value] : cols) {
        checkName(name);
        sets << name + QStringLiteral("=?");
        values << value;
    }
    QString where = QStringLiteral(" WHERE DOC_CODE=? AND DOC_NO=?");
    values << code << number;
    if (inDoc) {
        where += QStringLiteral(" AND IN_DOCCODE=? AND IN_DOCNO=?");
        values << inDoc->first << inDoc->second;
    }
    if (db_.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET ") + sets.join(QLatin1Char(',')) + where, values) > 0)
        return;

    QStringList names{QStringLiteral("DOC_CODE"), QStringLiteral("DOC_NO"), QStringLiteral("CREATED_BY"),
                      QStringLiteral("CREATED_ON")};
    QVariantList insert{code, number, user_, QDateTime::currentDateTime()};
    for (const auto& [name, value] : cols) {
        names << name;
        insert << value;
    }
    db_.execAffected(QStringLiteral("INSERT INTO M_TBL_TRANSACTION (%1) VALUES (%2)")
                 .arg(names.join(QLatin1Char(',')), placeholders(names.size())),
             insert);
}

void TransactionRecords::replaceLines(const QString& lineCode, const QString& headerCode, qint64 number,
                                      const std::vector<Columns>& lines) {
    db_.transact([&] {
        db_.execAffected(QStringLiteral("DELETE FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND IN_DOCCODE=? AND IN_DOCNO=?"),
                 {lineCode, headerCode, number});
        int slno = 0;
        for (const Columns& line : lines) {
            Columns cols = line;
            cols.emplace_back(QStringLiteral("INV_DETSLNO"), ++slno);
            insert(lineCode, number, cols, std::make_pair(headerCode, number));
        }
    });
}

qint64 TransactionRecords::save(const Document& d) {
    return db_.transact([&] {
        const qint64 number = d.number > 0 ? d.number : Numbering(db_).next(d.code);
        std::optional<std::pair<QString, qint64>> key;
        if (d.keyedByBooking) {
            for (const auto& [name, value] : d.columns) {
                if (name.compare(QLatin1String("IN_DOCNO"), Qt::CaseInsensitive) == 0)
                    key = std::make_pair(QStringLiteral("CBPT01"), value.toLongLong());
            }
        }
        Columns base = d.columns;
        if (key)  // the key columns are written by upsert itself
            base.erase(std::remove_if(base.begin(), base.end(), [](const auto& c) {
                           return c.first.compare(QLatin1String("IN_DOCCODE"), Qt::CaseInsensitive) == 0 ||
                                  c.first.compare(QLatin1String("IN_DOCNO"), Qt::CaseInsensitive) == 0;
                       }), base.end());
        const Columns first = d.amounts ? withAmounts(base, d.debit, d.credit, d.nullOther) : base;
        // A new document's rows are added; a saved one's are updated in place.
        const auto write = [&](const QString& code, const Columns& cols) {
            if (d.number > 0)
                upsert(code, number, cols, key);
            else
                insert(code, number, cols, key);
        };
        write(d.code, first);
        if (!d.pairCode.isEmpty()) {
            Columns pair = merged(base, d.pairColumns);
            if (d.amounts)
                pair = withAmounts(pair, d.credit, d.debit, d.nullOther);
            write(d.pairCode, pair);
        }
        if (!d.lineCode.isEmpty())
            replaceLines(d.lineCode, d.code, number, d.lines);
        return number;
    });
}

Money TransactionRecords::balanceOf(const QStringList& codes, const BalanceFilter& f) {
    if (codes.isEmpty())
        return {};
    QString sql = QStringLiteral("SELECT COALESCE(SUM(DB_AMT),0) - COALESCE(SUM(CR_AMT),0) FROM M_TBL_TRANSACTION "
                                 "WHERE DOC_CODE IN (%1)").arg(placeholders(codes.size()));
    QVariantList values;
    for (const QString& c : codes)
        values << c;
    if (f.booking) {
        sql += QStringLiteral(" AND IN_DOCCODE='CBPT01' AND IN_DOCNO=?");
        values << *f.booking;
    }
    if (f.party) {
        sql += QStringLiteral(" AND PARTY_CODE=?");
        values << *f.party;
    }
    if (f.until) {
        sql += QStringLiteral(" AND DOC_DATE <= ?");
        values << *f.until;
    }
    sql += QStringLiteral(" AND DOC_STATUS IN ('APPRV')");
    return Money::fromVariant(db_.scalar(sql, values));
}

Money TransactionRecords::balance(const QString& listName, const BalanceFilter& filter) {
    return balanceOf(codeList(listName), filter);
}

int TransactionRecords::cancel(const QStringList& codes, qint64 number, const QString& reason) {
    QVariantList values{user_, reason};
    for (const QString& c : codes)
        values << c;
    values << number;
    return db_.transact([&] {
        return db_.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL', CNCL_BY=?, CNCL_ON=%1, "
                                               "REASON_CNCL=? WHERE DOC_CODE IN (%2) AND DOC_NO=?")
                                    .arg(db_.dialect().now(), placeholders(codes.size())),
                                values);
    });
}

}  // namespace tarvic
