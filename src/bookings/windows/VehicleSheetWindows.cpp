#include "VehicleSheetWindows.h"

#include "data/Moments.h"
#include "data/TransactionRecords.h"
#include "shell/kit/Checks.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace tarvic {

namespace {

const CodeSource kVehicleType{QStringLiteral("MST_VEHICLEBRANDTYPE"), QStringLiteral("VEH_BRANDID"),
                              QStringLiteral("VEH_BRAND")};

ListingConfig listConfig() {
    using C = ListColumn;
    const auto text = [](const char* heading, const char* field, int width) {
        return C::text(QLatin1String(heading), QLatin1String(field), width);
    };
    return {.objectName = QStringLiteral("frm_VehBookSheet"),
            .title = QStringLiteral("VEHICLE BOOKING SHEET"),
            // Lead, parties and vehicle type outer-joined: an entry whose party was never given
            // (or whose type was deleted) is still listed.
            .statement = QStringLiteral("SELECT {columns} FROM M_TBL_TRANSACTION a "
                                        "LEFT JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND l.DOC_NO=a.LEAD_NO "
                                        "LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=a.PARTY_CODE "
                                        "LEFT JOIN M_TBL_PARTY v ON v.PARTY_CODE=a.VBS_VOCODE "
                                        "LEFT JOIN MST_VEHICLEBRANDTYPE t ON t.VEH_BRANDID=a.VEH_BRANDID "
                                        "WHERE {filter} AND a.DOC_CODE='VBS001'"),
            .detail = {.objectName = QStringLiteral("Grid1"),
                       .select = QStringLiteral(
                           "a.DOC_NO, a.DOC_DATE, a.LEAD_NO, a.VBS_SERVICE, a.VEH_NOS, a.REMARKS, a.CREATED_BY, "
                           "a.CREATED_ON, a.UPDATE_BY, a.UPDATE_ON, l.TOURIST_NAME, p.PARTY_NAME AS BILL_PARTY, "
                           "v.PARTY_NAME AS VENDOR_NAME, t.VEH_BRAND"),
                       .orderBy = QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC"),
                       .columns = {C::serial(QStringLiteral("SLNO"), 600),
                                   C::date(QStringLiteral("BOOKING DT"), QStringLiteral("DOC_DATE"), 1200),
                                   text("GUEST NAME", "TOURIST_NAME", 2200), text("SERVICE", "VBS_SERVICE", 2400),
                                   text("VEHICLE TYPE", "VEH_BRAND", 1800),
                                   C::number(QStringLiteral("VEH NOS"), QStringLiteral("VEH_NOS"), 800),
                                   text("VENDOR NAME", "VENDOR_NAME", 2400), text("BILL TO PARTY", "BILL_PARTY", 2400),
                                   text("REMARKS", "REMARKS", 2400),
                                   C::number(QStringLiteral("BOOKING NO"), QStringLiteral("DOC_NO"), 1000),
                                   C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 900),
                                   C::byOn(QStringLiteral("CREATED BY - ON"), "CREATED_BY", "CREATED_ON", 2800),
                                   C::byOn(QStringLiteral("UPDATED BY - ON"), "UPDATE_BY", "UPDATE_ON", 2800)}},
            .onChosen = [](ListingWindow& w, int row) { static_cast<frm_VehBookSheet&>(w).Open_Entry(row); },
            .size = QSize(1000, 600)};
}

QDateEdit* dateField(QWidget* owner, const char* name) {
    auto* d = new QDateEdit(QDate::currentDate(), owner);
    d->setObjectName(QLatin1String(name));
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    return d;
}

CodeField* partyField(TaskWindow* w, const char* edit, const char* label, const char* button) {
    auto* f = new CodeField(w->session(), kPartySource, w, QLatin1String(edit), QLatin1String(label));
    f->edit()->setMaximumWidth(110);
    attachFilter(f->edit(), KeyFilter::Number);
    f->addPicker(QLatin1String(button), [w](PickCallback pick) {
        w->openWindow(QStringLiteral("frm_Search_Party"), {{}, std::move(pick)});
    });
    f->pickButton()->setMaximumWidth(36);
    f->nameLabel()->setFrameShape(QFrame::StyledPanel);
    f->nameLabel()->setMinimumWidth(260);
    w->onEnter(f->edit(), [f] { f->lookUp(); });
    return f;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
    auto* r = new QHBoxLayout;
    for (QWidget* w : widgets)
        r->addWidget(w);
    if (stretch)
        r->addStretch(1);
    return r;
}

}  // namespace

