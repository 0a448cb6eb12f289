#include "frm_BusinessLeads_Quotation.h"

#include "data/Mailer.h"
#include "data/Moments.h"
#include "engine/sales/Itineraries.h"
#include "engine/sales/QuotationLines.h"
#include "sales/LeadQuery.h"
#include "sales/QuotationPagePane.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/MailProgress.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTextBrowser>

#include <iterator>

namespace tarvic {

namespace {

const CodeSource kTaxSource{QStringLiteral("M_TBL_TAX"), QStringLiteral("TAX_CODE"), QStringLiteral("TAX_NAME")};
const QString kSaved = QStringLiteral("QUOTATION IS OPEN FOR ENTRY ... ");
const QString kNoTourist = QStringLiteral(
    "CANNOT PROCEED AS TOURIST NAME IS COMPULSORY .... \n KINDLY MENTION TOURIST NAME AND THEN PROCEED.....");
// The colour of a code that can no longer be changed (the lead of a saved quotation).
const QString kFixedStyle = QStringLiteral("QLineEdit { background: rgb(224, 255, 255); }");

// The lead panel: caption and the lead column it shows ("BY:ON" pairs show who and when).
struct LeadItem {
    const char* caption;
    const char* column;
    ListColumn::Kind kind = ListColumn::Kind::Text;
};
constexpr LeadItem kLeadPanel[] = {
    {"LEAD DATE", "DOC_DATE", ListColumn::Kind::Date},
    {"FILE NO", "FILENO"},
    {"PARTY CODE", "PARTY_CODE", ListColumn::Kind::Number},
    {"PARTY NAME", "PARTY_NAME"},
    {"PARTY TYPE", "PARTY_TYPE"},
    {"RELATION", "BUSINESS_RELTYPE"},
    {"E-MAIL", "EMAIL_ADD"},
    {"MOBILE", "MOBILE_NOS"},
    {"TOURIST NAME", "TOURIST_NAME"},
    {"TOURIST E-MAIL", "TOURIST_EMAIL"},
    {"TOURIST MOBILE", "TOURIST_MOBNO"},
    {"LEAD TYPE", "LEAD_TYPE"},
    {"REQUEST FOR", "LEADREQ_TYPE"},
    {"DESCRIPTION", "DOC_DESC"},
    {"PAX", "NOOF_PAX", ListColumn::Kind::Number},
    {"CHILD", "NOOF_CHILD", ListColumn::Kind::Number},
    {"AGES", "CHILD_AGES"},
    {"START DATE", "START_DT", ListColumn::Kind::Date},
    {"DAYS", "TOUR_DAYS", ListColumn::Kind::Number},
    {"END DATE", "END_DT", ListColumn::Kind::Date},
    {"ACTION TAKEN", "CONSUTLTANT_RESPONSETXT"},
    {"CONSULTANT", "CONSULTANT_NAME"},
    {"CONSULTANT CODE", "CONSULTANT_CODE", ListColumn::Kind::Number},
    {"LEAD STATUS", "LEAD_STATUS"},
    {"CREATED BY - ON", "CREATED_BY:CREATED_ON"},
    {"UPDATE BY - ON", "UPDATE_BY:UPDATE_ON"},
};

QString wholeNumber(const QVariant& v) {
    return v.isNull() ? QString() : QString::number(qRound64(v.toDouble()));
}

QLineEdit* countField(QWidget* parent, const QString& name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    // Counts are whole and never negative.
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,4}")), e));
    return e;
}

QDateEdit* dateField(QWidget* parent, const QString& name) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(name);
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    return d;
}

}  // namespace

frm_BusinessLeads_Quotation::frm_BusinessLeads_Quotation(Session& session, QWidget* parent, const WindowArgs& args)
    : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_BusinessLeads_Quotation"));
    setWindowTitle(QStringLiteral("GENERATE QUOTATION AGAINST BUSINESS LEADS ( QGBL01 )"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    setTool(4, kSearchTip, [this] {
        QPointer<frm_BusinessLeads_Quotation> self(this);
        openWindow(QStringLiteral("frm_SearchQuotation"), {{}, [self](const QString& code) {
                                                               if (self)
                                                                   self->Show_Record(code.toLongLong());
                                                           }});
    });
    setTool(5, QStringLiteral("Preview Itinerary/ Quotation { F5 }"), [this] { Preview_Pages(); });

    tabs = new QTabWidget(this);
    tabs->addTab(buildEntry(), QStringLiteral("QUOTATION"));
    tabs->addTab(buildLead(), QStringLiteral("LEAD DETAILS"));
    tabs->addTab(buildCosting(), QStringLiteral("COSTING"));
    tabs->addTab(buildItinerary(), QStringLiteral("ITINERARY"));
    buildPages();
    body()->addWidget(tabs, 1);
    body()->addWidget(buildTotals());

    role_ = Chk_TCRole(session);
    setUpSave();
    resize(1000, 600);
    Load_Init();
    if (const qint64 q = args.value(QStringLiteral("QUOT_NO")).toLongLong(); q > 0)
        Show_Record(q);
}

QWidget* frm_BusinessLeads_Quotation::buildEntry() {
    auto* page = new QWidget(this);
    auto* form = new QGridLayout(page);
    // Two captioned fields a row, in entry order.
    int r = 0;
    auto add = [&](const QString& caption, QWidget* field, QWidget* extra = nullptr) {
        auto* label = new QLabel(caption, page);
        label->setBuddy(field);
        const int row = r / 2, column = (r % 2) * 2;
        form->addWidget(label, row, column);
        if (extra) {
            auto* h = new QHBoxLayout;
            h->addWidget(field, 1);
            h->addWidget(extra);
            form->addLayout(h, row, column + 1);
        } else {
            form->addWidget(field, row, column + 1);
        }
        ++r;
    };
    auto named = [&](auto* w, const QString& name) {
        w->setObjectName(name);
        return w;
    };
    lbl_DocCode = named(new QLabel(kQuotationCode, page), QStringLiteral("lbl_DocCode"));
    lbl_DocNO = named(new QLabel(page), QStringLiteral("lbl_DocNO"));
    add(QStringLiteral("DOCUMENT CODE"), lbl_DocCode);
    add(QStringLiteral("DOCUMENT NO"), lbl_DocNO);
    txt_DocDate = dateField(page, QStringLiteral("txt_DocDate"));
    add(QStringLiteral("DOCUMENT &DATE"), txt_DocDate);

    txt_LeadCode = countField(page, QStringLiteral("txt_LeadCode"));
    txt_LeadCode->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,12}")), txt_LeadCode));
    bindColumn(txt_LeadCode, "M_TBL_QUOTATION", "LEAD_NO");
    Cmd_Src = named(new QPushButton(QStringLiteral("..."), page), QStringLiteral("Cmd_Src"));
    add(QStringLiteral("LEAD &NUMBER"), txt_LeadCode, Cmd_Src);
    onEnter(txt_LeadCode, [this] {
        Show_LeadDetails();
        focusNextChild();
    });
    connect(txt_LeadCode, &QLineEdit::textEdited, this, [this] { clearLead(); });
    connect(Cmd_Src, &QPushButton::clicked, this, [this] {
        QPointer<frm_BusinessLeads_Quotation> self(this);
        openWindow(QStringLiteral("frm_SearchLead"), {{}, [self](const QString& code) {
                                                          if (!self)
                                                              return;
                                                          self->txt_LeadCode->setText(code);
                                                          self->Show_LeadDetails();
                                                      }});
    });

    txt_ItineraryNO = countField(page, QStringLiteral("txt_ItineraryNO"));
    txt_ItineraryNO->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,12}")), txt_ItineraryNO));
    bindColumn(txt_ItineraryNO, "M_TBL_QUOTATION", "ITINERARY_NO");
    Cmd_SrcItinerary = named(new QPushButton(QStringLiteral("..."), page), QStringLiteral("Cmd_SrcItinerary"));
    add(QStringLiteral("ITINE&RARY NO"), txt_ItineraryNO, Cmd_SrcItinerary);
    lbl_ItineraryName = named(new QLabel(page), QStringLiteral("lbl_ItineraryName"));
    lbl_Duration = named(new QLabel(page), QStringLiteral("lbl_Duration"));
    add(QStringLiteral("DURATION"), lbl_Duration);
    add(QStringLiteral("ITINERARY NAME"), lbl_ItineraryName);
    lbl_PartyName = named(new QLabel(page), QStringLiteral("lbl_PartyName"));
    for (QLabel* l : {lbl_ItineraryName, lbl_PartyName})
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    add(QStringLiteral("PARTY NAME"), lbl_PartyName);
    onEnter(txt_ItineraryNO, [this] {
        Show_ItineraryName();
        focusNextChild();
    });
    connect(txt_ItineraryNO, &QLineEdit::textEdited, this, [this] {
        itineraryNo_ = 0;
        lbl_ItineraryName->clear();
        lbl_Duration->clear();
    });
    connect(Cmd_SrcItinerary, &QPushButton::clicked, this, [this] {
        QPointer<frm_BusinessLeads_Quotation> self(this);
        openWindow(QStringLiteral("frm_SearchItinerary"), {{}, [self](const QString& code) {
                                                               if (!self)
                                                                   return;
                                                               self->txt_ItineraryNO->setText(code);
                                                               self->Show_ItineraryName();
                                                           }});
    });

    txt_Adult = countField(page, QStringLiteral("txt_Adult"));
    bindColumn(txt_Adult, "M_TBL_QUOTATION", "NOOF_ADULT");
    add(QStringLiteral("NO. OF AD&ULT"), txt_Adult);
    txt_Children = countField(page, QStringLiteral("txt_Children"));
    bindColumn(txt_Children, "M_TBL_QUOTATION", "NOOF_CHILDREN");
    add(QStringLiteral("NO. OF C&HILDREN"), txt_Children);
    txt_Ages = named(new QLineEdit(page), QStringLiteral("txt_Ages"));
    bindColumn(txt_Ages, "M_TBL_QUOTATION", "CHILDREN_AGES");
    add(QStringLiteral("CHILDREN A&GES "), txt_Ages);
    txt_JStartDt = dateField(page, QStringLiteral("txt_JStartDt"));
    add(QStringLiteral("JOURNEY &START DT"), txt_JStartDt);
    txt_JEndDt = dateField(page, QStringLiteral("txt_JEndDt"));
    add(QStringLiteral("END D&T"), txt_JEndDt);
    // Entry order: the journey's dates, then who booked it and for whom.
    txt_BookBy = named(new QLineEdit(page), QStringLiteral("txt_BookBy"));
    bindColumn(txt_BookBy, "M_TBL_QUOTATION", "BOOKED_BY");
    add(QStringLiteral("BOOKED B&Y "), txt_BookBy);
    txt_TouristName = named(new QLineEdit(page), QStringLiteral("txt_TouristName"));
    bindColumn(txt_TouristName, "M_TBL_QUOTATION", "TOURIST_NAME");
    add(QStringLiteral("TOURIST NA&ME"), txt_TouristName);
    txt_TouristMobNO = named(new QLineEdit(page), QStringLiteral("txt_TouristMobNO"));
    bindColumn(txt_TouristMobNO, "M_TBL_QUOTATION", "TOURIST_MOBNO");
    add(QStringLiteral("TOURIST MO&BILE"), txt_TouristMobNO);
    txt_TouristEmail = named(new QLineEdit(page), QStringLiteral("txt_TouristEmail"));
    bindColumn(txt_TouristEmail, "M_TBL_QUOTATION", "TOURIST_EMAIL");
    add(QStringLiteral("&E-MAIL ADDRESS"), txt_TouristEmail);
    for (QLineEdit* e : {txt_BookBy, txt_TouristName})
        attachFilter(e, KeyFilter::Upper);
    form->setRowStretch((r + 1) / 2, 1);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);

    entry_ = {txt_DocDate, txt_LeadCode,    Cmd_Src,          txt_ItineraryNO, Cmd_SrcItinerary,
              txt_Adult,   txt_Children,    txt_Ages,         txt_JStartDt,    txt_JEndDt,
              txt_BookBy,  txt_TouristName, txt_TouristMobNO, txt_TouristEmail};

    return page;
}

