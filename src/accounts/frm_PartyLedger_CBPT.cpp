#include "frm_PartyLedger_CBPT.h"

#include "accounts/PartyLedger.h"
#include "engine/accounts/LedgerQueries.h"
#include "engine/DocumentState.h"
#include "shell/kit/CodeList.h"

namespace tarvic {

frm_PartyLedger_CBPT::frm_PartyLedger_CBPT(Session& session, QWidget* parent)
    : AccountsListing(session, parent, QStringLiteral("frm_PartyLedger_CBPT"), QStringLiteral("PARTY LEDGER CBPT WISE"),
                      true, QSize(960, 600)) {
    party_ = addPartyField(0);
    txt_PartyCode = party_->edit();
    lbl_PartyName = party_->nameLabel();
    using C = ListColumn;
    Grid1 = addGrid(QStringLiteral("Grid1"),
                    {C::number(QStringLiteral("CBPT NO"), QStringLiteral("IN_DOCNO"), 1100),
                     C::date(QStringLiteral("CBPT DATE"), QStringLiteral("CBPT_DATE"), 1200),
                     C::text(QStringLiteral("BILL TO PARTY"), QStringLiteral("BILL_NAME"), 3800),
                     C::number(QStringLiteral("PARTY CODE"), QStringLiteral("BILL_PARTY"), 1200),
                     C::money(QStringLiteral("TOTL DB AMT"), QStringLiteral("TOTL_DB"), 1500),
                     C::money(QStringLiteral("TOTL CR AMT"), QStringLiteral("TOTL_CR"), 1500),
                     C::money(QStringLiteral("BALANCE AMT"), QStringLiteral("PARTY_BALANCE"), 1500)});
    Grid2 = addGrid(QStringLiteral("Grid2"),
                    {C::money(QStringLiteral("TOTAL DB AMT"), QStringLiteral("TOTL_DB"), 1700),
                     C::money(QStringLiteral("TOTAL CR AMT"), QStringLiteral("TOTL_CR"), 1700),
                     C::money(QStringLiteral("TOTAL BALANCE"), QStringLiteral("PARTY_BALANCE"), 1700)},
                    true);
    lbl_Totals = captionTotals(Grid2, QStringLiteral("lbl_Totals"), QStringLiteral("TOTALS OF THE BOOKINGS LISTED"));
    codes_ = codeList(QStringLiteral("LDOP"));
}

void frm_PartyLedger_CBPT::Load_Grid() {
    if (!ledgerPartyReady(party_, prompter(), this)) {
        loadAll([] {});  // nothing shown is left over from another party
        return;
    }
    loadAll([this] {
        // The booking's own row gives its date and bill party: outer-joined, so a line whose
        // booking is no longer live still shows its balance.
        const QStringList sums{QStringLiteral("TOTL_DB"), QStringLiteral("TOTL_CR"), QStringLiteral("PARTY_BALANCE")};
        QVariantList values;
        const QString lines = QStringLiteral(
                                  "SELECT a.IN_DOCNO, k.DOC_DATE AS CBPT_DATE, k.PARTY_CODE AS BILL_PARTY, "
                                  "kp.PARTY_NAME AS BILL_NAME, ") +
                              ledger::debitCreditSums(QStringLiteral("a.DB_AMT"), QStringLiteral("a.CR_AMT"), sums) +
                              QStringLiteral(
                                  " FROM M_TBL_TRANSACTION a "
                                  "LEFT JOIN M_TBL_TRANSACTION k ON k.DOC_CODE='CBPT01' AND k.DOC_NO=a.IN_DOCNO "
                                  "AND ") +
                              sql::live(QStringLiteral("k")) +
                              QStringLiteral(" LEFT JOIN M_TBL_PARTY kp ON kp.PARTY_CODE=k.PARTY_CODE WHERE ") +
                              ledger::inList(QStringLiteral("a.DOC_CODE"), codes_, values) +
                              QStringLiteral(" AND a.IN_DOCCODE='CBPT01' AND a.PARTY_CODE=? AND ") +
                              sql::live(QStringLiteral("a")) +
                              QStringLiteral(
                                  " GROUP BY a.IN_DOCNO, k.DOC_DATE, k.PARTY_CODE, kp.PARTY_NAME HAVING ") +
                              ledger::paise(exactSum(QStringLiteral("a.DB_AMT"), QStringLiteral("a.CR_AMT"))) +
                              QStringLiteral(" <> 0");
        values << party_->key().toLongLong();
        const ListQuery q = ledger::linesOf(lines, values);
        load(Grid1, QStringLiteral("t.*"), {}, QStringLiteral("t.IN_DOCNO DESC"), q);
        load(Grid2, ledger::sumsOf(QStringLiteral("t"), sums), {}, {}, q);
    });
}

}  // namespace tarvic
