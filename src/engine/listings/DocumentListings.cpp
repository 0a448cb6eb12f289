#include "DocumentListings.h"

#include "data/Dialect.h"
#include "data/DocumentStatus.h"
#include "data/TransactionRecords.h"

namespace tarvic::listings {

namespace {

QString s(const char* text) {
    return QString::fromLatin1(text);
}

// A lookup joined in only when the detail shows one of its fields.
struct Lookup {
    QStringList fields;
    const char* select;
    const char* join;
};

const Lookup kLookups[] = {
    {{s("DB_BANK"), s("PAY_MODE"), s("INSTR_BANK")},
     ", c.BANK_NAME AS DB_BANK, d.PAY_MODE, e.BANK_NAME AS INSTR_BANK",
     "LEFT JOIN MST_BANK c ON c.BANK_ID=a.TO_BANKID "
     "LEFT JOIN MST_PAYMODE d ON d.MODE_ID=a.PAY_MODEID "
     "LEFT JOIN MST_BANK e ON e.BANK_ID=a.BANK_ID "},
    // A booking's operations consultant, its lead's file and its quotation's journey.
    {{s("OPS_NAME"), s("LEAD_FILENO"), s("JOURNEY_STRTDT"), s("JOURNEY_ENDDT")},
     ", g.CONSULTANT_NAME AS OPS_NAME, l.FILENO AS LEAD_FILENO, q.JOURNEY_STRTDT, q.JOURNEY_ENDDT",
     "LEFT JOIN M_TBL_CONSULTANT_OP g ON g.CONSULTANT_CODE=a.CONSLT_OPS "
     "LEFT JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND l.DOC_NO=a.LEAD_NO "
     "LEFT JOIN M_TBL_QUOTATION q ON q.DOC_CODE='QGBL01' AND q.DOC_NO=a.QUOTATION_NO "},
    {{s("CFA"), s("ROOM_TYPE"), s("MEAL_PLAN")},
     ", b.CFA, r.ROOM_TYPE, m.MEAL_PLAN",
     "LEFT JOIN M_TBL_HOTELROOMTYPE r ON r.ROOMTYPE_CODE=a.ROOMTYPE_CODE "
     "LEFT JOIN M_TBL_MEALPLAN m ON m.MEALPLAN_CODE=a.MEALPLAN_CODE "},
    // A note's booking (k, which the quotation filter reads) and that booking's lead.
    {{s("K_QUOTNO"), s("K_TOURIST"), s("K_FILENO")},
     ", k.QUOTATION_NO AS K_QUOTNO, k.TOURIST_NAME AS K_TOURIST, kl.FILENO AS K_FILENO",
     "LEFT JOIN M_TBL_TRANSACTION k ON k.DOC_CODE='CBPT01' AND k.DOC_NO=a.IN_DOCNO "
     "LEFT JOIN M_TBL_TRANSACTION kl ON kl.DOC_CODE='BLFC01' AND kl.DOC_NO=k.LEAD_NO "},
    {{s("VEH_BRAND")}, ", v.VEH_BRAND", "LEFT JOIN MST_VEHICLEBRANDTYPE v ON v.VEH_BRANDID=a.VEH_BRANDID "},
    {{s("ACCOUNT_DESC")},
     ", h.ACCOUNT_DESC",
     "LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB h ON h.DOC_CODE=a.DOC_CODE AND h.ACC_CODE=a.TO_ACC "},
};

bool needed(const Lookup& lookup, const QStringList& fields) {
    for (const QString& f : lookup.fields)
        if (fields.contains(f))
            return true;
    return false;
}

QString quoted(const QStringList& codes) {
    QStringList q;
    for (QString c : codes)
        q << QLatin1Char('\'') + c.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
    return q.join(QLatin1Char(','));
}

QVariantList valuesOf(const QStringList& codes) {
    QVariantList v;
    for (const QString& c : codes)
        v << c;
    return v;
}

QString grandTotal() {
    return exactSum(s("a.GRAND_TOTAL")) + s(" AS GRAND_TOTAL");
}

}  // namespace

QString documentStatement(const DocumentSource& source) {
    QString from = s("SELECT {columns} FROM M_TBL_TRANSACTION a LEFT JOIN M_TBL_PARTY b ON b.PARTY_CODE=a.PARTY_CODE ");
    for (const Lookup& lookup : kLookups)
        if (needed(lookup, source.fields))
            from += s(lookup.join);
    return from + s("WHERE {filter}");
}

GridQuery documentDetail(const DocumentSource& source) {
    QString select = s("a.*, b.PARTY_NAME");
    for (const Lookup& lookup : kLookups)
        if (needed(lookup, source.fields))
            select += s(lookup.select);
    if (source.balance) {
        // Summed for the rows read only (a page, or the rows an export writes), by the index of
        // what is posted against a booking: joining every booking's sum made each SHOW, and each
        // summary grid beside it, sum everything posted against every booking first. None
        // where nothing is posted, as a row without a booking.
        const char* first = source.creditBalance ? "CR_AMT" : "DB_AMT";
        const char* second = source.creditBalance ? "DB_AMT" : "CR_AMT";
        select += s(", (SELECT CASE WHEN COUNT(*) = 0 THEN NULL ELSE %1 END FROM M_TBL_TRANSACTION z "
                    "WHERE z.IN_DOCCODE='CBPT01' AND z.IN_DOCNO=a.IN_DOCNO AND z.PARTY_CODE=a.PARTY_CODE AND %2 AND "
                    "z.DOC_CODE IN (%3)) AS BALANCE")
                      .arg(exactSum(s("z.") + s(first), s("z.") + s(second)), sql::live(s("z")),
                           source.balanceCodes.isEmpty() ? s("''") : quoted(source.balanceCodes));
    }
    return {select, {}, s("a.DOC_DATE DESC, a.DOC_NO DESC, a.DOC_CODE, a.IN_DOCNO"), {}};
}

GridQuery partySummary() {
    return {s("a.PARTY_CODE, b.PARTY_NAME, a.DOC_STATUS, ") + grandTotal(),
            s("a.PARTY_CODE, b.PARTY_NAME, a.DOC_STATUS"),
            s("b.PARTY_NAME, a.PARTY_CODE, a.DOC_STATUS"),
            {}};
}

GridQuery bankSummary() {
    // Banks by id: two banks of one name stay apart.
    return {s("a.DOC_STATUS, a.TO_BANKID, c.BANK_NAME, ") + grandTotal(),
            s("a.DOC_STATUS, a.TO_BANKID, c.BANK_NAME"),
            s("c.BANK_NAME, a.TO_BANKID, a.DOC_STATUS"),
            {}};
}

GridQuery statusTotal() {
    return {s("a.DOC_STATUS, ") + grandTotal(), s("a.DOC_STATUS"), s("a.DOC_STATUS"), {}};
}

GridQuery statusTotals(const QStringList& amounts) {
    QString select = s("a.DOC_STATUS");
    for (const QString& field : amounts)
        select += s(", %1 AS %2").arg(exactSum(s("a.") + field), field);
    return {select, s("a.DOC_STATUS"), s("a.DOC_STATUS"), {}};
}

ListQuery codesCondition(const QStringList& codes, const QString& alias) {
    return {s("%1DOC_CODE IN (%2)")
                .arg(alias.isEmpty() ? QString() : alias + QLatin1Char('.'),
                     TransactionRecords::placeholders(codes.size())),
            valuesOf(codes)};
}

QList<std::pair<QString, QString>> accountsOf(Database& db, const QString& code) {
    QList<std::pair<QString, QString>> accounts;
    QSqlQuery q = db.exec(s("SELECT ACC_CODE, ACCOUNT_DESC FROM M_TBL_DOCUMENTACCOUNT_COMB "
                            "WHERE DOC_CODE=? ORDER BY ACCOUNT_DESC, ACC_CODE"),
                          {code});
    while (q.next())
        accounts.append({q.value(0).toString().trimmed(), q.value(1).toString().trimmed()});
    return accounts;
}

}  // namespace tarvic::listings
