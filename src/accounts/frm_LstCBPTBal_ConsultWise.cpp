#include "frm_LstCBPTBal_ConsultWise.h"

#include "data/Moments.h"
#include "engine/listings/AccountListings.h"
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

using C = ListColumn;

C money(const char* heading, const char* field) {
    return C::money(QLatin1String(heading), QLatin1String(field), 1300);
}

// "TILL <end> ( <n> DAYS )", or what of it is known.
QString duration(const QSqlRecord& r) {
    const QString end = dateText(r.value(QStringLiteral("END_DT")));
    const QString days = r.value(QStringLiteral("TOUR_DAYS")).toString().trimmed();
    if (end.isEmpty())
        return days.isEmpty() ? QString() : days + QStringLiteral(" DAYS");
    return QStringLiteral("TILL ") + end +
           (days.isEmpty() ? QString() : QStringLiteral(" ( ") + days + QStringLiteral(" DAYS )"));
}

ListingConfig listingConfig() {
    return {
        .objectName = QStringLiteral("frm_LstCBPTBal_ConsultWise"),
        .title = QStringLiteral("LIST OF CBPT BALANCES CONSULTANT WISE"),
        .detail = {.objectName = QStringLiteral("Grid1"),
                   .columns = {C::date(QStringLiteral("CBPT DT"), QStringLiteral("DOC_DATE"), 1300),
                               C::number(QStringLiteral("CBPT NO"), QStringLiteral("CBPT_NO"), 900),
                               C::text(QStringLiteral("CONSULTANT"), QStringLiteral("CONSULTANT_NAME"), 1800),
                               C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 2600),
                               money("TOTL DB", "TOTL_DB"), money("TOTL CR", "TOTL_CR"),
                               money("BALANCE", "PARTY_BALANCE"),
                               C::number(QStringLiteral("QUOT NO"), QStringLiteral("QUOTATION_NO"), 900),
                               C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 900),
                               C::date(QStringLiteral("TOUR DT"), QStringLiteral("START_DT"), 1300),
                               C::computed(QStringLiteral("DURATION"), 2600, duration),
                               C::text(QStringLiteral("TOURIST NAME"), QStringLiteral("TOURIST_NAME"), 2400)}},
        .summaries = {{.objectName = QStringLiteral("Grid2"),
                       .columns = {C::text(QStringLiteral("CONSULTANT"), QStringLiteral("CONSULTANT_NAME"), 2800),
                                   C::money(QStringLiteral("TOTAL BALANCES"), QStringLiteral("PARTY_BALANCE"), 1800)},
                       .maxHeight = 96}},
        .size = QSize(1010, 640)};
}

}  // namespace

frm_LstCBPTBal_ConsultWise::frm_LstCBPTBal_ConsultWise(Session& session, QWidget* parent)
    : ListingWindow(session, parent, listingConfig()) {
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
        showList();
    });
    Grid2 = summaryGrid(0);
    setQueries([this]() -> QList<GridQuery> {
        const bool one = Opt_Consultant->isChecked();
        if (one && consultant_->key().isEmpty() && !consultant_->lookUp())
            return {};  // no such consultant: said, nothing listed
        const bool credit = Cmb_DBCR->currentText() == QLatin1String("CR");
        return listings::bookingBalancesByConsultant(
            QStringLiteral("LDOP"), credit,
            one ? std::optional<qint64>(consultant_->key().toLongLong()) : std::nullopt);
    });
}

}  // namespace tarvic
