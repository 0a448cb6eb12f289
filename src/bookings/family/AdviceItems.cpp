#include "AdviceItems.h"

#include "bookings/family/AdviceNoteWindow.h"
#include "data/Moments.h"
#include "engine/sales/QuotationLines.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace tarvic {

namespace {

const CodeSource kRoomType{QStringLiteral("M_TBL_HOTELROOMTYPE"), QStringLiteral("ROOMTYPE_CODE"),
                           QStringLiteral("ROOM_TYPE")};
const CodeSource kMealPlan{QStringLiteral("M_TBL_MEALPLAN"), QStringLiteral("MEALPLAN_CODE"),
                           QStringLiteral("MEAL_PLAN")};
const CodeSource kVehicleBrand{QStringLiteral("MST_VEHICLEBRANDTYPE"), QStringLiteral("VEH_BRANDID"),
                               QStringLiteral("VEH_BRAND")};
// The other charges are the accounts of document code ANCP03; the chosen name's ACC_CODE is TO_ACC.
const CodeSource kOtherCharge{QStringLiteral("(SELECT ACC_CODE, ACCOUNT_DESC FROM M_TBL_DOCUMENTACCOUNT_COMB "
                                             "WHERE DOC_CODE='ANCP03') oc"),
                              QStringLiteral("ACC_CODE"),
                              QStringLiteral("ACCOUNT_DESC"),
                              {},
                              false};

struct PartSpec {
    const char* caption;
    const char* name;  // txt_NoOf<name>, txt_<name>Rate, lbl_<name>Days, lbl_<name>Cost
    const char* countColumn;
    const char* rateColumn;
    const char* daysColumn;
    const char* costColumn;
    const char* heading;  // the quotation grid's column: count / nights / cost
};

// clang-format off
const std::array<PartSpec, HotelItems::kParts> kPartSpecs{{
    {"NO. OF ROO&MS", "Room",   "NOOF_ROOM",     "ROOM_RATE",     "DAYS_ROOM",     "TOTL_ROOMCOST",     "ROOM"},
    {"SINGLE ROOMS",  "Sngl",   "NOOF_ROOMSNGL", "SNGLROOM_RATE", "DAYS_ROOMSNGL", "TOTL_SNGLROOMCOST", "SNG ROOM"},
    {"EXTRA BEDS",    "ExtBed", "NOOF_EXTBED",   "EXTRBED_RATE",  "DAYS_EXTBED",   "TOTL_EXTRABEDCOST", "EXT BED"},
    {"CWB",           "CWB",    "NOOF_CWB",      "CWB_RATE",      "DAYS_CWB",      "TOTL_CWBCOST",      "CWB"},
    {"CNB",           "CNB",    "NOOF_CNB",      "CNB_RATE",      "DAYS_CNB",      "TOTL_CNBCOST",      "CNB"},
}};
// clang-format on

QString day(const QDateEdit* d) {
    return d->date().toString(QStringLiteral("dd/MM/yyyy"));
}

QString text(const QSqlRecord& r, const char* column) {
    return r.value(QLatin1String(column)).toString().trimmed();
}

// A stored code, or NULL when none was chosen (never 0, which would name no row).
QVariant codeOrNull(const QString& code, QMetaType::Type type = QMetaType::LongLong) {
    if (code.isEmpty())
        return QVariant(QMetaType(type));
    return type == QMetaType::LongLong ? QVariant(code.toLongLong()) : QVariant(code);
}

QLabel* caption(const QString& text, QWidget* parent, int width = 0) {
    auto* l = new QLabel(text, parent);
    if (width > 0)
        l->setFixedWidth(width);
    return l;
}

}  // namespace

AdviceItems::AdviceItems(AdviceNoteWindow& window) : QObject(&window), w_(window) {}

void AdviceItems::reprice() {
    w_.Calc_Total();
}

QDateEdit* AdviceItems::dateField(const QString& name) {
    auto* d = new QDateEdit(&w_);
    d->setObjectName(name);
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    d->setFixedWidth(130);
    connect(d, &QDateEdit::dateChanged, this, [this] { reprice(); });
    return d;
}

QLineEdit* AdviceItems::countField(const QString& name) {
    auto* e = new QLineEdit(&w_);
    e->setObjectName(name);
    e->setFixedWidth(70);
    e->setAlignment(Qt::AlignRight);
    // Digits only: a count is never negative, typed or pasted.
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    limitField(e, quantityLimit());
    connect(e, &QLineEdit::textChanged, this, [this] { reprice(); });
    connect(e, &QLineEdit::editingFinished, e, [e] {
        if (e->text().trimmed().isEmpty())
            e->setText(QStringLiteral("0"));
    });
    amounts_ << e;
    return e;
}

