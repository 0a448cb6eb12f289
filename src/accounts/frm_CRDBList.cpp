#include "frm_CRDBList.h"

#include "engine/accounts/LedgerQueries.h"
#include "engine/DocumentState.h"
#include "data/Moments.h"
#include "shell/kit/ListGrid.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tarvic {

namespace {

const QString kSums =
    ledger::debitCreditSums(QStringLiteral("a.DB_AMT"), QStringLiteral("a.CR_AMT"),
                            {QStringLiteral("DB_AMOUNT"), QStringLiteral("CR_AMOUNT"), QStringLiteral("BAL_AMOUNT")});

}  // namespace

frm_CRDBList::frm_CRDBList(Session& session, QWidget* parent)
    : AccountsListing(session, parent, QStringLiteral("frm_CRDBList"), QStringLiteral("CRDIT - DEBIT LISTING"), true,
                      QSize(1000, 640)) {
    txt_FromDate = addField(QStringLiteral("&FROM DATE"), dateField("txt_FromDate"), 0, 0);
    txt_ToDate = addField(QStringLiteral("&TO DATE"), dateField("txt_ToDate"), 0, 1);
    lbl_Heading = new QLabel(this);
    lbl_Heading->setObjectName(QStringLiteral("lbl_Heading"));
    body()->addWidget(lbl_Heading);
    using C = ListColumn;
    auto money = [](const char* heading, const char* field) {
        return C::money(QLatin1String(heading), QLatin1String(field), 1400);
    };
    Grid1 =
        addGrid(QStringLiteral("Grid1"), {C::serial(QStringLiteral("SL NO"), 700),
                                          C::text(QStringLiteral("DOC CODE"), QStringLiteral("DOC_CODE"), 1100),
                                          C::text(QStringLiteral("DESCRIPTION"), QStringLiteral("ACCOUNT_DESC"), 4000),
                                          money("DB AMOUNT /-", "DB_AMOUNT"), money("CR AMOUNT", "CR_AMOUNT")});
    Grid2 = addGrid(
        QStringLiteral("Grid2"),
        {C::text(QStringLiteral("A/C NAME"), QStringLiteral("BANK_NAME"), 1700),
         C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 700), money("TOTL DB AMT /-", "DB_AMOUNT"),
         money("TOTL CR AMT /-", "CR_AMOUNT"), money("BALANCE AMT /-", "BAL_AMOUNT")},
        true);
    Grid3 = addGrid(QStringLiteral("Grid3"),
                    {C::text(QStringLiteral("A/C NAME"), QStringLiteral("BANK_NAME"), 1700),
                     C::money(QStringLiteral("TOTAL BALANCE /-"), QStringLiteral("BAL_AMOUNT"), 1800)},
                    true);
    Grid4 = addGrid(QStringLiteral("Grid4"),
                    {C::money(QStringLiteral(" TOTAL ACCOUNT BALANCE AMOUNT /-"), QStringLiteral("BAL_AMOUNT"), 3500)},
                    true);
    codes_ = codeList(QStringLiteral("CRDB"));
}

void frm_CRDBList::Load_Grid() {
    const QDate from = txt_FromDate->date(), to = txt_ToDate->date();
    lbl_Heading->setText(QStringLiteral("ACCOUNT WISE TOTAL CREDIT-DEBIT BETWEEN ") + from.toString(u"dd/MM/yyyy") +
                         QStringLiteral(" AND ") + to.toString(u"dd/MM/yyyy"));
    loadAll([&] {
        // A row whose account or bank has no name still counts: both are outer-joined.
        auto statement = [&](const QString& join, bool dated) {
            QVariantList values;
            QString sql = QStringLiteral("SELECT {columns} FROM M_TBL_TRANSACTION a ") + join +
                          QStringLiteral(" WHERE ") + ledger::inList(QStringLiteral("a.DOC_CODE"), codes_, values) +
                          QStringLiteral(" AND ") + sql::live(QStringLiteral("a"));
            if (dated)
                sql += QStringLiteral(" AND ") + dayRangeCondition(QStringLiteral("a.DOC_DATE"), from, to, values);
            return ListQuery{sql, values};
        };
        const QString accounts =
            QStringLiteral("LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB b ON a.DOC_CODE=b.DOC_CODE AND a.TO_ACC=b.ACC_CODE");
        const QString banks = QStringLiteral("LEFT JOIN MST_BANK b ON a.TO_BANKID=b.BANK_ID");
        load(Grid1, QStringLiteral("a.DOC_CODE, b.ACCOUNT_DESC, ") + kSums,
             QStringLiteral("a.DOC_CODE, b.ACCOUNT_DESC"), QStringLiteral("a.DOC_CODE, b.ACCOUNT_DESC"),
             statement(accounts, true));
        load(Grid2, QStringLiteral("b.BANK_NAME, a.DOC_STATUS, ") + kSums,
             QStringLiteral("a.DOC_STATUS, a.TO_BANKID, b.BANK_NAME"),
             QStringLiteral("a.DOC_STATUS, b.BANK_NAME, a.TO_BANKID"), statement(banks, true));
        load(Grid3, QStringLiteral("b.BANK_NAME, ") + kSums, QStringLiteral("a.TO_BANKID, b.BANK_NAME"),
             QStringLiteral("b.BANK_NAME, a.TO_BANKID"), statement(banks, false));
        load(Grid4, kSums, {}, {}, statement(QString(), false));
    });
}

}  // namespace tarvic
