#include "frm_BQ_AddHotel.h"

#include "data/Moments.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentWindow.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvic {

namespace {

struct PartSpec {
    const char* caption;
    const char* name;  // txt_NoOf<name>, txt_<name>Rate, lbl_<name>Days, lbl_<name>Total
    const char* countColumn;
    const char* rateColumn;
    const char* daysColumn;
    const char* totalColumn;
    const char* heading;  // the grid's column: count / nights / total
};

const std::array<PartSpec, frm_BQ_AddHotel::kParts> kPartSpecs{{
    {"NO. OF ROO&MS", "Room", "NOOF_ROOM", "ROOM_RATE", "DAYS_ROOM", "TOTL_ROOMCOST", "ROOM RATE"},
    {"SINGLE ROOMS", "Sngl", "NOOF_ROOMSNGL", "SNGLROOM_RATE", "DAYS_ROOMSNGL", "TOTL_SNGLROOMCOST", "SNG ROOM"},
    {"EXTRA BEDS", "ExtBed", "NOOF_EXTBED", "EXTRBED_RATE", "DAYS_EXTBED", "TOTL_EXTRABEDCOST", "EXT BED"},
    {"CWB", "CWB", "NOOF_CWB", "CWB_RATE", "DAYS_CWB", "TOTL_CWBCOST", "CWB RATE"},
    {"CNB", "CNB", "NOOF_CNB", "CNB_RATE", "DAYS_CNB", "TOTL_CNBCOST", "CNB RATE"},
}};

const CodeSource kRoomType{QStringLiteral("M_TBL_HOTELROOMTYPE"), QStringLiteral("ROOMTYPE_CODE"),
                           QStringLiteral("ROOM_TYPE")};
const CodeSource kMealPlan{QStringLiteral("M_TBL_MEALPLAN"), QStringLiteral("MEALPLAN_CODE"),
                           QStringLiteral("MEAL_PLAN")};

QString byOn(const QSqlRecord& r, const char* by, const char* on) {
    return byOnText(r.value(QLatin1String(by)), r.value(QLatin1String(on)));
}

LineKindConfig hotelConfig() {
    LineKindConfig c;
    c.objectName = QStringLiteral("frm_BQ_AddHotel");
    c.title = QStringLiteral("ADD HOTELS DETAILS");
    c.kind = QStringLiteral("HOTEL");
    c.codeCaption = QStringLiteral("QOH CODE");
    c.totalCaption = QStringLiteral("TOTAL AMOUNT");
    c.dayRows = true;
    c.questionHead = QStringLiteral(" YOU ARE ABOUT UPDATE HOTEL DETAILS ... ");
    c.saved = QStringLiteral(" UPDATION OF HOTEL DETAILS SUCCESSFULLY DONE ... ");
    c.noLine = QStringLiteral("PLEASE SELECT THE RECORD PROPERLY ....");
    c.deleteHead = QStringLiteral("YOU ARE ABOUT TO DELETE HOTEL DETAILS ...");
    c.deleteTail = QStringLiteral(" ARE YOU SURE WANT TO DELETE (Y/N) ?");
    c.deleted = QStringLiteral("DELETION OF HOTEL SUCCESSFULLY DONE ...");
    c.columns = {ListColumn::serial(QStringLiteral("SLNO"), 700),
                 ListColumn::number(QStringLiteral("CODE"), QStringLiteral("ACC_CODE"), 800),
                 ListColumn::date(QStringLiteral("CHK-IN DT"), QStringLiteral("TOUR_DATE"), 1400),
                 ListColumn::date(QStringLiteral("CHK-OT DT"), QStringLiteral("CHKOT_DT"), 1400),
                 ListColumn::text(QStringLiteral("HOTEL NAME"), QStringLiteral("HOTEL_NAME"), 3000),
                 ListColumn::text(QStringLiteral("PLACE NAME"), QStringLiteral("HOTEL_PLACE"), 2600),
                 ListColumn::text(QStringLiteral("ROOM TYPE"), QStringLiteral("ROOM_TYPE_NAME"), 1800),
                 ListColumn::text(QStringLiteral("ROOM TYPE-2"), QStringLiteral("ROOM_TYPE"), 1800),
                 ListColumn::text(QStringLiteral("MEAL PLAN"), QStringLiteral("MEAL_PLAN"), 1500)};
    for (const PartSpec& p : kPartSpecs)
        c.columns << ListColumn::computed(
            QLatin1String(p.heading), 2000,
            [p](const QSqlRecord& r) {
                return QStringLiteral("%1 / %2 / %3")
                    .arg(r.value(QLatin1String(p.countColumn)).toLongLong())
                    .arg(r.value(QLatin1String(p.daysColumn)).toLongLong())
                    .arg(Money::fromVariant(r.value(QLatin1String(p.totalColumn))).toString());
            },
            Qt::AlignRight);
    c.columns << ListColumn::money(QStringLiteral("TOTAL AMOUNT"), QStringLiteral("TOTAL_AMOUNT"), 1600)
              << ListColumn::computed(QStringLiteral("CREATED BY - ON"), 3400,
                                      [](const QSqlRecord& r) { return byOn(r, "CREATED_BY", "CREATED_ON"); })
              << ListColumn::computed(QStringLiteral("UPDATE BY - ON"), 3400,
                                      [](const QSqlRecord& r) { return byOn(r, "UPDATE_BY", "UPDATE_ON"); });
    QStringList select{
        QStringLiteral("a.ACC_CODE, a.TOUR_DATE, a.CHKOT_DT, a.HOTEL_NAME, a.HOTEL_PLACE, "
                       "r.ROOM_TYPE AS ROOM_TYPE_NAME, a.ROOM_TYPE, m.MEAL_PLAN, a.TOTAL_AMOUNT, "
                       "a.CREATED_BY, a.CREATED_ON, a.UPDATE_BY, a.UPDATE_ON")};
    for (const PartSpec& p : kPartSpecs)
        select << QStringLiteral("a.%1, a.%2, a.%3")
                      .arg(QLatin1String(p.countColumn), QLatin1String(p.daysColumn), QLatin1String(p.totalColumn));
    c.select = select.join(QStringLiteral(", "));
    // Outer joins: a line keeps its row when its room type or meal plan is gone.
    c.joins = QStringLiteral(
        "LEFT JOIN M_TBL_HOTELROOMTYPE r ON r.ROOMTYPE_CODE=a.ROOMTYPE_CODE "
        "LEFT JOIN M_TBL_MEALPLAN m ON m.MEALPLAN_CODE=a.MEALPLAN_CODE");
    return c;
}

QString day(const QDateEdit* d) {
    return d->date().toString(QStringLiteral("dd/MM/yyyy"));
}

}  // namespace