QLineEdit* AdviceItems::rateField(const QString& name) {
    auto* e = new QLineEdit(&w_);
    e->setObjectName(name);
    e->setFixedWidth(110);
    e->setAlignment(Qt::AlignRight);
    attachFilter(e, KeyFilter::Amount, amountLimit(QStringLiteral("RATE")));  // digits and one point: never "-"
    connect(e, &QLineEdit::textChanged, this, [this] { reprice(); });
    // Amounts show two decimals once typed; one left empty is 0.
    showTwoDecimalsOnLeaving(e);
    amounts_ << e;
    return e;
}

qint64 AdviceItems::count(const QLineEdit* e) {
    return e->text().trimmed().toLongLong();
}

Money AdviceItems::rate(const QLineEdit* e) {
    return Money::fromInput(e->text());
}

// Hotel ---------------------------------------------------------------------------------------

HotelItems::HotelItems(AdviceNoteWindow& w) : AdviceItems(w) {
    txt_ChkInDt = dateField(QStringLiteral("txt_ChkInDt"));
    txt_ChkOtDt = dateField(QStringLiteral("txt_ChkOtDt"));
    lbl_Nights = w.shownField(QStringLiteral("lbl_Nights"), 40);
    // A new check-in day may have its own quotation line.
    connect(txt_ChkInDt, &QDateEdit::dateChanged, this, [this] { loadQuotationLine(); });
    w.addRow(QStringLiteral("CHECK - &IN"), {txt_ChkInDt});
    w.addRow(QStringLiteral("CHECK - &OUT"), {txt_ChkOtDt, caption(QStringLiteral("NIGHTS"), &w), lbl_Nights});

    hotel =
        new CodeField(w.session(), kPartySource, &w, QStringLiteral("txt_HotelCode"), QStringLiteral("lbl_HotelName"));
    hotel->edit()->setMaximumWidth(90);
    hotel->nameLabel()->setFrameShape(QFrame::StyledPanel);
    hotel->nameLabel()->setMinimumWidth(240);
    hotel->addPicker(QStringLiteral("Cmd_SrcHotel"), [this](PickCallback pick) {
        w_.openWindow(QStringLiteral("frm_Search_Party"), WindowArgs{{}, std::move(pick)});
    });
    lbl_HotelPlace = w.shownField(QStringLiteral("lbl_HotelPlace"), 240);
    // Leaving the code looks it up again; only another hotel reloads the quotation's figures, so
    // corrections to the supplier's bill survive a pass through the field.
    connect(hotel, &CodeField::keyChanged, this, [this](const QString& key) {
        if (loading_ || key.isEmpty() || key == hotelShown_)
            return;
        hotelShown_ = key;
        showPlace();
        loadQuotationLine();
    });
    w.addRow(QStringLiteral("&HOTEL CODE"), {hotel->edit(), hotel->pickButton(), hotel->nameLabel()});
    w.addRow(QStringLiteral("DESTINATION"), {lbl_HotelPlace});

    Cmb_RoomType = new CodeList(w.session(), kRoomType, &w);
    Cmb_RoomType->setObjectName(QStringLiteral("Cmb_RoomType"));
    Cmb_RoomType->setMinimumWidth(220);
    Cmb_RoomType->load();
    txt_RoomType2 = new QLineEdit(&w);
    txt_RoomType2->setObjectName(QStringLiteral("txt_RoomType2"));
    w.bindColumn(txt_RoomType2, "M_TBL_TRANSACTION", "ROOM_TYPE2");
    txt_RoomType2->setMinimumWidth(300);
    Cmb_MealPlan = new CodeList(w.session(), kMealPlan, &w);
    Cmb_MealPlan->setObjectName(QStringLiteral("Cmb_MealPlan"));
    Cmb_MealPlan->setMinimumWidth(220);
    Cmb_MealPlan->load();
    w.addRow(QStringLiteral("&ROOM TYPE"), {Cmb_RoomType});
    w.addRow(QStringLiteral("ROOM TYPE -2"), {txt_RoomType2});
    w.addRow(QStringLiteral("ME&AL PLAN"), {Cmb_MealPlan});

    // Headings over the five rows, as wide as the fields under them.
    w.addRow(QString(),
             {caption(QStringLiteral("NOS"), &w, 70), caption(QStringLiteral("RATE /-"), &w, 110),
              caption(QStringLiteral("NIGHTS"), &w, 50), caption(QStringLiteral("COST"), &w, 110)},
             1);
    for (int i = 0; i < kParts; ++i) {
        const QString name = QLatin1String(kPartSpecs[i].name);
        Part& p = parts[i];
        p.count = countField(QStringLiteral("txt_NoOf") + name);
        p.rate = rateField(QStringLiteral("txt_") + name + QStringLiteral("Rate"));
        w.bindColumn(p.count, "M_TBL_TRANSACTION", kPartSpecs[i].countColumn);
        w.bindColumn(p.rate, "M_TBL_TRANSACTION", kPartSpecs[i].rateColumn);
        p.nights = w.shownField(QStringLiteral("lbl_") + name + QStringLiteral("Days"), 50);
        p.nights->setFixedWidth(50);
        p.cost = w.shownField(QStringLiteral("lbl_") + name + QStringLiteral("Cost"), 110);
        p.cost->setFixedWidth(110);
        p.cost->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        w.addRow(QLatin1String(kPartSpecs[i].caption), {p.count, p.rate, p.nights, p.cost}, 1);
    }

    QList<ListColumn> columns{ListColumn::number(QStringLiteral("CODE"), QStringLiteral("ACC_CODE"), 800),
                              ListColumn::date(QStringLiteral("TOUR DATE"), QStringLiteral("TOUR_DATE"), 1400),
                              ListColumn::date(QStringLiteral("CHECK-OUT"), QStringLiteral("CHKOT_DT"), 1400),
                              ListColumn::text(QStringLiteral("HOTEL"), QStringLiteral("HOTEL_NAME"), 3000),
                              ListColumn::text(QStringLiteral("PLACE"), QStringLiteral("HOTEL_PLACE"), 2400),
                              ListColumn::text(QStringLiteral("ROOM TYPE"), QStringLiteral("ROOM_TYPE_NAME"), 1800),
                              ListColumn::text(QStringLiteral("ROOM TYPE-2"), QStringLiteral("ROOM_TYPE"), 2000),
                              ListColumn::text(QStringLiteral("MEAL PLAN"), QStringLiteral("MEAL_PLAN"), 1400)};
    for (const PartSpec& p : kPartSpecs)
        columns << ListColumn::computed(
            QLatin1String(p.heading) + QStringLiteral(" NOS/RATE/NIGHTS/COST"), 4200,
            [p](const QSqlRecord& r) {
                return QStringLiteral("%1 / %2 / %3 / %4")
                    .arg(r.value(QLatin1String(p.countColumn)).toLongLong())
                    .arg(Money::fromVariant(r.value(QLatin1String(p.rateColumn))).toString())
                    .arg(r.value(QLatin1String(p.daysColumn)).toLongLong())
                    .arg(Money::fromVariant(r.value(QLatin1String(p.costColumn))).toString());
            },
            Qt::AlignRight);
    columns << ListColumn::money(QStringLiteral("TOTAL"), QStringLiteral("TOTAL_AMOUNT"), 1500)
            << ListColumn::computed(QStringLiteral("CREATED BY - ON"), 3400,
                                    [](const QSqlRecord& r) {
                                        return byOnText(r.value(QStringLiteral("CREATED_BY")),
                                                        r.value(QStringLiteral("CREATED_ON")));
                                    })
            << ListColumn::computed(QStringLiteral("UPDATE BY - ON"), 3400,
                                    [](const QSqlRecord& r) {
                                        return byOnText(r.value(QStringLiteral("UPDATE_BY")),
                                                        r.value(QStringLiteral("UPDATE_ON")));
                                    })
            << ListColumn::number(QStringLiteral("HOTEL CODE"), QStringLiteral("HOTEL_CODE"), 1300);
    lines_ = new QueryModel(w.db(), columns, this);
    QStringList select{
        QStringLiteral("a.ACC_CODE, a.TOUR_DATE, a.CHKOT_DT, a.HOTEL_NAME, a.HOTEL_PLACE, "
                       "b.ROOM_TYPE AS ROOM_TYPE_NAME, a.ROOM_TYPE, c.MEAL_PLAN, a.TOTAL_AMOUNT, "
                       "a.CREATED_BY, a.CREATED_ON, a.UPDATE_BY, a.UPDATE_ON, a.HOTEL_CODE")};
    for (const PartSpec& p : kPartSpecs)
        select << QStringLiteral("a.%1, a.%2, a.%3, a.%4")
                      .arg(QLatin1String(p.countColumn), QLatin1String(p.rateColumn), QLatin1String(p.daysColumn),
                           QLatin1String(p.costColumn));
    lines_->setSelect(select.join(QStringLiteral(", ")));
    lines_->setOrder(QStringLiteral("a.TOUR_DATE, a.ACC_CODE"));
    Grid_Hotel = new ListGrid(QStringLiteral("Grid_Hotel"), &w);
    Grid_Hotel->setQueryModel(lines_);
    Grid_Hotel->setMinimumHeight(120);
    connect(Grid_Hotel, &ListGrid::rowChosen, this, [this](int r) { lineChosen(r); });
    w.onEnter(Grid_Hotel, [this] { lineChosen(Grid_Hotel->currentRow()); });
    connect(lines_, &QueryModel::pageFailed, &w, [&w](const QString& m) { w.prompter().information(&w, m); });
    w.addBelow(Grid_Hotel);
}