QWidget* frm_BusinessLeads_Quotation::buildLead() {
    auto* lead = new QWidget(this);
    auto* panel = new QGridLayout(lead);
    int i = 0;
    const int perColumn = (int(std::size(kLeadPanel)) + 2) / 3;
    for (const LeadItem& item : kLeadPanel) {
        auto* value = new QLabel(lead);
        value->setObjectName(QStringLiteral("lead_") +
                             QString::fromLatin1(item.column).section(QLatin1Char(':'), 0, 0));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setStyleSheet(QStringLiteral("QLabel { color: rgb(0, 0, 128); }"));
        // Long text wraps inside the panel rather than widening the window.
        value->setWordWrap(true);
        value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        value->setMinimumWidth(120);
        const int c = (i / perColumn) * 2;
        panel->addWidget(new QLabel(QLatin1String(item.caption), lead), i % perColumn, c);
        panel->addWidget(value, i % perColumn, c + 1);
        panel->setColumnStretch(c + 1, 1);
        leadPanel_.insert(QLatin1String(item.column), value);
        ++i;
    }
    panel->setRowStretch(perColumn, 1);
    return lead;
}

ListGrid* frm_BusinessLeads_Quotation::grid(const QString& name, QueryModel** model, const QList<ListColumn>& columns) {
    *model = new QueryModel(db(), columns, this);
    connect(*model, &QueryModel::pageFailed, this, [this](const QString& m) { prompter().information(this, m); });
    auto* g = new ListGrid(name, this);
    g->setQueryModel(*model);
    return g;
}

