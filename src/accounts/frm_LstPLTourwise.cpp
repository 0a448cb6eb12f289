#include "frm_LstPLTourwise.h"

#include "engine/accounts/LedgerQueries.h"
#include "engine/DocumentState.h"
#include "data/Moments.h"

#include <QDateEdit>

namespace tarvic {

namespace {

ListColumn profitOrLoss() {
    return ListColumn::computed(
        QStringLiteral("P/L"), 500,
        [](const QSqlRecord& r) {
            return ledger::profitOrLoss(Money::fromVariant(r.value(QStringLiteral("BALANCE"))));
        },
        Qt::AlignHCenter);
}

}  // namespace

frm_LstPLTourwise::frm_LstPLTourwise(Session& session, QWidget* parent)
    : AccountsListing(session, parent, QStringLiteral("frm_LstPLTourwise"),
                      QStringLiteral("LIST OF PROFIT LOSS TOUR WISE"), true, QSize(1010, 640)) {
    txt_FromDate = addField(QStringLiteral("&FROM DATE"), dateField("txt_FromDate"), 0, 0);
    txt_ToDate = addField(QStringLiteral("&TO DATE"), dateField("txt_ToDate"), 0, 1);
    using C = ListColumn;
    auto money = [](const char* heading, const char* field) {
        return C::money(QLatin1String(heading), QLatin1String(field), 1300);
    };
    Grid1 = addGrid(QStringLiteral("Grid1"),
                    {C::date(QStringLiteral("TOUR DATE"), QStringLiteral("TOUR_DT"), 1300),
                     C::number(QStringLiteral("CBPT NO"), QStringLiteral("CBPT_NO"), 900),
                     C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 2600),
                     money("TOTAL FR", "TOTL_DB"), money("TOTAL CR", "TOTL_CR"), money("BALANCE", "BALANCE"),
                     profitOrLoss(), C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 900),
                     C::number(QStringLiteral("QUOT NO"), QStringLiteral("QUOT_NO"), 900),
                     C::text(QStringLiteral("CONSULTANT"), QStringLiteral("CONSULTANT_NAME"), 1800),
                     C::text(QStringLiteral("TOURIST NAME"), QStringLiteral("TOURIST_NAME"), 2400),
                     C::text(QStringLiteral("ITINERARY NAME"), QStringLiteral("ITN_NAME"), 2600)});
    Grid2 = addGrid(QStringLiteral("Grid2"),
                    {C::money(QStringLiteral("TOTAL FUND RECV"), QStringLiteral("TOTL_DB"), 1800),
                     C::money(QStringLiteral("TOTAL PAYMENT"), QStringLiteral("TOTL_CR"), 1800),
                     money("BALANCE", "BALANCE"), profitOrLoss()},
                    true);
}

void frm_LstPLTourwise::Load_Grid() {
    loadAll([this] {
        // The money of each booking: what came in against what went out. The booking, its
        // quotation and its journey date decide the line; lead, consultant and itinerary are
        // look-ups, outer-joined.
        QVariantList values;
        const QStringList sums{QStringLiteral("TOTL_DB"), QStringLiteral("TOTL_CR"), QStringLiteral("BALANCE")};
        QString lines = QStringLiteral(
                            "SELECT b.DOC_NO AS CBPT_NO, c.JOURNEY_STRTDT AS TOUR_DT, d.PARTY_NAME, c.LEAD_NO, "
                            "c.DOC_NO AS QUOT_NO, "
                            "e.TOURIST_NAME, f.CONSULTANT_NAME, g.ITN_NAME, ") +
                        ledger::debitCreditSums(QStringLiteral("a.DB_AMT"), QStringLiteral("a.CR_AMT"), sums) +
                        QStringLiteral(
                            " FROM M_TBL_TRANSACTION a "
                            "JOIN M_TBL_TRANSACTION b ON b.DOC_CODE=a.IN_DOCCODE AND b.DOC_NO=a.IN_DOCNO "
                            "JOIN M_TBL_QUOTATION c ON c.DOC_CODE='QGBL01' AND c.DOC_NO=b.QUOTATION_NO "
                            "LEFT JOIN M_TBL_PARTY d ON d.PARTY_CODE=b.PARTY_CODE "
                            "LEFT JOIN M_TBL_TRANSACTION e ON e.DOC_CODE='BLFC01' AND e.DOC_NO=c.LEAD_NO "
                            "LEFT JOIN M_TBL_CONSULTANT f ON f.CONSULTANT_CODE=e.CONSULTANT_CODE "
                            "LEFT JOIN M_TBL_ITINERARY_HEADER g ON g.ITN_DOCNO=c.ITINERARY_NO WHERE ");
        lines +=
            dayRangeCondition(QStringLiteral("c.JOURNEY_STRTDT"), txt_FromDate->date(), txt_ToDate->date(), values);
        lines +=
            QStringLiteral(" AND ") +
            ledger::inList(QStringLiteral("a.DOC_CODE"), {QStringLiteral("FRDB01"), QStringLiteral("FTCR01")}, values) +
            QStringLiteral(" AND ") + sql::live(QStringLiteral("a")) +
            QStringLiteral(
                " AND a.IN_DOCCODE='CBPT01' GROUP BY b.DOC_NO, c.JOURNEY_STRTDT, "
                "d.PARTY_NAME, c.LEAD_NO, c.DOC_NO, e.TOURIST_NAME, f.CONSULTANT_NAME, g.ITN_NAME");
        const ListQuery q = ledger::linesOf(lines, values);
        load(Grid1, QStringLiteral("t.*"), {}, QStringLiteral("t.TOUR_DT DESC, t.CBPT_NO"), q);
        load(Grid2, ledger::sumsOf(QStringLiteral("t"), sums), {}, {}, q);
    });
}

}  // namespace tarvic