void HotelItems::bookingRead(const AdviceBooking& booking) {
    quotation_ = booking.quotation;
    if (!quotation_) {
        lines_->clear();
        return;
    }
    // Outer joins: a line whose room type or meal plan is gone still shows.
    w_.guarded([&] {
        lines_->load({QStringLiteral("SELECT {columns} FROM M_TBL_QUOTATION a "
                                     "LEFT JOIN M_TBL_HOTELROOMTYPE b ON b.ROOMTYPE_CODE=a.ROOMTYPE_CODE "
                                     "LEFT JOIN M_TBL_MEALPLAN c ON c.MEALPLAN_CODE=a.MEALPLAN_CODE "
                                     "WHERE a.DOC_CODE='QGBL02' AND a.DOC_NO=? AND a.ACCOUNT_DESC='HOTEL'"),
                      {quotation_}});
    });
}

void HotelItems::startNew(const AdviceBooking& booking) {
    loading_ = true;
    const QDate in = booking.start.isValid() ? booking.start : QDate::currentDate();
    txt_ChkInDt->setDate(in);
    txt_ChkOtDt->setDate(in.addDays(1));
    hotel->clear();
    hotelShown_.clear();
    lbl_HotelPlace->clear();
    Cmb_RoomType->clearChoice();
    Cmb_MealPlan->clearChoice();
    txt_RoomType2->clear();
    for (const Part& p : parts) {
        p.count->setText(QStringLiteral("0"));
        p.rate->setText(Money().toString());
    }
    loading_ = false;
}