QWidget* frm_BusinessLeads_Quotation::buildCosting() {
    using C = ListColumn;
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    auto button = [&](QPushButton** b, const QString& name, const QString& caption) {
        *b = new QPushButton(caption, page);
        (*b)->setObjectName(name);
        return *b;
    };
    auto sum = [&](QLabel** l, const QString& name) {
        *l = new QLabel(QStringLiteral("0.00"), page);
        (*l)->setObjectName(name);
        (*l)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        (*l)->setMinimumWidth(90);
        return *l;
    };
    auto header = [&](int row, QPushButton* add, const QString& sumCaption, QLabel* sumLabel) {
        auto* h = new QHBoxLayout;
        h->addWidget(add);
        h->addStretch(1);
        h->addWidget(new QLabel(sumCaption, page));
        h->addWidget(sumLabel);
        layout->addLayout(h, row, 0);
    };
    const QList<ListColumn> hotel{C::serial(QStringLiteral("SLNO"), 700),
                                  C::number(QStringLiteral("QOH CODE"), QStringLiteral("ACC_CODE"), 1300),
                                  C::date(QStringLiteral("CHK-IN DT"), QStringLiteral("TOUR_DATE"), 1400),
                                  C::date(QStringLiteral("CHK-OT DT"), QStringLiteral("CHKOT_DT"), 1400),
                                  C::text(QStringLiteral("HOTEL NAME"), QStringLiteral("HOTEL_NAME"), 2600),
                                  C::money(QStringLiteral("TOTAL AMOUNT"), QStringLiteral("TOTAL_AMOUNT"), 1800),
                                  C::text(QStringLiteral("PLACE"), QStringLiteral("HOTEL_PLACE"), 1800),
                                  C::text(QStringLiteral("ROOM TYPE"), QStringLiteral("ROOM_TYPE"), 1800),
                                  C::number(QStringLiteral("ROOMS"), QStringLiteral("NOOF_ROOM"), 1000),
                                  C::text(QStringLiteral("REMARKS"), QStringLiteral("REMARKS"), 3000)};
    const QList<ListColumn> vehicle{C::serial(QStringLiteral("SLNO"), 700),
                                    C::number(QStringLiteral("QOV CODE"), QStringLiteral("ACC_CODE"), 1300),
                                    C::date(QStringLiteral("FROM DT"), QStringLiteral("TOUR_DATE"), 1300),
                                    C::date(QStringLiteral("TO DT"), QStringLiteral("CHKOT_DT"), 1300),
                                    C::text(QStringLiteral("VEHICLE"), QStringLiteral("VEH_BRAND"), 2500),
                                    C::money(QStringLiteral("TOTAL AMOUNT"), QStringLiteral("TOTAL_AMOUNT"), 1800),
                                    C::number(QStringLiteral("NOS"), QStringLiteral("NOOF_VEH"), 800),
                                    C::money(QStringLiteral("RATE"), QStringLiteral("VEH_RATE"), 1300),
                                    C::text(QStringLiteral("REMARKS"), QStringLiteral("REMARKS"), 3000)};
    const QList<ListColumn> other{C::serial(QStringLiteral("SLNO"), 700),
                                  C::number(QStringLiteral("QOC CODE"), QStringLiteral("ACC_CODE"), 1300),
                                  C::date(QStringLiteral("DATE"), QStringLiteral("TOUR_DATE"), 1300),
                                  C::text(QStringLiteral("CHARGE"), QStringLiteral("OTHRCHRG_CODE"), 2500),
                                  C::money(QStringLiteral("TOTAL AMOUNT"), QStringLiteral("TOTAL_AMOUNT"), 1800),
                                  C::number(QStringLiteral("NOS"), QStringLiteral("NOOF_OTHRCHRG"), 800),
                                  C::money(QStringLiteral("RATE"), QStringLiteral("OTHRCHRG_RATE"), 1300),
                                  C::text(QStringLiteral("REMARKS"), QStringLiteral("REMARKS"), 3000)};
    header(0, button(&Cmd_AddHotel, QStringLiteral("Cmd_AddHotel"), QStringLiteral("ADD &HOTEL")),
           QStringLiteral("HOTEL SUMMARY :"), sum(&lbl_HotelSum, QStringLiteral("lbl_HotelSum")));
    layout->addWidget(GridHotel = grid(QStringLiteral("GridHotel"), &hotel_, hotel), 1, 0);
    // The hotel voucher prints beside the hotel lines it is made of.
    Cmd_PrintHotelVoucher = new QPushButton(QStringLiteral("PRINT HOTEL VOUCHER"), page);
    Cmd_PrintHotelVoucher->setObjectName(QStringLiteral("Cmd_PrintHotelVoucher"));
    Cmd_PrintHotelVoucher->setEnabled(false);
    if (auto* h = qobject_cast<QHBoxLayout*>(layout->itemAtPosition(0, 0)->layout()))
        h->insertWidget(1, Cmd_PrintHotelVoucher);
    connect(Cmd_PrintHotelVoucher, &QPushButton::clicked, this, [this] {
        if (number_ > 0)
            openWindow(QStringLiteral("rpt_HotelVoucher"), {{{QStringLiteral("QUOTATION_NO"), number_}}});
    });
    header(2, button(&Cmd_AddVehicle, QStringLiteral("Cmd_AddVehicle"), QStringLiteral("ADD &VEHICLE")),
           QStringLiteral("VEHICLE SUMMARY :"), sum(&lbl_VehSum, QStringLiteral("lbl_VehSum")));
    layout->addWidget(GridVeh = grid(QStringLiteral("GridVeh"), &vehicle_, vehicle), 3, 0);
    header(4, button(&Cmd_AddOthrCosting, QStringLiteral("Cmd_AddOthrCosting"), QStringLiteral("ADD &OTHER CHARGES")),
           QStringLiteral("OTHER CHARGE :"), sum(&lbl_OthrSum, QStringLiteral("lbl_OthrSum")));
    layout->addWidget(GridOthrChrg = grid(QStringLiteral("GridOthrChrg"), &other_, other), 5, 0);
    Grid1 = grid(QStringLiteral("Grid1"), &summary_,
                 {C::serial(QStringLiteral("SLNO"), 700),
                  C::computed(QStringLiteral("DESCRIPTION"), 1800,
                              [](const QSqlRecord& r) {
                                  return lineKindName(r.value(QStringLiteral("ACCOUNT_DESC")).toString().trimmed());
                              }),
                  C::money(QStringLiteral("TOTAL AMOUNT"), QStringLiteral("TOTAL_AMOUNT"), 1800),
                  C::text(QStringLiteral("KIND"), QStringLiteral("ACCOUNT_DESC"), 0).hiddenColumn()});
    Grid1->setMinimumWidth(300);
    layout->addWidget(Grid1, 1, 1, 5, 1);
    layout->setColumnStretch(0, 1);

    connect(Cmd_AddHotel, &QPushButton::clicked, this, [this] {
        if (txt_TouristName->text().trimmed().isEmpty()) {
            prompter().information(this, kNoTourist);
            txt_TouristName->setFocus();
            return;
        }
        openLines(QStringLiteral("frm_BQ_AddHotel"));
    });
    connect(Cmd_AddVehicle, &QPushButton::clicked, this, [this] { openLines(QStringLiteral("frm_BQ_AddVehicle")); });
    connect(Cmd_AddOthrCosting, &QPushButton::clicked, this,
            [this] { openLines(QStringLiteral("frm_BQ_AddOthrCharges")); });
    return page;
}

QWidget* frm_BusinessLeads_Quotation::buildItinerary() {
    using C = ListColumn;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* buttons = new QHBoxLayout;
    auto button = [&](QPushButton** b, const QString& name, const QString& caption) {
        *b = new QPushButton(caption, page);
        (*b)->setObjectName(name);
        buttons->addWidget(*b);
    };
    button(&Cmd_Mod_Itn, QStringLiteral("Cmd_Mod_Itn"), QStringLiteral("MODIFY &ITINERARY"));
    button(&Cmd_ModInclusion, QStringLiteral("Cmd_ModInclusion"), QStringLiteral("IN&CLUSIONS"));
    button(&Cmd_ModExclusion, QStringLiteral("Cmd_ModExclusion"), QStringLiteral("E&XCLUSIONS"));
    button(&Cmd_ModHotelUse, QStringLiteral("Cmd_ModHotelUse"), QStringLiteral("HOTELS TO BE &USED"));
    button(&Cmd_DelItn, QStringLiteral("Cmd_DelItn"), QStringLiteral("&DELETE ITINERARY"));
    buttons->addStretch(1);
    layout->addLayout(buttons);
    Grid_Itinerary = grid(QStringLiteral("Grid_Itinerary"), &itinerary_,
                          {C::number(QStringLiteral("SLNO"), QStringLiteral("ITN_SLNO"), 700),
                           C::number(QStringLiteral("DAY"), QStringLiteral("ITN_DAY"), 700),
                           C::text(QStringLiteral("PLACES TO VISIT"), QStringLiteral("ITN_PLACE"), 2600),
                           C::text(QStringLiteral("DESCRIPTION"), QStringLiteral("ITN_DESC"), 5000),
                           C::text(QStringLiteral("DISTANCE"), QStringLiteral("ITN_DIST"), 1400),
                           C::text(QStringLiteral("HOURS"), QStringLiteral("ITN_HOURS"), 1000),
                           ListColumn::byOn(QStringLiteral("CREATED BY-ON"), "CREATED_BY", "CREATED_ON", 3600),
                           ListColumn::byOn(QStringLiteral("UPDATE BY-ON"), "UPDATE_BY", "UPDATE_ON", 3600)});
    layout->addWidget(Grid_Itinerary, 2);
    layout->addWidget(new QLabel(QStringLiteral("OTHER QUOTATIONS OF THE LEAD"), page));
    Grid_OthrQuotation = grid(QStringLiteral("Grid_OthrQuotation"), &quotations_,
                              {C::serial(QStringLiteral("SLNO"), 700),
                               C::date(QStringLiteral("DOCUMNT DT"), QStringLiteral("DOC_DATE"), 1600),
                               C::number(QStringLiteral("DOCUMNT NO"), QStringLiteral("DOC_NO"), 1600),
                               C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 1200),
                               C::number(QStringLiteral("PARTY CODE"), QStringLiteral("PARTY_CODE"), 1600),
                               C::number(QStringLiteral("ITINERARY NO"), QStringLiteral("ITINERARY_NO"), 1800),
                               C::text(QStringLiteral("ITINERARY NAME"), QStringLiteral("ITN_NAME"), 3000),
                               C::money(QStringLiteral("TOTAL AMOUNT"), QStringLiteral("TOTAL_AMOUNT"), 1800),
                               C::money(QStringLiteral("TAX AMOUNT"), QStringLiteral("TAX_AMOUNT"), 1600),
                               C::money(QStringLiteral("GRAND TOTAL"), QStringLiteral("GRAND_TOTAL"), 1700)});
    layout->addWidget(Grid_OthrQuotation, 1);
    // Another quotation of the same lead is shown by choosing it.
    connect(Grid_OthrQuotation, &ListGrid::rowChosen, this, [this](int row) {
        if (const qint64 q = Grid_OthrQuotation->text(row, 2).toLongLong(); q > 0)
            Show_Record(q);
    });

    connect(Cmd_Mod_Itn, &QPushButton::clicked, this, [this] {
        QPointer<frm_BusinessLeads_Quotation> self(this);
        openWindow(QStringLiteral("frm_BusinessLead_ModItinerary"),
                   {{{QStringLiteral("QUOT_NO"), number_}, {QStringLiteral("ITN_DOCNO"), itineraryNo_}},
                    [self](const QString&) {
                        if (self)
                            self->Load_Itinerary();
                    }});
    });
    connect(Cmd_ModInclusion, &QPushButton::clicked, this, [this] { openNotes(QStringLiteral("ITN_INCL")); });
    connect(Cmd_ModExclusion, &QPushButton::clicked, this, [this] { openNotes(QStringLiteral("ITN_EXCL")); });
    connect(Cmd_ModHotelUse, &QPushButton::clicked, this, [this] { openNotes(QStringLiteral("ITN_HOTELTOUSE")); });
    connect(Cmd_DelItn, &QPushButton::clicked, this, [this] { Delete_ItnQuote(); });
    return page;
}

