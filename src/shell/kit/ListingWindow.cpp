#include "ListingWindow.h"

#include "data/TransactionRecords.h"
#include "engine/listings/Statuses.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace tarvic {

namespace {

// What a Show that found nothing says.
const QString kNoRecords = QStringLiteral("SORRY NO RECORDS FOUND ....");
// A column grows to its contents up to this: one long remark does not push the rest away.
constexpr int kWidestColumn = 420;

// The width a grid needs for its visible columns, its frame and a vertical scroll bar.
int widthOfColumns(const ListGrid* grid) {
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        width += grid->isColumnHidden(c) ? 0 : grid->columnWidth(c);
    return width;
}

// Before any row, each column as wide as its stated width; once rows are held, as wide as its
// heading and those rows (within a limit). The detail's last column stretches over what is left.
void fitColumns(ListGrid* grid) {
    const QList<ListColumn>& columns = grid->queryModel()->columns();
    if (grid->model()->rowCount() > 0) {
        fitColumnsToRows(grid, kWidestColumn);
        return;
    }
    for (int c = 0; c < columns.size(); ++c)
        if (!grid->isColumnHidden(c))
            grid->setColumnWidth(c, std::max(twipsToPixels(columns.at(c).widthTwips),
                                             headingWidth(grid, columns.at(c).heading)));
}

// The width a grid takes over its stated columns (each at least as wide as its heading).
int statedWidth(const ListGrid* grid) {
    const QList<ListColumn>& columns = grid->queryModel()->columns();
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < columns.size(); ++c)
        if (!grid->isColumnHidden(c))
            width += std::max(twipsToPixels(columns.at(c).widthTwips), headingWidth(grid, columns.at(c).heading));
    return width;
}

// The width a summary grid may be squeezed to, if it states one.
int narrowestSummary(const ListingGridConfig& grid) {
    return grid.maxWidthTwips > 0 ? twipsToPixels(grid.maxWidthTwips) : QWIDGETSIZE_MAX;
}

}  // namespace

void ListFilter::add(const QString& condition, const QVariantList& values) {
    conditions_ << condition;
    values_ << values;
}

void ListFilter::equal(const QString& column, const QString& value) {
    const QString v = value.trimmed();
    if (!v.isEmpty())
        add(column + QStringLiteral("=?"), {v});
}

void ListFilter::like(const QString& column, const QString& pattern) {
    const QString p = pattern.trimmed();
    if (!p.isEmpty())
        add(column + QStringLiteral(" LIKE ?"), {p});
}

void ListFilter::number(const QString& condition, const QString& text) {
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    if (ok)
        add(condition, {n});
    else
        refuse();
}

void ListFilter::dateRange(const QString& column, const QDate& from, const QDate& to) {
    // Bound at the day's start on both sides, the to-date would lose everything after its
    // midnight: the range runs to before the day after it.
    add(QStringLiteral("(%1 >= ? AND %1 < ?)").arg(column),
        {QDateTime(from, QTime(0, 0)), QDateTime(to.addDays(1), QTime(0, 0))});
}

QString ListFilter::sql() const {
    return conditions_.isEmpty() ? QStringLiteral("1=1") : conditions_.join(QStringLiteral(" AND "));
}

ListingWindow::ListingWindow(Session& session, QWidget* parent, ListingConfig config)
    : TaskWindow(session, parent), config_(std::move(config)) {
    setObjectName(config_.objectName);
    setWindowTitle(config_.title);
    setTool(1, kCloseTip, [this] { close(); });

    form_ = new QGridLayout;
    form_->setHorizontalSpacing(8);
    if (!config_.dateColumn.isEmpty()) {
        const auto [from, to] = periodDates(config_.period);
        txt_FromDate = addField(config_.fromCaption, dateEdit("txt_FromDate", from), 0, 0);
        txt_ToDate = addField(config_.toCaption, dateEdit("txt_ToDate", to), 0, 1);
    }
    Cmd_Show = new QPushButton(QStringLiteral("&SHOW"), this);
    Cmd_Show->setObjectName(QStringLiteral("Cmd_Show"));
    form_->addWidget(Cmd_Show, 0, 8);
    connect(Cmd_Show, &QPushButton::clicked, this, [this] { showList(); });
    // Enter on SHOW shows, as a click does, rather than moving on to EXPORT.
    onEnter(Cmd_Show, [this] { showList(); });
    if (!config_.exportCaption.isEmpty()) {
        Cmd_Export = new QPushButton(config_.exportCaption, this);
        Cmd_Export->setObjectName(config_.exportName);
        form_->addWidget(Cmd_Export, 1, 8);
        connect(Cmd_Export, &QPushButton::clicked, this, [this] { Exp_Xls(); });
    }
    form_->setColumnStretch(7, 1);
    body()->addLayout(form_);
    options_ = new QGridLayout;
    options_->setColumnStretch(1, 1);  // the captions stay as wide as the widest of them
    body()->addLayout(options_);

    Grid1 = makeGrid(config_.detail, &detail_);
    body()->addWidget(Grid1, 1);
    connect(Grid1, &ListGrid::rowChosen, this, [this](int row) { chooseRow(row); });
    onEnter(Grid1, [this] { chooseRow(Grid1->currentRow()); });
    if (!config_.summaries.isEmpty()) {
        auto* row = new QHBoxLayout;
        for (const ListingGridConfig& s : config_.summaries) {
            QueryModel* model = nullptr;
            ListGrid* grid = makeGrid(s, &model);
            grid->setMaximumHeight(s.maxHeight);
            // At least as wide as its stated columns (beside a stretch it would otherwise
            // shrink to the view's default and hide its totals), never wider than its limit.
            summaries_ << model;
            summaryGrids_ << grid;
            QLabel* caption = nullptr;
            if (!s.captionName.isEmpty()) {
                caption = new QLabel(s.caption, this);
                caption->setObjectName(QStringLiteral("lbl_") + s.captionName);
                auto* column = new QVBoxLayout;
                column->setSpacing(2);
                column->addWidget(caption);
                column->addWidget(grid);
                row->addLayout(column, 100);
            } else {
                row->addWidget(grid, 100);  // the summaries take the room before the stretch does
            }
            summaryCaptions_ << caption;
        }
        row->addStretch(1);
        body()->addLayout(row);
    }
    fitGrids();
    resize(config_.size);
}

