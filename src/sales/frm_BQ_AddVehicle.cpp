#include "frm_BQ_AddVehicle.h"

#include "data/Moments.h"
#include "shell/kit/CodeList.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace tarvic {

namespace {

const CodeSource kVehicleBrand{QStringLiteral("MST_VEHICLEBRANDTYPE"), QStringLiteral("VEH_BRANDID"),
                               QStringLiteral("VEH_BRAND")};

LineKindConfig vehicleConfig() {
    LineKindConfig c;
    c.objectName = QStringLiteral("frm_BQ_AddVehicle");
    c.title = QStringLiteral("ADD VEHICLE RATE");
    c.kind = QStringLiteral("VEHICLE");
    c.codeCaption = QStringLiteral("QOV CODE");
    c.totalCaption = QStringLiteral("TOTAL AMNT");
    c.dayRows = true;
    c.questionHead = QStringLiteral(" YOU ARE TO ABOUT ADD VEHICLE CHARGE TO QUOTATION ... ");
    c.saved = QStringLiteral("VEHICLE COST SUCCESSFULLY UPDATED ...");
    c.noLine = QStringLiteral("CANNOT PROCEED, PLEASE SELECT RECORD PROPERLY FOR DELETION .....");
    c.deleteHead = QStringLiteral(" YOU ARE ABOUT TO DELETE VEHICLE COST ... ");
    c.deleteTail = QStringLiteral(" ARE YOU SURE WANT TO PROCEED (Y/N) ?");
    c.deleted = QStringLiteral("VEHICLE COST DELETED SUCCESSFULLY ...");
    c.columns = {ListColumn::serial(QStringLiteral("SLNO"), 700),
                 ListColumn::number(QStringLiteral("QOV"), QStringLiteral("ACC_CODE"), 700),
                 ListColumn::date(QStringLiteral("STRT DT"), QStringLiteral("TOUR_DATE"), 1400),
                 ListColumn::date(QStringLiteral("END DT"), QStringLiteral("CHKOT_DT"), 1400),
                 ListColumn::text(QStringLiteral("VEHICLE BRAND"), QStringLiteral("VEH_BRAND"), 2600),
                 ListColumn::money(QStringLiteral("VEH RATE"), QStringLiteral("VEH_RATE"), 1400),
                 ListColumn::number(QStringLiteral("VEH NOS"), QStringLiteral("NOOF_VEH"), 1000),
                 ListColumn::money(QStringLiteral("TOTAL AMOUNT"), QStringLiteral("TOTAL_AMOUNT"), 1600),
                 ListColumn::text(QStringLiteral("REMARKS"), QStringLiteral("REMARKS"), 3000),
                 ListColumn::computed(QStringLiteral("CREATED BY - ON"), 3400, [](const QSqlRecord& r) {
                     return byOnText(r.value(QStringLiteral("CREATED_BY")), r.value(QStringLiteral("CREATED_ON")));
                 })};
    c.select = QStringLiteral(
        "a.ACC_CODE, a.TOUR_DATE, a.CHKOT_DT, v.VEH_BRAND, a.VEH_RATE, a.NOOF_VEH, "
        "a.TOTAL_AMOUNT, a.REMARKS, a.CREATED_BY, a.CREATED_ON");
    c.joins = QStringLiteral("LEFT JOIN MST_VEHICLEBRANDTYPE v ON v.VEH_BRANDID=a.VEH_BRANDID");
    return c;
}

QString day(const QDateEdit* d) {
    return d->date().toString(QStringLiteral("dd/MM/yyyy"));
}

}  // namespace