void HotelItems::showPlace() {
    lbl_HotelPlace->clear();
    if (hotel->key().isEmpty())
        return;
    w_.guarded([&] { lbl_HotelPlace->setText(hotelDestination(w_.db(), hotel->key().toLongLong())); });
}

void HotelItems::loadQuotationLine() {
    if (loading_ || hotel->key().isEmpty() || !quotation_)
        return;
    std::optional<QSqlRecord> line;
    QVariantList values{quotation_, hotel->key().toLongLong()};
    const QString onDay =
        dayRangeCondition(QStringLiteral("a.TOUR_DATE"), txt_ChkInDt->date(), txt_ChkInDt->date(), values);
    w_.guarded([&] {
        line = w_.db().firstRow(QStringLiteral("SELECT a.* FROM M_TBL_QUOTATION a WHERE a.DOC_CODE='QGBL02' AND "
                                               "a.ACCOUNT_DESC='HOTEL' AND a.DOC_NO=? AND a.HOTEL_CODE=? AND %1 "
                                               "ORDER BY a.ACC_CODE")
                                    .arg(onDay),
                                values);
    });
    if (!line)
        return;  // no line that day: the figures stay as entered
    loading_ = true;
    txt_ChkOtDt->setDate(dateFromDb(line->value(QStringLiteral("CHKOT_DT"))));
    hotel->setLoaded(text(*line, "HOTEL_CODE"), text(*line, "HOTEL_NAME"));
    hotelShown_ = hotel->key();
    lbl_HotelPlace->setText(text(*line, "HOTEL_PLACE"));
    Cmb_RoomType->setCode(text(*line, "ROOMTYPE_CODE"));
    txt_RoomType2->setText(line->value(QStringLiteral("ROOM_TYPE")).toString());
    Cmb_MealPlan->setCode(text(*line, "MEALPLAN_CODE"));
    for (int i = 0; i < kParts; ++i) {
        parts[i].count->setText(QString::number(line->value(QLatin1String(kPartSpecs[i].countColumn)).toLongLong()));
        parts[i].rate->setText(Money::fromVariant(line->value(QLatin1String(kPartSpecs[i].rateColumn))).toString());
    }
    loading_ = false;
    reprice();
}

