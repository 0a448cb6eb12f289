#include "frm_CBPT01.h"

#include "bookings/windows/ScheduleTab.h"
#include "bookings/windows/TravellersTab.h"

#include "data/Moments.h"
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"
#include "shell/kit/Checks.h"
#include "shell/kit/DocumentEditor.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/KeyNavigation.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"

#include <QActionGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace tarvic {

namespace {

using C = ListColumn;

// The booking's pages are many and their captions long: a caption of several words is laid on
// two lines (every word kept), so that the whole strip fits a wide screen; on a narrower one
// the strip scrolls, and the list at its right end names every page and opens it.
class PageTabs : public QTabWidget {
public:
    explicit PageTabs(QWidget* parent) : QTabWidget(parent) {
        tabBar()->setElideMode(Qt::ElideNone);
        tabBar()->setUsesScrollButtons(true);
        auto* list = new QToolButton(this);
        list->setObjectName(QStringLiteral("Cmd_TabList"));
        list->setText(QStringLiteral("PAGES"));
        list->setToolTip(QStringLiteral("Every page of the booking"));
        list->setPopupMode(QToolButton::InstantPopup);
        list->setFocusPolicy(Qt::NoFocus);
        auto* menu = new QMenu(list);
        list->setMenu(menu);
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            menu->clear();
            qDeleteAll(menu->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly));
            auto* one = new QActionGroup(menu);  // the page shown is marked as one of many
            for (int i = 0; i < count(); ++i) {
                QAction* a = menu->addAction(caption(i), this, [this, i] { setCurrentIndex(i); });
                a->setCheckable(true);
                a->setActionGroup(one);
                a->setChecked(i == currentIndex());
                a->setEnabled(isTabEnabled(i));
            }
        });
        setCornerWidget(list, Qt::TopRightCorner);
    }
    // The caption of a page on one line.
    QString caption(int index) const { return tabText(index).replace(QLatin1Char('\n'), QLatin1Char(' ')); }

protected:
    void tabInserted(int index) override {
        QTabWidget::tabInserted(index);
        const QString text = tabText(index);
        // Broken at the space nearest the middle, so that the longer line is as short as can be.
        int best = -1;
        for (int at = text.indexOf(QLatin1Char(' ')); at >= 0; at = text.indexOf(QLatin1Char(' '), at + 1))
            if (best < 0 || qAbs(2 * at - int(text.size())) < qAbs(2 * best - int(text.size())))
                best = at;
        if (best > 0)
            setTabText(index, text.left(best) + QLatin1Char('\n') + text.mid(best + 1));
    }
};

// A grid's columns widened to what they hold (never narrowed below their set width), so a
// bank's name or an instrument number is read whole.
void widenToContents(ListGrid* grid) {
    const QueryModel* model = grid->queryModel();
    for (int c = 0; c < model->columns().size(); ++c) {
        const ListColumn& column = model->columns().at(c);
        if (column.hidden)
            continue;
        grid->resizeColumnToContents(c);
        grid->setColumnWidth(c, qMax(twipsToPixels(column.widthTwips), grid->columnWidth(c)));
    }
}

// Each party's debits, credits and balance within the booking, exact.
const QString kOutstandingSums = QStringLiteral("p.PARTY_NAME, a.PARTY_CODE, %1 AS DB, %2 AS CR, %3 AS BAL")
                                     .arg(exactSum(QStringLiteral("a.DB_AMT")), exactSum(QStringLiteral("a.CR_AMT")),
                                          exactSum(QStringLiteral("a.DB_AMT"), QStringLiteral("a.CR_AMT")));

// Each posting button: its caption, the lock flag that shuts it, the window it opens, and
// whether the sales window offers it.
struct PostingDef {
    const char* objectName;
    const char* caption;
    const char* lock;
    const char* window;
    bool inSales;
};
constexpr PostingDef kPostings[frm_CBPT01::PostCount] = {
    {"Cmd_MoneyReceipt", "Money Receipt", "LCK_MONEYRCPT", "frm_CBPT01_FRDB", true},
    {"Cmd_Hotel", "Hotel", "LCK_ANCP01", "frm_CBPT01_ANCP01", false},
    {"Cmd_Vehicle", "&Vehicle", "LCK_ANCP02", "frm_CBPT01_ANCP02", false},
    {"Cmd_Other", "&Other Cost", "LCK_ANCP03", "frm_CBPT01_ANCP03", false},
    {"Cmd_Payment", "Payments to Party", "LCK_PAYMENT", "frm_CBPT01_FTCR", false},
    {"Cmd_Refund", "Refund from Party", "LCK_PAYMENT", "frm_CBPT01_FTRF", false},
};
// Every lock flag shown, in the order of their labels.
const QStringList kLocks{QStringLiteral("LCK_CBPT"),   QStringLiteral("LCK_MONEYRCPT"), QStringLiteral("LCK_ANCP01"),
                         QStringLiteral("LCK_ANCP02"), QStringLiteral("LCK_ANCP03"),    QStringLiteral("LCK_PAYMENT")};

const QString kHotelVoucher = QStringLiteral("rpt_HotelVoucher");
const QString kSupplierRequests = QStringLiteral("frm_SupplierRequests");

QString text(const QSqlRecord& r, const char* field) {
    return r.value(QLatin1String(field)).toString().trimmed();
}
QString money(const QSqlRecord& r, const char* field) {
    return Money::fromVariant(r.value(QLatin1String(field))).toString();
}
QString whole(const QSqlRecord& r, const char* field) {
    const QVariant v = r.value(QLatin1String(field));
    return v.isNull() ? QString() : QString::number(v.toLongLong());
}
C byOn(const QString& heading, const char* by, const char* on) {
    return C::computed(heading, 3400, [by, on](const QSqlRecord& r) {
        return byOnText(r.value(QLatin1String(by)), r.value(QLatin1String(on)));
    });
}

// The live rows of one code posted against the booking.
QString postedRows(const QString& joins) {
    return QStringLiteral(
               "SELECT {columns} FROM M_TBL_TRANSACTION a LEFT JOIN M_TBL_PARTY p ON "
               "p.PARTY_CODE=a.PARTY_CODE ") +
           joins + QStringLiteral(" WHERE a.DOC_CODE=? AND ") + sql::livePostedAgainstBooking(QStringLiteral("a"));
}
const QString kNewestFirst = QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC");

// A key field with its picker button and, when given, the name it looked up, on one line.
QWidget* codeRow(QWidget* parent, QLineEdit* edit, QPushButton* pick, QLabel* name) {
    auto* box = new QWidget(parent);
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(edit);
    pick->setMaximumWidth(36);
    h->addWidget(pick);
    if (name)
        h->addWidget(name, 1);
    else
        h->addStretch(1);
    return box;
}

}  // namespace

struct frm_CBPT01::GridDef {
    ListGrid* grid = nullptr;
    QueryModel* model = nullptr;
    QString statement;
    std::function<QVariantList()> values;
    bool byQuotation = false;
    QLabel* total = nullptr;  // "TOTAL AMOUNT : " of the grid's amount column
    QString totalSql;
};

