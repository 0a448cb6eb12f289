#include "HotelStatusWindows.h"

#include "bookings/family/StatusChoices.h"
#include "data/Moments.h"
#include "engine/DocumentState.h"
#include "engine/bookings/TourOps.h"
#include "engine/dues/HotelDeadlines.h"
#include "shell/kit/Checks.h"
#include "shell/kit/DateField.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

namespace tarvic {

namespace {

QString trimmed(const QSqlRecord& r, const char* field) {
    return r.value(QLatin1String(field)).toString().trimmed();
}

QString wholeNumber(const QSqlRecord& r, const char* field) {
    const QVariant v = r.value(QLatin1String(field));
    return v.isNull() ? QString() : QString::number(v.toLongLong());
}

// The hotel cell: name and place, then the rooms booked, one per line.
QString hotelCell(const QSqlRecord& r) {
    QStringList lines{
        trimmed(r, "HOTEL_NAME") + QStringLiteral(" , ") + trimmed(r, "HOTEL_PLACE"),
        QStringLiteral("ROOM TYPE ") + trimmed(r, "ROOM_TYPE2") + QLatin1Char('-') + trimmed(r, "ROOM_TYPE"),
        QStringLiteral("MEAL ") + trimmed(r, "MEAL_PLAN")};
    for (const auto& [label, field] :
         {std::pair{"ROOM ", "NOOF_ROOM"}, std::pair{"SINGLE ", "NOOF_ROOMSNGL"}, std::pair{"EXTRA ", "NOOF_EXTBED"},
          std::pair{"CWB ", "NOOF_CWB"}, std::pair{"CNB ", "NOOF_CNB"}})
        lines << QLatin1String(label) + wholeNumber(r, field);
    return lines.join(QLatin1Char('\n'));
}

// Hotel lines of quotations with a live booking; the status and the lookups outer-joined, so a
// line not yet given a status is listed too.
QString linesFrom() {
    return QStringLiteral(
               "FROM M_TBL_QUOTATION a "
               "JOIN M_TBL_QUOTATION e ON e.DOC_CODE='QGBL01' AND e.DOC_NO=a.DOC_NO "
               "JOIN M_TBL_TRANSACTION f ON f.DOC_CODE='CBPT01' AND f.DOC_NO=e.CBPT_NO AND %1 "
               "LEFT JOIN M_TBL_PARTY g ON g.PARTY_CODE=f.PARTY_CODE "
               "LEFT JOIN M_TBL_MEALPLAN b ON b.MEALPLAN_CODE=a.MEALPLAN_CODE "
               "LEFT JOIN M_TBL_HOTELROOMTYPE c ON c.ROOMTYPE_CODE=a.ROOMTYPE_CODE "
               "LEFT JOIN M_TBL_HOTELSTATUS d ON d.HOTELSTATUS_CODE=a.HOTELSTATUS_CODE ")
        .arg(sql::live(QStringLiteral("f")));
}

ListingConfig listConfig() {
    using C = ListColumn;
    return {.objectName = QStringLiteral("frm_UpdateHotelStatus"),
            .title = QStringLiteral("UPDATE HOTEL STATUS"),
            .statement = QStringLiteral("SELECT {columns} ") + linesFrom() +
                         QStringLiteral("WHERE {filter} AND a.DOC_CODE='QGBL02' AND a.ACCOUNT_DESC='HOTEL'"),
            .detail = {.objectName = QStringLiteral("Grid1"),
                       .select = QStringLiteral(
                           "a.DOC_NO, a.ACC_CODE, a.TOUR_DATE, a.CHKOT_DT, a.DAYS_ROOM, a.HOTEL_NAME, a.HOTEL_PLACE, "
                           "b.MEAL_PLAN, c.ROOM_TYPE AS ROOM_TYPE2, a.ROOM_TYPE, a.NOOF_ROOM, a.NOOF_ROOMSNGL, "
                           "a.NOOF_EXTBED, a.NOOF_CWB, a.NOOF_CNB, d.HOTEL_STATUS, a.HOTL_STATUPDBY, "
                           "a.HOTL_STATUPDON, e.CBPT_NO, f.TOURIST_NAME, g.PARTY_NAME, d.H_RED, d.H_GREEN, "
                           "d.H_BLUE, d.H_F_RED, d.H_F_GREEN, d.H_F_BLUE"),
                       .orderBy = QStringLiteral("a.TOUR_DATE DESC, e.CBPT_NO, a.DOC_NO, a.ACC_CODE"),
                       .columns = {C::serial(QStringLiteral("SLNO"), 600),
                                   C::date(QStringLiteral("CHK-IN DT"), QStringLiteral("TOUR_DATE"), 1200),
                                   C::date(QStringLiteral("CHK-OT DT"), QStringLiteral("CHKOT_DT"), 1200),
                                   C::number(QStringLiteral("NTS"), QStringLiteral("DAYS_ROOM"), 500),
                                   C::computed(QStringLiteral("HOTEL NAME"), 3600, hotelCell),
                                   C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 2400),
                                   C::text(QStringLiteral("TOURIST NAME"), QStringLiteral("TOURIST_NAME"), 2200),
                                   C::number(QStringLiteral("CBPT NO"), QStringLiteral("CBPT_NO"), 900),
                                   C::number(QStringLiteral("QUOT NO"), QStringLiteral("DOC_NO"), 900),
                                   C::number(QStringLiteral("ACC NO"), QStringLiteral("ACC_CODE"), 700),
                                   C::text(QStringLiteral("STATUS"), QStringLiteral("HOTEL_STATUS"), 1600),
                                   C::byOn(QStringLiteral("UPDATE BY - ON"), "HOTL_STATUPDBY", "HOTL_STATUPDON", 2800)},
                       .colours = statusColours},
            .onChosen = [](ListingWindow& w, int row) { static_cast<frm_UpdateHotelStatus&>(w).Open_Line(row); },
            .size = QSize(1000, 600)};
}

QLabel* shownLabel(QWidget* owner, const char* name) {
    auto* l = new QLabel(owner);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(320);
    return l;
}

}  // namespace