frm_BQ_AddHotel::frm_BQ_AddHotel(Session& session, QWidget* parent, const WindowArgs& args)
    : QuotationLineWindow(session, parent, args, hotelConfig()) {
    txt_ChkOtDt = dateField(QStringLiteral("txt_ChkOtDt"));
    lbl_Days = shownField(QStringLiteral("lbl_Days"), 40);
    addRow(QStringLiteral("CHECK &IN DATE"), txt_TourDt);
    addRow(QStringLiteral("CHECK &OUT DT"), {txt_ChkOtDt, new QLabel(QStringLiteral("NIGHT"), this), lbl_Days});

    hotel =
        new CodeField(session, kPartySource, this, QStringLiteral("txt_HotelCode"), QStringLiteral("lbl_HotelName"));
    hotel->edit()->setMaximumWidth(90);
    hotel->nameLabel()->setFrameShape(QFrame::StyledPanel);
    hotel->nameLabel()->setMinimumWidth(220);
    hotel->addPicker(QStringLiteral("Cmd_SrcHotel"), [this](PickCallback pick) {
        openWindow(QStringLiteral("frm_Search_Party"), WindowArgs{{}, std::move(pick)});
    });
    lbl_HotelPlace = shownField(QStringLiteral("lbl_HotelPlace"), 220);
    connect(hotel, &CodeField::keyChanged, this, [this] { showPlace(); });
    addRow(QStringLiteral("&HOTEL CODE"), {hotel->edit(), hotel->pickButton(), hotel->nameLabel()});
    addRow(QStringLiteral("DESTINATION"), lbl_HotelPlace);

    Cmb_RoomType = new CodeList(session, kRoomType, this);
    Cmb_RoomType->setObjectName(QStringLiteral("Cmb_RoomType"));
    Cmb_RoomType->setMinimumWidth(220);
    Cmb_RoomType->load();
    txt_RoomType2 = new QLineEdit(this);
    txt_RoomType2->setObjectName(QStringLiteral("txt_RoomType2"));
    bindColumn(txt_RoomType2, "M_TBL_QUOTATION", "ROOM_TYPE");
    txt_RoomType2->setMinimumWidth(300);
    Cmb_MealType = new CodeList(session, kMealPlan, this);
    Cmb_MealType->setObjectName(QStringLiteral("Cmb_MealType"));
    Cmb_MealType->setMinimumWidth(220);
    Cmb_MealType->load();
    addRow(QStringLiteral("&ROOM TYPE"), Cmb_RoomType);
    addRow(QStringLiteral("ROOM TYPE -2"), txt_RoomType2);
    addRow(QStringLiteral("ME&AL TYPE"), Cmb_MealType);

    for (int i = 0; i < kParts; ++i) {
        const QString name = QLatin1String(kPartSpecs[i].name);
        Part& p = parts[i];
        p.count = countField(QStringLiteral("txt_NoOf") + name);
        p.rate = rateField(QStringLiteral("txt_") + name + QStringLiteral("Rate"));
        bindColumn(p.count, "M_TBL_QUOTATION", kPartSpecs[i].countColumn);
        bindColumn(p.rate, "M_TBL_QUOTATION", kPartSpecs[i].rateColumn);
        p.nights = shownField(QStringLiteral("lbl_") + name + QStringLiteral("Days"), 40);
        p.total = shownField(QStringLiteral("lbl_") + name + QStringLiteral("Total"), 110);
        p.total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        addRow(QLatin1String(kPartSpecs[i].caption),
               {p.count, new QLabel(QStringLiteral("RATE /-"), this), p.rate, p.nights, p.total});
    }
    finish();
}