void HotelItems::lineChosen(int row) {
    if (row < 0 || row >= Grid_Hotel->rowCount() || !w_.editable())
        return;
    const int columns = int(lines_->columns().size());
    const QString code = Grid_Hotel->text(row, columns - 1);
    // The hotel bills for itself: it is both the supplier and the hotel.
    w_.party->edit()->setText(code);
    w_.party->lookUp();
    loading_ = true;
    hotel->edit()->setText(code);
    hotel->lookUp();
    hotelShown_ = hotel->key();
    txt_ChkInDt->setDate(QDate::fromString(Grid_Hotel->text(row, 1), QStringLiteral("dd/MM/yyyy")));
    txt_ChkOtDt->setDate(QDate::fromString(Grid_Hotel->text(row, 2), QStringLiteral("dd/MM/yyyy")));
    loading_ = false;
    showPlace();
    reprice();
    loadQuotationLine();
}

void HotelItems::show(const QSqlRecord& note) {
    loading_ = true;
    txt_ChkInDt->setDate(dateFromDb(note.value(QStringLiteral("START_DT"))));
    txt_ChkOtDt->setDate(dateFromDb(note.value(QStringLiteral("END_DT"))));
    hotel->setLoaded(text(note, "HOTEL_CODE"), text(note, "HOTEL_NAME"));
    hotelShown_ = hotel->key();
    lbl_HotelPlace->setText(text(note, "HOTEL_PLACE"));
    Cmb_RoomType->setCode(text(note, "ROOMTYPE_CODE"), text(note, "SHOWN_ROOMTYPE"));
    txt_RoomType2->setText(note.value(QStringLiteral("ROOM_TYPE2")).toString());
    Cmb_MealPlan->setCode(text(note, "MEALPLAN_CODE"), text(note, "SHOWN_MEALPLAN"));
    for (int i = 0; i < kParts; ++i) {
        parts[i].count->setText(QString::number(note.value(QLatin1String(kPartSpecs[i].countColumn)).toLongLong()));
        parts[i].rate->setText(Money::fromVariant(note.value(QLatin1String(kPartSpecs[i].rateColumn))).toString());
    }
    loading_ = false;
}

std::optional<Money> HotelItems::price() {
    nights_ = stayNights(txt_ChkInDt->date(), txt_ChkOtDt->date());
    lbl_Nights->setText(QString::number(nights_));
    bool within = true;
    for (int i = 0; i < kParts; ++i) {
        std::optional<Money> cost = times(count(parts[i].count), rate(parts[i].rate));
        if (cost)
            cost = cost->times(nights_);
        within = within && cost;
        costs_[i] = cost.value_or(Money());
        parts[i].nights->setText(QString::number(nights_));
        parts[i].cost->setText(shownAmount(cost));
    }
    return within ? Money::sum(costs_) : std::nullopt;
}

QList<Check> HotelItems::firstChecks() {
    return {{[this] { return hotel->key().isEmpty() || hotel->nameLabel()->text().trimmed().isEmpty(); }, hotel->edit(),
             QStringLiteral("PLEASE ENTER HOTEL CODE PROPERLY ....")}};
}

QList<Check> HotelItems::dateChecks() {
    return {{[this] { return txt_ChkOtDt->date() < txt_ChkInDt->date(); }, txt_ChkOtDt,
             QStringLiteral("CANNOT PROCEED, CHECK - OUT IS BEFORE CHECK - IN ....")}};
}

QList<std::pair<QString, QString>> HotelItems::questionLines() {
    return {{QStringLiteral(" CHECK - IN : "), day(txt_ChkInDt)},
            {QStringLiteral(" CHECK - OT : "), day(txt_ChkOtDt)},
            {QStringLiteral(" ROOM COST: "), costs_[0].toString()},
            {QStringLiteral(" EXT BED COST: "), costs_[2].toString()},
            {QStringLiteral(" CWB COST: "), costs_[3].toString()},
            {QStringLiteral(" CNB COST: "), costs_[4].toString()}};
}