frm_UpdateHotelStatus::frm_UpdateHotelStatus(Session& session, QWidget* parent)
    : ListingWindow(session, parent, listConfig()) {
    // Check-ins coming up: the demo's tour shows on opening.
    const auto [from, to] = periodDates(ListingPeriod::Tours);
    txt_FromDt = addField(QStringLiteral("&FROM CHK-IN DT"), dateEdit("txt_FromDt", from), 0, 0);
    txt_ToDt = addField(QStringLiteral("&TO CHK-IN DT"), dateEdit("txt_ToDt", to), 0, 1);
    Cmb_Status = addField(QStringLiteral("STAT&US"), new QComboBox(this), 0, 2);
    Cmb_Status->setObjectName(QStringLiteral("Cmb_Status"));
    Cmb_Status->setMinimumWidth(150);
    guarded([&] {
        loadStatusChoices(db(), Cmb_Status, QStringLiteral("M_TBL_HOTELSTATUS"), QStringLiteral("HOTELSTATUS_CODE"),
                          QStringLiteral("HOTEL_STATUS"), QStringLiteral("HOTEL_SLNO"), QStringLiteral("%"));
    });
    addCondition([this](ListFilter& f) {
        const QString code = chosenCode(Cmb_Status);
        if (!code.isEmpty())
            f.add(QStringLiteral("a.HOTELSTATUS_CODE=?"), {code.toLongLong()});
    });
    Option1 = addOption(QStringLiteral("Option1"), QStringLiteral("BETWEEN &DATES"), nullptr, [this](ListFilter& f) {
        f.dateRange(QStringLiteral("a.TOUR_DATE"), txt_FromDt->date(), txt_ToDt->date());
    });
    txt_CBPTNo = new QLineEdit(this);
    txt_CBPTNo->setObjectName(QStringLiteral("txt_CBPTNo"));
    txt_CBPTNo->setMaximumWidth(110);
    bindColumn(txt_CBPTNo, "M_TBL_QUOTATION", "CBPT_NO");
    attachFilter(txt_CBPTNo, KeyFilter::Number);
    Option2 = addOption(QStringLiteral("Option2"), QStringLiteral("FOR &CBPT NO"), txt_CBPTNo,
                        [this](ListFilter& f) { f.number(QStringLiteral("e.CBPT_NO=?"), txt_CBPTNo->text()); });
    setTool(6, QStringLiteral("Supplier Requests { F6 }"), [this] { Open_Requests(); });
    // The hotel cell holds eight lines.
    Grid1->verticalHeader()->setDefaultSectionSize(Grid1->fontMetrics().lineSpacing() * 8 + 6);
    Grid1->setWordWrap(true);
}

void frm_UpdateHotelStatus::Open_Line(int row) {
    const qint64 quotation = Grid1->text(row, ColQuotNo).toLongLong();
    const qint64 line = Grid1->text(row, ColAccNo).toLongLong();
    if (quotation <= 0)
        return;
    QPointer<frm_UpdateHotelStatus> self(this);
    openWindow(
        QStringLiteral("frm_UpdateHotelStatus_Line"),
        {{{QStringLiteral("QUOTATION_NO"), quotation}, {QStringLiteral("ACC_CODE"), line}}, [self](const QString&) {
             if (self)
                 self->Load_Grid();
         }});
}