QWidget* frm_BusinessLeads_Quotation::buildTotals() {
    auto* box = new QGroupBox(this);
    auto* g = new QGridLayout(box);
    g->setVerticalSpacing(2);
    auto value = [&](QLabel** l, const QString& name) {
        *l = new QLabel(QStringLiteral("0.00"), box);
        (*l)->setObjectName(name);
        (*l)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        (*l)->setFrameShape(QFrame::Panel);
        (*l)->setFrameShadow(QFrame::Sunken);
        (*l)->setMinimumWidth(90);
        return *l;
    };
    auto amount = [&](QLineEdit** e, const QString& name) {
        *e = new QLineEdit(box);
        (*e)->setObjectName(name);
        (*e)->setAlignment(Qt::AlignRight);
        attachFilter(*e, KeyFilter::Amount);
        return *e;
    };
    auto percent = [&](QLineEdit** e, const QString& name) {
        amount(e, name);
        attachFilter(*e, KeyFilter::Amount, percentLimit());
        return *e;
    };
    auto put = [&](int row, int col, const QString& caption, QWidget* w) {
        auto* label = new QLabel(caption, box);
        label->setBuddy(w);
        g->addWidget(label, row, col * 2);
        g->addWidget(w, row, col * 2 + 1);
    };
    Cmb_MrkOn = new QComboBox(box);
    Cmb_MrkOn->setObjectName(QStringLiteral("Cmb_MrkOn"));
    Cmb_MrkOn->addItems({QStringLiteral("%"), QStringLiteral("A")});
    Cmb_TaxName = new CodeList(session(), kTaxSource, box);
    Cmb_TaxName->setObjectName(QStringLiteral("Cmb_TaxName"));
    put(0, 0, QStringLiteral("TOTAL AMOUNT /-"), value(&lbl_TotlAmount, QStringLiteral("lbl_TotlAmount")));
    put(1, 0, QStringLiteral("MAR&K UP ON"), Cmb_MrkOn);
    put(2, 0, QStringLiteral("COMMISSION (%)"), percent(&txt_CommPer, QStringLiteral("txt_CommPer")));
    put(0, 1, QStringLiteral("COMM. AMOUNT"), amount(&txt_CommAmt, QStringLiteral("txt_CommAmt")));
    put(1, 1, QStringLiteral("TOTAL AMOUNT -2 "), value(&lbl_TotlAmount2, QStringLiteral("lbl_TotlAmount2")));
    put(2, 1, QStringLiteral("TAXIBLE AMOUNT"), amount(&txt_TaxibleAmt, QStringLiteral("txt_TaxibleAmt")));
    put(0, 2, QStringLiteral("TAX N&AME"), Cmb_TaxName);
    put(1, 2, QStringLiteral("TAX PERCENT"), percent(&txt_TaxPercent, QStringLiteral("txt_TaxPercent")));
    put(2, 2, QStringLiteral("TAX AMOUNT"), value(&lbl_TaxAmount, QStringLiteral("lbl_TaxAmount")));
    bindColumn(txt_CommPer, "M_TBL_QUOTATION", "COMM_PER");
    bindColumn(txt_CommAmt, "M_TBL_QUOTATION", "COMM_AMOUNT");
    bindColumn(txt_TaxibleAmt, "M_TBL_QUOTATION", "TAXIBLE_AMT");
    bindColumn(txt_TaxPercent, "M_TBL_QUOTATION", "TAX_PER");
    put(0, 3, QStringLiteral("GRAND TOTAL  /-"), value(&lbl_GrandTotal, QStringLiteral("lbl_GrandTotal")));
    lbl_GrandTotal->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
    auto info = [&](QLabel** l, const QString& name) {
        *l = new QLabel(box);
        (*l)->setObjectName(name);
        return *l;
    };
    put(1, 3, QStringLiteral("DOCUMNT STATUS"), info(&lbl_Status, QStringLiteral("lbl_Status")));
    put(2, 3, QStringLiteral("QUOTATION LOCK"), info(&lbl_Lock, QStringLiteral("lbl_Lock")));
    // Who created, changed and locked it, in a row under the amounts.
    auto addWho = [&](int column, int span, const QString& caption, QLabel** l, const QString& name) {
        g->addWidget(new QLabel(caption, box), 3, column);
        g->addWidget(info(l, name), 3, column + 1, 1, span);
    };
    addWho(0, 2, QStringLiteral("CREATED BY - ON"), &lbl_CreatedBy, QStringLiteral("lbl_CreatedBy"));
    addWho(3, 2, QStringLiteral("UPDATE BY - ON"), &lbl_UpdateBy, QStringLiteral("lbl_UpdateBy"));
    addWho(6, 1, QStringLiteral("LCK UPDATE BY - ON"), &lbl_LockBy, QStringLiteral("lbl_LockBy"));
    // Who and when may be long: they are cut, never allowed to widen the window.
    for (QLabel* l : {lbl_LockBy, lbl_CreatedBy, lbl_UpdateBy}) {
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        l->setMinimumWidth(60);
    }
    for (int c : {1, 3, 5, 7})
        g->setColumnStretch(c, 1);
    Cmb_TaxName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Cmb_TaxName->setMinimumContentsLength(8);

    connect(Cmb_MrkOn, &QComboBox::currentIndexChanged, this, [this] {
        Chk_MrkUp();
        Calc_GrandTotal();
    });
    for (QLineEdit* e : {txt_CommPer, txt_CommAmt, txt_TaxPercent})
        connect(e, &QLineEdit::textEdited, this, [this] { Calc_GrandTotal(); });
    // The taxable amount is settled when the user leaves it, not under the cursor while typing.
    connect(txt_TaxibleAmt, &QLineEdit::editingFinished, this, [this] { Calc_GrandTotal(); });
    connect(Cmb_TaxName, &CodeList::codeChanged, this, [this] { Calc_GrandTotal(); });
    entry_ << Cmb_MrkOn << txt_CommPer << txt_CommAmt << txt_TaxibleAmt << Cmb_TaxName << txt_TaxPercent;
    return box;
}

QString frm_BusinessLeads_Quotation::leadValue(const QString& column) const {
    const QLabel* l = leadPanel_.value(column);
    return l ? l->text() : QString();
}

void frm_BusinessLeads_Quotation::setMoney(QLabel* label, Money m) {
    label->setText(shownAmount(m));
}

