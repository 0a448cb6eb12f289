#include "frm_SWS_ANCPANDP08.h"

#include "data/AmountInWords.h"
#include "engine/DocumentState.h"
#include "shell/kit/Checks.h"
#include "shell/kit/DocumentEditor.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/KeyFilters.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvic {

namespace {

const CodeSource kServiceType{QStringLiteral("(SELECT ACC_CODE, ACCOUNT_DESC FROM M_TBL_DOCUMENTACCOUNT_COMB "
                                             "WHERE DOC_CODE='ANDP08') st"),
                              QStringLiteral("ACC_CODE"),
                              QStringLiteral("ACCOUNT_DESC"),
                              {},
                              false};

const QString kDashes = QStringLiteral("------------------------------------------------------------");

QString wordsOf(const QString& text) {
    const Money m = Money::fromInput(text);
    return m.isZero() ? QString() : AmountInWords(m) + QStringLiteral(" Rupees /-");
}

}  // namespace

frm_SWS_ANCPANDP08::frm_SWS_ANCPANDP08(Session& session, QWidget* parent, bool modify, const WindowArgs& args)
    : TaskWindow(session, parent), modify_(modify) {
    setObjectName(modify ? QStringLiteral("frm_SWS_ANCPANDP08_Mod") : QStringLiteral("frm_SWS_ANCPANDP08"));
    setWindowTitle(modify ? QStringLiteral("MODIFY SINGLE WINDOW SERVICE ( ANCP-ANDP08 )")
                          : QStringLiteral("SINGLE WINDOWS SERVICE ( ANDP08-ANCP08 )"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    editor_ = new DocumentEditor(
        this, {.checks = [this] { return checks(); },
               .question = [this] { return question(); },
               .save = [this] { return post(); },
               .saved =
                   [this](qint64) {
                       return modify_ ? QStringLiteral("MODIFICATION SUCCESSFULLY DONE ....")
                                      : QStringLiteral("SINGLE WINDOW SERVICE SUCCESSFULLY DONE ....");
                   },
               .show = [this](qint64 n) { return Show_Record(n); }});
    editor_->setEditableHook([this](bool on) { setEditable(on); });

    const auto shown = [this](const char* name, int width) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(width);
        return l;
    };
    const auto date = [this](const char* name) {
        auto* e = new QDateEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        e->setCalendarPopup(true);
        return e;
    };
    // A field of the pair's rows.
    const auto line = [this](const char* name, const char* column) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        bindColumn(e, "M_TBL_TRANSACTION", column);
        return e;
    };
    const auto codeField = [&](const char* edit, const char* name, const char* button) {
        auto* f = new CodeField(session, kPartySource, this, QLatin1String(edit), QLatin1String(name));
        f->edit()->setMaximumWidth(90);
        f->nameLabel()->setFrameShape(QFrame::StyledPanel);
        f->nameLabel()->setMinimumWidth(330);
        f->addPicker(QLatin1String(button), [this](PickCallback pick) {
            openWindow(QStringLiteral("frm_Search_Party"), WindowArgs{{}, std::move(pick)});
        });
        // Leaving the code looks it up, as a code and its name do everywhere.
        connect(f->edit(), &QLineEdit::editingFinished, f, [f] {
            if (f->key().isEmpty() && !f->edit()->text().trimmed().isEmpty())
                f->lookUp();
        });
        return f;
    };
    const auto amountField = [&](const char* name, QLabel** words, const char* wordsName) {
        QLineEdit* e = line(name, "GRAND_TOTAL");
        e->setMaximumWidth(150);
        e->setAlignment(Qt::AlignRight);
        attachFilter(e, KeyFilter::Amount);
        *words = new QLabel(this);
        (*words)->setObjectName(QLatin1String(wordsName));
        (*words)->setWordWrap(true);
        connect(e, &QLineEdit::textChanged, *words, [w = *words](const QString& t) { w->setText(wordsOf(t)); });
        return e;
    };

    lbl_ANDPNo = shown("lbl_ANDPNo", 90);
    lbl_ANCPNo = shown("lbl_ANCPNo", 90);
    lbl_Status = new QLabel(this);
    lbl_Status->setObjectName(QStringLiteral("lbl_Status"));
    editor_->setNumberLabel(lbl_ANDPNo);
    editor_->setStatusLabel(lbl_Status);
    txt_DocDate = date("txt_DocDate");
    txt_TourDate = date("txt_TourDate");
    party = codeField("txt_PartyCode", "lbl_PartyName", "Cmd_SrcParty");
    vendor = codeField("txt_VOCode", "lbl_VOName", "Cmd_SrcVendor");
    Cmb_ServType = new CodeList(session, kServiceType, this);
    Cmb_ServType->setObjectName(QStringLiteral("Cmb_ServType"));
    Cmb_ServType->setMinimumWidth(260);
    // The name goes into both descriptions beside two party names and the type: it leaves
    // them half their column.
    txt_ServiceName = line("txt_ServiceName", "REMARKS");
    bindLength(txt_ServiceName, columnLength(session, "M_TBL_TRANSACTION", "DOC_DESC") / 2);
    txt_SellAmt = amountField("txt_SellAmt", &lbl_SellWords, "lbl_SellWords");
    txt_BuyAmt = amountField("txt_BuyAmt", &lbl_BuyWords, "lbl_BuyWords");

    auto* form = new QGridLayout;
    int r = 0;
    const auto row = [&](const QString& caption, std::initializer_list<QWidget*> widgets) {
        form->addWidget(new QLabel(caption, this), r, 0);
        auto* h = new QHBoxLayout;
        for (QWidget* w : widgets)
            h->addWidget(w);
        h->addStretch(1);
        form->addLayout(h, r++, 1);
    };
    if (modify) {
        txt_DocNo = line("txt_DocNo", "DOC_NO");
        txt_DocNo->setMaximumWidth(110);
        attachFilter(txt_DocNo, KeyFilter::Number);
        onEnter(txt_DocNo, [this] {
            const qint64 n = txt_DocNo->text().toLongLong();
            if (n > 0)
                Show_Record(n);
        });
        Cmd_Search = new QPushButton(QStringLiteral("..."), this);
        Cmd_Search->setObjectName(QStringLiteral("Cmd_Search"));
        Cmd_Search->setMaximumWidth(30);
        Cmd_Search->setEnabled(canOpen(QStringLiteral("frm_Search_SWS")));
        connect(Cmd_Search, &QPushButton::clicked, this, [this] {
            openWindow(QStringLiteral("frm_Search_SWS"),
                       WindowArgs{{}, [this](const QString& n) { Show_Record(n.toLongLong()); }});
        });
        row(QStringLiteral("ANDP08 &NO"), {txt_DocNo, Cmd_Search});
    }
    row(QStringLiteral("DOC NO"), {new QLabel(QStringLiteral("ANDP08"), this), lbl_ANDPNo,
                                   new QLabel(QStringLiteral("ANCP08"), this), lbl_ANCPNo, lbl_Status});
    row(QStringLiteral("DOC &DATE"), {txt_DocDate, new QLabel(QStringLiteral("TOUR DA&TE"), this), txt_TourDate});
    row(QStringLiteral("&PARTY CODE"), {party->edit(), party->pickButton(), party->nameLabel()});
    row(QStringLiteral("&VENDOR CODE"), {vendor->edit(), vendor->pickButton(), vendor->nameLabel()});
    row(QStringLiteral("SERVICE T&YPE"), {Cmb_ServType});
    form->addWidget(new QLabel(QStringLiteral("SERVICE &NAME"), this), r, 0);
    form->addWidget(txt_ServiceName, r++, 1);
    row(QStringLiteral("&SELLING AMOUNT"), {txt_SellAmt});
    form->addWidget(lbl_SellWords, r++, 1);
    row(QStringLiteral("&BUYING AMOUNT"), {txt_BuyAmt});
    form->addWidget(lbl_BuyWords, r++, 1);
    form->setColumnStretch(1, 1);
    body()->addLayout(form);
    body()->addStretch(1);
    resize(700, modify ? 420 : 390);

    guarded([this] { Cmb_ServType->load(); });
    Load_Init();
    if (modify && args.value(QStringLiteral("DOC_NO")).toLongLong() > 0)
        Show_Record(args.value(QStringLiteral("DOC_NO")).toLongLong());
}