void ListingWindow::fitGrids() {
    fitColumns(Grid1);
    Grid1->horizontalHeader()->setStretchLastSection(true);
    for (int i = 0; i < summaryGrids_.size(); ++i) {
        ListGrid* grid = summaryGrids_.at(i);
        fitColumns(grid);
        // As wide as its rows where the window has room, down to its stated columns (or its
        // width limit) where not, then scrolling sideways; narrower rows give their room to the
        // others.
        const int fitted = widthOfColumns(grid);
        grid->setMinimumWidth(std::min({fitted, statedWidth(grid), narrowestSummary(config_.summaries.at(i))}));
        grid->setMaximumWidth(fitted);
    }
}

ListGrid* ListingWindow::makeGrid(const ListingGridConfig& grid, QueryModel** model) {
    *model = new QueryModel(db(), grid.columns, this);
    (*model)->setSelect(grid.select, grid.groupBy);
    (*model)->setOrder(grid.orderBy);
    (*model)->setRowColours(grid.colours);
    connect(*model, &QueryModel::pageFailed, this, [this](const QString& message) {
        if (message != said_)
            prompter().information(this, said_ = message);
    });
    auto* view = new ListGrid(grid.objectName, this);
    view->setQueryModel(*model);
    return view;
}

void ListingWindow::placeField(const QString& caption, QWidget* field, int row, int column) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(field);
    form_->addWidget(label, row, column * 2);
    form_->addWidget(field, row, column * 2 + 1);
}

void ListingWindow::addCondition(std::function<void(ListFilter&)> condition) {
    conditions_ << std::move(condition);
}

QRadioButton* ListingWindow::addOption(const QString& objectName, const QString& caption, QWidget* field,
                                       std::function<void(ListFilter&)> condition) {
    if (!optionGroup_)
        optionGroup_ = new QButtonGroup(this);
    auto* option = new QRadioButton(caption, this);
    option->setObjectName(objectName);
    const int n = int(optionGroup_->buttons().size());
    optionGroup_->addButton(option, n);
    option->setChecked(n == 0);
    options_->addWidget(option, n, 0);
    if (field) {
        // A field narrower than the column (a number) stays beside its caption.
        options_->addWidget(field, n, 1, field->maximumWidth() < QWIDGETSIZE_MAX ? Qt::AlignLeft : Qt::Alignment());
        connect(option, &QRadioButton::clicked, field, [field] { field->setFocus(); });
    }
    conditions_ << [option, condition = std::move(condition)](ListFilter& f) {
        if (option->isChecked())
            condition(f);
    };
    return option;
}

ListFilter ListingWindow::filter() const {
    ListFilter f;
    if (txt_FromDate)
        f.dateRange(config_.dateColumn, txt_FromDate->date(), txt_ToDate->date());
    for (const auto& condition : conditions_)
        condition(f);
    return f;
}

void ListingWindow::Load_Grid() {
    QList<QueryModel*> models{detail_};
    models << summaries_;
    loaded_ = false;
    if (queries_) {
        loaded_ = loadQueries(models);
    } else {
        BusyCursor busy;
        said_.clear();
        const ListFilter f = filter();
        for (QueryModel* m : models)
            m->clear();
        // A refused filter names nothing (or its condition said why): no word of its own.
        if (!f.refused()) {
            ListQuery query{config_.statement, f.values()};
            query.statement.replace(QStringLiteral("{filter}"), f.sql());
            loaded_ = guarded([&] {
                for (QueryModel* m : models)
                    m->load(query);
            });
        }
    }
    loaded_ = loaded_ && said_.isEmpty();
    fitGrids();
}