frm_VehBookSheet::frm_VehBookSheet(Session& session, QWidget* parent) : ListingWindow(session, parent, listConfig()) {
    setTool(2, kNewTip, [this] { Open_Entry(); });
    setTool(4, QStringLiteral("Modify Record { F4 }"), [this] { Open_Entry(Grid1->currentRow()); });
    txt_FromDt = addField(QStringLiteral("&FROM DATE"), dateField(this, "txt_FromDt"), 0, 0);
    txt_ToDt = addField(QStringLiteral("&TO DATE"), dateField(this, "txt_ToDt"), 0, 1);
    Cmb_DateOn = addField(QStringLiteral("DATE &ON"), new QComboBox(this), 0, 2);
    Cmb_DateOn->setObjectName(QStringLiteral("Cmb_DateOn"));
    Cmb_DateOn->addItems({QStringLiteral("BOOKING DATE"), QStringLiteral("UPDATE DATE")});
    addCondition([this](ListFilter& f) {
        // The update date is a moment: the range runs to the end of its to-date.
        f.dateRange(Cmb_DateOn->currentIndex() == 1 ? QStringLiteral("a.UPDATE_ON") : QStringLiteral("a.DOC_DATE"),
                    txt_FromDt->date(), txt_ToDt->date());
    });
    Option1 = addOption(QStringLiteral("Option1"), QStringLiteral("FOR &ALL"), nullptr, [](ListFilter&) {});
    billParty = partyField(this, "txt_BillPartyCode", "lbl_BillPartyName", "Cmd_SrcBillParty");
    auto* bill = new QWidget(this);
    bill->setLayout(row({billParty->edit(), billParty->pickButton(), billParty->nameLabel()}));
    bill->layout()->setContentsMargins(0, 0, 0, 0);
    Option2 = addOption(QStringLiteral("Option2"), QStringLiteral("BILL TO PARTY"), bill,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.PARTY_CODE=?"), billParty->key()); });
    vendor = partyField(this, "txt_VendorCode", "lbl_VendorName", "Cmd_SrcVendor");
    auto* ven = new QWidget(this);
    ven->setLayout(row({vendor->edit(), vendor->pickButton(), vendor->nameLabel()}));
    ven->layout()->setContentsMargins(0, 0, 0, 0);
    Option3 = addOption(QStringLiteral("Option3"), QStringLiteral("&VENDOR / VO"), ven,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.VBS_VOCODE=?"), vendor->key()); });
    txt_CBPTNo = new QLineEdit(this);
    txt_CBPTNo->setObjectName(QStringLiteral("txt_CBPTNo"));
    txt_CBPTNo->setMaximumWidth(110);
    bindColumn(txt_CBPTNo, "M_TBL_TRANSACTION", "DOC_NO");
    attachFilter(txt_CBPTNo, KeyFilter::Number);
    Option4 = addOption(QStringLiteral("Option4"), QStringLiteral("&CBPT NO"), txt_CBPTNo, [this](ListFilter& f) {
        f.number(QStringLiteral("EXISTS (SELECT 1 FROM M_TBL_TRANSACTION f WHERE f.DOC_CODE='CBPT01' AND f.DOC_NO=? "
                                "AND f.LEAD_NO=a.LEAD_NO)"),
                 txt_CBPTNo->text());
    });
}

void frm_VehBookSheet::Open_Entry(int row) {
    WindowArgs args;
    if (row >= 0) {
        const qint64 number = Grid1->text(row, ColNumber).toLongLong();
        if (number <= 0)
            return;
        args.values.insert(QStringLiteral("DOC_NO"), number);
    }
    QPointer<frm_VehBookSheet> self(this);
    args.onPick = [self](const QString&) {
        if (self)
            self->Load_Grid();
    };
    openWindow(QStringLiteral("frm_VehBookSheet_Add"), args);
}

frm_VehBookSheet_Add::frm_VehBookSheet_Add(Session& session, QWidget* parent, const WindowArgs& args)
    : TaskWindow(session, parent), onSaved_(args.onPick) {
    setObjectName(QStringLiteral("frm_VehBookSheet_Add"));
    setWindowTitle(QStringLiteral("VEHICLE BOOKING SHEET ( VBS001 )"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    const auto shown = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(110);
        return l;
    };
    auto* form = new QFormLayout;
    lbl_DocNo = shown("lbl_DocNo");
    txt_BookingDt = dateField(this, "txt_BookingDt");
    form->addRow(QStringLiteral("BOOKING NO"),
                 row({lbl_DocNo, new QLabel(QStringLiteral("BOOKING DT"), this), txt_BookingDt}));
    txt_LeadNo = new QLineEdit(this);
    txt_LeadNo->setObjectName(QStringLiteral("txt_LeadNo"));
    txt_LeadNo->setMaximumWidth(110);
    bindColumn(txt_LeadNo, "M_TBL_TRANSACTION", "LEAD_NO");
    attachFilter(txt_LeadNo, KeyFilter::Number);
    Cmd_SrcLead = new QPushButton(QStringLiteral("..."), this);
    Cmd_SrcLead->setObjectName(QStringLiteral("Cmd_SrcLead"));
    Cmd_SrcLead->setMaximumWidth(36);
    lbl_Guest = shown("lbl_Guest");
    lbl_Guest->setMinimumWidth(260);
    form->addRow(QStringLiteral("LEAD NO"), row({txt_LeadNo, Cmd_SrcLead, lbl_Guest}));
    lbl_Quotation = shown("lbl_Quotation");
    lbl_Quotation->setMinimumWidth(420);
    form->addRow(QStringLiteral("QUOTATION"), lbl_Quotation);
    Grid_Days = new QTableWidget(this);
    Grid_Days->setObjectName(QStringLiteral("Grid_Days"));
    Grid_Days->setMinimumHeight(120);
    form->addRow(QStringLiteral("ITINERARY"), Grid_Days);
    billParty = partyField(this, "txt_BillPartyCode", "lbl_BillPartyName", "Cmd_SrcBillParty");
    form->addRow(QStringLiteral("BILL TO PARTY"),
                 row({billParty->edit(), billParty->pickButton(), billParty->nameLabel()}));
    txt_Service = new QLineEdit(this);
    txt_Service->setObjectName(QStringLiteral("txt_Service"));
    bindColumn(txt_Service, "M_TBL_TRANSACTION", "VBS_SERVICE");
    attachFilter(txt_Service, KeyFilter::Upper);
    form->addRow(QStringLiteral("&SERVICE"), txt_Service);
    Cmb_VehType = new CodeList(session, kVehicleType, this);
    Cmb_VehType->setObjectName(QStringLiteral("Cmb_VehType"));
    Cmb_VehType->setMinimumWidth(220);
    txt_VehNos = new QLineEdit(this);
    txt_VehNos->setObjectName(QStringLiteral("txt_VehNos"));
    txt_VehNos->setMaximumWidth(70);
    bindColumn(txt_VehNos, "M_TBL_TRANSACTION", "VEH_NOS");
    attachFilter(txt_VehNos, KeyFilter::Number);
    form->addRow(QStringLiteral("VEHICLE TYPE"),
                 row({Cmb_VehType, new QLabel(QStringLiteral("VEH NOS"), this), txt_VehNos}));
    vendor = partyField(this, "txt_VendorCode", "lbl_VendorName", "Cmd_SrcVendor");
    form->addRow(QStringLiteral("VENDOR / VO"), row({vendor->edit(), vendor->pickButton(), vendor->nameLabel()}));
    txt_Remarks = new QLineEdit(this);
    txt_Remarks->setObjectName(QStringLiteral("txt_Remarks"));
    bindColumn(txt_Remarks, "M_TBL_TRANSACTION", "REMARKS");
    form->addRow(QStringLiteral("&REMARKS"), txt_Remarks);
    body()->addLayout(form);

    // Numbers never go below zero here: a minus typed is dropped.
    connect(txt_VehNos, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (t.contains(QLatin1Char('-')))
            txt_VehNos->setText(QString(t).remove(QLatin1Char('-')));
    });
    onEnter(txt_LeadNo, [this] {
        if (Show_PartyDetails())
            billParty->edit()->setFocus();
    });
    connect(txt_LeadNo, &QLineEdit::textEdited, this, [this] {
        lead_ = 0;
        lbl_Guest->clear();
        lbl_Quotation->clear();
        Load_EmptyGrid(Grid_Days, {{QStringLiteral("DATE"), 2600}, {QStringLiteral("PLACE"), 5200}});
    });
    connect(Cmd_SrcLead, &QPushButton::clicked, this, [this] {
        QPointer<frm_VehBookSheet_Add> self(this);
        openWindow(QStringLiteral("frm_SearchLead"), {{}, [self](const QString& code) {
                                                          if (!self)
                                                              return;
                                                          self->txt_LeadNo->setText(code);
                                                          self->Show_PartyDetails();
                                                      }});
    });
    resize(760, 560);
    Load_Init();
    const qint64 given = args.value(QStringLiteral("DOC_NO")).toLongLong();
    if (given > 0)
        Show_Record(given);
}

void frm_VehBookSheet_Add::Load_Init() {
    number_ = lead_ = 0;
    lbl_DocNo->setText(QStringLiteral("0"));
    txt_BookingDt->setDate(QDate::currentDate());
    for (QLineEdit* e : {txt_LeadNo, txt_Service, txt_VehNos, txt_Remarks})
        e->clear();
    for (QLabel* l : {lbl_Guest, lbl_Quotation})
        l->clear();
    billParty->clear();
    vendor->clear();
    Cmb_VehType->load();
    Cmb_VehType->clearChoice();
    Load_EmptyGrid(Grid_Days, {{QStringLiteral("DATE"), 2600}, {QStringLiteral("PLACE"), 5200}});
    txt_LeadNo->setFocus();
}

bool frm_VehBookSheet_Add::Show_PartyDetails(bool withParty) {
    lead_ = 0;
    lbl_Guest->clear();
    lbl_Quotation->clear();
    Load_EmptyGrid(Grid_Days, {{QStringLiteral("DATE"), 2600}, {QStringLiteral("PLACE"), 5200}});
    const qint64 lead = txt_LeadNo->text().trimmed().toLongLong();
    return guarded([&] {
               const auto l =
                   db().firstRow(QStringLiteral("SELECT a.TOURIST_NAME, a.PARTY_CODE, p.PARTY_NAME FROM "
                                                "M_TBL_TRANSACTION a LEFT JOIN M_TBL_PARTY p ON "
                                                "p.PARTY_CODE=a.PARTY_CODE WHERE a.DOC_CODE='BLFC01' AND a.DOC_NO=?"),
                                 {lead});
               if (!l)
                   return;
               lead_ = lead;
               lbl_Guest->setText(l->value(0).toString().trimmed());
               if (withParty && !l->value(1).isNull())
                   billParty->setLoaded(QString::number(l->value(1).toLongLong()), l->value(2).toString().trimmed());
               // The lead's latest priced quotation, with the days of its itinerary.
               const auto q = db().firstRow(
                   QStringLiteral(
                       "SELECT a.DOC_NO, a.ITINERARY_NO, a.JOURNEY_STRTDT, b.ITN_NAME FROM M_TBL_QUOTATION a, "
                       "M_TBL_ITINERARY_HEADER b WHERE a.DOC_CODE='QGBL01' AND a.LEAD_NO=? AND a.GRAND_TOTAL > 0 "
                       "AND a.ITINERARY_NO=b.ITN_DOCNO ORDER BY a.DOC_NO DESC ") +
                       db().dialect().firstRows(1),
                   {lead});
               if (!q)
                   return;
               const qint64 quotation = q->value(0).toLongLong();
               const QDate start = dateFromDb(q->value(2));
               lbl_Quotation->setText(QStringLiteral("%1 - %2").arg(quotation).arg(q->value(3).toString().trimmed()));
               QSqlQuery days =
                   db().exec(QStringLiteral("SELECT ITN_SLNO, ITN_DAY, ITN_PLACE FROM M_TBL_ITINERARY_DETAILS_QUOTE "
                                            "WHERE ITN_DOCNO=? AND QUOT_NO=? ORDER BY ITN_SLNO"),
                             {q->value(1).toLongLong(), quotation});
               while (days.next()) {
                   const int day = days.value(1).isNull() ? days.value(0).toInt() : days.value(1).toInt();
                   const QDate date = start.isValid() ? start.addDays(qMax(0, day - 1)) : QDate();
                   addGridRow(Grid_Days,
                              {date.toString(QStringLiteral("dd/MM/yyyy - ddd")), days.value(2).toString().trimmed()});
               }
               days.finish();
           }) &&
           lead_ > 0;
}

bool frm_VehBookSheet_Add::Show_Record(qint64 number) {
    std::optional<QSqlRecord> r;
    if (!guarded([&] {
            r = db().firstRow(
                QStringLiteral("SELECT a.*, p.PARTY_NAME AS BILL_PARTY, v.PARTY_NAME AS VENDOR_NAME "
                               "FROM M_TBL_TRANSACTION a LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=a.PARTY_CODE "
                               "LEFT JOIN M_TBL_PARTY v ON v.PARTY_CODE=a.VBS_VOCODE "
                               "WHERE a.DOC_CODE='VBS001' AND a.DOC_NO=?"),
                {number});
        }) ||
        !r)
        return false;
    const auto code = [&](const char* f) {
        const QVariant v = r->value(QLatin1String(f));
        return v.isNull() ? QString() : QString::number(v.toLongLong());
    };
    txt_LeadNo->setText(code("LEAD_NO"));
    Show_PartyDetails(false);
    number_ = number;
    lbl_DocNo->setText(QString::number(number));
    txt_BookingDt->setDate(dateFromDb(r->value(QStringLiteral("DOC_DATE"))));
    billParty->setLoaded(code("PARTY_CODE"), r->value(QStringLiteral("BILL_PARTY")).toString().trimmed());
    vendor->setLoaded(code("VBS_VOCODE"), r->value(QStringLiteral("VENDOR_NAME")).toString().trimmed());
    txt_Service->setText(r->value(QStringLiteral("VBS_SERVICE")).toString().trimmed());
    Cmb_VehType->setCode(code("VEH_BRANDID"));
    txt_VehNos->setText(code("VEH_NOS"));
    txt_Remarks->setText(r->value(QStringLiteral("REMARKS")).toString().trimmed());
    return true;
}

void frm_VehBookSheet_Add::Save_Record() {
    if (!runChecks(prompter(), this,
                   {{[&] { return lead_ <= 0; }, txt_LeadNo, QStringLiteral("PLEASE ENTER LEAD NO PROPERLY .....")},
                    {[&] { return vendor->key().isEmpty() || vendor->nameLabel()->text().trimmed().isEmpty(); },
                     vendor->edit(), QStringLiteral("PLEASE ENTER VENNDOR OR VO.O CODE PROPERLY .....")}}))
        return;
    const QString date = txt_BookingDt->date().toString(QStringLiteral("dd/MM/yyyy"));
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT UPDATE VEHICLE BOOKING SHEET .... "),
                                {{QStringLiteral(" BOOKING DT : "), date},
                                 {QStringLiteral(" LEAD NO : "), QString::number(lead_)},
                                 {QStringLiteral(" BILL TO PARTY : "), billParty->nameLabel()->text()},
                                 {QStringLiteral(" GUEST NAME : "), lbl_Guest->text()},
                                 {QStringLiteral(" VEHICLE BRAND : "), Cmb_VehType->currentText()},
                                 {QStringLiteral(" SERVICE : "), txt_Service->text().trimmed()},
                                 {QStringLiteral(" VEH NOS : "), txt_VehNos->text().trimmed()},
                                 {QStringLiteral(" VENDOR / VO NAME : "), vendor->nameLabel()->text()}}};
    if (!question.ask(prompter(), this))
        return;
    const auto orNull = [](const QString& code) { return code.isEmpty() ? QVariant() : QVariant(code.toLongLong()); };
    Document d;
    d.code = QStringLiteral("VBS001");
    d.number = number_;
    d.columns = {{QStringLiteral("DOC_DATE"), dateToDb(txt_BookingDt->date())},
                 {QStringLiteral("LEAD_NO"), lead_},
                 {QStringLiteral("PARTY_CODE"), orNull(billParty->key())},
                 {QStringLiteral("VBS_SERVICE"), txt_Service->text().trimmed()},
                 {QStringLiteral("VEH_BRANDID"), orNull(Cmb_VehType->code())},
                 {QStringLiteral("VEH_NOS"), txt_VehNos->text().trimmed().toLongLong()},
                 {QStringLiteral("VBS_VOCODE"), vendor->key().toLongLong()},
                 {QStringLiteral("REMARKS"), txt_Remarks->text().trimmed()}};
    qint64 saved = 0;
    if (!guarded([&] { saved = TransactionRecords(db(), session().userFullName).save(d); }))
        return;
    number_ = saved;
    lbl_DocNo->setText(QString::number(saved));
    prompter().information(
        this, QStringLiteral(" BOOKING NO : %1\nUPDATION OF VEHICLE BOOKING SHEET SUCCESSFULLY DONE .... ").arg(saved));
    if (onSaved_)
        onSaved_(QString::number(saved));
}

}  // namespace tarvic