void frm_SWS_ANCPANDP08::setEditable(bool editable) {
    editable_ = editable;
    const QList<QWidget*> widgets{txt_DocDate, txt_TourDate, Cmb_ServType, party->pickButton(), vendor->pickButton()};
    for (QWidget* w : widgets)
        w->setEnabled(editable);
    for (QLineEdit* e : {party->edit(), vendor->edit(), txt_ServiceName, txt_SellAmt, txt_BuyAmt})
        e->setReadOnly(!editable);
    tool(3)->setEnabled(editable);
}

void frm_SWS_ANCPANDP08::Load_Init() {
    customerNo_ = vendorNo_ = 0;
    if (txt_DocNo)
        txt_DocNo->clear();
    lbl_ANCPNo->setText(QStringLiteral("0"));
    txt_DocDate->setDate(QDate::currentDate());
    txt_TourDate->setDate(QDate::currentDate());
    party->clear();
    vendor->clear();
    Cmb_ServType->clearChoice();
    txt_ServiceName->clear();
    txt_SellAmt->clear();
    txt_BuyAmt->clear();
    // The modify window starts with nothing to change until a pair is loaded.
    if (modify_)
        editor_->shown(0, DocState::Locked, false);
    else
        editor_->startNew();
    (txt_DocNo ? static_cast<QWidget*>(txt_DocNo) : txt_DocDate)->setFocus();
}

