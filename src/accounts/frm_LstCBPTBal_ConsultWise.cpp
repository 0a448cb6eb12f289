#include "frm_LstCBPTBal_ConsultWise.h"

#include "engine/accounts/LedgerQueries.h"
#include "engine/DocumentState.h"
#include "data/Moments.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/KeyFilters.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace tarvic {

namespace {

const CodeSource kConsultant{QStringLiteral("M_TBL_CONSULTANT"), QStringLiteral("CONSULTANT_CODE"),
                             QStringLiteral("CONSULTANT_NAME")};

}  // namespace

frm_LstCBPTBal_ConsultWise::frm_LstCBPTBal_ConsultWise(Session& session, QWidget* parent)
    : AccountsListing(session, parent, QStringLiteral("frm_LstCBPTBal_ConsultWise"),
                      QStringLiteral("LIST OF CBPT BALANCES CONSULTANT WISE"), true, QSize(1010, 640)) {
    Cmb_DBCR = addField(QStringLiteral("DB / &CR"), sideField("Cmb_DBCR"), 0, 0);
    Opt_All = new QRadioButton(QStringLiteral("&ALL CONSULTANTS"), this);
    Opt_All->setObjectName(QStringLiteral("Opt_All"));
    Opt_All->setChecked(true);
    Opt_Consultant = new QRadioButton(QStringLiteral("CONSULTANT C&ODE"), this);
    Opt_Consultant->setObjectName(QStringLiteral("Opt_Consultant"));
    consultant_ = new CodeField(session, kConsultant, this, QStringLiteral("txt_ConsultantCode"),
                                QStringLiteral("lbl_ConsultantName"));
    txt_ConsultantCode = consultant_->edit();
    txt_ConsultantCode->setMaximumWidth(90);
    attachFilter(txt_ConsultantCode, KeyFilter::Number);
    lbl_ConsultantName = consultant_->nameLabel();
    lbl_ConsultantName->setFrameShape(QFrame::StyledPanel);
    lbl_ConsultantName->setMinimumWidth(220);
    auto* line = new QHBoxLayout;
    line->addWidget(Opt_All);
    line->addWidget(Opt_Consultant);
    line->addWidget(txt_ConsultantCode);
    line->addWidget(lbl_ConsultantName, 1);
    form()->addLayout(line, 1, 0, 1, 6);
    connect(Opt_Consultant, &QRadioButton::clicked, txt_ConsultantCode, [this] { txt_ConsultantCode->setFocus(); });
    onEnter(txt_ConsultantCode, [this] {
        consultant_->lookUp();
        Load_Grid();
    });

    using C = ListColumn;
    auto money = [](const char* heading, const char* field) {
        return C::money(QLatin1String(heading), QLatin1String(field), 1300);
    };
    Grid1 = addGrid(
        QStringLiteral("Grid1"),
        {C::date(QStringLiteral("CBPT DT"), QStringLiteral("DOC_DATE"), 1300),
         C::number(QStringLiteral("CBPT NO"), QStringLiteral("CBPT_NO"), 900),
         C::text(QStringLiteral("CONSULTANT"), QStringLiteral("CONSULTANT_NAME"), 1800),
         C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 2600), money("TOTL DB", "TOTL_DB"),
         money("TOTL CR", "TOTL_CR"), money("BALANCE", "PARTY_BALANCE"),
         C::number(QStringLiteral("QUOT NO"), QStringLiteral("QUOTATION_NO"), 900),
         C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 900),
         C::date(QStringLiteral("TOUR DT"), QStringLiteral("START_DT"), 1300),
         C::computed(QStringLiteral("DURATION"), 2600,
                     [](const QSqlRecord& r) {
                         const QString end = dateText(r.value(QStringLiteral("END_DT")));
                         const QString days = r.value(QStringLiteral("TOUR_DAYS")).toString().trimmed();
                         if (end.isEmpty())
                             return days.isEmpty() ? QString() : days + QStringLiteral(" DAYS");
                         return QStringLiteral("TILL ") + end +
                                (days.isEmpty() ? QString() : QStringLiteral(" ( ") + days + QStringLiteral(" DAYS )"));
                     }),
         C::text(QStringLiteral("TOURIST NAME"), QStringLiteral("TOURIST_NAME"), 2400)});
    Grid2 = addGrid(QStringLiteral("Grid2"),
                    {C::text(QStringLiteral("CONSULTANT"), QStringLiteral("CONSULTANT_NAME"), 2800),
                     C::money(QStringLiteral("TOTAL BALANCES"), QStringLiteral("PARTY_BALANCE"), 1800)},
                    true);
    codes_ = codeList(QStringLiteral("LDOP"));
}