void frm_BusinessLeads_Quotation::Load_Init() {
    number_ = 0;
    status_.clear();
    locked_ = false;
    total_ = Money();
    total2_ = Money();
    editor_->startNew();
    const QDate today = QDate::currentDate();
    for (QDateEdit* d : {txt_DocDate, txt_JStartDt, txt_JEndDt})
        d->setDate(today);
    for (QLineEdit* e : {txt_LeadCode, txt_ItineraryNO, txt_Adult, txt_Children, txt_Ages, txt_BookBy, txt_TouristName,
                         txt_TouristMobNO, txt_TouristEmail, txt_TaxPercent})
        e->clear();
    itineraryNo_ = 0;
    lbl_ItineraryName->clear();
    lbl_Duration->clear();
    clearLead();
    for (QLabel* l :
         {lbl_TotlAmount, lbl_TotlAmount2, lbl_TaxAmount, lbl_GrandTotal, lbl_HotelSum, lbl_VehSum, lbl_OthrSum})
        setMoney(l, Money());
    for (QLineEdit* e : {txt_CommPer, txt_CommAmt, txt_TaxibleAmt})
        e->setText(Money().toString());
    lbl_Status->clear();
    lbl_Lock->setText(QStringLiteral("N"));
    for (QLabel* l : {lbl_LockBy, lbl_CreatedBy, lbl_UpdateBy})
        l->clear();
    for (QueryModel* m : {hotel_, vehicle_, other_, summary_, itinerary_, quotations_})
        m->clear();
    // The pages of the quotation shown before are gone with it.
    for (QuotationPagePane* p : pages_) {
        p->clear();
        if (p->email) {
            p->email->clear();
            p->subject->clear();
        }
    }
    calculating_ = true;
    Cmb_MrkOn->setCurrentIndex(0);
    Cmb_TaxName->load();
    Cmb_TaxName->clearChoice();
    calculating_ = false;
    Chk_MrkUp();
    applyState();
    tabs->setCurrentIndex(0);
}

void frm_BusinessLeads_Quotation::applyState() {
    const bool isNew = number_ == 0;
    const bool open = !isNew && !locked_;
    for (QWidget* w : entry_)
        w->setEnabled(!locked_);
    // A saved quotation stays with its lead.
    txt_LeadCode->setReadOnly(!isNew);
    txt_LeadCode->setStyleSheet(isNew ? QString() : kFixedStyle);
    Cmd_Src->setEnabled(isNew && !locked_);
    for (QPushButton* b : {Cmd_AddHotel, Cmd_AddVehicle, Cmd_AddOthrCosting, Cmd_Mod_Itn, Cmd_ModInclusion,
                           Cmd_ModExclusion, Cmd_ModHotelUse, Cmd_DelItn})
        b->setEnabled(open);
    // A locked quotation still has its pages (a confirmation goes out after booking): they are
    // made from the stored quotation, which is what its read-only window shows.
    Cmd_GenCostSht->setEnabled(!isNew);
    for (QuotationPagePane* p : pages_)
        for (QPushButton* b : {p->send, p->saveDoc, p->savePdf})
            if (b)
                b->setEnabled(!isNew);
    tool(3)->setEnabled(!locked_);
    tool(5)->setEnabled(!isNew);
    Cmd_PrintHotelVoucher->setEnabled(!isNew && hotel_->rowCount() > 0 && canOpen(QStringLiteral("rpt_HotelVoucher")));
    if (!locked_)
        Chk_MrkUp();
}

void frm_BusinessLeads_Quotation::Chk_MrkUp() {
    const bool byAmount = markUpFromText(Cmb_MrkOn->currentText()) == MarkUp::Amount;
    txt_CommPer->setReadOnly(byAmount);
    txt_CommAmt->setReadOnly(!byAmount);
}

void frm_BusinessLeads_Quotation::Calc_GrandTotal() {
    if (calculating_)
        return;
    calculating_ = true;
    TotalsInput in;
    in.total = total_;
    in.markUp = markUpFromText(Cmb_MrkOn->currentText());
    in.commPer = Money::fromInput(txt_CommPer->text());
    in.commAmount = Money::fromInput(txt_CommAmt->text());
    if (!txt_TaxibleAmt->text().trimmed().isEmpty())
        in.taxable = Money::fromInput(txt_TaxibleAmt->text());
    in.previousTotal2 = total2_;
    in.taxPer = Money::fromInput(txt_TaxPercent->text());
    const Totals t = computeTotals(in);
    exceeded_ = t.exceeded;
    setMoney(lbl_TotlAmount, total_);
    if (!t.exceeded.isEmpty()) {
        // Never a wrong figure: what was typed stays, what is computed says it is too large;
        // the save names the figure.
        for (QLabel* l : {lbl_TotlAmount2, lbl_TaxAmount, lbl_GrandTotal})
            l->setText(exceedsText());
        calculating_ = false;
        return;
    }
    // Only the computed one of the two commission fields is written: the other is being typed.
    if (in.markUp == MarkUp::Percent)
        txt_CommAmt->setText(t.commAmount.toString());
    else
        txt_CommPer->setText(t.commPer.toString());
    setMoney(lbl_TotlAmount2, t.total2);
    if (t.taxable != Money::fromInput(txt_TaxibleAmt->text()) || txt_TaxibleAmt->text().trimmed().isEmpty())
        txt_TaxibleAmt->setText(t.taxable.toString());
    setMoney(lbl_TaxAmount, t.tax);
    setMoney(lbl_GrandTotal, t.grandTotal);
    total2_ = t.total2;
    calculating_ = false;
}

QuotationHeader frm_BusinessLeads_Quotation::header() const {
    QuotationHeader h;
    h.number = number_;
    h.docDate = txt_DocDate->date();
    h.leadNo = leadNo_;
    h.itineraryNo = itineraryNo_;
    h.bookedBy = txt_BookBy->text().trimmed();
    h.touristName = txt_TouristName->text().trimmed();
    h.touristMobile = txt_TouristMobNO->text().trimmed();
    h.touristEmail = txt_TouristEmail->text().trimmed();
    h.adults = txt_Adult->text().toInt();
    h.children = txt_Children->text().toInt();
    h.ages = txt_Ages->text().trimmed();
    h.start = txt_JStartDt->date();
    h.end = txt_JEndDt->date();
    h.total = total_;
    h.markUp = markUpFromText(Cmb_MrkOn->currentText());
    h.totals.commPer = Money::fromInput(txt_CommPer->text());
    h.totals.commAmount = Money::fromInput(txt_CommAmt->text());
    h.totals.total2 = Money::fromInput(lbl_TotlAmount2->text());
    h.totals.taxable = Money::fromInput(txt_TaxibleAmt->text());
    h.totals.tax = Money::fromInput(lbl_TaxAmount->text());
    h.totals.grandTotal = Money::fromInput(lbl_GrandTotal->text());
    h.totals.exceeded = exceeded_;
    h.taxCode = Cmb_TaxName->code();
    h.taxPer = Money::fromInput(txt_TaxPercent->text());
    return h;
}

void frm_BusinessLeads_Quotation::clearLead() {
    leadNo_ = 0;
    leadParty_.clear();
    for (QLabel* l : std::as_const(leadPanel_))
        l->clear();
    lbl_PartyName->clear();
    quotations_->clear();
}

void frm_BusinessLeads_Quotation::showLead(const QSqlRecord& lead) {
    leadNo_ = lead.value(QStringLiteral("DOC_NO")).toLongLong();
    leadParty_ = wholeNumber(lead.value(QStringLiteral("PARTY_CODE")));
    for (const LeadItem& item : kLeadPanel) {
        const QString column = QString::fromLatin1(item.column);
        QString text;
        if (column.contains(QLatin1Char(':')))
            text = byOnText(lead.value(column.section(QLatin1Char(':'), 0, 0)),
                            lead.value(column.section(QLatin1Char(':'), 1, 1)));
        else if (item.kind == ListColumn::Kind::Date)
            text = dateText(lead.value(column));
        else if (item.kind == ListColumn::Kind::Number)
            text = wholeNumber(lead.value(column));
        else
            text = lead.value(column).toString().trimmed();
        leadPanel_.value(column)->setText(text);
    }
    lbl_PartyName->setText(leadValue(QStringLiteral("PARTY_NAME")));
    // The quotation and the confirmation go to the party's address unless another is typed.
    for (QuotationPage p : {QuotationPage::Quotation, QuotationPage::Confirmation})
        pagePane(p)->email->setText(leadValue(QStringLiteral("EMAIL_ADD")));
}