void frm_BQ_AddHotel::showPlace() {
    lbl_HotelPlace->clear();
    if (hotel->key().isEmpty())
        return;
    guarded([&] { lbl_HotelPlace->setText(hotelDestination(db(), hotel->key().toLongLong())); });
}

QString frm_BQ_AddHotel::hotelName() const {
    return hotel->key().isEmpty() ? QString() : hotel->nameLabel()->text();
}

void frm_BQ_AddHotel::clearOwn() {
    hotel->clear();
    lbl_HotelPlace->clear();
    Cmb_RoomType->clearChoice();
    Cmb_MealType->clearChoice();
    txt_RoomType2->clear();
}

void frm_BQ_AddHotel::initDates(const QDate& journeyStart, const QDate& lastCheckOut) {
    // Consecutive stays chain night after night.
    const QDate in = lastCheckOut.isValid() ? lastCheckOut : journeyStart;
    txt_TourDt->setDate(in);
    txt_ChkOtDt->setDate(in.addDays(1));
}

void frm_BQ_AddHotel::showOwn(const QSqlRecord& line) {
    auto text = [&](const char* column) { return line.value(QLatin1String(column)).toString().trimmed(); };
    txt_ChkOtDt->setDate(dateFromDb(line.value(QStringLiteral("CHKOT_DT"))));
    hotel->setLoaded(text("HOTEL_CODE"), text("HOTEL_NAME"));
    // The destination as stored with the line, even if the hotel has moved since.
    lbl_HotelPlace->setText(text("HOTEL_PLACE"));
    Cmb_RoomType->setCode(text("ROOMTYPE_CODE"));
    txt_RoomType2->setText(line.value(QStringLiteral("ROOM_TYPE")).toString());
    Cmb_MealType->setCode(text("MEALPLAN_CODE"));
    for (int i = 0; i < kParts; ++i) {
        parts[i].count->setText(text(kPartSpecs[i].countColumn));
        const QVariant r = line.value(QLatin1String(kPartSpecs[i].rateColumn));
        parts[i].rate->setText(r.isNull() ? QString() : Money::fromVariant(r).toString());
    }
}

std::optional<Money> frm_BQ_AddHotel::price() {
    QList<Component> components;
    for (const Part& p : parts)
        components.append({count(p.count), rate(p.rate)});
    const HotelPrice hp = priceHotel(txt_TourDt->date(), txt_ChkOtDt->date(), components);
    if (txt_ChkOtDt->date() != hp.checkOut)
        txt_ChkOtDt->setDate(hp.checkOut);
    nights_ = hp.nights;
    partTotals_ = hp.totals;
    lbl_Days->setText(QString::number(nights_));
    for (int i = 0; i < kParts; ++i) {
        parts[i].nights->setText(QString::number(nights_));
        parts[i].total->setText(hp.exceeded ? exceedsText() : hp.totals.at(i).toString());
    }
    return hp.exceeded ? std::nullopt : std::optional<Money>(hp.total);
}