Columns HotelItems::columns(bool) {
    const bool hasHotel = !hotel->key().isEmpty();
    Columns c{{QStringLiteral("DOC_DATE"), dateToDb(txt_ChkInDt->date())},
              {QStringLiteral("TO_ACC"), QStringLiteral("ANCP01")},
              {QStringLiteral("START_DT"), dateToDb(txt_ChkInDt->date())},
              {QStringLiteral("END_DT"), dateToDb(txt_ChkOtDt->date())},
              {QStringLiteral("TOUR_DAYS"), nights_},
              {QStringLiteral("HOTEL_CODE"), codeOrNull(hotel->key())},
              {QStringLiteral("HOTEL_NAME"), hasHotel ? hotel->nameLabel()->text() : QString()},
              {QStringLiteral("HOTEL_PLACE"), hasHotel ? lbl_HotelPlace->text().left(200) : QString()},
              {QStringLiteral("ROOMTYPE_CODE"), codeOrNull(Cmb_RoomType->code())},
              {QStringLiteral("ROOM_TYPE2"), txt_RoomType2->text()},
              {QStringLiteral("MEALPLAN_CODE"), codeOrNull(Cmb_MealPlan->code())}};
    for (int i = 0; i < kParts; ++i) {
        const PartSpec& s = kPartSpecs[i];
        c.insert(c.end(), {{QLatin1String(s.countColumn), count(parts[i].count)},
                           {QLatin1String(s.rateColumn), rate(parts[i].rate).toVariant()},
                           {QLatin1String(s.daysColumn), nights_},
                           {QLatin1String(s.costColumn), costs_[i].toVariant()}});
    }
    return c;
}

void HotelItems::setEditable(bool editable) {
    for (QDateEdit* d : {txt_ChkInDt, txt_ChkOtDt})
        d->setReadOnly(!editable);
    hotel->edit()->setReadOnly(!editable);
    hotel->pickButton()->setEnabled(editable && w_.canOpen(QStringLiteral("frm_Search_Party")));
    Cmb_RoomType->setEnabled(editable);
    Cmb_MealPlan->setEnabled(editable);
    txt_RoomType2->setReadOnly(!editable);
    for (QLineEdit* e : amounts_)
        e->setReadOnly(!editable);
}

QWidget* HotelItems::amountField() const {
    return parts[0].count;
}

// Vehicle -------------------------------------------------------------------------------------

VehicleItems::VehicleItems(AdviceNoteWindow& w) : AdviceItems(w) {
    txt_StartDt = dateField(QStringLiteral("txt_StartDt"));
    txt_EndDt = dateField(QStringLiteral("txt_EndDt"));
    lbl_Days = w.shownField(QStringLiteral("lbl_Days"), 40);
    w.addRow(QStringLiteral("TOUR &START DT"), {txt_StartDt});
    w.addRow(QStringLiteral("TOUR &END DT"), {txt_EndDt, caption(QStringLiteral("DAYS"), &w), lbl_Days});
    Cmb_VehBrand = new CodeList(w.session(), kVehicleBrand, &w);
    Cmb_VehBrand->setObjectName(QStringLiteral("Cmb_VehBrand"));
    Cmb_VehBrand->setMinimumWidth(220);
    Cmb_VehBrand->load();
    w.addRow(QStringLiteral("VEHICLE B&RAND"), {Cmb_VehBrand});
    txt_VehNos = countField(QStringLiteral("txt_VehNos"));
    w.bindColumn(txt_VehNos, "M_TBL_TRANSACTION", "VEH_NOS");
    w.addRow(QStringLiteral("VEHICLE N&OS"), {txt_VehNos});
    txt_VehRate = rateField(QStringLiteral("txt_VehRate"));
    w.bindColumn(txt_VehRate, "M_TBL_TRANSACTION", "VEH_RATE");
    w.addRow(QStringLiteral("VEHICLE RA&TE"), {txt_VehRate});

    days_ = new QueryModel(
        w.db(),
        {ListColumn::number(QStringLiteral("DAY"), QStringLiteral("ITN_DAY"), 700),
         ListColumn::computed(QStringLiteral("DATE"), 2300,
                              [this](const QSqlRecord& r) {
                                  const int n = r.value(QStringLiteral("ITN_DAY")).toInt();
                                  return tourStart_.isValid()
                                             ? tourStart_.addDays(n - 1).toString(QStringLiteral("dd/MM/yyyy - ddd"))
                                             : QString();
                              }),
         ListColumn::text(QStringLiteral("PLACES"), QStringLiteral("ITN_PLACE"), 3000)},
        this);
    days_->setSelect(QStringLiteral("ITN_DAY, ITN_SLNO, ITN_PLACE"));
    days_->setOrder(QStringLiteral("ITN_SLNO"));
    Grid_Itinerary = new ListGrid(QStringLiteral("Grid_Itinerary"), &w);
    Grid_Itinerary->setQueryModel(days_);
    Grid_Itinerary->horizontalHeader()->setStretchLastSection(true);
    Grid_Itinerary->setMinimumWidth(380);
    connect(Grid_Itinerary, &ListGrid::rowChosen, this, [this](int r) { dayChosen(r); });
    w.onEnter(Grid_Itinerary, [this] { dayChosen(Grid_Itinerary->currentRow()); });
    connect(days_, &QueryModel::pageFailed, &w, [&w](const QString& m) { w.prompter().information(&w, m); });
}

