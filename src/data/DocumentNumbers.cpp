#include "DocumentNumbers.h"

#include "DocumentKinds.h"

#include <algorithm>
#include <map>

namespace tarvic {

namespace {

void addOnce(QList<qint64>& list, const QVariant& v) {
    if (v.isNull())
        return;
    const qint64 n = v.toLongLong();
    const auto at = std::lower_bound(list.begin(), list.end(), n);
    if (at == list.end() || *at != n)
        list.insert(at, n);
}

QString joined(const QList<qint64>& numbers) {
    QStringList texts;
    for (qint64 n : numbers)
        texts << QString::number(n);
    return texts.join(QStringLiteral(", "));
}

const QString kBulkMarker = QStringLiteral("BULK POSTING DONE FOR CBPT NOS : ");

// The booking list a bulk posting's narration (or, cut shorter, its remarks) ends with.
QString bulkList(const QString& narration, const QString& remarks) {
    for (const QString& text : {narration, remarks}) {
        const qsizetype at = text.indexOf(kBulkMarker);
        if (at >= 0)
            return text.mid(at + kBulkMarker.size()).trimmed();
    }
    return {};
}

}  // namespace

std::vector<DoubledNumber> doubledNumbers(Database& db) {
    QSqlQuery q = db.exec(QStringLiteral(
        "SELECT T.DOC_CODE AS R_CODE, T.DOC_NO AS R_NO, COALESCE(T.INV_DETSLNO, -1) AS R_LINE, "
        "COALESCE(T.DOC_PART, 1) AS R_PART, T.IN_DOCCODE AS R_INDOCCODE, T.IN_DOCNO AS R_INDOCNO, "
        "T.PARTY_CODE AS R_PARTY FROM M_TBL_TRANSACTION T JOIN "
        "(SELECT DOC_CODE AS D_CODE, DOC_NO AS D_NO, COALESCE(INV_DETSLNO, -1) AS D_LINE, "
        "COALESCE(DOC_PART, 1) AS D_PART FROM M_TBL_TRANSACTION "
        "GROUP BY DOC_CODE, DOC_NO, COALESCE(INV_DETSLNO, -1), COALESCE(DOC_PART, 1) HAVING COUNT(*) > 1) D "
        "ON T.DOC_CODE = D.D_CODE AND T.DOC_NO = D.D_NO AND COALESCE(T.INV_DETSLNO, -1) = D.D_LINE "
        "AND COALESCE(T.DOC_PART, 1) = D.D_PART "
        "ORDER BY T.DOC_CODE, T.DOC_NO, COALESCE(T.INV_DETSLNO, -1), COALESCE(T.DOC_PART, 1)"));
    std::vector<DoubledNumber> out;
    while (q.next()) {
        const QString code = q.value(0).toString().trimmed();
        const qint64 number = q.value(1).toLongLong(), line = q.value(2).toLongLong(), part = q.value(3).toLongLong();
        if (out.empty() || out.back().code != code || out.back().number != number || out.back().line != line ||
            out.back().part != part)
            out.push_back({code, number, line, part});
        DoubledNumber& d = out.back();
        ++d.rows;
        addOnce(d.inDocNos, q.value(5));
        if (q.value(4).toString().trimmed() == QLatin1String(kBookingCode))
            addOnce(d.bookings, q.value(5));
        addOnce(d.parties, q.value(6));
    }
    return out;
}

QString doubledNumbersReport(const std::vector<DoubledNumber>& doubled) {
    if (doubled.empty())
        return {};
    QStringList lines{
        QStringLiteral("DOCUMENT NUMBERS HELD BY MORE THAN ONE DOCUMENT, THE DATABASE IS NOT UPGRADED ....")};
    for (const DoubledNumber& d : doubled) {
        QString line = QStringLiteral(" %1 %2").arg(d.code).arg(d.number);
        if (d.line != -1)
            line += QStringLiteral(" LINE %1").arg(d.line);
        if (d.part != 1)
            line += QStringLiteral(" PART %1").arg(d.part);
        line += QStringLiteral(" : %1 ROWS").arg(d.rows);
        if (!d.bookings.isEmpty())
            line += QStringLiteral(", CBPT NO ") + joined(d.bookings);
        if (!d.parties.isEmpty())
            line += QStringLiteral(", PARTY CODE ") + joined(d.parties);
        lines << line;
    }
    lines << QStringLiteral(
        "GIVE ONE DOCUMENT OF EACH NUMBER A NEW NUMBER (ITS PAIR AND LINES WITH IT), SET ITS "
        "COUNTER AT OR ABOVE THE HIGHEST NUMBER, THEN UPGRADE AGAIN ....");
    return lines.join(QLatin1Char('\n'));
}

void numberBulkPostingParts(Database& db) {
    const QString marked = QStringLiteral("(DOC_DESC LIKE ? OR REMARKS LIKE ?)");
    const QString pattern = QLatin1Char('%') + kBulkMarker + QLatin1Char('%');
    for (const DocumentKind& k : documentKinds()) {
        if (!k.keyedByBooking)
            continue;
        struct Row {
            qint64 booking;
            QVariant party;
            QString list;
        };
        std::map<qint64, std::vector<Row>> postings;
        {
            QSqlQuery q = db.exec(QStringLiteral("SELECT DOC_NO, IN_DOCNO, PARTY_CODE, DOC_DESC, REMARKS FROM "
                                                 "M_TBL_TRANSACTION WHERE DOC_CODE=? AND IN_DOCCODE=? AND %1 "
                                                 "ORDER BY DOC_NO, IN_DOCNO")
                                      .arg(marked),
                                  {QString::fromLatin1(k.code), QString::fromLatin1(kBookingCode), pattern, pattern});
            while (q.next())
                postings[q.value(0).toLongLong()].push_back(
                    {q.value(1).toLongLong(), q.value(2), bulkList(q.value(3).toString(), q.value(4).toString())});
        }
        for (auto& [number, rows] : postings) {
            // One posting: one party, one list of bookings, each booking once.
            const Row& first = rows.front();
            const bool one = std::all_of(rows.begin(), rows.end(),
                                         [&](const Row& r) { return r.party == first.party && r.list == first.list; });
            if (rows.size() < 2 || !one)
                continue;
            QList<qint64> order;  // the list's order, then any booking it does not name
            for (const QString& item : first.list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                bool ok = false;
                const qint64 b = item.trimmed().toLongLong(&ok);
                if (ok && !order.contains(b))
                    order << b;
            }
            for (const Row& r : rows)
                if (!order.contains(r.booking))
                    order << r.booking;
            // Both rows of a part carry its number (a kind without a pair names its code twice).
            const QString pair = QString::fromLatin1(k.pairCode ? k.pairCode : k.code);
            int part = 0;
            for (qint64 booking : order) {
                if (std::none_of(rows.begin(), rows.end(), [&](const Row& r) { return r.booking == booking; }))
                    continue;
                db.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET DOC_PART=? WHERE DOC_CODE IN (?, ?) "
                                               "AND DOC_NO=? AND IN_DOCCODE=? AND IN_DOCNO=? AND %1")
                                    .arg(marked),
                                {++part, QString::fromLatin1(k.code), pair, number, QString::fromLatin1(kBookingCode),
                                 booking, pattern, pattern});
            }
        }
    }
}

}  // namespace tarvic