frm_BQ_AddVehicle::frm_BQ_AddVehicle(Session& session, QWidget* parent, const WindowArgs& args)
    : QuotationLineWindow(session, parent, args, vehicleConfig()) {
    txt_EndDate = dateField(QStringLiteral("txt_EndDate"));
    lbl_Days = shownField(QStringLiteral("lbl_Days"), 40);
    addRow(QStringLiteral("STRT TOUR &DT"), txt_TourDt);
    addRow(QStringLiteral("&END TOUR DT"), {txt_EndDate, new QLabel(QStringLiteral("DAYS"), this), lbl_Days});
    Cmb_VehBrand = new CodeList(session, kVehicleBrand, this);
    Cmb_VehBrand->setObjectName(QStringLiteral("Cmb_VehBrand"));
    Cmb_VehBrand->setMinimumWidth(220);
    Cmb_VehBrand->load();
    addRow(QStringLiteral("&VEH BRAND"), Cmb_VehBrand);
    txt_NoOfVeh = countField(QStringLiteral("txt_NoOfVeh"));
    bindColumn(txt_NoOfVeh, "M_TBL_QUOTATION", "NOOF_VEH");
    addRow(QStringLiteral("NOS &OF VEH."), txt_NoOfVeh);
    txt_VehRate = rateField(QStringLiteral("txt_VehRate"));
    bindColumn(txt_VehRate, "M_TBL_QUOTATION", "VEH_RATE");
    addRow(QStringLiteral("VEHICLE RATE"), txt_VehRate);
    finish();
}

void frm_BQ_AddVehicle::clearOwn() {
    Cmb_VehBrand->clearChoice();
}

void frm_BQ_AddVehicle::initDates(const QDate& journeyStart, const QDate& lastCheckOut) {
    // A new hire starts where the last one ended.
    const QDate start = lastCheckOut.isValid() ? lastCheckOut : journeyStart;
    txt_TourDt->setDate(start);
    txt_EndDate->setDate(start);
}

void frm_BQ_AddVehicle::showOwn(const QSqlRecord& line) {
    txt_EndDate->setDate(dateFromDb(line.value(QStringLiteral("CHKOT_DT"))));
    Cmb_VehBrand->setCode(line.value(QStringLiteral("VEH_BRANDID")).toString().trimmed());
    txt_NoOfVeh->setText(line.value(QStringLiteral("NOOF_VEH")).toString().trimmed());
    txt_VehRate->setText(Money::fromVariant(line.value(QStringLiteral("VEH_RATE"))).toString());
}

std::optional<Money> frm_BQ_AddVehicle::price() {
    const VehiclePrice vp =
        priceVehicle(txt_TourDt->date(), txt_EndDate->date(), count(txt_NoOfVeh), rate(txt_VehRate));
    if (txt_EndDate->date() != vp.end)
        txt_EndDate->setDate(vp.end);
    days_ = vp.days;
    lbl_Days->setText(QString::number(days_));
    return vp.exceeded ? std::nullopt : std::optional<Money>(vp.total);
}

QList<Check> frm_BQ_AddVehicle::ownChecks() {
    return {{[this] { return Cmb_VehBrand->code().isEmpty(); }, Cmb_VehBrand,
             QStringLiteral("PLEASE SELECT VEHICLE BRAND PROPERLY FROM THE LIST ....")}};
}

QList<std::pair<QString, QString>> frm_BQ_AddVehicle::questionLines() {
    return {{QStringLiteral(" TOUR DT : "), day(txt_TourDt)},
            {QStringLiteral(" VEHICLE BRAND : "), Cmb_VehBrand->currentText()},
            {QStringLiteral(" TOTL NOS : "), QString::number(count(txt_NoOfVeh))},
            {QStringLiteral(" VEHICLE RATE : "), rate(txt_VehRate).toString()},
            {QStringLiteral(" TOTAL AMT : "), total().toString()}};
}

QList<std::pair<QString, QString>> frm_BQ_AddVehicle::deleteLines() {
    return questionLines();
}

Columns frm_BQ_AddVehicle::ownColumns() {
    return {{QStringLiteral("TOUR_DATE"), dateToDb(txt_TourDt->date())},
            {QStringLiteral("CHKOT_DT"), dateToDb(txt_EndDate->date())},
            {QStringLiteral("VEH_BRANDID"), Cmb_VehBrand->code().toInt()},
            {QStringLiteral("NOOF_VEH"), count(txt_NoOfVeh)},
            {QStringLiteral("VEH_RATE"), rate(txt_VehRate).toVariant()},
            {QStringLiteral("TOTL_VEHCOST"), total().toVariant()}};
}

}  // namespace tarvic
