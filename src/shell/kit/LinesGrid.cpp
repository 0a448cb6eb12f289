#include "LinesGrid.h"

#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"

#include <QComboBox>
#include <QDate>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace tarvic {

namespace {

// Each cell is edited with its column's kind: the same filters and bounds as a field.
class LineDelegate : public QStyledItemDelegate {
public:
    LineDelegate(const QList<LineColumn>& columns, QObject* parent) : QStyledItemDelegate(parent), columns_(columns) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        const LineColumn& c = columns_.at(index.column());
        if (c.kind == LineColumn::Kind::Choice) {
            auto* list = new QComboBox(parent);
            list->addItems(c.choices);
            return list;
        }
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        switch (c.kind) {
            case LineColumn::Kind::Date:
                edit->setInputMask(QStringLiteral("99/99/9999"));
                break;
            case LineColumn::Kind::Amount:
                attachFilter(edit, KeyFilter::Amount);
                edit->setMaxLength(int(Money::largest().toString().size()));
                break;
            case LineColumn::Kind::Percent:
                attachFilter(edit, KeyFilter::Decimal, percentLimit());
                edit->setMaxLength(int(QStringLiteral("100.00").size()));
                break;
            case LineColumn::Kind::Whole:
                attachFilter(edit, KeyFilter::Number);
                edit->setValidator(new QIntValidator(0, c.limit, edit));
                edit->setMaxLength(int(QString::number(c.limit).size()));
                break;
            default:
                attachFilter(edit, KeyFilter::Upper);
                edit->setMaxLength(c.limit > 0 ? c.limit : 100);
                break;
        }
        return edit;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* list = qobject_cast<QComboBox*>(editor))
            list->setCurrentIndex(std::max(0, list->findText(index.data().toString())));
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* list = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, list->currentText());
            return;
        }
        auto* edit = static_cast<QLineEdit*>(editor);
        QString text = edit->text().trimmed();
        const LineColumn& c = columns_.at(index.column());
        if (c.kind == LineColumn::Kind::Date && text == QLatin1String("//"))
            text.clear();
        if ((c.kind == LineColumn::Kind::Amount || c.kind == LineColumn::Kind::Percent) && !text.isEmpty())
            if (const auto m = Money::parse(text))
                text = m->toString();
        model->setData(index, text);
    }

private:
    const QList<LineColumn>& columns_;
};

}  // namespace

LinesGrid::LinesGrid(const QString& objectName, QList<LineColumn> columns, QWidget* parent)
    : QTableWidget(0, int(columns.size()), parent), columns_(std::move(columns)) {
    setObjectName(objectName);
    QStringList headings;
    for (const LineColumn& c : columns_)
        headings << c.heading;
    setHorizontalHeaderLabels(headings);
    for (int i = 0; i < columns_.size(); ++i)
        setColumnWidth(i,
                       std::max(twipsToPixels(columns_.at(i).widthTwips), headingWidth(this, columns_.at(i).heading)));
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new LineDelegate(columns_, this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(false);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_ && onEdited)
            onEdited(item->row(), item->column());
    });
}

void LinesGrid::setLines(const QList<QStringList>& lines) {
    filling_ = true;
    setRowCount(0);
    for (const QStringList& l : lines) {
        const int row = rowCount();
        insertRow(row);
        for (int c = 0; c < columns_.size(); ++c)
            setCell(row, c, c < l.size() ? l.at(c) : QString());
    }
    filling_ = false;
}

QList<QStringList> LinesGrid::lines() const {
    QList<QStringList> out;
    for (int r = 0; r < rowCount(); ++r) {
        QStringList l;
        bool typed = false;
        for (int c = 0; c < columns_.size(); ++c) {
            l << cell(r, c);
            typed = typed || (columns_.at(c).kind != LineColumn::Kind::Shown &&
                              columns_.at(c).kind != LineColumn::Kind::Choice && !l.last().isEmpty());
        }
        if (typed)
            out << l;
    }
    return out;
}

QString LinesGrid::cell(int row, int column) const {
    const QTableWidgetItem* i = item(row, column);
    return i ? i->text().trimmed() : QString();
}

void LinesGrid::setCell(int row, int column, const QString& text) {
    const bool was = filling_;
    filling_ = true;
    QTableWidgetItem* i = item(row, column);
    if (!i) {
        i = new QTableWidgetItem;
        i->setTextAlignment(columns_.at(column).alignment());
        if (columns_.at(column).kind == LineColumn::Kind::Shown || readOnly_)
            i->setFlags(i->flags() & ~Qt::ItemIsEditable);
        setItem(row, column, i);
    }
    i->setText(text);
    filling_ = was;
}

void LinesGrid::addLine() {
    if (readOnly_)
        return;
    const int row = currentRow() < 0 ? rowCount() : currentRow() + 1;
    filling_ = true;
    insertRow(row);
    for (int c = 0; c < columns_.size(); ++c)
        setCell(row, c, columns_.at(c).kind == LineColumn::Kind::Choice ? columns_.at(c).choices.value(0) : QString());
    filling_ = false;
    setCurrentCell(row, 0);
    setFocus();
}

void LinesGrid::removeLine() {
    if (readOnly_ || currentRow() < 0)
        return;
    removeRow(currentRow());
    if (onEdited)
        onEdited(-1, -1);
}

void LinesGrid::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columns_.size(); ++c)
            if (QTableWidgetItem* i = item(r, c); i && columns_.at(c).kind != LineColumn::Kind::Shown)
                i->setFlags(readOnly ? i->flags() & ~Qt::ItemIsEditable : i->flags() | Qt::ItemIsEditable);
}

void LinesGrid::setLineColour(int row, const QColor& fore) {
    for (int c = 0; c < columns_.size(); ++c)
        if (QTableWidgetItem* i = item(row, c))
            i->setForeground(fore.isValid() ? QBrush(fore) : QBrush());
}

void LinesGrid::keyPressEvent(QKeyEvent* event) {
    if (state() != EditingState && !readOnly_) {
        if (event->key() == Qt::Key_Insert) {
            addLine();
            return;
        }
        if (event->key() == Qt::Key_Delete) {
            removeLine();
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

}  // namespace tarvic
