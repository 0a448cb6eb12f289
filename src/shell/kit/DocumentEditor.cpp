#include "DocumentEditor.h"

#include "shell/kit/TaskWindow.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTextEdit>

namespace tarvic {

namespace {

const QColor kLockedBack(224, 224, 224);

// The fields typed in that can be read-only (each has the readOnly property).
bool isTextField(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

void paintState(QWidget* field, bool readOnly) {
    QPalette p = field->palette();
    const QPalette usual = QApplication::palette(field);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Base, readOnly ? kLockedBack : usual.color(group, QPalette::Base));
    field->setPalette(p);
}

}  // namespace

void setReadOnlyField(QWidget* field, bool readOnly) {
    if (!field || !isTextField(field))
        return;
    field->setProperty("readOnly", readOnly);
    paintState(field, readOnly);
}

void showReadOnlyLook(QWidget* window) {
    if (!window)
        return;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // A box's own line edit follows its box; fields of another window are that window's.
        if (w->window() != window || qobject_cast<QAbstractSpinBox*>(w->parentWidget()) ||
            qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        if (isTextField(w))
            paintState(w, w->property("readOnly").toBool());
    }
}

DocumentEditor::DocumentEditor(TaskWindow* window, DocumentSteps steps)
    : QObject(window), window_(window), steps_(std::move(steps)) {}

void DocumentEditor::setNumberLabel(QLabel* label) {
    numberLabel_ = label;
    apply();
}

void DocumentEditor::setStatusLabel(QLabel* label) {
    statusLabel_ = label;
    apply();
}

void DocumentEditor::setEditableHook(std::function<void(bool)> hook) {
    editableHook_ = std::move(hook);
}

void DocumentEditor::apply() {
    if (numberLabel_)
        numberLabel_->setText(QString::number(number_));
    if (statusLabel_)
        statusLabel_->setText(state_ == DocState::Cancelled ? QStringLiteral("CANCELLED") : QString());
}

void DocumentEditor::startNew() {
    number_ = 0;
    state_ = DocState::New;
    next_ = nextSteps(state_, false);
    apply();
    if (editableHook_)
        editableHook_(true);
    showReadOnlyLook(window_);
}

void DocumentEditor::shown(qint64 number, DocState state, bool modifiable) {
    number_ = number;
    state_ = state;
    next_ = nextSteps(state, modifiable);
    apply();
    if (editableHook_)
        editableHook_(next_.save);
    showReadOnlyLook(window_);
}

bool DocumentEditor::save() {
    if (!window_ || !next_.save || !steps_.save)
        return false;
    Prompter& prompter = window_->prompter();
    if (steps_.checks && !runChecks(prompter, window_, steps_.checks()))
        return false;
    if (steps_.question && !steps_.question().ask(prompter, window_))
        return false;
    qint64 saved = 0;
    // Said where the user looks while the save runs: painted now, before the save holds the
    // window, and taken back before any message about the save.
    const bool saying = statusLabel_ && !steps_.saving.isEmpty();
    if (saying) {
        statusLabel_->setText(steps_.saving);
        statusLabel_->repaint();
    }
    const bool ok = runGuarded(
        prompter, window_,
        [&] {
            const auto said = qScopeGuard([&] {
                if (saying)
                    apply();
            });
            saved = steps_.save();
        },
        steps_.failures);
    if (!ok) {
        // Nothing was kept: a new document has no number yet, and what was typed stays.
        apply();
        return false;
    }
    number_ = saved;
    apply();
    if (steps_.saved) {
        const QString text = steps_.saved(saved);
        if (!text.isEmpty())
            prompter.information(window_, text);
    }
    if (steps_.show)
        steps_.show(saved);
    emit this->saved(saved);
    return true;
}

}  // namespace tarvic
