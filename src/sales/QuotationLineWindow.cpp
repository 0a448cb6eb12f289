#include "QuotationLineWindow.h"

#include "data/Moments.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tarvic {

namespace {

QLabel* caption(const QString& text, QWidget* parent, QWidget* buddy = nullptr) {
    auto* l = new QLabel(text, parent);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

}  // namespace

QuotationLineWindow::QuotationLineWindow(Session& session, QWidget* parent, const WindowArgs& args,
                                         LineKindConfig config)
    : TaskWindow(session, parent), config_(std::move(config)), onChange_(args.onPick) {
    setObjectName(config_.objectName);
    setWindowTitle(config_.title);
    header_.number = args.value(QStringLiteral("QUOT_NO")).toLongLong();
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    setTool(4, QStringLiteral("Delete Record { F4 }"), [this] { Delete_Record(); });

    // The quotation, read-only.
    auto* head = new QGridLayout;
    lbl_DocCode = shownField(QStringLiteral("lbl_DocCode"), 70);
    lbl_DocDate = shownField(QStringLiteral("lbl_DocDate"));
    lbl_DocNo = shownField(QStringLiteral("lbl_DocNo"), 70);
    lbl_LeadNo = shownField(QStringLiteral("lbl_LeadNo"), 70);
    lbl_ItineraryNo = shownField(QStringLiteral("lbl_ItineraryNo"), 70);
    lbl_JStartDt = shownField(QStringLiteral("lbl_JStartDt"));
    lbl_LineCode = shownField(QStringLiteral("lbl_LineCode"), 70);
    const QList<std::pair<QString, QLabel*>> shown{{QStringLiteral("DOCUMNT CODE"), lbl_DocCode},
                                                   {QStringLiteral("DOCUMNT DT"), lbl_DocDate},
                                                   {QStringLiteral("QUOTATION NO"), lbl_DocNo},
                                                   {QStringLiteral("LEAD NO"), lbl_LeadNo},
                                                   {QStringLiteral("ITINERARY NO"), lbl_ItineraryNo},
                                                   {QStringLiteral("JOURNEY START DT"), lbl_JStartDt},
                                                   {config_.codeCaption, lbl_LineCode}};
    for (int i = 0; i < shown.size(); ++i) {
        head->addWidget(caption(shown.at(i).first, this), 0, i);
        head->addWidget(shown.at(i).second, 1, i);
    }
    head->setColumnStretch(int(shown.size()), 1);
    body()->addLayout(head);

    form_ = new QGridLayout;
    form_->setHorizontalSpacing(8);
    auto* middle = new QHBoxLayout;
    middle->addLayout(form_);
    if (config_.dayRows) {
        days_ = new QueryModel(db(),
                               {ListColumn::number(QStringLiteral("DAY"), QStringLiteral("ITN_DAY"), 700),
                                ListColumn::computed(QStringLiteral("DATE"), 2600,
                                                     [this](const QSqlRecord& r) {
                                                         const int day = r.value(QStringLiteral("ITN_DAY")).toInt();
                                                         return header_.journeyStart.addDays(day - 1).toString(
                                                             QStringLiteral("dd/MM/yyyy - ddd"));
                                                     }),
                                ListColumn::text(QStringLiteral("PLACES"), QStringLiteral("ITN_PLACE"), 3000)},
                               this);
        days_->setSelect(QStringLiteral("ITN_DAY, ITN_SLNO, ITN_PLACE"));
        days_->setOrder(QStringLiteral("ITN_DAY, ITN_SLNO"));
        Grid_Itinerary = new ListGrid(QStringLiteral("Grid_Itinerary"), this);
        Grid_Itinerary->setQueryModel(days_);
        Grid_Itinerary->horizontalHeader()->setStretchLastSection(true);
        Grid_Itinerary->setMinimumWidth(360);
        middle->addWidget(Grid_Itinerary, 1);
    } else {
        middle->addStretch(1);
    }
    body()->addLayout(middle);

    txt_TourDt = dateField(QStringLiteral("txt_TourDt"));
    lbl_TotalAmount = shownField(QStringLiteral("lbl_TotalAmount"), 110);
    lbl_TotalAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

// The kind's part is gone by now; a field that loses the focus while the window is taken down
// must not price it.
QuotationLineWindow::~QuotationLineWindow() {
    pricing_ = true;
}

QLabel* QuotationLineWindow::shownField(const QString& name, int minWidth) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(minWidth);
    return l;
}

QDateEdit* QuotationLineWindow::dateField(const QString& name) {
    auto* d = new QDateEdit(this);
    d->setObjectName(name);
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    d->setFixedWidth(130);
    connect(d, &QDateEdit::dateChanged, this, [this] { Calc_Total(); });
    return d;
}

QLineEdit* QuotationLineWindow::countField(const QString& name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setFixedWidth(70);
    e->setAlignment(Qt::AlignRight);
    // Digits only: a count is never negative, typed or pasted.
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    limitField(e, quantityLimit());
    connect(e, &QLineEdit::textChanged, this, [this] { Calc_Total(); });
    nonNegative_ << e;
    return e;
}

QLineEdit* QuotationLineWindow::rateField(const QString& name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setFixedWidth(110);
    e->setAlignment(Qt::AlignRight);
    attachFilter(e, KeyFilter::Amount, amountLimit(QStringLiteral("RATE")));
    connect(e, &QLineEdit::textChanged, this, [this] { Calc_Total(); });
    // Amounts are shown with two decimals once typed.
    showTwoDecimalsOnLeaving(e, Blank::Stays);
    nonNegative_ << e;
    return e;
}

void QuotationLineWindow::addRow(const QString& text, QWidget* field, QWidget* beside) {
    QList<QWidget*> fields{field};
    if (beside)
        fields << beside;
    addRow(text, fields);
}

void QuotationLineWindow::addRow(const QString& text, const QList<QWidget*>& fields) {
    // Each row lays out its own fields, left to right.
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    for (QWidget* f : fields)
        line->addWidget(f);
    line->addStretch(1);
    form_->addWidget(caption(text, this, fields.value(0)), formRow_, 0);
    form_->addLayout(line, formRow_++, 1);
}

void QuotationLineWindow::finish() {
    // Made last so that Enter reaches it after the kind's fields.
    txt_Remarks = new QLineEdit(this);
    txt_Remarks->setObjectName(QStringLiteral("txt_Remarks"));
    bindColumn(txt_Remarks, "M_TBL_QUOTATION", "REMARKS");
    txt_Remarks->setMinimumWidth(420);
    addRow(config_.totalCaption, lbl_TotalAmount);
    form_->addWidget(caption(QStringLiteral("REMAR&KS"), this, txt_Remarks), formRow_, 0);
    form_->addWidget(txt_Remarks, formRow_++, 1);
    form_->setRowStretch(formRow_, 1);

    QList<ListColumn> columns = config_.columns;
    columns << ListColumn::number(QStringLiteral("LINE"), QStringLiteral("LINE_NO"), 0).hiddenColumn();
    lines_ = new QueryModel(db(), columns, this);
    lines_->setSelect(config_.select + QStringLiteral(", a.ACC_CODE AS LINE_NO"));
    lines_->setOrder(QStringLiteral("a.TOUR_DATE, a.ACC_CODE"));
    Grid1 = new ListGrid(QStringLiteral("Grid1"), this);
    Grid1->setQueryModel(lines_);
    Grid1->horizontalHeader()->setStretchLastSection(true);
    body()->addWidget(Grid1, 1);
    connect(Grid1, &ListGrid::rowChosen, this, [this](int r) { rowChosen(r); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });
    for (QueryModel* m : {lines_, days_})
        if (m)
            connect(m, &QueryModel::pageFailed, this,
                    [this](const QString& text) { prompter().information(this, text); });
    resize(1000, 600);

    readHeader();
    Load_ItineraryGrid();
    Load_Grid();
    Load_Init();
}

void QuotationLineWindow::readHeader() {
    const qint64 number = header_.number;
    guarded([&] { header_ = readQuotationHeader(db(), number); });
    lbl_DocCode->setText(header_.docCode);
    lbl_DocDate->setText(header_.docDate.toString(QStringLiteral("dd/MM/yyyy")));
    lbl_DocNo->setText(header_.number ? QString::number(header_.number) : QString());
    lbl_LeadNo->setText(header_.leadNo ? QString::number(header_.leadNo) : QString());
    lbl_ItineraryNo->setText(header_.itineraryNo ? QString::number(header_.itineraryNo) : QString());
    lbl_JStartDt->setText(header_.journeyStart.toString(QStringLiteral("dd/MM/yyyy")));
    // A quotation locked or not yet open takes no lines; the save checks again inside its transaction.
    setOpen(header_.openForEntry());
}

void QuotationLineWindow::setOpen(bool open) {
    for (int position : {2, 3, 4})
        tool(position)->setEnabled(open);
}

void QuotationLineWindow::Load_ItineraryGrid() {
    if (!days_)
        return;
    guarded([&] {
        days_->load(
            {QStringLiteral("SELECT {columns} FROM M_TBL_ITINERARY_DETAILS_QUOTE WHERE QUOT_NO=? AND ITN_DOCNO=?"),
             {header_.number, header_.itineraryNo}});
    });
}

void QuotationLineWindow::Load_Grid() {
    BusyCursor busy;
    guarded([&] {
        lines_->load({QStringLiteral("SELECT {columns} FROM M_TBL_QUOTATION a %1 WHERE a.DOC_CODE='QGBL02' AND "
                                     "a.DOC_NO=? AND a.ACCOUNT_DESC=?")
                          .arg(config_.joins),
                      {header_.number, config_.kind}});
    });
}

void QuotationLineWindow::Load_Init() {
    lineNo_ = 0;
    lbl_LineCode->setText(QStringLiteral("0"));
    pricing_ = true;
    clearOwn();
    for (QLineEdit* e : nonNegative_)
        e->clear();
    txt_Remarks->clear();
    QDate last;
    if (header_.number)
        guarded([&] { last = lastCheckOut(db(), header_.number, config_.kind); });
    initDates(header_.journeyStart.isValid() ? header_.journeyStart : QDate::currentDate(), last);
    pricing_ = false;
    Calc_Total();
    txt_TourDt->setFocus(Qt::OtherFocusReason);
}

void QuotationLineWindow::Calc_Total() {
    if (pricing_)
        return;
    pricing_ = true;
    total_ = price();
    lbl_TotalAmount->setText(shownAmount(total_));
    pricing_ = false;
}

void QuotationLineWindow::rowChosen(int row) {
    if (row < 0 || row >= Grid1->rowCount())
        return;
    Show_Record(Grid1->text(row, int(lines_->columns().size()) - 1).toLongLong());
}

bool QuotationLineWindow::Show_Record(qint64 lineNo) {
    std::optional<QSqlRecord> line;
    if (!guarded([&] {
            line = db().firstRow(QStringLiteral("SELECT * FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02' AND DOC_NO=? "
                                                "AND ACC_CODE=? AND ACCOUNT_DESC=?"),
                                 {header_.number, lineNo, config_.kind});
        }) ||
        !line)
        return false;
    Load_Init();
    lineNo_ = lineNo;
    lbl_LineCode->setText(QString::number(lineNo));
    pricing_ = true;
    txt_TourDt->setDate(dateFromDb(line->value(QStringLiteral("TOUR_DATE"))));
    showOwn(*line);
    txt_Remarks->setText(line->value(QStringLiteral("REMARKS")).toString());
    pricing_ = false;
    Calc_Total();
    return true;
}

qint64 QuotationLineWindow::count(const QLineEdit* e) {
    return e->text().trimmed().toLongLong();
}

Money QuotationLineWindow::rate(const QLineEdit* e) {
    return Money::fromInput(e->text());
}

void QuotationLineWindow::Save_Record() {
    Calc_Total();
    QList<Check> checks = ownChecks();
    for (QLineEdit* e : nonNegative_)
        checks.append({[e] { return e->text().trimmed().startsWith(QLatin1Char('-')); }, e, kNegativeRefused});
    checks.append({[this] { return !total_; }, nonNegative_.value(0), exceedsLimitMessage(config_.totalCaption)});
    if (!runChecks(prompter(), this, checks))
        return;
    if (!Confirmation{config_.questionHead, questionLines()}.ask(prompter(), this))
        return;

    LineToStore line;
    line.quotationNo = header_.number;
    line.lineNo = lineNo_;
    line.kind = config_.kind;
    line.columns = ownColumns();
    line.columns.insert(line.columns.end(), {{QStringLiteral("TOTAL_AMOUNT"), total().toVariant()},
                                             {QStringLiteral("REMARKS"), txt_Remarks->text()}});
    line.firstDay = txt_TourDt->date();
    line.days = dayCount();
    qint64 stored = 0;
    if (!guarded([&] { stored = storeQuotationLine(db(), session().userFullName, line); }))
        return;  // nothing stayed: a new line keeps number 0
    QStringList done{config_.saved};
    for (const auto& [label, value] : savedLines())
        done << label + value;
    prompter().information(this, done.join(QLatin1Char('\n')));
    lineNo_ = stored;
    lbl_LineCode->setText(QString::number(stored));
    Load_Grid();
    changed();
}

void QuotationLineWindow::Delete_Record() {
    if (lineNo_ == 0) {
        prompter().information(this, config_.noLine);
        return;
    }
    if (!Confirmation{config_.deleteHead, deleteLines(), config_.deleteTail}.ask(prompter(), this))
        return;
    if (!guarded([&] {
            deleteQuotationLine(db(), session().userFullName, header_.number, lineNo_, config_.kind, config_.dayRows);
        }))
        return;
    prompter().information(this, config_.deleted);
    Load_Grid();
    Load_Init();
    changed();
}

void QuotationLineWindow::changed() {
    if (onChange_)
        onChange_(QString::number(header_.number));
}

}  // namespace tarvic