void VehicleItems::bookingRead(const AdviceBooking& booking) {
    tourStart_ = booking.start;
    if (!booking.quotation) {
        days_->clear();
        return;
    }
    w_.guarded([&] {
        days_->load(
            {QStringLiteral("SELECT {columns} FROM M_TBL_ITINERARY_DETAILS_QUOTE WHERE ITN_DOCNO=? AND QUOT_NO=?"),
             {booking.itinerary, booking.quotation}});
    });
}

void VehicleItems::dayChosen(int row) {
    if (row < 0 || row >= Grid_Itinerary->rowCount() || !w_.editable())
        return;
    const QString places = Grid_Itinerary->text(row, 2);
    if (!places.isEmpty())
        w_.txt_Remarks->setText(places);
}

void VehicleItems::startNew(const AdviceBooking& booking) {
    // Consecutive hires of a booking chain day by day.
    QDate start = booking.start.isValid() ? booking.start : QDate::currentDate();
    if (booking.number)
        w_.guarded([&] { start = nextVehicleStart(w_.db(), booking); });
    txt_StartDt->setDate(start);
    txt_EndDt->setDate(start.addDays(1));
    Cmb_VehBrand->clearChoice();
    txt_VehNos->setText(QStringLiteral("0"));
    txt_VehRate->setText(Money().toString());
}

void VehicleItems::show(const QSqlRecord& note) {
    txt_StartDt->setDate(dateFromDb(note.value(QStringLiteral("START_DT"))));
    txt_EndDt->setDate(dateFromDb(note.value(QStringLiteral("END_DT"))));
    Cmb_VehBrand->setCode(text(note, "VEH_BRANDID"), text(note, "SHOWN_BRAND"));
    txt_VehNos->setText(QString::number(note.value(QStringLiteral("VEH_NOS")).toLongLong()));
    txt_VehRate->setText(Money::fromVariant(note.value(QStringLiteral("VEH_RATE"))).toString());
}

std::optional<Money> VehicleItems::price() {
    lbl_Days->setText(QString::number(hireDays(txt_StartDt->date(), txt_EndDt->date())));
    // The rate is for the whole hire, whatever its days.
    return times(count(txt_VehNos), rate(txt_VehRate));
}

QList<Check> VehicleItems::dateChecks() {
    return {{[this] { return txt_EndDt->date() < txt_StartDt->date(); }, txt_EndDt,
             QStringLiteral("CANNOT PROCEED, TOUR END DATE IS BEFORE TOUR START DATE ....")}};
}

QList<std::pair<QString, QString>> VehicleItems::questionLines() {
    return {{QStringLiteral(" TOUR DATE : "), day(txt_StartDt)},
            {QStringLiteral(" VEHICLE BRAND : "), Cmb_VehBrand->currentText()},
            {QStringLiteral(" VEHICLE NOS : "), QString::number(count(txt_VehNos))},
            {QStringLiteral(" VEHICLE RATE : "), rate(txt_VehRate).toString()}};
}

Columns VehicleItems::columns(bool isNew) {
    Columns c{{QStringLiteral("DOC_DATE"), dateToDb(txt_StartDt->date())},
              {QStringLiteral("TO_ACC"), QStringLiteral("ANCP02")},
              {QStringLiteral("START_DT"), dateToDb(txt_StartDt->date())},
              {QStringLiteral("END_DT"), dateToDb(txt_EndDt->date())},
              {QStringLiteral("TOUR_DAYS"), hireDays(txt_StartDt->date(), txt_EndDt->date())},
              {QStringLiteral("VEH_BRANDID"), codeOrNull(Cmb_VehBrand->code())},
              {QStringLiteral("VEH_NOS"), count(txt_VehNos)},
              {QStringLiteral("VEH_RATE"), rate(txt_VehRate).toVariant()}};
    // No quotation vehicle line is tied to a new note; a modified one keeps its own.
    if (isNew)
        c.emplace_back(QStringLiteral("ACC_CODE"), QStringLiteral("0"));
    return c;
}

