#include "CodeList.h"

#include "shell/kit/ColumnBinding.h"
#include "shell/kit/Guard.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace tarvic {

namespace {

// Codes are compared as text: a whole number read back as 7, 7.0 or "7" is "7".
QString codeText(const QVariant& v, bool wholeNumbers) {
    if (wholeNumbers) {
        bool ok = false;
        const qint64 n = v.toLongLong(&ok);
        if (ok)
            return QString::number(n);
        const double d = v.toDouble(&ok);
        if (ok)
            return QString::number(qint64(d));
    }
    return v.toString().trimmed();
}

QVariant bound(const QString& code, bool wholeNumbers) {
    return wholeNumbers ? QVariant(code.toLongLong()) : QVariant(code);
}

}  // namespace

CodeList::CodeList(Session& session, const CodeSource& source, QWidget* parent, CodeList* parentList)
    : QComboBox(parent), session_(session), source_(source), parentList_(parentList) {
    // A typed name is looked up, never added to the list.
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::currentTextChanged, this, [this] { textChanged(); });
    if (parentList_)
        connect(parentList_, &CodeList::codeChanged, this, [this] { parentChanged(); });
}

QStringList CodeList::codes() const {
    QStringList out;
    if (parentList_) {
        out = parentList_->codes();
        if (out.isEmpty())
            return {};
    }
    if (code_.isEmpty())
        return {};
    out << code_;
    return out;
}

bool CodeList::load() {
    const QString shown = currentText();
    settling_ = true;
    clear();
    bool ok = true;
    const QStringList parents = parentList_ ? parentList_->codes() : QStringList();
    if (!parentList_ || !parents.isEmpty()) {
        QString sql =
            QStringLiteral("SELECT %1, %2 FROM %3").arg(source_.codeColumn, source_.nameColumn, source_.table);
        QVariantList values;
        for (int i = 0; i < source_.parentColumns.size() && i < parents.size(); ++i) {
            sql += (i == 0 ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + source_.parentColumns.at(i) +
                   QStringLiteral("=?");
            values << bound(parents.at(i), parentList_->source().wholeNumbers);
        }
        sql += QStringLiteral(" ORDER BY ") + (source_.orderBy.isEmpty() ? source_.nameColumn : source_.orderBy);
        ok = runGuarded(*session_.prompter, window(), [&] {
            QSqlQuery q = session_.db->exec(sql, values);
            while (q.next())
                addItem(q.value(1).toString().trimmed(), codeText(q.value(0), source_.wholeNumbers));
        });
        if (!ok)
            clear();
    }
    setCurrentIndex(-1);
    if (isEditable())
        setEditText(shown);
    else
        setCurrentIndex(findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive));
    settling_ = false;
    textChanged();
    return ok;
}

void CodeList::clearChoice() {
    settling_ = true;
    setCurrentIndex(-1);
    if (isEditable())
        setEditText(QString());
    settling_ = false;
    setCodeValue(QString());
}

void CodeList::setCode(const QString& code, const QString& name) {
    settling_ = true;
    const int i = code.isEmpty() ? -1 : findData(code);
    setCurrentIndex(i);
    if (i < 0 && isEditable())
        setEditText(name);
    settling_ = false;
    setCodeValue(code);
}

void CodeList::textChanged() {
    if (settling_)
        return;
    const QString text = currentText().trimmed();
    QString found;
    if (!text.isEmpty()) {
        const int i = currentIndex();
        if (i >= 0 && itemText(i) == text) {
            found = itemData(i).toString();
        } else {
            const int at = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (at >= 0)
                found = itemData(at).toString();
        }
    }
    setCodeValue(found);
}

void CodeList::parentChanged() {
    if (!keepText_) {
        settling_ = true;
        setCurrentIndex(-1);
        if (isEditable())
            setEditText(QString());
        settling_ = false;
    }
    load();
}

void CodeList::setCodeValue(const QString& code) {
    if (code == code_)
        return;
    code_ = code;
    emit codeChanged(code_);
}

CodeField::CodeField(Session& session, const CodeSource& source, QWidget* owner, const QString& editName,
                     const QString& nameLabelName)
    : QObject(owner), session_(session), source_(source), owner_(owner) {
    edit_ = new QLineEdit(owner);
    edit_->setObjectName(editName);
    // A code longer than the source's column names no row. A source read from a query of its
    // own is bound by the window that knows its column.
    if (!source.table.startsWith(QLatin1Char('(')))
        bindColumn(session, edit_, source.table, source.codeColumn);
    name_ = new QLabel(owner);
    name_->setObjectName(nameLabelName);
    // Enter (which moves on) or leaving the code looks it up; typing forgets the last row.
    connect(edit_, &QLineEdit::editingFinished, this, [this] { lookUp(); });
    connect(edit_, &QLineEdit::textEdited, this, [this] {
        name_->clear();
        setKey(QString());
    });
}

bool CodeField::lookUp() {
    name_->clear();
    setKey(QString());
    const QString typed = edit_->text().trimmed();
    QVariant value;
    if (source_.wholeNumbers) {
        bool ok = false;
        const qint64 n = typed.toLongLong(&ok);
        if (!ok)
            return false;
        value = n;
    } else {
        if (typed.isEmpty())
            return false;
        value = typed;
    }
    bool found = false;
    runGuarded(*session_.prompter, owner_->window(), [&] {
        const auto row = session_.db->firstRow(QStringLiteral("SELECT %1, %2 FROM %3 WHERE %1=?")
                                                   .arg(source_.codeColumn, source_.nameColumn, source_.table),
                                               {value});
        if (!row)
            return;
        name_->setText(row->value(1).toString().trimmed());
        setKey(codeText(row->value(0), source_.wholeNumbers));
        found = true;
    });
    return found;
}

void CodeField::setLoaded(const QString& code, const QString& name) {
    edit_->setText(code);
    name_->setText(name);
    setKey(code.trimmed().isEmpty() || name.isEmpty() ? QString() : code.trimmed());
}

void CodeField::clear() {
    edit_->clear();
    name_->clear();
    setKey(QString());
}

QPushButton* CodeField::addPicker(const QString& buttonName, std::function<void(PickCallback)> open) {
    pick_ = new QPushButton(QStringLiteral("..."), owner_);
    pick_->setObjectName(buttonName);
    pick_->setFixedWidth(32);
    connect(pick_, &QPushButton::clicked, this, [this, open = std::move(open)] {
        QPointer<CodeField> self(this);
        open([self](const QString& code) {
            if (!self)
                return;
            self->edit_->setText(code);
            self->lookUp();
        });
    });
    return pick_;
}

void CodeField::setKey(const QString& key) {
    if (key == key_)
        return;
    key_ = key;
    emit keyChanged(key_);
}

}  // namespace tarvic
