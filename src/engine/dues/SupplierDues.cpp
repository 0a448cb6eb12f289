#include "SupplierDues.h"

#include "OldestFirst.h"
#include "data/Moments.h"
#include "data/RowReader.h"
#include "engine/DocumentState.h"

#include <algorithm>
#include <map>

namespace tarvic {

namespace {

[[noreturn]] void refuse(const QString& message) {
    throw DbError(DbError::Kind::Refused, message);
}

// Live notes of live bookings with their supplier, typed due date, credit period and what is
// paid to the supplier against the booking (`paidSum`, summed from the payments unless given);
// `where` narrows them ({DUE}: the note's due date), `first` is read before the notes (a
// derived table joined by a CROSS JOIN, which SQLite keeps in the order written) and narrows
// them by `where`.
std::vector<NoteDue> readNotes(Database& db, const QString& where, const QVariantList& values, const QDate& today,
                               const QString& first = {}, QString paidSum = {}) {
    const Dialect& d = db.dialect();
    const QString serviceDate = QStringLiteral("COALESCE(n.START_DT, n.DOC_DATE)");
    const QString due = QStringLiteral("COALESCE(u.DUE_DT, %1)")
                            .arg(d.addDays(serviceDate, QStringLiteral("COALESCE(s.CREDIT_DAYS,0)")));
    if (paidSum.isEmpty())
        paidSum = QStringLiteral(
                      "(SELECT %1 FROM M_TBL_TRANSACTION t WHERE t.DOC_CODE='FTCR01' AND "
                      "t.IN_DOCCODE='CBPT01' AND t.IN_DOCNO=n.IN_DOCNO AND t.PARTY_CODE=n.PARTY_CODE AND %2)")
                      .arg(exactSum(QStringLiteral("t.CR_AMT")), sql::live(QStringLiteral("t")));
    // With `first`, the booking joins by a CROSS JOIN too: SQLite otherwise read every live
    // booking first and looked for its owed suppliers, 100,000 probes at a big office for the
    // 4,000 pairs owed.
    const QString booking =
        QStringLiteral("b.DOC_CODE='CBPT01' AND b.DOC_NO=n.IN_DOCNO AND %1").arg(sql::live(QStringLiteral("b")));
    RowReader q(
        db,
        QStringLiteral("SELECT n.DOC_CODE, n.DOC_NO, n.IN_DOCNO, n.PARTY_CODE, s.PARTY_NAME, l.CONSULTANT_CODE, "
                       "%1 AS R_DUE, n.CR_AMT, %2 AS R_PAID "
                       "FROM %6M_TBL_TRANSACTION n %3 "
                       "LEFT JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND l.DOC_NO=b.LEAD_NO "
                       "LEFT JOIN M_TBL_PARTY s ON s.PARTY_CODE=n.PARTY_CODE "
                       "LEFT JOIN M_TBL_ADVICE_DUE u ON u.DOC_CODE=n.DOC_CODE AND u.DOC_NO=n.DOC_NO "
                       "WHERE n.DOC_CODE IN ('ANCP01','ANCP02','ANCP03') AND n.IN_DOCCODE='CBPT01' AND %4 AND %5")
            .arg(due, paidSum,
                 first.isEmpty() ? QStringLiteral("JOIN M_TBL_TRANSACTION b ON ") + booking
                                 : QStringLiteral("CROSS JOIN M_TBL_TRANSACTION b"),
                 sql::live(QStringLiteral("n")) + (first.isEmpty() ? QString() : QStringLiteral(" AND ") + booking),
                 QString(where).replace(QLatin1String("{DUE}"), due),
                 first.isEmpty() ? first : first + QStringLiteral(" CROSS JOIN ")),
        values);
    // Each supplier's notes of a booking, with what is paid to it there.
    std::map<std::pair<qint64, qint64>, std::vector<NoteDue>> groups;
    std::map<std::pair<qint64, qint64>, Money> paid;
    while (q.next()) {
        NoteDue n;
        n.code = q.value(0).toString().trimmed();
        n.number = q.value(1).toLongLong();
        n.booking = q.value(2).toLongLong();
        n.party = q.value(3).toLongLong();
        n.partyName = q.value(4).toString().trimmed();
        n.consultant = q.value(5).toInt();
        n.due = dateFromDb(q.value(6));
        n.amount = Money::fromVariant(q.value(7));
        paid[{n.booking, n.party}] = Money::fromVariant(q.value(8));
        groups[{n.booking, n.party}].push_back(n);
    }
    std::vector<NoteDue> out;
    for (auto& [key, notes] : groups) {
        std::sort(notes.begin(), notes.end(), [](const NoteDue& a, const NoteDue& b) {
            return std::tie(a.due, a.code, a.number) < std::tie(b.due, b.code, b.number);
        });
        std::vector<Money> amounts;
        for (const NoteDue& n : notes)
            amounts.push_back(n.amount);
        const std::vector<Money> applied = applyOldestFirst(amounts, paid[key]);
        for (size_t i = 0; i < notes.size(); ++i) {
            NoteDue& n = notes[i];
            n.paid = applied[i];
            n.balance = n.amount - n.paid;
            n.daysOverdue = n.balance > Money() && n.due < today ? int(n.due.daysTo(today)) : 0;
            out.push_back(n);
        }
    }
    return out;
}

}  // namespace

void setSupplierTerms(Database& db, const QString& user, qint64 party, const SupplierTerms& terms) {
    const auto value = [](const std::optional<int>& days) {
        if (days && *days < 0)
            refuse(QStringLiteral("ENTER VALID DAYS ...."));
        return days ? QVariant(*days) : QVariant(QMetaType(QMetaType::Int));
    };
    const QVariantList values{value(terms.creditDays), value(terms.optionDays), value(terms.freeCancelDays), user,
                              party};
    db.transact([&] {
        if (db.execAffected(QStringLiteral("UPDATE M_TBL_PARTY SET CREDIT_DAYS=?, OPTION_DAYS=?, FREECNCL_DAYS=?, "
                                           "UPDATE_BY=?, UPDATE_ON=%1 WHERE PARTY_CODE=?")
                                .arg(db.dialect().now()),
                            values) != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    });
}

void setAdviceDueDate(Database& db, const QString& user, const QString& code, qint64 number, const QDate& due) {
    if (code != QLatin1String("ANCP01") && code != QLatin1String("ANCP02") && code != QLatin1String("ANCP03"))
        refuse(QStringLiteral("NOT AN ADVICE NOTE ...."));
    db.transact([&] {
        const auto row = db.firstRow(QStringLiteral("SELECT DOC_STATUS FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND "
                                                    "DOC_NO=?") +
                                         db.dialect().forUpdate(),
                                     {code, number});
        if (!row)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        if (row->value(0).toString().trimmed() != status::kLive)
            throw DbError(DbError::Kind::Cancelled, QStringLiteral("THIS DOCUMENT IS CANCELLED ...."));
        if (!due.isValid()) {
            db.execAffected(QStringLiteral("DELETE FROM M_TBL_ADVICE_DUE WHERE DOC_CODE=? AND DOC_NO=?"),
                            {code, number});
            return;
        }
        db.execAffected(
            QStringLiteral("INSERT INTO M_TBL_ADVICE_DUE (DOC_CODE, DOC_NO, DUE_DT, UPDATE_BY, UPDATE_ON) "
                           "VALUES (?, ?, ?, ?, %1) ON CONFLICT (DOC_CODE, DOC_NO) DO UPDATE SET "
                           "DUE_DT=excluded.DUE_DT, UPDATE_BY=excluded.UPDATE_BY, UPDATE_ON=excluded.UPDATE_ON")
                .arg(db.dialect().now()),
            {code, number, dateToDb(due), user});
    });
}

std::vector<NoteDue> supplierDues(Database& db, qint64 booking, const QDate& today) {
    return readNotes(db, QStringLiteral("n.IN_DOCNO=?"), {booking}, today);
}

std::vector<NoteDue> supplierDuesBefore(Database& db, const QDate& before, std::optional<int> consultant,
                                        const QDate& today) {
    // Only a supplier whose live notes of a booking come to more than he was paid against it
    // can be owed on any of them: those kept so (by the index of what is owed) are read first, with
    // what is kept as paid to him, and their notes due before `before`.
    const QString owed = QStringLiteral(
        "(SELECT o.CBPT_NO AS IN_DOCNO, o.PARTY_CODE, o.PAID_PAISE FROM "
        "M_TBL_SUPPLIER_DUE o WHERE o.NOTED_PAISE - o.PAID_PAISE > 0) k");
    QVariantList values{before};
    QString where = QStringLiteral("n.IN_DOCNO=k.IN_DOCNO AND n.PARTY_CODE=k.PARTY_CODE AND {DUE} < ?");
    if (consultant) {
        where += QStringLiteral(" AND l.CONSULTANT_CODE=?");
        values << *consultant;
    }
    std::vector<NoteDue> all = readNotes(db, where, values, today, owed, rupeesOf(QStringLiteral("k.PAID_PAISE")));
    std::erase_if(all, [](const NoteDue& n) { return n.balance <= Money(); });
    return all;
}

}  // namespace tarvic