void VehicleItems::setEditable(bool editable) {
    txt_StartDt->setReadOnly(!editable);
    txt_EndDt->setReadOnly(!editable);
    Cmb_VehBrand->setEnabled(editable);
    for (QLineEdit* e : amounts_)
        e->setReadOnly(!editable);
}

QWidget* VehicleItems::amountField() const {
    return txt_VehNos;
}

// Other charge --------------------------------------------------------------------------------

OtherItems::OtherItems(AdviceNoteWindow& w) : AdviceItems(w) {
    txt_DocDate = dateField(QStringLiteral("txt_DocDate"));
    txt_TourDt = dateField(QStringLiteral("txt_TourDt"));
    w.addRow(QStringLiteral("DOC &DATE"), {txt_DocDate});
    w.addRow(QStringLiteral("TOUR DA&TE"), {txt_TourDt});
    Cmb_OthrCharge = new CodeList(w.session(), kOtherCharge, &w);
    Cmb_OthrCharge->setObjectName(QStringLiteral("Cmb_OthrCharge"));
    Cmb_OthrCharge->setMinimumWidth(260);
    Cmb_OthrCharge->load();
    w.addRow(QStringLiteral("CHARGE T&YPE"), {Cmb_OthrCharge});
    txt_Qty = countField(QStringLiteral("txt_Qty"));
    w.bindColumn(txt_Qty, "M_TBL_TRANSACTION", "OTHRCHRG_QTY");
    w.addRow(QStringLiteral("&QUANTITY"), {txt_Qty});
    txt_Rate = rateField(QStringLiteral("txt_Rate"));
    w.bindColumn(txt_Rate, "M_TBL_TRANSACTION", "OTHRCHRG_RATE");
    w.addRow(QStringLiteral("OTHER &CHARGE"), {txt_Rate});
}

void OtherItems::startNew(const AdviceBooking& booking) {
    txt_DocDate->setDate(QDate::currentDate());
    txt_TourDt->setDate(booking.start.isValid() ? booking.start : QDate::currentDate());
    Cmb_OthrCharge->clearChoice();
    txt_Qty->setText(QStringLiteral("0"));
    txt_Rate->setText(Money().toString());
}

void OtherItems::show(const QSqlRecord& note) {
    txt_DocDate->setDate(dateFromDb(note.value(QStringLiteral("DOC_DATE"))));
    txt_TourDt->setDate(dateFromDb(note.value(QStringLiteral("START_DT"))));
    Cmb_OthrCharge->setCode(text(note, "TO_ACC"), text(note, "SHOWN_CHARGE"));
    txt_Qty->setText(QString::number(note.value(QStringLiteral("OTHRCHRG_QTY")).toLongLong()));
    txt_Rate->setText(Money::fromVariant(note.value(QStringLiteral("OTHRCHRG_RATE"))).toString());
}

std::optional<Money> OtherItems::price() {
    return times(count(txt_Qty), rate(txt_Rate));
}

QList<std::pair<QString, QString>> OtherItems::questionLines() {
    return {{QStringLiteral(" TOUR DATE : "), day(txt_TourDt)},
            {QStringLiteral(" OTHER CHARGE : "), Cmb_OthrCharge->currentText()}};
}

Columns OtherItems::columns(bool) {
    return {{QStringLiteral("DOC_DATE"), dateToDb(txt_DocDate->date())},
            {QStringLiteral("TO_ACC"), codeOrNull(Cmb_OthrCharge->code(), QMetaType::QString)},
            {QStringLiteral("START_DT"), dateToDb(txt_TourDt->date())},
            {QStringLiteral("OTHRCHRG_QTY"), count(txt_Qty)},
            {QStringLiteral("OTHRCHRG_RATE"), rate(txt_Rate).toVariant()}};
}

void OtherItems::setEditable(bool editable) {
    txt_DocDate->setReadOnly(!editable);
    txt_TourDt->setReadOnly(!editable);
    Cmb_OthrCharge->setEnabled(editable);
    for (QLineEdit* e : amounts_)
        e->setReadOnly(!editable);
}

QWidget* OtherItems::amountField() const {
    return txt_Qty;
}

}  // namespace tarvic