void frm_BusinessLeads_Quotation::Show_LeadDetails() {
    BusyCursor busy;
    bool ok = false;
    const qint64 lead = txt_LeadCode->text().trimmed().toLongLong(&ok);
    clearLead();
    if (!ok)
        return;
    guarded([&] {
        // The register's reading of the lead: an operator quotes only his own leads.
        const auto row = lead::readLead(db(), lead, role_);
        if (!row)
            return;
        showLead(*row);
        if (number_ == 0) {
            // Only a new quotation starts from the lead's travellers; a stored one keeps its own.
            const QSqlRecord& r = *row;
            txt_Adult->setText(wholeNumber(r.value(QStringLiteral("NOOF_PAX"))));
            txt_Children->setText(wholeNumber(r.value(QStringLiteral("NOOF_CHILD"))));
            txt_Ages->setText(r.value(QStringLiteral("CHILD_AGES")).toString().trimmed());
            txt_BookBy->setText(r.value(QStringLiteral("BOOKED_BY")).toString().trimmed());
            txt_TouristName->setText(r.value(QStringLiteral("TOURIST_NAME")).toString().trimmed());
            txt_TouristMobNO->setText(r.value(QStringLiteral("TOURIST_MOBNO")).toString().trimmed());
            txt_TouristEmail->setText(r.value(QStringLiteral("TOURIST_EMAIL")).toString().trimmed());
            if (const QDate d = dateFromDb(r.value(QStringLiteral("START_DT"))); d.isValid())
                txt_JStartDt->setDate(d);
            if (const QDate d = dateFromDb(r.value(QStringLiteral("END_DT"))); d.isValid())
                txt_JEndDt->setDate(d);
        }
        loadOtherQuotations(leadNo_);
    });
}

