#include "ColumnBinding.h"

#include "data/ColumnLengths.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

namespace tarvic {

namespace {

constexpr const char* kBindingName = "tarvicColumnBinding";

// Held as a child of its field, so that it lives exactly as long as the field.
class Binding : public QObject {
public:
    Binding(QWidget* field, QString table, QString column, int limit)
        : QObject(field), table(std::move(table)), column(std::move(column)), limit(limit) {
        setObjectName(QLatin1String(kBindingName));
    }
    static Binding* of(const QWidget* w) {
        return dynamic_cast<Binding*>(w->findChild<QObject*>(QLatin1String(kBindingName), Qt::FindDirectChildrenOnly));
    }
    QString table;   // upper case; empty for a field stored in no column
    QString column;  // upper case
    int limit;
};

QString spokenName(QWidget* field);

// Keeps a multi-line box within its bound: an edit that would go past it keeps what fits. An
// edit of the user's (typed, pasted, dropped) is told so; a text the program sets whole
// (setPlainText, which the box does with its undo history off) is cut without a word, as a
// line edit cuts the text given to setText.
class TextLimiter : public QObject {
public:
    TextLimiter(QWidget* field, QTextDocument* document, Session& session)
        : QObject(field), field_(field), document_(document), session_(session) {
        setObjectName(QLatin1String(kName));
        connect(document, &QTextDocument::contentsChange, this, [this](int position, int, int added) {
            insertedAt_ = position;
            inserted_ = added;
        });
        connect(document, &QTextDocument::contentsChanged, this, [this] { enforce(); });
    }

    // A field keeps one limiter, whatever it is bound to.
    static void attach(QWidget* field, QTextDocument* document, Session& session) {
        if (!field->findChild<QObject*>(QLatin1String(kName), Qt::FindDirectChildrenOnly))
            new TextLimiter(field, document, session);
    }

private:
    static constexpr const char* kName = "tarvicTextLimiter";

    void enforce() {
        const int limit = boundLength(field_);
        const int now = document_->characterCount() - 1;  // without the closing separator
        if (cutting_ || limit <= 0 || now <= limit || inserted_ <= 0)
            return;
        const bool typed = document_->isUndoRedoEnabled();
        // Only what this edit inserted is taken back, from its end.
        const int end = std::min(insertedAt_ + inserted_, now);
        int from = std::max(insertedAt_, end - (now - limit));
        if (from > 0 && document_->characterAt(from - 1).isHighSurrogate())
            --from;  // never half a character
        cutting_ = true;
        QTextCursor cut(document_);
        cut.setPosition(from);
        cut.setPosition(end, QTextCursor::KeepAnchor);
        cut.removeSelectedText();
        cutting_ = false;
        if (auto* plain = qobject_cast<QPlainTextEdit*>(field_)) {
            QTextCursor c = plain->textCursor();
            c.setPosition(from);
            plain->setTextCursor(c);
        } else if (auto* rich = qobject_cast<QTextEdit*>(field_)) {
            QTextCursor c = rich->textCursor();
            c.setPosition(from);
            rich->setTextCursor(c);
        }
        // Said once the edit is over, not from inside it.
        if (typed && !telling_) {
            telling_ = true;
            QTimer::singleShot(0, this, [this, limit] {
                telling_ = false;
                if (session_.prompter)
                    session_.prompter->information(field_->window(), tooLongText(spokenName(field_), limit));
            });
        }
    }

