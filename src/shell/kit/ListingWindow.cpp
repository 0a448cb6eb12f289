#include "ListingWindow.h"

#include "shell/kit/BusyCursor.h"
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
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace tarvic {

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
        txt_FromDate = addField(config_.fromCaption, dateEdit("txt_FromDate"), 0, 0);
        txt_ToDate = addField(config_.toCaption, dateEdit("txt_ToDate"), 0, 1);
    }
    Cmd_Show = new QPushButton(QStringLiteral("&SHOW"), this);
    Cmd_Show->setObjectName(QStringLiteral("Cmd_Show"));
    form_->addWidget(Cmd_Show, 0, 8);
    connect(Cmd_Show, &QPushButton::clicked, this, [this] { Load_Grid(); });
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
            grid->setMaximumHeight(160);
            // Wide enough for its columns (a summary beside a stretch would otherwise shrink to
            // the view's default and hide its totals), never wider than its own limit.
            int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                width += grid->isColumnHidden(c) ? 0 : grid->columnWidth(c);
            if (s.maxWidthTwips > 0) {
                grid->setMaximumWidth(twipsToPixels(s.maxWidthTwips));
                width = std::min(width, twipsToPixels(s.maxWidthTwips));
            }
            grid->setMinimumWidth(width);
            summaries_ << model;
            summaryGrids_ << grid;
            row->addWidget(grid);
        }
        row->addStretch(1);
        body()->addLayout(row);
    }
    resize(config_.size);
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
    BusyCursor busy;
    said_.clear();
    const ListFilter f = filter();
    QList<QueryModel*> models{detail_};
    models << summaries_;
    for (QueryModel* m : models)
        m->clear();
    if (f.refused())
        return;
    ListQuery query{config_.statement, f.values()};
    query.statement.replace(QStringLiteral("{filter}"), f.sql());
    guarded([&] {
        for (QueryModel* m : models)
            m->load(query);
    });
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
    onEnter(e, [this] { Load_Grid(); });
    return e;
}

QDateEdit* ListingWindow::dateEdit(const char* objectName, const QDate& date) {
    auto* d = new QDateEdit(date, this);
    d->setObjectName(QLatin1String(objectName));
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    return d;
}

void ListingWindow::addStatuses(QComboBox* list, const QString& table, const QString& where,
                                const QVariantList& values) {
    guarded([&] {
        QSqlQuery q =
            db().exec(QStringLiteral("SELECT DOC_STATUS FROM %1 WHERE %2 GROUP BY DOC_STATUS ORDER BY DOC_STATUS")
                          .arg(table, where),
                      values);
        while (q.next())
            if (!q.value(0).isNull())
                list->addItem(q.value(0).toString().trimmed());
    });
}

}  // namespace tarvic