// The lead's quotations but the one shown (none shown: all of them).
void frm_BusinessLeads_Quotation::loadOtherQuotations(qint64 leadNo) {
    quotations_->setSelect(QStringLiteral(
        "a.DOC_DATE, a.DOC_NO, a.LEAD_NO, c.PARTY_CODE, a.ITINERARY_NO, b.ITN_NAME, a.TOTAL_AMOUNT, a.TAX_AMOUNT, "
        "a.GRAND_TOTAL"));
    quotations_->setOrder(QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC"));
    quotations_->load({QStringLiteral("SELECT {columns} FROM M_TBL_QUOTATION a "
                                      "LEFT JOIN M_TBL_ITINERARY_HEADER b ON a.ITINERARY_NO=b.ITN_DOCNO "
                                      "JOIN M_TBL_TRANSACTION c ON c.DOC_CODE='BLFC01' AND a.LEAD_NO=c.DOC_NO "
                                      "WHERE a.DOC_CODE='QGBL01' AND a.LEAD_NO=? AND a.DOC_NO<>?"),
                       {leadNo, number_}});
}

void frm_BusinessLeads_Quotation::Show_ItineraryName() {
    bool ok = false;
    const qint64 itn = txt_ItineraryNO->text().trimmed().toLongLong(&ok);
    itineraryNo_ = 0;
    lbl_ItineraryName->clear();
    lbl_Duration->clear();
    if (!ok)
        return;
    guarded([&] {
        const auto row = db().firstRow(
            QStringLiteral("SELECT ITN_NAME, ITN_DURATION FROM M_TBL_ITINERARY_HEADER WHERE ITN_DOCNO=?"), {itn});
        if (!row || row->value(0).toString().trimmed().isEmpty())
            return;
        itineraryNo_ = itn;
        lbl_ItineraryName->setText(row->value(0).toString().trimmed());
        lbl_Duration->setText(row->value(1).toString().trimmed());
    });
}

bool frm_BusinessLeads_Quotation::Show_Record(qint64 number) {
    BusyCursor busy;
    std::optional<QSqlRecord> found;
    std::optional<QSqlRecord> lead;
    if (!guarded([&] {
            found = readQuotation(db(), number);
            if (found)
                // A stored quotation shows its lead whoever owns it.
                lead = lead::readLead(db(), found->value(QStringLiteral("LEAD_NO")).toLongLong(),
                                      TCRoleCheck{TCRole::Admin});
        }))
        return false;
    if (!found) {
        prompter().information(this, QStringLiteral("QUOTATION NO : %1 NOT FOUND ....").arg(number));
        return false;
    }
    Load_Init();
    const QSqlRecord& r = *found;
    auto text = [&](const char* c) { return r.value(QLatin1String(c)).toString().trimmed(); };
    auto money = [&](const char* c) { return Money::fromVariant(r.value(QLatin1String(c))); };
    number_ = number;
    txt_DocDate->setDate(dateFromDb(r.value(QStringLiteral("DOC_DATE"))));
    txt_LeadCode->setText(wholeNumber(r.value(QStringLiteral("LEAD_NO"))));
    txt_ItineraryNO->setText(wholeNumber(r.value(QStringLiteral("ITINERARY_NO"))));
    if (!text("ITN_NAME").isEmpty())
        itineraryNo_ = r.value(QStringLiteral("ITINERARY_NO")).toLongLong();
    lbl_ItineraryName->setText(text("ITN_NAME"));
    lbl_Duration->setText(text("ITN_DURATION"));
    // The quotation's own travellers, never the lead's (which are those of its last saved quotation).
    txt_Adult->setText(wholeNumber(r.value(QStringLiteral("NOOF_ADULT"))));
    txt_Children->setText(wholeNumber(r.value(QStringLiteral("NOOF_CHILDREN"))));
    txt_Ages->setText(text("CHILDREN_AGES"));
    txt_BookBy->setText(text("BOOKED_BY"));
    txt_TouristName->setText(text("TOURIST_NAME"));
    txt_TouristMobNO->setText(text("TOURIST_MOBNO"));
    txt_TouristEmail->setText(text("TOURIST_EMAIL"));
    txt_JStartDt->setDate(dateFromDb(r.value(QStringLiteral("JOURNEY_STRTDT"))));
    txt_JEndDt->setDate(dateFromDb(r.value(QStringLiteral("JOURNEY_ENDDT"))));
    calculating_ = true;
    Cmb_MrkOn->setCurrentIndex(markUpFromText(text("MARKUP_ON")) == MarkUp::Amount ? 1 : 0);
    Cmb_TaxName->setCode(wholeNumber(r.value(QStringLiteral("TAX_CODE"))), text("TAX_NAME"));
    txt_CommPer->setText(money("COMM_PER").toString());
    txt_CommAmt->setText(money("COMM_AMOUNT").toString());
    txt_TaxibleAmt->setText(money("TAXIBLE_AMT").toString());
    txt_TaxPercent->setText(money("TAX_PER").toString());
    calculating_ = false;
    total_ = money("TOTAL_AMOUNT");
    total2_ = money("TOTAL_AMOUNT2");
    status_ = text("DOC_STATUS");
    locked_ = text("LCK_QUOT") == QLatin1String("Y");
    lbl_Status->setText(status_);
    editor_->shown(number, locked_ ? DocState::Locked : DocState::Live, true);
    lbl_Lock->setText(locked_ ? QStringLiteral("Y") : QStringLiteral("N"));
    lbl_LockBy->setText(byOnText(r.value(QStringLiteral("LCK_UPDATEBY")), r.value(QStringLiteral("LCK_UPDATEON"))));
    lbl_CreatedBy->setText(byOnText(r.value(QStringLiteral("CREATED_BY")), r.value(QStringLiteral("CREATED_ON"))));
    lbl_UpdateBy->setText(byOnText(r.value(QStringLiteral("UPDATE_BY")), r.value(QStringLiteral("UPDATE_ON"))));
    if (lead)
        showLead(*lead);
    applyState();
    guarded([&] {
        if (leadNo_)
            loadOtherQuotations(leadNo_);
    });
    Load_GridSummary();
    Load_Itinerary();
    // Its pages as stored, so that their tabs never stand empty until F5 or the cost sheet's button.
    for (QuotationPage p :
         {QuotationPage::Quotation, QuotationPage::Confirmation, QuotationPage::Vehicle, QuotationPage::CostSheet})
        if (!refreshPage(p, nullptr, false))
            break;
    return true;
}

void frm_BusinessLeads_Quotation::Load_GridSummary() {
    if (number_ == 0)
        return;
    BusyCursor busy;
    guarded([&] {
        const QString lines = QStringLiteral(
            "SELECT {columns} FROM M_TBL_QUOTATION a %1 WHERE a.DOC_CODE='QGBL02' AND a.DOC_NO=? AND a.ACCOUNT_DESC=?");
        hotel_->setSelect(QStringLiteral("a.*"));
        hotel_->setOrder(QStringLiteral("a.TOUR_DATE DESC, a.ACC_CODE DESC"));
        hotel_->load({lines.arg(QString()), {number_, QStringLiteral("HOTEL")}});
        vehicle_->setSelect(QStringLiteral("a.*, v.VEH_BRAND"));
        vehicle_->setOrder(QStringLiteral("a.TOUR_DATE DESC, a.ACC_CODE DESC"));
        vehicle_->load({lines.arg(QStringLiteral("LEFT JOIN MST_VEHICLEBRANDTYPE v ON a.VEH_BRANDID=v.VEH_BRANDID")),
                        {number_, QStringLiteral("VEHICLE")}});
        other_->setSelect(QStringLiteral("a.*"));
        other_->setOrder(QStringLiteral("a.ACC_CODE"));
        other_->load({lines.arg(QString()), {number_, QStringLiteral("OTHRCHRG")}});
        summary_->setSelect(QStringLiteral("a.ACCOUNT_DESC, COALESCE(SUM(a.TOTAL_AMOUNT),0) AS TOTAL_AMOUNT"),
                            QStringLiteral("a.ACCOUNT_DESC"));
        summary_->setOrder(QStringLiteral("a.ACCOUNT_DESC"));
        summary_->load(
            {QStringLiteral("SELECT {columns} FROM M_TBL_QUOTATION a WHERE a.DOC_CODE='QGBL02' AND a.DOC_NO=?"),
             {number_}});
    });
    // The sums of each kind and the total are the summary's rows: one reading for all of them.
    // A sum beyond the largest amount (never stored by a line window) stays beyond it, so that
    // the totals say so rather than show a wrong figure.
    QHash<QString, Money> byKind;
    for (int row = 0; row < summary_->rowCount(); ++row) {
        const Money::Reading r = Money::read(summary_->text(row, 2));  // malformed: shown as beyond
        byKind[summary_->text(row, 3)] = r.kind == Money::Reading::Kind::Malformed ? Money::beyondLargest() : r.value;
    }
    total_ = Money::sum(byKind).value_or(Money::beyondLargest());
    setMoney(lbl_HotelSum, byKind.value(QStringLiteral("HOTEL")));
    setMoney(lbl_VehSum, byKind.value(QStringLiteral("VEHICLE")));
    setMoney(lbl_OthrSum, byKind.value(QStringLiteral("OTHRCHRG")));
    Cmd_PrintHotelVoucher->setEnabled(hotel_->rowCount() > 0 && canOpen(QStringLiteral("rpt_HotelVoucher")));
    Calc_GrandTotal();
}

void frm_BusinessLeads_Quotation::Load_Itinerary() {
    itinerary_->clear();
    if (number_ == 0 || itineraryNo_ == 0)
        return;
    guarded([&] {
        itinerary_->setSelect(QStringLiteral("a.*"));
        itinerary_->setOrder(QStringLiteral("a.ITN_SLNO"));
        itinerary_->load({QStringLiteral("SELECT {columns} FROM M_TBL_ITINERARY_DETAILS_QUOTE a "
                                         "WHERE a.ITN_DOCNO=? AND a.QUOT_NO=?"),
                          {itineraryNo_, number_}});
    });
}

void frm_BusinessLeads_Quotation::openLines(const QString& window) {
    QPointer<frm_BusinessLeads_Quotation> self(this);
    openWindow(window, {{{QStringLiteral("QUOT_NO"), number_}}, [self](const QString&) {
                            if (self)
                                self->Load_GridSummary();
                        }});
}

void frm_BusinessLeads_Quotation::openNotes(const QString& code) {
    openWindow(QStringLiteral("frm_BusinessLeads_ModNotes"), {{{QStringLiteral("QUOT_NO"), number_},
                                                               {QStringLiteral("ITN_DOCNO"), itineraryNo_},
                                                               {QStringLiteral("NOTE_CODE"), code}}});
}

// The save sequence: the checks, the question, the engine's save, the message, shown again.
void frm_BusinessLeads_Quotation::setUpSave() {
    editor_ = new DocumentEditor(
        this, {.checks = [this] { return saveChecks(); },
               .question =
                   [this] {
                       return Confirmation{QStringLiteral(" YOU ARE ABOUT TO GENERATE QUOTATION NO ...."),
                                           {{QStringLiteral(" LEAD NO : "), QString::number(leadNo_)},
                                            {QStringLiteral(" ITINERARY NO : "), QString::number(itineraryNo_)}}};
                   },
               .save =
                   [this] {
                       Calc_GrandTotal();
                       return storeQuotation(db(), session().userFullName, header(), SaveKind::Full);
                   },
               .saved = [](qint64 n) { return kSaved + QStringLiteral("\n QUOTATION NO : ") + QString::number(n); },
               .show = [this](qint64 n) { return Show_Record(n); }});
    editor_->setNumberLabel(lbl_DocNO);
}

QList<Check> frm_BusinessLeads_Quotation::saveChecks() {
    return {{[this] { return leadParty_.isEmpty(); }, txt_LeadCode,
             QStringLiteral("CANNOT PROCEED, PLEASE ENTER CORRECT LEAD NO ...")},
            {[this] { return lbl_ItineraryName->text().trimmed().isEmpty(); }, txt_ItineraryNO,
             QStringLiteral("CANNOT PROCEED, PLEASE ENTER CORRECT ITINERARY NO ...")},
            {[this] { return txt_BookBy->text().trimmed().isEmpty(); }, txt_BookBy,
             QStringLiteral("PLEASE MENTION BOOKED BY, ITS COMPULSORY ......")},
            {[this] { return txt_TouristName->text().trimmed().isEmpty(); }, txt_TouristName,
             QStringLiteral("PLEASE MENTION TOURIST NAME, ITS COMPULSORY ......")},
            {[this] { return txt_TouristMobNO->text().trimmed().isEmpty(); }, txt_TouristMobNO,
             QStringLiteral("PLEASE MENTION TOURIST MOBILE NO, ITS COMPULSORY ......")},
            {[this] { return txt_TouristEmail->text().trimmed().isEmpty(); }, txt_TouristEmail,
             QStringLiteral("PLEASE MENTION TOURIST E-MAIL ADDRESS, ITS COMPULSORY ......")}};
}

void frm_BusinessLeads_Quotation::Save_Record() {
    if (locked_) {
        prompter().information(this, kQuotationLocked);
        return;
    }
    // A failed save keeps nothing: a new quotation is still number 0.
    editor_->save();
}

bool frm_BusinessLeads_Quotation::Save_Transaction() {
    if (number_ == 0 || locked_)
        return false;
    Calc_GrandTotal();
    return guarded([&] {
        storeQuotation(db(), session().userFullName, header(), SaveKind::Silent);
        // The store stamped who and when: the label says so at once.
        if (const auto r = readQuotation(db(), number_))
            lbl_UpdateBy->setText(
                byOnText(r->value(QStringLiteral("UPDATE_BY")), r->value(QStringLiteral("UPDATE_ON"))));
    });
}

void frm_BusinessLeads_Quotation::Delete_ItnQuote() {
    if (number_ == 0 || itineraryNo_ == 0 || locked_)
        return;
    const Confirmation question{
        {},
        {{QStringLiteral(" YOU ARE ABOUT TO DELETE ITINERARY NO : "), QString::number(itineraryNo_)},
         {QStringLiteral(" FOR QUOTATION NO : "), QString::number(number_)}}};
    if (!question.ask(prompter(), this))
        return;
    if (!guarded([&] { deleteQuotationItinerary(db(), itineraryNo_, number_); }))
        return;
    prompter().information(this, QStringLiteral("DELETION SUCCESSFULLY DONE ...."));
    Load_Itinerary();
}

namespace {

// What a page is called in the messages about it.
struct PageTexts {
    const char* savedDoc;
    const char* savedPdf;
    const char* mailed;
};
constexpr PageTexts kPageTexts[] = {
    {"QUOTATION SUCCESSFULLY SAVE TO DOCUMENT...", "QUOTATION SUCCESSFULLY SAVED AS PDF...",
     "Quotation Email Successfully Sent ...."},
    {"CONFIRMATION SUCCESSFULLY SAVE TO DOCUMENT...", "CONFIRMATION SUCCESSFULLY SAVED AS PDF...",
     "Confirmation Email Successfully Sent ...."},
    {"VEHICLE QUOTATION SUCCESSFULLY SAVE TO DOCUMENT...", "VEHICLE QUOTATION SUCCESSFULLY SAVED AS PDF...",
     "Vehicle Quotation Email Successfully Sent ...."},
    {"COST SHEET SUCCESSFULLY SAVE TO DOCUMENT...", "COST SHEET SUCCESSFULLY SAVED AS PDF...", ""},
};
const PageTexts& textsOf(QuotationPage page) {
    return kPageTexts[size_t(page)];
}

}  // namespace

void frm_BusinessLeads_Quotation::buildPages() {
    const std::pair<QuotationPage, PagePaneNames> panes[] = {
        {QuotationPage::Quotation,
         {"WebBrowser1", "txt_Email", "txt_Subject", "Check1", "CmdSendEmail", "Cmd_SavetoDoc", "Save to Doc",
          "Cmd_SavePdf"}},
        {QuotationPage::Confirmation,
         {"WebBrowser2", "txt_Email2", "txt_Subject2", "Check4", "Cmd_EmailConfirm", "Cmd_SaveConfirm", "Save to Doc",
          "Cmd_SavePdf2"}},
        {QuotationPage::Vehicle,
         {"WebBrowser3", "txt_Email3", "txt_Subject3", "Check6", "Cmd_EmailVehicle", "Cmd_SaveVehicle", "Save to Doc",
          "Cmd_SavePdf3"}},
        {QuotationPage::CostSheet,
         {"WebBrowser4", nullptr, nullptr, nullptr, nullptr, "Cmd_SavetoDoc2", "&Save To Doc", "Cmd_SavePdf4"}},
    };
    const QString captions[] = {QStringLiteral("QUOTATION PAGE"), QStringLiteral("CONFIRMATION PAGE"),
                                QStringLiteral("VEHICLE QUOTATION PAGE"), QStringLiteral("COST SHEET")};
    for (const auto& [page, names] : panes) {
        auto* pane = new QuotationPagePane(page, names, tabs);
        pages_[size_t(page)] = pane;
        if (pane->email) {
            bindColumn(pane->email, "M_TBL_PARTY", "EMAIL_ADD");
            bindLength(pane->subject, kSubjectLength);
        }
        tabs->addTab(pane, captions[size_t(page)]);
        const QuotationPage p = page;
        if (pane->send)
            connect(pane->send, &QPushButton::clicked, this, [this, p] { Send_Email(p); });
        connect(pane->saveDoc, &QPushButton::clicked, this, [this, p] { Exp_Doc(p); });
        connect(pane->savePdf, &QPushButton::clicked, this, [this, p] { Exp_Pdf(p); });
    }
    Check2 = new QCheckBox(QStringLiteral("&GENERATE DATE WISE ITINERARY"), this);
    Check2->setObjectName(QStringLiteral("Check2"));
    pagePane(QuotationPage::Quotation)->tools->insertWidget(3, Check2);
    Cmd_GenCostSht = new QPushButton(QStringLiteral("&Generate Cost Sheet"), this);
    Cmd_GenCostSht->setObjectName(QStringLiteral("Cmd_GenCostSht"));
    pagePane(QuotationPage::CostSheet)->tools->insertWidget(0, Cmd_GenCostSht);
    connect(Cmd_GenCostSht, &QPushButton::clicked, this, [this] { Generate_CostSheet(); });
}

bool frm_BusinessLeads_Quotation::refreshPage(QuotationPage page, MailMessage* mail, bool store) {
    if (number_ == 0 || (store && !locked_ && !Save_Transaction()))
        return false;
    BusyCursor busy;
    QString path;
    const bool dated = Check2->isChecked();
    try {
        if (!guarded([&] { path = makePageFile(db(), number_, page, dated, mail); }))
            return false;
    } catch (const PageError& e) {
        // The pane shows what exists.
        prompter().information(this, e.message());
        pagePane(page)->showFile(pageFilePath(page));
        return false;
    }
    pagePane(page)->showFile(path);
    return true;
}

void frm_BusinessLeads_Quotation::Preview_Pages() {
    if (number_ == 0 || (!locked_ && !Save_Transaction()))
        return;
    for (QuotationPage p : {QuotationPage::Quotation, QuotationPage::Confirmation, QuotationPage::Vehicle})
        if (!refreshPage(p, nullptr, false))
            return;
    tabs->setCurrentWidget(pagePane(QuotationPage::Quotation));
}

void frm_BusinessLeads_Quotation::Generate_CostSheet() {
    refreshPage(QuotationPage::CostSheet);
}

void frm_BusinessLeads_Quotation::Exp_Doc(QuotationPage page) {
    const QString path = prompter().askSavePath(this, QStringLiteral("SELECT PATH TO SAVE MS WORD"),
                                                QStringLiteral("WORD DOCUMENT (*.doc)"));
    if (path.isEmpty() || !refreshPage(page))
        return;
    // The document is the page itself under the chosen name, byte for byte.
    QFile source(pageFilePath(page));
    try {
        if (!source.open(QIODevice::ReadOnly))
            throw PageError(source.errorString());
        writePageFile(path, source.readAll());
    } catch (const PageError& e) {
        prompter().information(this, e.message());
        return;
    }
    prompter().information(this, QLatin1String(textsOf(page).savedDoc));
}

void frm_BusinessLeads_Quotation::Exp_Pdf(QuotationPage page) {
    const QString path =
        prompter().askSavePath(this, QStringLiteral("SELECT PATH TO SAVE PDF"), QStringLiteral("PDF DOCUMENT (*.pdf)"));
    if (path.isEmpty() || !refreshPage(page))
        return;
    QFile source(pageFilePath(page));
    try {
        if (!source.open(QIODevice::ReadOnly))
            throw PageError(source.errorString());
        writePagePdf(QString::fromUtf8(source.readAll()), path);
    } catch (const PageError& e) {
        prompter().information(this, e.message());
        return;
    }
    prompter().information(this, QLatin1String(textsOf(page).savedPdf));
}

void frm_BusinessLeads_Quotation::Send_Email(QuotationPage page) {
    QuotationPagePane* pane = pagePane(page);
    if (!pane->email)
        return;
    const std::optional<MailSettings> settings = readMailSettings(*this);
    if (!settings)
        return;
    MailMessage message;
    message.to = splitAddresses(pane->email->text());
    if (message.to.isEmpty()) {
        prompter().information(this, kNoRecipient);
        pane->email->setFocus();
        return;
    }
    const QString subject = pane->subject->text().trimmed();
    message.subject = pane->reply->isChecked() ? QStringLiteral("RE:") + subject : subject;
    if (!refreshPage(page, &message))
        return;
    try {
        BusyCursor busy;
        Mailer(*settings).send(message);
    } catch (const MailError& e) {
        prompter().information(this, e.message());
        return;
    }
    prompter().information(this, QLatin1String(textsOf(page).mailed));
}

}  // namespace tarvic