    QWidget* field_;
    QTextDocument* document_;
    Session& session_;
    int insertedAt_ = 0;
    int inserted_ = 0;
    bool cutting_ = false;
    bool telling_ = false;
};

// The field's caption, else its column's name, else "TEXT".
QString spokenName(QWidget* field) {
    QString name = captionOf(field);
    if (name.isEmpty())
        if (const Binding* b = Binding::of(field))
            name = QString(b->column).replace(QLatin1Char('_'), QLatin1Char(' '));
    return name.isEmpty() ? QStringLiteral("TEXT") : name;
}

void bind(Session& session, QWidget* field, const QString& table, const QString& column, int limit) {
    delete Binding::of(field);
    new Binding(field, table, column, limit);
    if (auto* combo = qobject_cast<QComboBox*>(field)) {
        Q_ASSERT_X(combo->lineEdit(), "bindColumn", "a list that is not editable has nothing typed to bound");
        if (combo->lineEdit())
            combo->lineEdit()->setMaxLength(std::min(combo->lineEdit()->maxLength(), limit));
    } else if (auto* line = qobject_cast<QLineEdit*>(field)) {
        // A tighter bound set by a field's own rule (an amount's digits) stays.
        line->setMaxLength(std::min(line->maxLength(), limit));
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
        TextLimiter::attach(plain, plain->document(), session);
    } else if (auto* rich = qobject_cast<QTextEdit*>(field)) {
        TextLimiter::attach(rich, rich->document(), session);
    } else {
        qWarning("bindColumn: %s is not a text field", qPrintable(field->objectName()));
    }
}

// The layout that holds w directly, searched from its parent's layout down.
QLayout* holderIn(QLayout* layout, QWidget* w) {
    if (!layout)
        return nullptr;
    if (layout->indexOf(w) >= 0)
        return layout;
    for (int i = 0; i < layout->count(); ++i)
        if (QLayout* found = holderIn(layout->itemAt(i)->layout(), w))
            return found;
    return nullptr;
}

QLabel* labelAt(QLayoutItem* item) { return item ? qobject_cast<QLabel*>(item->widget()) : nullptr; }

// The label that names w in its layout: a form's label, the cell to its left in a grid, the
// label just before it in a row.
QLabel* layoutLabel(QWidget* w) {
    QLayout* holder = w->parentWidget() ? holderIn(w->parentWidget()->layout(), w) : nullptr;
    if (auto* form = qobject_cast<QFormLayout*>(holder))
        return qobject_cast<QLabel*>(form->labelForField(w));
    if (auto* grid = qobject_cast<QGridLayout*>(holder)) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(grid->indexOf(w), &row, &column, &rows, &columns);
        return column > 0 ? labelAt(grid->itemAtPosition(row, column - 1)) : nullptr;
    }
    if (auto* box = qobject_cast<QBoxLayout*>(holder)) {
        const int at = box->indexOf(w);
        return at > 0 ? labelAt(box->itemAt(at - 1)) : nullptr;
    }
    return nullptr;
}

QString cleanCaption(QString text) {
    text.remove(QLatin1Char('&'));
    static const QRegularExpression tail(QStringLiteral("[\\s:.]+$"));
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    return text.remove(tail).replace(spaces, QStringLiteral(" ")).trimmed().toUpper();
}

}  // namespace

int columnLength(Session& session, QAnyStringView table, QAnyStringView column) {
    const QString t = table.toString();
    return session.db ? session.db->columnLengths(t).fieldLength(t, column.toString()) : 0;
}

void bindColumn(Session& session, QWidget* field, QAnyStringView table, QAnyStringView column) {
    const QString t = table.toString().toUpper();
    const QString c = column.toString().toUpper();
    const int limit = columnLength(session, t, c);
    if (limit <= 0) {
        qWarning("bindColumn: %s.%s sets no length", qPrintable(t), qPrintable(c));
        return;
    }
    bind(session, field, t, c, limit);
}

void bindLength(Session& session, QWidget* field, int limit) { bind(session, field, {}, {}, limit); }

int boundLength(const QWidget* field) {
    const Binding* b = field ? Binding::of(field) : nullptr;
    return b ? b->limit : 0;
}

QWidget* boundField(QWidget* window, const QString& table, const QString& column) {
    if (!window)
        return nullptr;
    for (QObject* o : window->findChildren<QObject*>(QLatin1String(kBindingName))) {
        const auto* b = dynamic_cast<Binding*>(o);
        if (b && b->table.compare(table, Qt::CaseInsensitive) == 0 &&
            b->column.compare(column, Qt::CaseInsensitive) == 0)
            return static_cast<QWidget*>(b->parent());
    }
    return nullptr;
}

QString captionOf(QWidget* field) {
    if (!field)
        return {};
    QWidget* window = field->window();
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    for (QLabel* l : labels)
        if (l->buddy() == field)
            return cleanCaption(l->text());
    // A field inside a row of fields: the label just before it, else the row's own label.
    for (QWidget* w = field; w && w != window; w = w->parentWidget()) {
        if (QLabel* l = layoutLabel(w))
            return cleanCaption(l->text());
        for (QLabel* l : labels)
            if (w != field && l->buddy() == w)
                return cleanCaption(l->text());
    }
    return {};
}

}  // namespace tarvic