frm_CBPT01::frm_CBPT01(Session& session, QWidget* parent, Mode mode) : TaskWindow(session, parent), mode_(mode) {
    const bool sales = mode == Mode::Sales;
    setObjectName(sales ? QStringLiteral("frm_CBPT_SALES") : QStringLiteral("frm_CBPT01"));
    setWindowTitle(sales ? QStringLiteral("CUSTOMER BOOKED FOR PACKAGED TOUR ( CBPT01 ) - SALES")
                         : QStringLiteral("CUSTOMER BOOKED FOR PACKAGE TOUR ( CBPT01 )"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    setTool(4, kSearchTip, [this] {
        QPointer<frm_CBPT01> self(this);
        openWindow(QStringLiteral("frm_SearchCBPT01"), {{}, [self](const QString& code) {
                                                            if (self)
                                                                self->Show_Record(code.toLongLong());
                                                        }});
    });
    setTool(5, QStringLiteral("Refresh { F5 }"), [this] { Refresh_Record(); });
    editor_ = new DocumentEditor(
        this, {.checks = [this] { return checks(); },
               .question = [this] { return question(); },
               .save = [this] { return Bookings(db(), this->session().userFullName).save(entry()); },
               .saved = [](qint64) { return QStringLiteral("UPDATION OF CUSTOMER BOOKING SUCCESSFULLY DONE ..."); },
               .show = [this](qint64 n) { return Show_Record(n); }});
    editor_->setEditableHook([this](bool) { applyLocks(); });

    buildHead();
    tabs = new PageTabs(this);
    tabs->setObjectName(QStringLiteral("SSTab1"));
    body()->addWidget(tabs, 1);
    buildBookingTab();
    buildQuotationTabs();
    buildReceiptAndNoteTabs();
    if (!sales)
        buildPaymentTabs();
    buildOutstandingTab();
    if (!sales)
        buildScheduleTab();
    buildTravellersTab();
    buildSupplierButtons(sales);
    connectKeyFields();
    resize(1000, 640);
    Load_Init();
}

// The document line: code, number, status, date, balance; then the lock flags.
void frm_CBPT01::buildHead() {
    auto* head = new QHBoxLayout;
    auto* code = new QLabel(QStringLiteral("CBPT01"), this);
    code->setObjectName(QStringLiteral("lbl_DocCode"));
    head->addWidget(code);
    head->addWidget(new QLabel(QStringLiteral("DOC NO"), this));
    lbl_DocNo = addLabel(QStringLiteral("lbl_DocNo"));
    lbl_DocNo->setMinimumWidth(90);
    head->addWidget(lbl_DocNo);
    editor_->setNumberLabel(lbl_DocNo);
    head->addWidget(new QLabel(QStringLiteral("STATUS"), this));
    lbl_Status = addLabel(QStringLiteral("lbl_Status"));
    lbl_Status->setMinimumWidth(70);
    head->addWidget(lbl_Status);
    txt_DocDate = new QDateEdit(this);
    auto* dateCaption = new QLabel(QStringLiteral("DOC &DATE"), this);
    dateCaption->setBuddy(txt_DocDate);
    head->addWidget(dateCaption);
    txt_DocDate->setObjectName(QStringLiteral("txt_DocDate"));
    txt_DocDate->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    txt_DocDate->setCalendarPopup(true);
    head->addWidget(txt_DocDate);
    head->addStretch(1);
    lbl_Balance = addLabel(QStringLiteral("lbl_Balance"));
    lbl_Balance->setMinimumWidth(260);
    head->addWidget(lbl_Balance);
    body()->addLayout(head);
    auto* lockRow = new QHBoxLayout;
    const QStringList lockCaptions{QStringLiteral("CBPT"),    QStringLiteral("MONEY RCPT"), QStringLiteral("HOTEL"),
                                   QStringLiteral("VEHICLE"), QStringLiteral("OTHER"),      QStringLiteral("PAYMENT")};
    for (int i = 0; i < kLocks.size(); ++i) {
        lockRow->addWidget(new QLabel(QStringLiteral("LOCK ") + lockCaptions[i], this));
        QLabel* l = addLabel(QStringLiteral("lbl_") + QString(kLocks[i]).remove(QStringLiteral("_")));
        l->setMinimumWidth(24);
        lockRow->addWidget(l);
    }
    lockRow->addWidget(new QLabel(QStringLiteral("LOCK UPDATE BY ON"), this));
    // Who set the locks and when may be longer than the room left: it never widens the window.
    QLabel* lockedBy = addLabel(QStringLiteral("lbl_LckUpdate"));
    lockedBy->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lockedBy->setMinimumWidth(100);
    lockRow->addWidget(lockedBy, 1);
    body()->addLayout(lockRow);
}

// The booking tab: party, lead, quotation with what each shows, and the traveller.
void frm_CBPT01::buildBookingTab() {
    bookingTab = new QWidget(tabs);
    auto* g = new QGridLayout(bookingTab);
    int row = 0;
    const auto caption = [&](const QString& c, int r, int col) {
        auto* l = new QLabel(c, bookingTab);
        g->addWidget(l, r, col);
        return l;
    };
    const auto shown = [&](const QString& c, const QString& name, int r, int col, int span = 1) {
        caption(c, r, col);
        g->addWidget(addLabel(name), r, col + 1, 1, span);
    };
    const auto numberEdit = [&](const QString& name, const char* column) {
        auto* e = new QLineEdit(bookingTab);
        e->setObjectName(name);
        e->setMaximumWidth(110);
        attachFilter(e, KeyFilter::Number);
        bindColumn(e, "M_TBL_TRANSACTION", column);
        return e;
    };

    party = new CodeField(session(), kPartySource, bookingTab, QStringLiteral("txt_PartyCode"),
                          QStringLiteral("lbl_PartyName"));
    party->edit()->setMaximumWidth(110);
    attachFilter(party->edit(), KeyFilter::Number);
    party->addPicker(QStringLiteral("Cmd_SrcParty"), [this](PickCallback pick) {
        openWindow(QStringLiteral("frm_Search_Party"), {{}, std::move(pick)});
    });
    labels_.insert(QStringLiteral("lbl_PartyName"), party->nameLabel());
    party->nameLabel()->setFrameShape(QFrame::StyledPanel);
    caption(QStringLiteral("BILL TO &PARTY"), row, 0)->setBuddy(party->edit());
    g->addWidget(codeRow(bookingTab, party->edit(), party->pickButton(), party->nameLabel()), row, 1, 1, 5);
    ++row;
    shown(QStringLiteral("ADDRESS"), QStringLiteral("lbl_PartyAddress"), row, 0, 5);
    ++row;
    shown(QStringLiteral("E-MAIL"), QStringLiteral("lbl_PartyEmail"), row, 0);
    shown(QStringLiteral("MOBILE"), QStringLiteral("lbl_PartyMobile"), row, 2);
    shown(QStringLiteral("GSTIN"), QStringLiteral("lbl_PartyGSTIN"), row, 4);
    ++row;
    shown(QStringLiteral("STATE"), QStringLiteral("lbl_PartyState"), row, 0);
    shown(QStringLiteral("STATE CODE"), QStringLiteral("lbl_PartyStateCode"), row, 2);
    ++row;

    txt_LeadNo = numberEdit(QStringLiteral("txt_LeadNo"), "LEAD_NO");
    Cmd_SrcLead = new QPushButton(QStringLiteral("..."), bookingTab);
    Cmd_SrcLead->setObjectName(QStringLiteral("Cmd_SrcLead"));
    caption(QStringLiteral("&LEAD NO"), row, 0)->setBuddy(txt_LeadNo);
    g->addWidget(codeRow(bookingTab, txt_LeadNo, Cmd_SrcLead, nullptr), row, 1);
    shown(QStringLiteral("LEAD DATE"), QStringLiteral("lbl_LeadDate"), row, 2);
    shown(QStringLiteral("CONSULTANT"), QStringLiteral("lbl_Consultant"), row, 4);
    ++row;
    shown(QStringLiteral("LEAD PARTY"), QStringLiteral("lbl_LeadParty"), row, 0);
    shown(QStringLiteral("RELATION"), QStringLiteral("lbl_RelType"), row, 2);
    txt_FileNo = new QLineEdit(bookingTab);
    caption(QStringLiteral("&FILE NO"), row, 4)->setBuddy(txt_FileNo);
    txt_FileNo->setObjectName(QStringLiteral("txt_FileNo"));
    bindColumn(txt_FileNo, "M_TBL_TRANSACTION", "FILENO");
    g->addWidget(txt_FileNo, row, 5);
    ++row;

    txt_QuotNo = numberEdit(QStringLiteral("txt_QuotNo"), "QUOTATION_NO");
    Cmd_SrcQuot = new QPushButton(QStringLiteral("..."), bookingTab);
    Cmd_SrcQuot->setObjectName(QStringLiteral("Cmd_SrcQuot"));
    caption(QStringLiteral("&QUOTATION NO"), row, 0)->setBuddy(txt_QuotNo);
    g->addWidget(codeRow(bookingTab, txt_QuotNo, Cmd_SrcQuot, nullptr), row, 1);
    shown(QStringLiteral("QUOT DATE"), QStringLiteral("lbl_QuotDate"), row, 2);
    shown(QStringLiteral("ITINERARY"), QStringLiteral("lbl_Itinerary"), row, 4);
    ++row;
    shown(QStringLiteral("START"), QStringLiteral("lbl_Start"), row, 0);
    shown(QStringLiteral("END"), QStringLiteral("lbl_End"), row, 2);
    shown(QStringLiteral("DURATION"), QStringLiteral("lbl_Duration"), row, 4);
    ++row;
    shown(QStringLiteral("ADULTS"), QStringLiteral("lbl_Adults"), row, 0);
    shown(QStringLiteral("CHILDREN"), QStringLiteral("lbl_Children"), row, 2);
    shown(QStringLiteral("AMOUNT"), QStringLiteral("lbl_Amount"), row, 4);
    ++row;
    shown(QStringLiteral("MARK UP ON"), QStringLiteral("lbl_Markup"), row, 0);
    shown(QStringLiteral("COMM %"), QStringLiteral("lbl_CommPer"), row, 2);
    shown(QStringLiteral("COMM AMOUNT"), QStringLiteral("lbl_CommAmt"), row, 4);
    ++row;
    shown(QStringLiteral("TAX %"), QStringLiteral("lbl_TaxPer"), row, 0);
    shown(QStringLiteral("TAX AMOUNT"), QStringLiteral("lbl_TaxAmt"), row, 2);
    shown(QStringLiteral("GRAND TOTAL"), QStringLiteral("lbl_GrandTotal"), row, 4);
    ++row;

    const auto textEdit = [&](const QString& c, const QString& name, int r, int col, const char* column) {
        auto* e = new QLineEdit(bookingTab);
        caption(c, r, col)->setBuddy(e);
        e->setObjectName(name);
        bindColumn(e, "M_TBL_TRANSACTION", column);
        g->addWidget(e, r, col + 1);
        return e;
    };
    txt_TouristName =
        textEdit(QStringLiteral("TOURIST &NAME"), QStringLiteral("txt_TouristName"), row, 0, "TOURIST_NAME");
    txt_Mobile = textEdit(QStringLiteral("&MOBILE NO"), QStringLiteral("txt_Mobile"), row, 2, "TOURIST_MOBNO");
    txt_Email = textEdit(QStringLiteral("&E-MAIL"), QStringLiteral("txt_Email"), row, 4, "TOURIST_EMAIL");
    ++row;
    txt_PAN = textEdit(QStringLiteral("PAN"), QStringLiteral("txt_PAN"), row, 0, "TOURIST_PAN");
    txt_Aadhar = textEdit(QStringLiteral("AADHAR"), QStringLiteral("txt_Aadhar"), row, 2, "TOURIST_AADHAR");
    txt_Passport = textEdit(QStringLiteral("PASSPORT"), QStringLiteral("txt_Passport"), row, 4, "TOURIST_PASSPORT");
    ++row;
    txt_DrvLicense =
        textEdit(QStringLiteral("DRIVING LICENSE"), QStringLiteral("txt_DrvLicense"), row, 0, "TOURIST_DRVLICENSE");
    txt_BookedBy = textEdit(QStringLiteral("&BOOKED BY"), QStringLiteral("txt_BookedBy"), row, 2, "BOOKED_BY");
    ++row;
    g->setRowStretch(row, 1);
    for (int c : {1, 3, 5})
        g->setColumnStretch(c, 1);
    tabs->addTab(bookingTab, QStringLiteral("BOOKING"));
}

QWidget* frm_CBPT01::addPage(const QString& title) {
    auto* w = new QWidget(tabs);
    new QVBoxLayout(w);
    tabs->addTab(w, title);
    return w;
}

// A page of documents posted against the booking, under the button that posts one more.
QWidget* frm_CBPT01::addPostingPage(const QString& title, Posting p) {
    QWidget* w = addPage(title);
    auto* b = new QPushButton(QString::fromLatin1(kPostings[p].caption), w);
    b->setObjectName(QString::fromLatin1(kPostings[p].objectName));
    connect(b, &QPushButton::clicked, this, [this, p] { openPosting(p); });
    posting_[p] = b;
    auto* h = new QHBoxLayout;
    h->addWidget(b);
    h->addStretch(1);
    static_cast<QVBoxLayout*>(w->layout())->addLayout(h);
    return w;
}

// The last grid added lists this booking's live documents of the code.
void frm_CBPT01::bookedRows(const char* code) {
    grids_.back()->values = [this, code] { return QVariantList{QString::fromLatin1(code), number_}; };
}

// A double click on a receipt or payment prints its voucher: this booking's row only, as a
// bulk posting holds one row per booking under its number.
void frm_CBPT01::printsVoucher(const char* code) {
    ListGrid* grid = grids_.back()->grid;
    connect(grid, &ListGrid::rowChosen, this, [this, grid, code](int row) {
        if (const qint64 no = grid->text(row, 1).toLongLong(); no > 0 && number_ > 0)
            openWindow(QStringLiteral("rpt_Voucher"), {{{QStringLiteral("DOC_CODE"), QString::fromLatin1(code)},
                                                        {QStringLiteral("DOC_NO"), no},
                                                        {QStringLiteral("CBPT_NO"), number_}}});
    });
}

// What the quotation holds: its lines by kind, then its summary.
void frm_CBPT01::buildQuotationTabs() {
    const QString quotLines = QStringLiteral("SELECT {columns} FROM M_TBL_QUOTATION a ");
    const QString ofQuot = QStringLiteral(" WHERE a.DOC_CODE='QGBL02' AND a.DOC_NO=? AND a.ACCOUNT_DESC=");
    const QString lineOrder = QStringLiteral("a.TOUR_DATE DESC, a.ACC_CODE DESC");

    addGrid(addPage(QStringLiteral("HOTEL DETAILS")), QStringLiteral("Grid_Hotel"),
            {C::date(QStringLiteral("TOUR DATE"), QStringLiteral("TOUR_DATE"), 1300),
             C::text(QStringLiteral("HOTEL"), QStringLiteral("HOTEL_NAME"), 3000),
             C::text(QStringLiteral("PLACE"), QStringLiteral("HOTEL_PLACE"), 2000),
             C::text(QStringLiteral("ROOM TYPE"), QStringLiteral("ROOMTYPE_NAME"), 1600),
             C::text(QStringLiteral("ROOM TYPE 2"), QStringLiteral("ROOM_TYPE"), 1600),
             C::text(QStringLiteral("MEAL PLAN"), QStringLiteral("MEAL_PLAN"), 1300),
             C::money(QStringLiteral("ROOM RATE"), QStringLiteral("ROOM_RATE"), 1300),
             C::number(QStringLiteral("ROOMS"), QStringLiteral("NOOF_ROOM"), 800),
             C::money(QStringLiteral("ROOM COST"), QStringLiteral("TOTL_ROOMCOST"), 1300),
             C::money(QStringLiteral("EXTRA BED RATE"), QStringLiteral("EXTRBED_RATE"), 1950),
             C::number(QStringLiteral("EXTRA BEDS"), QStringLiteral("NOOF_EXTBED"), 1450),
             C::money(QStringLiteral("EXTRA BED COST"), QStringLiteral("TOTL_EXTRABEDCOST"), 1950),
             C::money(QStringLiteral("CWB RATE"), QStringLiteral("CWB_RATE"), 1200),
             C::number(QStringLiteral("CWB"), QStringLiteral("NOOF_CWB"), 700),
             C::money(QStringLiteral("CWB COST"), QStringLiteral("TOTL_CWBCOST"), 1200),
             C::money(QStringLiteral("CNB RATE"), QStringLiteral("CNB_RATE"), 1200),
             C::number(QStringLiteral("CNB"), QStringLiteral("NOOF_CNB"), 700),
             C::money(QStringLiteral("CNB COST"), QStringLiteral("TOTL_CNBCOST"), 1200),
             C::money(QStringLiteral("TOTAL"), QStringLiteral("TOTAL_AMOUNT"), 1400)},
            QStringLiteral("a.*, r.ROOM_TYPE AS ROOMTYPE_NAME, m.MEAL_PLAN"),
            quotLines +
                QStringLiteral("LEFT JOIN M_TBL_HOTELROOMTYPE r ON r.ROOMTYPE_CODE=a.ROOMTYPE_CODE "
                               "LEFT JOIN M_TBL_MEALPLAN m ON m.MEALPLAN_CODE=a.MEALPLAN_CODE") +
                ofQuot + QStringLiteral("'HOTEL'"),
            lineOrder, true);
    addGrid(addPage(QStringLiteral("VEHICLE DETAILS")), QStringLiteral("Grid_Vehicle"),
            {C::number(QStringLiteral("LINE"), QStringLiteral("ACC_CODE"), 700),
             C::date(QStringLiteral("TOUR DATE"), QStringLiteral("TOUR_DATE"), 1300),
             C::text(QStringLiteral("VEHICLE"), QStringLiteral("VEH_BRAND"), 2600),
             C::money(QStringLiteral("RATE"), QStringLiteral("VEH_RATE"), 1300),
             C::number(QStringLiteral("NOS"), QStringLiteral("NOOF_VEH"), 800),
             C::money(QStringLiteral("COST"), QStringLiteral("TOTL_VEHCOST"), 1400)},
            QStringLiteral("a.ACC_CODE, a.TOUR_DATE, v.VEH_BRAND, a.VEH_RATE, a.NOOF_VEH, a.TOTL_VEHCOST"),
            quotLines + QStringLiteral("LEFT JOIN MST_VEHICLEBRANDTYPE v ON v.VEH_BRANDID=a.VEH_BRANDID") + ofQuot +
                QStringLiteral("'VEHICLE'"),
            lineOrder, true);
    addGrid(addPage(QStringLiteral("OTHER DETAILS")), QStringLiteral("Grid_Other"),
            {C::number(QStringLiteral("LINE"), QStringLiteral("ACC_CODE"), 700),
             C::date(QStringLiteral("TOUR DATE"), QStringLiteral("TOUR_DATE"), 1300),
             C::text(QStringLiteral("CHARGE"), QStringLiteral("CHARGE_NAME"), 2600),
             C::money(QStringLiteral("RATE"), QStringLiteral("OTHRCHRG_RATE"), 1300),
             C::number(QStringLiteral("NOS"), QStringLiteral("NOOF_OTHRCHRG"), 800),
             C::money(QStringLiteral("TOTAL"), QStringLiteral("TOTAL_AMOUNT"), 1400)},
            QStringLiteral("a.ACC_CODE, a.TOUR_DATE, oc.ACCOUNT_DESC AS CHARGE_NAME, a.OTHRCHRG_RATE, a.NOOF_OTHRCHRG, "
                           "a.TOTAL_AMOUNT"),
            quotLines +
                QStringLiteral("LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB oc ON oc.DOC_CODE='QFOC01' AND "
                               "oc.ACC_CODE=a.OTHRCHRG_CODE") +
                ofQuot + QStringLiteral("'OTHRCHRG'"),
            lineOrder, true);
    // The quoted cost by kind, then what the quotation adds to it.
    addGrid(addPage(QStringLiteral("SUMMARY")), QStringLiteral("Grid_Summary"),
            {C::text(QStringLiteral("PARTICULARS"), QStringLiteral("HEAD"), 3000),
             C::money(QStringLiteral("AMOUNT"), QStringLiteral("AMT"), 1600)},
            QStringLiteral("s.SORTNO, s.HEAD, s.AMT"),
            QStringLiteral("SELECT {columns} FROM (SELECT 1 AS SORTNO, ACCOUNT_DESC AS HEAD, %1 "
                           "AS AMT FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02' AND DOC_NO=? GROUP BY ACCOUNT_DESC "
                           "UNION ALL SELECT 2, 'MARK UP / COMMISSION', COMM_AMOUNT FROM M_TBL_QUOTATION WHERE "
                           "DOC_CODE='QGBL01' AND DOC_NO=? UNION ALL SELECT 3, 'TAX', TAX_AMOUNT FROM M_TBL_QUOTATION "
                           "WHERE DOC_CODE='QGBL01' AND DOC_NO=? UNION ALL SELECT 4, 'GRAND TOTAL', GRAND_TOTAL FROM "
                           "M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=?) s")
                .arg(exactSum(QStringLiteral("TOTAL_AMOUNT"))),
            QStringLiteral("s.SORTNO, s.HEAD"), true);
    grids_.back()->values = [this] { return QVariantList{quotation_, quotation_, quotation_, quotation_}; };
}

// What was received and what suppliers billed against the booking.
void frm_CBPT01::buildReceiptAndNoteTabs() {
    addGrid(addPostingPage(QStringLiteral("MONEY RECEIPTS"), PostReceipt), QStringLiteral("Grid_Receipts"),
            {C::date(QStringLiteral("DATE"), QStringLiteral("DOC_DATE"), 1200),
             C::number(QStringLiteral("NUMBER"), QStringLiteral("DOC_NO"), 1000),
             C::money(QStringLiteral("AMOUNT"), QStringLiteral("DB_AMT"), 1400),
             C::text(QStringLiteral("BANK"), QStringLiteral("TO_BANK"), 2200),
             C::text(QStringLiteral("PAY MODE"), QStringLiteral("PAY_MODE"), 1300),
             C::text(QStringLiteral("INSTR NO"), QStringLiteral("INSTR_NO"), 1300),
             C::date(QStringLiteral("INSTR DATE"), QStringLiteral("INSTR_DATE"), 1450),
             C::text(QStringLiteral("INSTR BANK"), QStringLiteral("INSTR_BANK"), 2200),
             C::text(QStringLiteral("REMARKS"), QStringLiteral("REMARKS"), 3000),
             byOn(QStringLiteral("CREATED BY - ON"), "CREATED_BY", "CREATED_ON")},
            QStringLiteral("a.DOC_DATE, a.DOC_NO, a.DB_AMT, tb.BANK_NAME AS TO_BANK, pm.PAY_MODE, a.INSTR_NO, "
                           "a.INSTR_DATE, ib.BANK_NAME AS INSTR_BANK, a.REMARKS, a.CREATED_BY, a.CREATED_ON"),
            postedRows(QStringLiteral("LEFT JOIN MST_BANK tb ON tb.BANK_ID=a.TO_BANKID LEFT JOIN MST_BANK ib ON "
                                      "ib.BANK_ID=a.BANK_ID LEFT JOIN MST_PAYMODE pm ON pm.MODE_ID=a.PAY_MODEID")),
            kNewestFirst, false);
    bookedRows("FRDB01");
    printsVoucher("FRDB01");

    const auto noteColumns = [](QList<C> own) {
        QList<C> c{C::date(QStringLiteral("DATE"), QStringLiteral("DOC_DATE"), 1200),
                   C::number(QStringLiteral("NUMBER"), QStringLiteral("DOC_NO"), 1000),
                   C::text(QStringLiteral("PARTY"), QStringLiteral("PARTY_NAME"), 2800),
                   C::text(QStringLiteral("BILL NO"), QStringLiteral("BILL_NO"), 1300),
                   C::date(QStringLiteral("FROM"), QStringLiteral("START_DT"), 1200),
                   C::date(QStringLiteral("TO"), QStringLiteral("END_DT"), 1200)};
        c += own;
        c << C::money(QStringLiteral("AMOUNT"), QStringLiteral("CR_AMT"), 1400)
          << C::text(QStringLiteral("REMARKS"), QStringLiteral("REMARKS"), 3000);
        return c;
    };
    const QString noteSelect =
        QStringLiteral("a.DOC_DATE, a.DOC_NO, p.PARTY_NAME, a.BILL_NO, a.START_DT, a.END_DT, a.CR_AMT, a.REMARKS");
    addGrid(addPostingPage(QStringLiteral("HOTEL ADVICE NOTES"), PostHotel), QStringLiteral("Grid_ANCP01"),
            noteColumns({C::text(QStringLiteral("HOTEL"), QStringLiteral("HOTEL_NAME"), 2600),
                         C::text(QStringLiteral("ROOM TYPE"), QStringLiteral("ROOM_TYPE"), 1500),
                         C::text(QStringLiteral("MEAL PLAN"), QStringLiteral("MEAL_PLAN"), 1300),
                         C::number(QStringLiteral("NIGHTS"), QStringLiteral("TOUR_DAYS"), 950),
                         C::number(QStringLiteral("ROOMS"), QStringLiteral("NOOF_ROOM"), 800)}),
            noteSelect + QStringLiteral(", a.HOTEL_NAME, r.ROOM_TYPE, m.MEAL_PLAN, a.TOUR_DAYS, a.NOOF_ROOM"),
            postedRows(QStringLiteral("LEFT JOIN M_TBL_HOTELROOMTYPE r ON r.ROOMTYPE_CODE=a.ROOMTYPE_CODE "
                                      "LEFT JOIN M_TBL_MEALPLAN m ON m.MEALPLAN_CODE=a.MEALPLAN_CODE")),
            kNewestFirst, false);
    bookedRows("ANCP01");
    addGrid(addPostingPage(QStringLiteral("VEHICLE ADVICE NOTES"), PostVehicle), QStringLiteral("Grid_ANCP02"),
            noteColumns({C::text(QStringLiteral("VEHICLE"), QStringLiteral("VEH_BRAND"), 2200),
                         C::number(QStringLiteral("DAYS"), QStringLiteral("TOUR_DAYS"), 800),
                         C::number(QStringLiteral("NOS"), QStringLiteral("VEH_NOS"), 700),
                         C::money(QStringLiteral("RATE"), QStringLiteral("VEH_RATE"), 1300)}),
            noteSelect + QStringLiteral(", v.VEH_BRAND, a.TOUR_DAYS, a.VEH_NOS, a.VEH_RATE"),
            postedRows(QStringLiteral("LEFT JOIN MST_VEHICLEBRANDTYPE v ON v.VEH_BRANDID=a.VEH_BRANDID")), kNewestFirst,
            false);
    bookedRows("ANCP02");
    addGrid(addPostingPage(QStringLiteral("OTHER ADVICE NOTES"), PostOther), QStringLiteral("Grid_ANCP03"),
            noteColumns({C::text(QStringLiteral("CHARGE"), QStringLiteral("CHARGE_NAME"), 2200),
                         C::number(QStringLiteral("QTY"), QStringLiteral("OTHRCHRG_QTY"), 700),
                         C::money(QStringLiteral("RATE"), QStringLiteral("OTHRCHRG_RATE"), 1300)}),
            noteSelect + QStringLiteral(", oc.ACCOUNT_DESC AS CHARGE_NAME, a.OTHRCHRG_QTY, a.OTHRCHRG_RATE"),
            postedRows(QStringLiteral("LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB oc ON oc.DOC_CODE='ANCP03' AND "
                                      "oc.ACC_CODE=a.ACC_CODE")),
            kNewestFirst, false);
    bookedRows("ANCP03");
}

// What the operations desk paid out, refunded and adjusted (not offered to sales).
void frm_CBPT01::buildPaymentTabs() {
    const QList<C> paidColumns{C::date(QStringLiteral("DATE"), QStringLiteral("DOC_DATE"), 1200),
                               C::number(QStringLiteral("NUMBER"), QStringLiteral("DOC_NO"), 1000),
                               C::text(QStringLiteral("PARTY"), QStringLiteral("PARTY_NAME"), 2800),
                               C::money(QStringLiteral("AMOUNT"), QStringLiteral("AMT"), 1400),
                               C::text(QStringLiteral("REMARKS"), QStringLiteral("REMARKS"), 3000),
                               byOn(QStringLiteral("CREATED BY - ON"), "CREATED_BY", "CREATED_ON")};
    const auto withTotal = [&](const QString& amountColumn) {
        auto& d = *grids_.back();
        d.total = new QLabel(d.grid->parentWidget());
        d.total->setObjectName(d.grid->objectName() + QStringLiteral("_Total"));
        labels_.insert(d.total->objectName(), d.total);
        d.grid->parentWidget()->layout()->addWidget(d.total);
        d.totalSql = QStringLiteral("SELECT %1 FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND %2")
                         .arg(exactSum(amountColumn), sql::livePostedAgainstBooking());
    };
    addGrid(addPostingPage(QStringLiteral("PAYMENTS TO PARTY"), PostPayment), QStringLiteral("Grid_Payments"),
            paidColumns,
            QStringLiteral("a.DOC_DATE, a.DOC_NO, p.PARTY_NAME, a.CR_AMT AS AMT, a.REMARKS, a.CREATED_BY, "
                           "a.CREATED_ON"),
            postedRows({}), kNewestFirst, false);
    bookedRows("FTCR01");
    printsVoucher("FTCR01");
    withTotal(QStringLiteral("CR_AMT"));
    addGrid(addPostingPage(QStringLiteral("REFUNDS"), PostRefund), QStringLiteral("Grid_Refunds"), paidColumns,
            QStringLiteral("a.DOC_DATE, a.DOC_NO, p.PARTY_NAME, a.DB_AMT AS AMT, a.REMARKS, a.CREATED_BY, "
                           "a.CREATED_ON"),
            postedRows({}), kNewestFirst, false);
    bookedRows("FTREF01");
    withTotal(QStringLiteral("DB_AMT"));
    addGrid(addPage(QStringLiteral("FUND ADJUSTMENTS")), QStringLiteral("Grid_FundAdj"),
            {C::date(QStringLiteral("DATE"), QStringLiteral("DOC_DATE"), 1200),
             C::number(QStringLiteral("NUMBER"), QStringLiteral("DOC_NO"), 1000),
             C::text(QStringLiteral("TYPE"), QStringLiteral("ADJ_TYPE"), 1500),
             C::money(QStringLiteral("AMOUNT"), QStringLiteral("AMT"), 1400)},
            QStringLiteral("a.DOC_DATE, a.DOC_NO, a.ADJ_TYPE, COALESCE(a.DB_AMT,0)+COALESCE(a.CR_AMT,0) AS AMT"),
            postedRows({}), kNewestFirst, false);
    bookedRows("FAAN01");
}

// Each party's balance within the booking, and what it received and paid.
void frm_CBPT01::buildOutstandingTab() {
    QWidget* owed = addPage(QStringLiteral("OUTSTANDING"));
    // The code list is bound item by item once it is read (at the first show).
    addGrid(owed, QStringLiteral("Grid_Outstanding"),
            {C::text(QStringLiteral("PARTY"), QStringLiteral("PARTY_NAME"), 3200),
             C::money(QStringLiteral("DEBIT"), QStringLiteral("DB"), 1500),
             C::money(QStringLiteral("CREDIT"), QStringLiteral("CR"), 1500),
             C::money(QStringLiteral("BALANCE"), QStringLiteral("BAL"), 1500)},
            kOutstandingSums, {}, QStringLiteral("p.PARTY_NAME, a.PARTY_CODE"), false);
    grids_.back()->model->setSelect(kOutstandingSums, QStringLiteral("p.PARTY_NAME, a.PARTY_CODE"));
    grids_.back()->values = [this] {
        QVariantList v{number_};
        for (const QString& c : ldop_)
            v << c;
        return v;
    };
    addGrid(owed, QStringLiteral("Grid_OutSummary"),
            {C::money(QStringLiteral("RECEIVED"), QStringLiteral("RCVD"), 1800),
             C::money(QStringLiteral("PAID"), QStringLiteral("PAID"), 1800)},
            QStringLiteral("(SELECT %1 FROM M_TBL_TRANSACTION r WHERE r.DOC_CODE='FRDB01' AND "
                           "r.IN_DOCCODE='CBPT01' AND r.IN_DOCNO=z.DOC_NO AND %3) AS RCVD, "
                           "(SELECT %2 FROM M_TBL_TRANSACTION t WHERE t.DOC_CODE='FTCR01' AND "
                           "t.IN_DOCCODE='CBPT01' AND t.IN_DOCNO=z.DOC_NO AND %4) AS PAID")
                .arg(exactSum(QStringLiteral("r.DB_AMT")), exactSum(QStringLiteral("t.CR_AMT")),
                     sql::live(QStringLiteral("r")), sql::live(QStringLiteral("t"))),
            QStringLiteral("SELECT {columns} FROM M_TBL_TRANSACTION z WHERE z.DOC_CODE='CBPT01' AND z.DOC_NO=?"),
            QStringLiteral("z.DOC_NO"), false);
    grids_.back()->values = [this] { return QVariantList{number_}; };
}

// The payment schedule, posted like the other pages: while the booking is live and unlocked.
void frm_CBPT01::buildScheduleTab() {
    scheduleTab = new ScheduleTab(*this, tabs);
    tabs->addTab(scheduleTab, QStringLiteral("PAYMENT SCHEDULE"));
}

void frm_CBPT01::showSchedule() {
    if (scheduleTab)
        scheduleTab->showBooking(
            number_, status_ == status::kLive && locks_.value(QStringLiteral("LCK_CBPT")) != QLatin1String("Y"));
}

// The travellers and their rooms, a page of its own that loads with the booking.
void frm_CBPT01::buildTravellersTab() {
    travellersTab = new TravellersTab(*this, tabs);
    tabs->addTab(travellersTab, QStringLiteral("TRAVELLERS"));
}

// The hotel voucher prints from the sales booking; both bookings reach the supplier requests,
// as the operations staff who answer the hotels work from theirs.
void frm_CBPT01::buildSupplierButtons(bool sales) {
    auto* h = new QHBoxLayout;
    h->addStretch(1);
    if (sales) {
        Cmd_HotelVoucher = new QPushButton(QStringLiteral("Hotel Voucher"), this);
        Cmd_HotelVoucher->setObjectName(QStringLiteral("Cmd_HotelVoucher"));
        connect(Cmd_HotelVoucher, &QPushButton::clicked, this, [this] {
            openWindow(kHotelVoucher, {{{QStringLiteral("QUOTATION_NO"), quotation_}}, {}});
        });
        h->addWidget(Cmd_HotelVoucher);
    }
    Cmd_SupplierRequests = new QPushButton(QStringLiteral("S&upplier Requests"), this);
    Cmd_SupplierRequests->setObjectName(QStringLiteral("Cmd_SupplierRequests"));
    connect(Cmd_SupplierRequests, &QPushButton::clicked, this, [this] {
        openWindow(kSupplierRequests, {{{QStringLiteral("CBPT_NO"), number_}}, {}});
    });
    h->addWidget(Cmd_SupplierRequests);
    body()->addLayout(h);
}

// Enter in a key field loads it; editing it forgets what was loaded from it.
void frm_CBPT01::connectKeyFields() {
    // Enter loads and moves on; a number that loads nothing keeps the focus for mending.
    const auto loadAndMoveOn = [this](QLineEdit* field, const std::function<bool()>& load) {
        onEnter(field, [this, field, load] {
            if (load() || field->text().trimmed().isEmpty())
                moveOn(field);
        });
    };
    loadAndMoveOn(party->edit(), [this] { return party->lookUp(); });
    connect(party, &CodeField::keyChanged, this, [this](const QString& key) {
        for (const char* n : {"lbl_PartyAddress", "lbl_PartyEmail", "lbl_PartyMobile", "lbl_PartyGSTIN",
                              "lbl_PartyState", "lbl_PartyStateCode"})
            labels_.value(QString::fromLatin1(n))->clear();
        if (key.isEmpty())
            return;
        guarded([&] {
            const auto r = db().firstRow(
                QStringLiteral("SELECT a.PARTY_ADDRESS, a.EMAIL_ADD, a.MOBILE_NOS, a.GSTIN_NO, b.STATE_NAME, "
                               "b.STATE_CODE2 FROM M_TBL_PARTY a LEFT JOIN M_TBL_CSP_STATE b ON "
                               "a.STATE_CODE=b.STATE_CODE WHERE a.PARTY_CODE=?"),
                {key.toLongLong()});
            if (!r)
                return;
            int i = 0;
            for (const char* n : {"lbl_PartyAddress", "lbl_PartyEmail", "lbl_PartyMobile", "lbl_PartyGSTIN",
                                  "lbl_PartyState", "lbl_PartyStateCode"})
                labels_.value(QString::fromLatin1(n))->setText(r->value(i++).toString().trimmed());
        });
    });
    loadAndMoveOn(txt_LeadNo, [this] { return Show_Lead(); });
    loadAndMoveOn(txt_QuotNo, [this] { return Show_Quotation(); });
    connect(txt_LeadNo, &QLineEdit::textEdited, this, [this] { clearLead(); });
    connect(txt_QuotNo, &QLineEdit::textEdited, this, [this] { clearQuotation(); });
    connect(Cmd_SrcLead, &QPushButton::clicked, this, [this] {
        QPointer<frm_CBPT01> self(this);
        openWindow(QStringLiteral("frm_SearchLead"), {{}, [self](const QString& code) {
                                                          if (!self)
                                                              return;
                                                          self->txt_LeadNo->setText(code);
                                                          self->clearLead();
                                                          self->Show_Lead();
                                                      }});
    });
    connect(Cmd_SrcQuot, &QPushButton::clicked, this, [this] {
        QPointer<frm_CBPT01> self(this);
        openWindow(QStringLiteral("frm_SearchQuotation"), {{}, [self](const QString& code) {
                                                               if (!self)
                                                                   return;
                                                               self->txt_QuotNo->setText(code);
                                                               self->clearQuotation();
                                                               self->Show_Quotation();
                                                           }});
    });
    for (QLineEdit* e : {txt_FileNo, txt_TouristName, txt_BookedBy, txt_PAN, txt_Passport, txt_DrvLicense})
        attachFilter(e, KeyFilter::Upper);
}

// Closing moves the focus out of the party code, which may look it up again: by then the
// labels it fills are gone.
frm_CBPT01::~frm_CBPT01() {
    QObject::disconnect(party, nullptr, this, nullptr);
}

QLabel* frm_CBPT01::addLabel(const QString& name) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labels_.insert(name, l);
    return l;
}

void frm_CBPT01::addGrid(QWidget* page, const QString& name, QList<ListColumn> columns, const QString& select,
                         const QString& statement, const QString& order, bool byQuotation) {
    auto d = std::make_shared<GridDef>();
    d->model = new QueryModel(db(), std::move(columns), this);
    d->model->setSelect(select);
    d->model->setOrder(order);
    d->grid = new ListGrid(name, page);
    d->grid->setQueryModel(d->model);
    d->statement = statement;
    d->byQuotation = byQuotation;
    page->layout()->addWidget(d->grid);
    grids_ << d;
}

ListGrid* frm_CBPT01::grid(const QString& name) const {
    for (const auto& d : grids_)
        if (d->grid->objectName() == name)
            return d->grid;
    return nullptr;
}

QString frm_CBPT01::labelText(const QString& name) const {
    QLabel* l = labels_.value(name);
    return l ? l->text() : QString();
}

void frm_CBPT01::loadGrids(bool quotationOnly) {
    for (const auto& d : grids_) {
        if (quotationOnly && !d->byQuotation)
            continue;
        const bool ready = d->byQuotation ? quotation_ > 0 : number_ > 0;
        if (d->total)
            d->total->setText(QStringLiteral("TOTAL AMOUNT : 0.00"));
        if (!ready) {
            d->model->clear();
            continue;
        }
        QString statement = d->statement;
        if (d->grid->objectName() == QLatin1String("Grid_Outstanding")) {
            if (ldop_.isEmpty()) {
                d->model->clear();
                continue;
            }
            statement = QStringLiteral(
                            "SELECT {columns} FROM M_TBL_TRANSACTION a LEFT JOIN M_TBL_PARTY p ON "
                            "p.PARTY_CODE=a.PARTY_CODE WHERE a.IN_DOCCODE='CBPT01' AND a.IN_DOCNO=? AND "
                            "%1 AND a.DOC_CODE IN (%2)")
                            .arg(sql::live(QStringLiteral("a")), TransactionRecords::placeholders(ldop_.size()));
        }
        const QVariantList values = d->values ? d->values() : QVariantList{quotation_};
        if (!guarded([&] {
                d->model->load({statement, values});
                widenToContents(d->grid);
                if (d->total)
                    d->total->setText(QStringLiteral("TOTAL AMOUNT : ") +
                                      shownAmount(Money::fromVariant(db().scalar(d->totalSql, values))));
            }))
            d->model->clear();
    }
}

void frm_CBPT01::clearLead() {
    lead_ = 0;
    for (const char* n : {"lbl_LeadDate", "lbl_Consultant", "lbl_LeadParty", "lbl_RelType"})
        labels_.value(QString::fromLatin1(n))->clear();
    txt_FileNo->clear();
    // The quotation belongs to the lead: it goes with it.
    txt_QuotNo->clear();
    clearQuotation();
}

void frm_CBPT01::clearQuotation() {
    quotation_ = 0;
    for (const char* n :
         {"lbl_QuotDate", "lbl_Start", "lbl_End", "lbl_Duration", "lbl_Adults", "lbl_Children", "lbl_Itinerary",
          "lbl_Amount", "lbl_Markup", "lbl_CommPer", "lbl_CommAmt", "lbl_TaxPer", "lbl_TaxAmt", "lbl_GrandTotal"})
        labels_.value(QString::fromLatin1(n))->clear();
    for (QLineEdit* e : {txt_TouristName, txt_Mobile, txt_Email, txt_BookedBy})
        e->clear();
    loadGrids(true);
}

bool frm_CBPT01::Show_Lead() {
    clearLead();
    bool ok = false;
    const qint64 lead = txt_LeadNo->text().trimmed().toLongLong();
    guarded([&] {
        const auto r = db().firstRow(
            QStringLiteral(
                "SELECT a.DOC_NO, a.DOC_DATE, b.CONSULTANT_NAME, a.PARTY_CODE, c.BUSINESS_RELTYPE, a.FILENO "
                "FROM M_TBL_TRANSACTION a LEFT JOIN M_TBL_CONSULTANT b ON a.CONSULTANT_CODE=b.CONSULTANT_CODE "
                "LEFT JOIN M_TBL_PARTY c ON a.PARTY_CODE=c.PARTY_CODE WHERE a.DOC_CODE='BLFC01' AND a.DOC_NO=?"),
            {lead});
        if (!r)
            return;
        lead_ = lead;
        labels_.value(QStringLiteral("lbl_LeadDate"))->setText(dateText(r->value(1)));
        labels_.value(QStringLiteral("lbl_Consultant"))->setText(text(*r, "CONSULTANT_NAME"));
        labels_.value(QStringLiteral("lbl_LeadParty"))->setText(whole(*r, "PARTY_CODE"));
        labels_.value(QStringLiteral("lbl_RelType"))->setText(text(*r, "BUSINESS_RELTYPE"));
        txt_FileNo->setText(text(*r, "FILENO"));
        ok = true;
    });
    return ok;
}

void frm_CBPT01::fillQuotation(const QSqlRecord& q, bool travellers) {
    const auto set = [&](const char* label, const QString& value) {
        labels_.value(QString::fromLatin1(label))->setText(value);
    };
    set("lbl_QuotDate", dateText(q.value(QStringLiteral("DOC_DATE"))));
    set("lbl_Start", dateText(q.value(QStringLiteral("JOURNEY_STRTDT"))));
    set("lbl_End", dateText(q.value(QStringLiteral("JOURNEY_ENDDT"))));
    set("lbl_Duration", text(q, "ITN_DURATION"));
    set("lbl_Adults", whole(q, "NOOF_ADULT"));
    set("lbl_Children", whole(q, "NOOF_CHILDREN"));
    set("lbl_Itinerary", text(q, "ITN_NAME"));
    set("lbl_Amount", money(q, "TOTAL_AMOUNT"));
    set("lbl_Markup", text(q, "MARKUP_ON"));
    set("lbl_CommPer", money(q, "COMM_PER"));
    set("lbl_CommAmt", money(q, "COMM_AMOUNT"));
    set("lbl_TaxPer", money(q, "TAX_PER"));
    set("lbl_TaxAmt", money(q, "TAX_AMOUNT"));
    set("lbl_GrandTotal", money(q, "GRAND_TOTAL"));
    if (travellers) {
        txt_TouristName->setText(text(q, "TOURIST_NAME"));
        txt_Mobile->setText(text(q, "TOURIST_MOBNO"));
        txt_Email->setText(text(q, "TOURIST_EMAIL"));
        txt_BookedBy->setText(text(q, "BOOKED_BY"));
    }
}

bool frm_CBPT01::Show_Quotation() {
    clearQuotation();
    const qint64 q = txt_QuotNo->text().trimmed().toLongLong();
    if (q <= 0)
        return false;
    Bookings store(db(), session().userFullName);
    std::optional<QSqlRecord> row;
    qint64 other = 0;
    if (!guarded([&] {
            if (number_ == 0)
                other = store.liveBookingOf(q);
            if (!other)
                row = store.quotation(lead_, q);
        }))
        return false;
    if (other) {
        prompter().information(this, Bookings::alreadyBooked(q, other));
        txt_QuotNo->clear();
        return false;
    }
    if (!row) {
        prompter().information(
            this, QStringLiteral("UNABLE TO FIND QUOTATION FOR LEAD : %1").arg(txt_LeadNo->text().trimmed()));
        txt_QuotNo->clear();
        txt_QuotNo->setFocus();
        return false;
    }
    quotation_ = q;
    fillQuotation(*row, true);
    loadGrids(true);
    return true;
}

void frm_CBPT01::Load_Init() {
    number_ = 0;
    status_.clear();
    locks_.clear();
    lbl_Status->clear();
    txt_DocDate->setDate(QDate::currentDate());
    for (QLabel* l : labels_)
        if (l != lbl_DocNo)
            l->clear();
    party->clear();
    txt_LeadNo->clear();
    clearLead();
    for (QLineEdit* e : {txt_PAN, txt_Aadhar, txt_Passport, txt_DrvLicense})
        e->clear();
    lbl_Balance->setText(QStringLiteral("BALANCE AMOUNT : 0.00"));
    loadGrids(false);
    showSchedule();
    travellersTab->showBooking(0);
    editor_->startNew();
    tabs->setCurrentWidget(bookingTab);
    party->edit()->setFocus();
}

bool frm_CBPT01::Show_Record(qint64 number) {
    Bookings store(db(), session().userFullName);
    std::optional<QSqlRecord> r;
    std::optional<QSqlRecord> q;
    Money balance;
    if (!guarded([&] {
            r = store.booking(number);
            if (!r)
                return;
            TransactionRecords records(db(), session().userFullName);
            ldop_ = records.codeList(QStringLiteral("LDOP"));
            balance =
                records.balance(QStringLiteral("LDOP"),
                                {.party = r->value(QStringLiteral("PARTY_CODE")).toLongLong(), .booking = number});
            q = store.quotation(r->value(QStringLiteral("LEAD_NO")).toLongLong(),
                                r->value(QStringLiteral("QUOTATION_NO")).toLongLong());
        }))
        return false;
    if (!r)
        return false;
    number_ = number;
    status_ = text(*r, "DOC_STATUS");
    lbl_Status->setText(status_);
    txt_DocDate->setDate(dateFromDb(r->value(QStringLiteral("DOC_DATE"))));
    locks_.clear();
    for (const QString& lock : kLocks) {
        const QString flag = r->value(lock).toString().trimmed();
        locks_.insert(lock, flag.isEmpty() ? QStringLiteral("N") : flag);
        labels_.value(QStringLiteral("lbl_") + QString(lock).remove(QStringLiteral("_")))->setText(locks_.value(lock));
    }
    QLabel* lockedBy = labels_.value(QStringLiteral("lbl_LckUpdate"));
    lockedBy->setText(byOnText(r->value(QStringLiteral("LCK_UPDATEBY")), r->value(QStringLiteral("LCK_UPDATEON"))));
    lockedBy->setToolTip(lockedBy->text());
    lbl_Balance->setText(QStringLiteral("BALANCE AMOUNT : ") + balance.toString());
    const bool locked = locks_.value(QStringLiteral("LCK_CBPT")) == QLatin1String("Y");
    editor_->shown(number,
                   status_ == status::kCancelled         ? DocState::Cancelled
                   : status_ == status::kLive && !locked ? DocState::Live
                                                         : DocState::Locked,
                   true);

    party->setLoaded(whole(*r, "PARTY_CODE"), text(*r, "BILL_PARTY"));
    txt_LeadNo->setText(whole(*r, "LEAD_NO"));
    Show_Lead();
    txt_FileNo->setText(text(*r, "FILENO"));
    txt_QuotNo->setText(whole(*r, "QUOTATION_NO"));
    quotation_ = r->value(QStringLiteral("QUOTATION_NO")).toLongLong();
    if (q)
        fillQuotation(*q, false);
    txt_TouristName->setText(text(*r, "TOURIST_NAME"));
    txt_Mobile->setText(text(*r, "TOURIST_MOBNO"));
    txt_Email->setText(text(*r, "TOURIST_EMAIL"));
    txt_PAN->setText(text(*r, "TOURIST_PAN"));
    txt_Aadhar->setText(text(*r, "TOURIST_AADHAR"));
    txt_Passport->setText(text(*r, "TOURIST_PASSPORT"));
    txt_DrvLicense->setText(text(*r, "TOURIST_DRVLICENSE"));
    txt_BookedBy->setText(text(*r, "BOOKED_BY"));
    loadGrids(false);
    showSchedule();
    travellersTab->showBooking(number);
    return true;
}

void frm_CBPT01::applyLocks() {
    const bool isNew = number_ == 0;
    const bool live = status_ == status::kLive;
    const bool locked = locks_.value(QStringLiteral("LCK_CBPT")) == QLatin1String("Y");
    const bool editable = editor_->editable();
    bookingTab->setEnabled(editable);
    txt_DocDate->setEnabled(editable);
    tool(3)->setEnabled(editable);
    tool(5)->setEnabled(!isNew && live && !locked);
    // The keys of a saved booking stay as booked; only the traveller's details change.
    party->edit()->setReadOnly(!isNew);
    txt_LeadNo->setReadOnly(!isNew);
    txt_QuotNo->setReadOnly(!isNew);
    for (QPushButton* b : {party->pickButton(), Cmd_SrcLead, Cmd_SrcQuot})
        b->setEnabled(isNew);
    for (int p = 0; p < PostCount; ++p) {
        const PostingDef& def = kPostings[p];
        const bool offered = mode_ == Mode::Operations || def.inSales;
        if (posting_[p])
            posting_[p]->setVisible(offered);
        if (!posting_[p] || !offered)
            continue;
        posting_[p]->setEnabled(live && locks_.value(QString::fromLatin1(def.lock)) == QLatin1String("N") &&
                                canOpen(QString::fromLatin1(def.window)));
    }
    if (Cmd_HotelVoucher)
        Cmd_HotelVoucher->setEnabled(live && canOpen(kHotelVoucher));
    if (Cmd_SupplierRequests)
        Cmd_SupplierRequests->setEnabled(!isNew && live && canOpen(kSupplierRequests));
}

void frm_CBPT01::showEvent(QShowEvent* event) {
    TaskWindow::showEvent(event);
    applyLocks();
}

BookingEntry frm_CBPT01::entry() const {
    return {.number = number_,
            .date = txt_DocDate->date(),
            .fileNo = txt_FileNo->text().trimmed(),
            .party = party->key().toLongLong(),
            .lead = lead_,
            .quotation = quotation_,
            .touristName = txt_TouristName->text().trimmed(),
            .mobile = txt_Mobile->text().trimmed(),
            .email = txt_Email->text().trimmed(),
            .pan = txt_PAN->text().trimmed(),
            .aadhar = txt_Aadhar->text().trimmed(),
            .passport = txt_Passport->text().trimmed(),
            .licence = txt_DrvLicense->text().trimmed(),
            .bookedBy = txt_BookedBy->text().trimmed()};
}

void frm_CBPT01::Save_Record() {
    editor_->save();
}

Money frm_CBPT01::grandTotal() const {
    return Money::fromInput(labelText(QStringLiteral("lbl_GrandTotal")));
}

QList<Check> frm_CBPT01::checks() {
    return {{[this] { return party->key().isEmpty() || party->nameLabel()->text().trimmed().isEmpty(); }, party->edit(),
             QStringLiteral("CANNOT PROCEED, PLEASE ENTER BILL TO PARTY CODE ....")},
            {[this] { return lead_ <= 0 || labelText(QStringLiteral("lbl_LeadDate")).isEmpty(); }, txt_LeadNo,
             QStringLiteral("CANNOT PROCEED, PLEASE LEAD NO PROPERLY ....")},
            {[this] { return quotation_ <= 0 || labelText(QStringLiteral("lbl_Itinerary")).isEmpty(); }, txt_QuotNo,
             QStringLiteral("CANNOT PROCEED, PLEASE ENTER QUOTATION NO PROPERLY .....")},
            {[this] { return grandTotal() <= Money(); }, txt_QuotNo,
             QStringLiteral("QUOTATION AMOUNT CANNOT BE ZERO..., PLEASE ENTER QUOTATION NO PROPERLY ....")},
            {[this] { return !grandTotal().withinLimit(); }, txt_QuotNo,
             exceedsLimitMessage(QStringLiteral("QUOTATION AMOUNT"))}};
}

Confirmation frm_CBPT01::question() const {
    return {QStringLiteral(" YOU ARE ABOUT TO PERFORM CUSTOMER BOOKING FOR PACKAGE TOUR ..."),
            {{QStringLiteral(" BILL TO PARTY :"), party->key()},
             {QStringLiteral(" BILL TO PARTY NAME : "), party->nameLabel()->text()},
             {QStringLiteral(" LEAD NO : "), QString::number(lead_)},
             {QStringLiteral(" QUOTATION NO : "), QString::number(quotation_)},
             {QStringLiteral(" GRAND TOTAL : "), grandTotal().toString()}}};
}

void frm_CBPT01::Refresh_Record() {
    if (!tool(5)->isEnabled() || number_ <= 0)
        return;
    if (!Show_Record(number_))
        return;
    if (!tool(5)->isEnabled())
        return;  // cancelled or locked meanwhile
    const BookingEntry e = entry();
    if (guarded([&] { Bookings(db(), session().userFullName).refresh(e, mode_ == Mode::Sales); }))
        Show_Record(number_);
}

void frm_CBPT01::openPosting(Posting p) {
    const PostingDef& def = kPostings[p];
    QPointer<frm_CBPT01> self(this);
    WindowArgs args{{{QStringLiteral("CBPT_NO"), number_}}, [self](const QString&) {
                        if (self)
                            self->Show_Record(self->number_);
                    }};
    if (p == PostReceipt)
        args.values.insert(QStringLiteral("CALLER"),
                           mode_ == Mode::Sales ? QStringLiteral("SALES") : QStringLiteral("OPS"));
    // One posting window of a kind per booking, whichever desk opened it: a second click, or
    // the other desk's, brings the open one to the front.
    args.identity = {QStringLiteral("CBPT_NO")};
    openWindow(QString::fromLatin1(def.window), args,
               p == PostReceipt ? WindowRegistry::Opening::Modeless : WindowRegistry::Opening::Modal);
}

}  // namespace tarvic