QList<Check> frm_BQ_AddHotel::ownChecks() {
    return {
        {[this] { return lbl_HotelPlace->text().trimmed().isEmpty(); }, hotel->edit(),
         QStringLiteral("PLEASE ENTER DESTINATION OR PLACE NAME ....")},
        {[this] { return hotelName().trimmed().isEmpty(); }, hotel->edit(),
         QStringLiteral("CANNOT PROCEED, PLEASE ENTER HOTEL NAME ....")},
        {[this] { return Cmb_RoomType->code().isEmpty(); }, Cmb_RoomType,
         QStringLiteral("CANNOT PROCEED, PLEASE SELECT ROOM TYPE PROPERLY ...")},
        {[this] { return txt_RoomType2->text().trimmed().isEmpty(); }, txt_RoomType2,
         QStringLiteral("PLEASE ENTER ROOM TYPE-2...")},
        {[this] { return Cmb_MealType->code().isEmpty(); }, Cmb_MealType,
         QStringLiteral("PLEASE SELECT MEAL TYPE FROM LIST ....")},
    };
}

QList<std::pair<QString, QString>> frm_BQ_AddHotel::questionLines() {
    return {{QStringLiteral(" CHK-IN  DT : "), day(txt_TourDt)},
            {QStringLiteral(" CHK-OT  DT : "), day(txt_ChkOtDt)},
            {QStringLiteral(" HOTEL NAME : "), hotelName()},
            {QStringLiteral(" PLACE : "), lbl_HotelPlace->text()},
            {QStringLiteral(" ROOM TYPE : "), Cmb_RoomType->currentText()},
            {QStringLiteral(" ROOM TYPE-2 : "), txt_RoomType2->text()},
            {QStringLiteral(" MEAL TYPE : "), Cmb_MealType->currentText()},
            {QStringLiteral(" TOTAL AMOUNT : "), total().toString()}};
}

QList<std::pair<QString, QString>> frm_BQ_AddHotel::savedLines() {
    return questionLines().mid(2);
}

QList<std::pair<QString, QString>> frm_BQ_AddHotel::deleteLines() {
    return {{QStringLiteral(" CHK-IN  DT : "), day(txt_TourDt)},
            {QStringLiteral(" HOTEL NAME : "), hotelName()},
            {QStringLiteral(" NO OF ROOMS : "), QString::number(count(parts[0].count))},
            {QStringLiteral(" ROOM RATE : "), rate(parts[0].rate).toString()},
            {QStringLiteral(" TOTAL AMOUNT : "), total().toString()}};
}

Columns frm_BQ_AddHotel::ownColumns() {
    Columns c = {{QStringLiteral("TOUR_DATE"), dateToDb(txt_TourDt->date())},
                 {QStringLiteral("CHKOT_DT"), dateToDb(txt_ChkOtDt->date())},
                 {QStringLiteral("HOTEL_CODE"), hotel->key().toLongLong()},
                 {QStringLiteral("HOTEL_NAME"), hotelName()},
                 {QStringLiteral("HOTEL_PLACE"), lbl_HotelPlace->text().left(200)},  // the column's width
                 {QStringLiteral("ROOMTYPE_CODE"), Cmb_RoomType->code().toInt()},
                 {QStringLiteral("ROOM_TYPE"), txt_RoomType2->text()},
                 {QStringLiteral("MEALPLAN_CODE"), Cmb_MealType->code().toInt()}};
    for (int i = 0; i < kParts; ++i) {
        const PartSpec& s = kPartSpecs[i];
        c.insert(c.end(), {{QLatin1String(s.countColumn), count(parts[i].count)},
                           {QLatin1String(s.rateColumn), rate(parts[i].rate).toVariant()},
                           {QLatin1String(s.daysColumn), nights_},
                           {QLatin1String(s.totalColumn), partTotals_.value(i).toVariant()}});
    }
    return c;
}

}  // namespace tarvic
