#include "frm_BQ_AddOthrCharges.h"

#include "data/Moments.h"
#include "shell/kit/CodeList.h"

#include <QDateEdit>
#include <QLineEdit>

namespace tarvic {

namespace {

// The charges are the accounts of document code QFOC01; the chosen name's ACC_CODE is the code.
const CodeSource kOtherCharge{QStringLiteral("(SELECT ACC_CODE, ACCOUNT_DESC FROM M_TBL_DOCUMENTACCOUNT_COMB "
                                             "WHERE DOC_CODE='QFOC01') oc"),
                              QStringLiteral("ACC_CODE"),
                              QStringLiteral("ACCOUNT_DESC"),
                              {},
                              false};

LineKindConfig otherConfig() {
    LineKindConfig c;
    c.objectName = QStringLiteral("frm_BQ_AddOthrCharges");
    c.title = QStringLiteral("ADD OTHER CHARGES");
    c.kind = QStringLiteral("OTHRCHRG");
    c.codeCaption = QStringLiteral("QOC CODE");
    c.totalCaption = QStringLiteral("TOTAL AMNT");
    c.questionHead = QStringLiteral(" YOU ARE ABOUT TO ADD OTHER COSTING .... ");
    c.saved = QStringLiteral("OTHER COST SUCCESSFULLY UPDATED ...");
    c.noLine = QStringLiteral("PLEASE SELECT RECORD PROPERLY FOR DELETION ....");
    c.deleteHead = QStringLiteral(" YOU ARE ABOUT TO DELETE OTHER CHARGES ... ");
    c.deleteTail = QStringLiteral(" ARE YOU SURE WANT TO PROCEED (Y/N) ?");
    c.deleted = QStringLiteral("OTHER COST SUCCESSFULLY DELETE ...");
    c.columns = {ListColumn::serial(QStringLiteral("SLNO"), 700),
                 ListColumn::number(QStringLiteral("CODE"), QStringLiteral("ACC_CODE"), 800),
                 ListColumn::date(QStringLiteral("TOUR DT"), QStringLiteral("TOUR_DATE"), 1400),
                 ListColumn::text(QStringLiteral("OTHER CHARGE"), QStringLiteral("CHARGE_NAME"), 3200),
                 ListColumn::money(QStringLiteral("RATE"), QStringLiteral("OTHRCHRG_RATE"), 1400),
                 ListColumn::number(QStringLiteral("NOS"), QStringLiteral("NOOF_OTHRCHRG"), 900),
                 ListColumn::money(QStringLiteral("AMOUNT"), QStringLiteral("TOTAL_AMOUNT"), 1600),
                 ListColumn::computed(QStringLiteral("CREATED BY - ON"), 3400, [](const QSqlRecord& r) {
                     return byOnText(r.value(QStringLiteral("CREATED_BY")), r.value(QStringLiteral("CREATED_ON")));
                 })};
    c.select = QStringLiteral(
        "a.ACC_CODE, a.TOUR_DATE, oc.ACCOUNT_DESC AS CHARGE_NAME, a.OTHRCHRG_RATE, "
        "a.NOOF_OTHRCHRG, a.TOTAL_AMOUNT, a.CREATED_BY, a.CREATED_ON");
    c.joins = QStringLiteral(
        "LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB oc ON oc.DOC_CODE='QFOC01' AND "
        "oc.ACC_CODE=a.OTHRCHRG_CODE");
    return c;
}

}  // namespace

frm_BQ_AddOthrCharges::frm_BQ_AddOthrCharges(Session& session, QWidget* parent, const WindowArgs& args)
    : QuotationLineWindow(session, parent, args, otherConfig()) {
    addRow(QStringLiteral("TOUR &DATE"), txt_TourDt);
    Cmb_OthrCharge = new CodeList(session, kOtherCharge, this);
    Cmb_OthrCharge->setObjectName(QStringLiteral("Cmb_OthrCharge"));
    Cmb_OthrCharge->setMinimumWidth(260);
    Cmb_OthrCharge->load();
    addRow(QStringLiteral("&OTHR CHRG"), Cmb_OthrCharge);
    txt_NoOfQty = countField(QStringLiteral("txt_NoOfQty"));
    bindColumn(txt_NoOfQty, "M_TBL_QUOTATION", "NOOF_OTHRCHRG");
    addRow(QStringLiteral("NO OF &QTY."), txt_NoOfQty);
    txt_OthrCharge = rateField(QStringLiteral("txt_OthrCharge"));
    bindColumn(txt_OthrCharge, "M_TBL_QUOTATION", "OTHRCHRG_RATE");
    addRow(QStringLiteral("C&HRG COST"), txt_OthrCharge);
    finish();
}

void frm_BQ_AddOthrCharges::clearOwn() {
    Cmb_OthrCharge->clearChoice();
}

void frm_BQ_AddOthrCharges::initDates(const QDate& journeyStart, const QDate&) {
    txt_TourDt->setDate(journeyStart);
}

void frm_BQ_AddOthrCharges::showOwn(const QSqlRecord& line) {
    Cmb_OthrCharge->setCode(line.value(QStringLiteral("OTHRCHRG_CODE")).toString().trimmed());
    txt_NoOfQty->setText(line.value(QStringLiteral("NOOF_OTHRCHRG")).toString().trimmed());
    txt_OthrCharge->setText(Money::fromVariant(line.value(QStringLiteral("OTHRCHRG_RATE"))).toString());
}

std::optional<Money> frm_BQ_AddOthrCharges::price() {
    return priceOther(count(txt_NoOfQty), rate(txt_OthrCharge));
}

QList<Check> frm_BQ_AddOthrCharges::ownChecks() {
    return {{[this] { return Cmb_OthrCharge->code().isEmpty(); }, Cmb_OthrCharge,
             QStringLiteral("CANNOT PROCEED, PLEASE SELECT OTHER CHARGE FROM THE LIST ...")}};
}

QList<std::pair<QString, QString>> frm_BQ_AddOthrCharges::questionLines() {
    return {{QStringLiteral(" TOUR DT : "), txt_TourDt->date().toString(QStringLiteral("dd/MM/yyyy"))},
            {QStringLiteral(" OTHER CHARGE : "), Cmb_OthrCharge->currentText()},
            {QStringLiteral(" NOOF QTY : "), QString::number(count(txt_NoOfQty))},
            {QStringLiteral(" TOTAL AMOUNT : "), total().toString()}};
}

QList<std::pair<QString, QString>> frm_BQ_AddOthrCharges::deleteLines() {
    return questionLines();
}

Columns frm_BQ_AddOthrCharges::ownColumns() {
    return {{QStringLiteral("TOUR_DATE"), dateToDb(txt_TourDt->date())},
            {QStringLiteral("OTHRCHRG_CODE"), Cmb_OthrCharge->code()},
            {QStringLiteral("NOOF_OTHRCHRG"), count(txt_NoOfQty)},
            {QStringLiteral("OTHRCHRG_RATE"), rate(txt_OthrCharge).toVariant()},
            {QStringLiteral("TOTL_OTHRCHRG"), total().toVariant()}};
}

}  // namespace tarvic