namespace {
const QStringList kSums{QStringLiteral("TOTL_DB"), QStringLiteral("TOTL_CR"), QStringLiteral("PARTY_BALANCE")};
}  // namespace

void frm_LstCBPTBal_ConsultWise::Load_Grid() {
    const bool one = Opt_Consultant->isChecked();
    if (one && consultant_->key().isEmpty())
        consultant_->lookUp();
    loadAll([&] {
        if (one && consultant_->key().isEmpty())
            return;
        // f: the bill party's balance within each booking; a: the booking's own row, live;
        // c and g: its lead and consultant, outer-joined so a booking without one still shows.
        QVariantList values;
        QString lines =
            QStringLiteral(
                "SELECT a.DOC_DATE, a.DOC_NO AS CBPT_NO, c.CONSULTANT_CODE, g.CONSULTANT_NAME, p.PARTY_NAME, "
                "f.TOTL_DB, f.TOTL_CR, f.PARTY_BALANCE, a.QUOTATION_NO, a.LEAD_NO, a.START_DT, a.END_DT, a.TOUR_DAYS, "
                "a.TOURIST_NAME FROM M_TBL_TRANSACTION a JOIN (SELECT IN_DOCNO, PARTY_CODE, ") +
            ledger::debitCreditSums(QStringLiteral("DB_AMT"), QStringLiteral("CR_AMT"), kSums) +
            QStringLiteral(" FROM M_TBL_TRANSACTION WHERE ") +
            ledger::inList(QStringLiteral("DOC_CODE"), codes_, values) +
            QStringLiteral(" AND IN_DOCCODE='CBPT01' AND ") + sql::live() +
            QStringLiteral(
                " GROUP BY IN_DOCNO, PARTY_CODE) f "
                "ON f.IN_DOCNO=a.DOC_NO AND f.PARTY_CODE=a.PARTY_CODE "
                "LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=a.PARTY_CODE "
                "LEFT JOIN M_TBL_TRANSACTION c ON c.DOC_CODE='BLFC01' AND c.DOC_NO=a.LEAD_NO "
                "LEFT JOIN M_TBL_CONSULTANT g ON g.CONSULTANT_CODE=c.CONSULTANT_CODE "
                "WHERE a.DOC_CODE='CBPT01' AND ") +
            sql::live(QStringLiteral("a")) + QStringLiteral(" AND ") +
            ledger::paise(QStringLiteral("f.PARTY_BALANCE")) +
            (Cmb_DBCR->currentText() == QLatin1String("CR") ? QStringLiteral(" < 0") : QStringLiteral(" > 0"));
        if (one) {
            lines += QStringLiteral(" AND c.CONSULTANT_CODE=?");
            values << consultant_->key().toLongLong();
        }
        const ListQuery q = ledger::linesOf(lines, values);
        load(Grid1, QStringLiteral("t.*"), {}, QStringLiteral("t.DOC_DATE DESC, t.CBPT_NO DESC"), q);
        load(Grid2,
             QStringLiteral("t.CONSULTANT_CODE, t.CONSULTANT_NAME, ") + ledger::sumsOf(QStringLiteral("t"), kSums),
             QStringLiteral("t.CONSULTANT_CODE, t.CONSULTANT_NAME"),
             QStringLiteral("t.CONSULTANT_NAME, t.CONSULTANT_CODE"), q);
    });
}

}  // namespace tarvic
