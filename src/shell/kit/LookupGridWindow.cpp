#include "LookupGridWindow.h"

#include "data/ColumnLengths.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/LookupGridModel.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>

namespace tarvic {

namespace {

// Cell editors carry the column's typing filter and its length as the schema declares it.
class LookupDelegate : public QStyledItemDelegate {
public:
    LookupDelegate(Database& db, const LookupGridConfig& config, QObject* parent)
        : QStyledItemDelegate(parent), db_(db), config_(config) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        const LookupColumn& col = config_.columns.at(index.column());
        switch (col.kind) {
        case LookupColumn::Kind::Integer: attachFilter(edit, KeyFilter::Number); break;
        case LookupColumn::Kind::Decimal: attachFilter(edit, KeyFilter::Amount); break;
        case LookupColumn::Kind::Text:
            if (config_.upperCase)
                attachFilter(edit, KeyFilter::Upper);
            break;
        }
        if (const int length = db_.columnLengths(config_.table).fieldLength(config_.table, col.name); length > 0)
            edit->setMaxLength(length);
        return edit;
    }

private:
    Database& db_;
    const LookupGridConfig& config_;
};

class LookupGridView : public QTableView {
public:
    using QTableView::QTableView;
    std::function<void()> onDelete;

    bool editing() const { return state() == EditingState; }

    // Ends an open cell edit, keeping what was typed.
    void commitOpenEditor() {
        if (QWidget* editor = indexWidget(currentIndex()); editor && state() == EditingState) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Delete && state() != EditingState && onDelete) {
            onDelete();
            return;
        }
        QTableView::keyPressEvent(event);
    }
};

}  // namespace

LookupGridWindow::LookupGridWindow(Session& session, QWidget* parent, LookupGridConfig config)
    : TaskWindow(session, parent) {
    setObjectName(config.windowName);
    setWindowTitle(config.caption);
    model_ = new LookupGridModel(db(), std::move(config), this);
    const LookupGridConfig& cfg = model_->config();

    if (!cfg.sourceCaption.isEmpty()) {
        auto* caption = new QLabel(cfg.sourceCaption, this);
        caption->setObjectName(cfg.sourceName + QStringLiteral("_Caption"));
        caption->setAlignment(Qt::AlignCenter);
        QFont f = caption->font();
        f.setBold(true);
        caption->setFont(f);
        body()->addWidget(caption);
    }

    auto* view = new LookupGridView(this);
    grid_ = view;
    grid_->setObjectName(QStringLiteral("Grid1"));
    grid_->setModel(model_);
    grid_->setItemDelegate(new LookupDelegate(db(), model_->config(), grid_));
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->verticalHeader()->setMinimumWidth(20);
    grid_->horizontalHeader()->setStretchLastSection(true);
    if (cfg.allowDelete)
        view->onDelete = [this] { deleteCurrentRow(); };
    body()->addWidget(grid_, 1);

    int width = 0;
    for (int c = 0; c < cfg.columns.size(); ++c) {
        grid_->setColumnWidth(c, twipsToPixels(cfg.columns.at(c).widthTwips));
        width += twipsToPixels(cfg.columns.at(c).widthTwips);
    }
    resize(cfg.size.isValid() ? cfg.size : QSize(std::max(width + 80, 360), 420));

    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (previous.isValid() && current.row() != previous.row())
                    rowLeft(previous.row());
            });

    guarded([&] {
        BusyCursor busy;
        model_->load();
    });
    if (model_->rowCount() > 0)
        grid_->setCurrentIndex(model_->index(0, 0));
}

void LookupGridWindow::rowLeft(int row) {
    if (writing_ || !model_->isDirty(row))
        return;
    QString error;
    if (model_->writeRow(row, &error))
        return;
    writing_ = true;
    prompter().information(this, error);
    writing_ = false;
    // Back to the refused row so that it can be put right.
    QPointer<LookupGridWindow> self(this);
    QTimer::singleShot(0, this, [self, row] {
        if (self && row < self->model_->rowCount())
            self->grid_->setCurrentIndex(self->model_->index(row, 0));
    });
}

bool LookupGridWindow::writeBack() {
    commitOpenEditor();
    bool all = true;
    for (int row : model_->dirtyRows()) {
        QString error;
        if (!model_->writeRow(row, &error)) {
            prompter().information(this, error);
            all = false;
        }
    }
    return all;
}

void LookupGridWindow::commitOpenEditor() { static_cast<LookupGridView*>(grid_)->commitOpenEditor(); }

void LookupGridWindow::deleteCurrentRow() {
    const int row = grid_->currentIndex().row();
    if (row < 0 || model_->isNewLine(row))
        return;
    const LookupGridConfig& cfg = model_->config();
    const int key = std::max(cfg.keyIndex(), 0);
    const Confirmation question{QStringLiteral("ARE YOU SURE WANT TO DELETE ..."),
                                {{QStringLiteral(" ") + cfg.columns.at(key).heading + QStringLiteral(" : "),
                                  model_->index(row, key).data().toString()}},
                                QStringLiteral(" DELETION IS IRREVERSIBLE, WANT TO PROCEED (Y/N) ?")};
    if (!question.ask(prompter(), this))
        return;
    QString error;
    if (!model_->deleteRow(row, &error))
        prompter().information(this, error);
}

bool LookupGridWindow::eventFilter(QObject* watched, QEvent* event) {
    // Escape in an open cell editor is the editor's own (it drops what was typed there),
    // before the window takes it as its close key.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        grid_ && static_cast<LookupGridView*>(grid_)->editing() && watched->isWidgetType() &&
        grid_->isAncestorOf(static_cast<QWidget*>(watched)))
        return false;
    return TaskWindow::eventFilter(watched, event);
}

void LookupGridWindow::closeEvent(QCloseEvent* event) {
    // Refused rows are reported and left unstored; the window closes all the same.
    writeBack();
    TaskWindow::closeEvent(event);
}

}  // namespace tarvic