bool ListingWindow::loadQueries(const QList<QueryModel*>& models) {
    // Built first: a member may look a code up (and say it is unknown) before the busy cursor.
    const QList<GridQuery> queries = queries_();
    BusyCursor busy;
    said_.clear();
    for (QueryModel* m : models)
        m->clear();
    if (queries.isEmpty())
        return false;
    const bool ok = guarded([&] {
        for (int i = 0; i < models.size() && i < queries.size(); ++i) {
            const GridQuery& q = queries.at(i);
            models[i]->setSelect(q.select, q.groupBy);
            models[i]->setOrder(q.orderBy);
            models[i]->load(q.query);
        }
    });
    if (!ok)
        for (QueryModel* m : models)
            m->clear();
    return ok;
}

void ListingWindow::showList() {
    Load_Grid();
    if (loaded_ && detail_->rowCount() == 0)
        prompter().information(this, kNoRecords);
}

void ListingWindow::Exp_Xls() {
    tarvic::Exp_Xls(this, detail_, prompter());
}

void ListingWindow::chooseRow(int row) {
    if (row < 0 || row >= detail_->rowCount())
        return;
    if (config_.onChosen)
        config_.onChosen(*this, row);
    else
        pickRow(row);
}

void ListingWindow::pickInto(PickCallback onPick, int column) {
    onPick_ = std::move(onPick);
    pickColumn_ = column;
}

bool ListingWindow::pickRow(int row) {
    if (!onPick_ || pickColumn_ < 0)
        return false;  // opened from the menu: nobody to hand the row to
    const QString value = Grid1->text(row, pickColumn_).trimmed();
    if (value.isEmpty())
        return false;
    // Close first: the caller's routine may show a message or open a window of its own.
    const PickCallback pick = onPick_;
    close();
    pick(value);
    return true;
}

QLineEdit* ListingWindow::numberFilter(const char* objectName, const char* column, int width) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(objectName));
    bindColumn(e, "M_TBL_TRANSACTION", column);
    e->setMaximumWidth(width);
    attachFilter(e, KeyFilter::Number);
    onEnter(e, [this] { showList(); });
    return e;
}

QDateEdit* ListingWindow::dateEdit(const char* objectName, const QDate& date) {
    auto* d = new QDateEdit(date, this);
    d->setObjectName(QLatin1String(objectName));
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    return d;
}

std::pair<QDate, QDate> ListingWindow::periodDates(ListingPeriod period, const QDate& today) {
    const QDate first(today.year(), today.month(), 1);
    switch (period) {
        case ListingPeriod::Today:
            return {today, today};
        case ListingPeriod::MonthToDate:
            return {first, today};
        case ListingPeriod::Tours:
            return {first, first.addMonths(3).addDays(-1)};
    }
    return {today, today};
}

void ListingWindow::addStatuses(QComboBox* list, const QString& table, const QString& where,
                                const QVariantList& values) {
    guarded([&] { list->addItems(listings::statusesIn(db(), table, where, values)); });
}

void ListingWindow::addAboveGrids(QWidget* w) {
    body()->insertWidget(body()->indexOf(Grid1), w);
}

QWidget* ListingWindow::partyBox(CodeField*& party, std::function<void()> then) {
    QPushButton* pick = nullptr;
    party = partyCodeField(this, pick);
    party->nameLabel()->setMinimumWidth(300);
    onEnter(party->edit(), [party, then = std::move(then)] {
        party->lookUp();
        then();
    });
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(party->edit());
    row->addWidget(pick);
    row->addWidget(party->nameLabel(), 1);
    box->setFocusProxy(party->edit());
    return box;
}

CodeField* ListingWindow::addPartyField(int row) {
    CodeField* party = nullptr;
    QWidget* box = partyBox(party, [this] { focusNextChild(); });
    auto* label = new QLabel(QStringLiteral("PARTY &CODE"), this);
    label->setBuddy(party->edit());
    form_->addWidget(label, row, 0);
    form_->addWidget(box, row, 1, 1, 5);
    return party;
}

bool ListingWindow::partyChosen(CodeField* party) {
    if (!party->key().isEmpty() || party->lookUp())
        return true;
    prompter().information(this, QStringLiteral("PLEASE ENTER PARTY CODE PROPERLY ...."));
    party->edit()->setFocus();
    return false;
}

QComboBox* ListingWindow::sideField(const char* objectName) {
    auto* c = new QComboBox(this);
    c->setObjectName(QLatin1String(objectName));
    c->addItems({QStringLiteral("DB"), QStringLiteral("CR")});
    return c;
}

QStringList ListingWindow::codeList(const QString& name) {
    QStringList codes;
    guarded([&] { codes = TransactionRecords(db(), session().userFullName).codeList(name); });
    return codes;
}

}  // namespace tarvic