bool frm_SWS_ANCPANDP08::Show_Record(qint64 customerNo) {
    std::optional<ServicePair> p;
    if (!guarded([&] { p = ServicePairs(db(), session().userFullName).load(customerNo); }))
        return false;
    if (!p) {
        prompter().information(this, QStringLiteral("PLEASE ENTER ANDP08 NO PROPERLY ...."));
        return false;
    }
    customerNo_ = p->customerNo;
    vendorNo_ = p->vendorNo;
    if (txt_DocNo)
        txt_DocNo->setText(QString::number(customerNo_));
    lbl_ANCPNo->setText(QString::number(vendorNo_));
    txt_DocDate->setDate(p->docDate);
    txt_TourDate->setDate(p->serviceDate);
    party->setLoaded(QString::number(p->customer), p->customerName);
    vendor->setLoaded(QString::number(p->vendor), p->vendorName);
    Cmb_ServType->setCode(p->serviceType, p->serviceTypeDesc);
    txt_ServiceName->setText(p->serviceName);
    txt_SellAmt->setText(p->selling.toString());
    txt_BuyAmt->setText(p->buying.toString());
    // The entry window shows what it saved; only the modify window changes a live pair.
    editor_->shown(customerNo_, p->status == status::kCancelled ? DocState::Cancelled : DocState::Live, modify_);
    return true;
}

ServicePair frm_SWS_ANCPANDP08::onScreen() const {
    ServicePair p;
    p.customerNo = customerNo_;
    p.vendorNo = vendorNo_;
    p.docDate = txt_DocDate->date();
    p.serviceDate = txt_TourDate->date();
    p.customer = party->key().toLongLong();
    p.customerName = party->nameLabel()->text();
    p.vendor = vendor->key().toLongLong();
    p.vendorName = vendor->nameLabel()->text();
    p.serviceType = Cmb_ServType->code();
    p.serviceTypeDesc = Cmb_ServType->currentText().trimmed();
    p.serviceName = txt_ServiceName->text().trimmed();
    p.selling = Money::fromInput(txt_SellAmt->text());
    p.buying = Money::fromInput(txt_BuyAmt->text());
    return p;
}

void frm_SWS_ANCPANDP08::Save_Record() {
    editor_->save();
}

QList<Check> frm_SWS_ANCPANDP08::checks() {
    return {{[this] { return modify_ && customerNo_ <= 0; }, txt_DocNo,
             QStringLiteral("PLEASE ENTER ANDP08 NO PROPERLY ....")},
            {[this] { return party->key().isEmpty(); }, party->edit(),
             QStringLiteral("PARTY NAME CANNOT BE BLANK ...., PLEASE ENTER PARTY CODE PROPERLY ..")},
            {[this] { return vendor->key().isEmpty(); }, vendor->edit(),
             QStringLiteral("VENDOR NAME CANNOT BE BLANK ...., PLEASE ENTER VENDOR CODE PROPERLY ..")},
            {[this] { return onScreen().serviceType.isEmpty(); }, Cmb_ServType,
             QStringLiteral("PLEASE SELECT SERVICE TYPE PROPERLY ....")},
            {[this] { return onScreen().serviceName.isEmpty(); }, txt_ServiceName,
             QStringLiteral("PLEASE ENTER SERVICE NAME, ITS COMPULSORY ....")},
            // Both rows carry an amount: a pair at zero (or below) would post nothing real.
            {[this] { return onScreen().selling <= Money(); }, txt_SellAmt,
             QStringLiteral("SELLING AMOUNT CANNOT BE ZERO ....")},
            {[this] { return onScreen().buying <= Money(); }, txt_BuyAmt,
             QStringLiteral("BUYING AMOUNT CANNOT BE ZERO ....")}};
}

Confirmation frm_SWS_ANCPANDP08::question() const {
    const ServicePair p = onScreen();
    return Confirmation{kDashes,
                        {{modify_ ? QStringLiteral(" YOU ARE ABOUT TO MODIFY ADVICE NOTE DEBIT POSTING (ANDP08 ) ...")
                                  : QStringLiteral(" YOU ARE ABOUT TO PERFORM ADVICE NOTE DEBIT POSTING (ANDP08 ) "),
                          QString()},
                         {QStringLiteral(" TOUR DATE : "), p.serviceDate.toString(QStringLiteral("dd/MM/yyyy"))},
                         {QStringLiteral(" PARTY NAME : "), p.customerName},
                         {QStringLiteral(" SERVICE FOR : "), p.serviceTypeDesc + QStringLiteral(" - ") + p.serviceName},
                         {QStringLiteral(" AMOUNT : "), p.selling.toString()},
                         {QStringLiteral(" AND ADVICE NOTE CREDIT POSTING (ANCP08) "), QString()},
                         {QStringLiteral(" VENDOR NAME : "), p.vendorName},
                         {QStringLiteral(" AMOUNT : "), p.buying.toString()},
                         {kDashes, QString()}},
                        QStringLiteral(" ARE YOU SURE WANT TO PROCEED (Y/N)")};
}

qint64 frm_SWS_ANCPANDP08::post() {
    const ServicePair saved = ServicePairs(db(), session().userFullName).save(onScreen());
    // Both numbers are on screen when the save is reported.
    lbl_ANCPNo->setText(QString::number(saved.vendorNo));
    return saved.customerNo;
}

}  // namespace tarvic