void frm_UpdateHotelStatus::Open_Requests() {
    const int row = Grid1->currentRow();
    const qint64 booking = row < 0 ? 0 : Grid1->text(row, ColCbptNo).toLongLong();
    if (booking <= 0)
        return;
    openWindow(QStringLiteral("frm_SupplierRequests"),
               {{{QStringLiteral("CBPT_NO"), booking},
                 {QStringLiteral("QUOTATION_NO"), Grid1->text(row, ColQuotNo).toLongLong()},
                 {QStringLiteral("ACC_CODE"), Grid1->text(row, ColAccNo).toLongLong()}}});
}

frm_UpdateHotelStatus_Line::frm_UpdateHotelStatus_Line(Session& session, QWidget* parent, const WindowArgs& args)
    : TaskWindow(session, parent),
      quotation_(args.value(QStringLiteral("QUOTATION_NO")).toLongLong()),
      line_(args.value(QStringLiteral("ACC_CODE")).toLongLong()),
      onSaved_(args.onPick) {
    setObjectName(QStringLiteral("frm_UpdateHotelStatus_Line"));
    setWindowTitle(QStringLiteral("UPDATE HOTEL STATUS"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("PARTY NAME"), lbl_Party = shownLabel(this, "lbl_Party"));
    form->addRow(QStringLiteral("TOURIST NAME"), lbl_Tourist = shownLabel(this, "lbl_Tourist"));
    form->addRow(QStringLiteral("HOTEL NAME"), lbl_Hotel = shownLabel(this, "lbl_Hotel"));
    form->addRow(QStringLiteral("PLACE NAME"), lbl_Place = shownLabel(this, "lbl_Place"));
    form->addRow(QStringLiteral("CHECK IN DT"), lbl_ChkIn = shownLabel(this, "lbl_ChkIn"));
    form->addRow(QStringLiteral("CHECK OT DT"), lbl_ChkOut = shownLabel(this, "lbl_ChkOut"));
    form->addRow(QStringLiteral("CURRENT STATUS"), lbl_Status = shownLabel(this, "lbl_Status"));
    Cmb_Status = new QComboBox(this);
    Cmb_Status->setObjectName(QStringLiteral("Cmb_Status"));
    form->addRow(QStringLiteral("&NEW STATUS"), Cmb_Status);
    txt_OptionDt = makeDateField(this, QStringLiteral("txt_OptionDt"));
    txt_OptionDt->setToolTip(QStringLiteral("Left empty: check-in less the hotel's option days"));
    form->addRow(QStringLiteral("OPTION DATE"), txt_OptionDt);
    txt_FreeCnclDt = makeDateField(this, QStringLiteral("txt_FreeCnclDt"));
    txt_FreeCnclDt->setToolTip(QStringLiteral("Left empty: check-in less the hotel's free-cancellation days"));
    form->addRow(QStringLiteral("FREE CANCEL BY"), txt_FreeCnclDt);
    body()->addLayout(form);
    resize(520, 390);
    guarded([&] {
        loadStatusChoices(db(), Cmb_Status, QStringLiteral("M_TBL_HOTELSTATUS"), QStringLiteral("HOTELSTATUS_CODE"),
                          QStringLiteral("HOTEL_STATUS"), QStringLiteral("HOTEL_SLNO"));
    });
    Cmb_Status->setCurrentIndex(-1);
    Show_Line();
}

bool frm_UpdateHotelStatus_Line::Show_Line() {
    loaded_ = false;
    for (QLabel* l : {lbl_Party, lbl_Tourist, lbl_Hotel, lbl_Place, lbl_ChkIn, lbl_ChkOut, lbl_Status})
        l->clear();
    shownOption_ = shownFreeCancel_ = typedOption_ = typedFreeCancel_ = QDate();
    txt_OptionDt->clear();
    txt_FreeCnclDt->clear();
    return guarded([&] {
               const auto r = db().firstRow(
                   QStringLiteral("SELECT a.HOTEL_NAME, a.HOTEL_PLACE, a.TOUR_DATE, a.CHKOT_DT, d.HOTEL_STATUS, "
                                  "a.HOTL_STATUPDBY, a.HOTL_STATUPDON, f.TOURIST_NAME, g.PARTY_NAME, e.CBPT_NO ") +
                       linesFrom() +
                       QStringLiteral(
                           "WHERE a.DOC_CODE='QGBL02' AND a.ACCOUNT_DESC='HOTEL' AND a.DOC_NO=? AND a.ACC_CODE=?"),
                   {quotation_, line_});
               if (!r)
                   return;
               loaded_ = true;
               lbl_Party->setText(trimmed(*r, "PARTY_NAME"));
               lbl_Tourist->setText(trimmed(*r, "TOURIST_NAME"));
               lbl_Hotel->setText(trimmed(*r, "HOTEL_NAME"));
               lbl_Place->setText(trimmed(*r, "HOTEL_PLACE"));
               lbl_ChkIn->setText(dateText(r->value(QStringLiteral("TOUR_DATE"))));
               lbl_ChkOut->setText(dateText(r->value(QStringLiteral("CHKOT_DT"))));
               const QString status = trimmed(*r, "HOTEL_STATUS");
               lbl_Status->setText(status.isEmpty() ? QString()
                                                    : status + QStringLiteral(" : ") +
                                                          byOnText(r->value(QStringLiteral("HOTL_STATUPDBY")),
                                                                   r->value(QStringLiteral("HOTL_STATUPDON"))));
               for (const HotelDeadline& d : hotelDeadlines(db(), r->value(QStringLiteral("CBPT_NO")).toLongLong()))
                   if (d.quotation == quotation_ && d.line == line_) {
                       shownOption_ = d.option;
                       shownFreeCancel_ = d.freeCancel;
                   }
               if (const auto typed = db().firstRow(QStringLiteral("SELECT OPTION_DT, FREECNCL_DT FROM "
                                                                   "M_TBL_HOTEL_DEADLINE WHERE QUOTATION_NO=? AND "
                                                                   "LINE_NO=?"),
                                                    {quotation_, line_})) {
                   typedOption_ = dateFromDb(typed->value(0));
                   typedFreeCancel_ = dateFromDb(typed->value(1));
               }
               setFieldDate(txt_OptionDt, shownOption_);
               setFieldDate(txt_FreeCnclDt, shownFreeCancel_);
           }) &&
           loaded_;
}

QList<std::pair<QString, QString>> frm_UpdateHotelStatus_Line::details() const {
    return {{QStringLiteral(" PARTY NAME : "), lbl_Party->text()},
            {QStringLiteral(" TOURIST NAME : "), lbl_Tourist->text()},
            {QStringLiteral(" HOTEL NAME : "), lbl_Hotel->text()},
            {QStringLiteral(" PLACE NAME : "), lbl_Place->text()},
            {QStringLiteral(" CHECK IN DT : "), lbl_ChkIn->text()},
            {QStringLiteral(" CHECK OT DT : "), lbl_ChkOut->text()}};
}

bool frm_UpdateHotelStatus_Line::deadlinesChanged() const {
    return fieldDate(txt_OptionDt) != shownOption_ || fieldDate(txt_FreeCnclDt) != shownFreeCancel_;
}

void frm_UpdateHotelStatus_Line::Save_Record() {
    const auto mistyped = [](const QLineEdit* e) { return !dateFieldEmpty(e) && !fieldDate(e).isValid(); };
    if (!runChecks(
            prompter(), this,
            {{[&] { return !loaded_; }, nullptr, QString::fromLatin1(kChangedByAnotherUser)},
             {[&] { return chosenCode(Cmb_Status).isEmpty() && !deadlinesChanged(); }, Cmb_Status, kChooseHotelStatus},
             {[&] { return mistyped(txt_OptionDt); }, txt_OptionDt,
              QStringLiteral("PLEASE ENTER OPTION DATE PROPERLY ....")},
             {[&] { return mistyped(txt_FreeCnclDt); }, txt_FreeCnclDt,
              QStringLiteral("PLEASE ENTER FREE CANCELLATION DATE PROPERLY ....")}}))
        return;
    if (!Confirmation{QStringLiteral(" YOU ARE ABOUT TO UPDATE HOTEL STATUS FOR .."), details()}.ask(prompter(), this))
        return;
    // A date left as read keeps what it was: typed, or the hotel's period.
    const auto kept = [](const QLineEdit* e, const QDate& shown, const QDate& typed) {
        return fieldDate(e) == shown ? typed : fieldDate(e);
    };
    const QDate option = kept(txt_OptionDt, shownOption_, typedOption_);
    const QDate freeCancel = kept(txt_FreeCnclDt, shownFreeCancel_, typedFreeCancel_);
    if (!guarded([&] {
            db().transact([&] {
                if (!chosenCode(Cmb_Status).isEmpty())
                    setHotelLineStatus(db(), session().userFullName, quotation_, line_,
                                       chosenCode(Cmb_Status).toLongLong());
                if (deadlinesChanged())
                    setHotelDeadlines(db(), session().userFullName, quotation_, line_, option, freeCancel);
            });
        }))
        return;
    QString done =
        Confirmation{QStringLiteral(" HOTEL STATUS UPDATION SUCCESSFULLY DONE FOR .."), details(), {}}.text();
    done.chop(1);  // no question follows
    prompter().information(this, done);
    Show_Line();
    if (onSaved_)
        onSaved_(QString::number(quotation_));
}

}  // namespace tarvic
