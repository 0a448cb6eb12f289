#include "Prompter.h"

#include <QApplication>
#include <QDate>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace tarvic {

namespace {
// One box, waited for; the pointer may be busy (hourglass) when a message comes, so the
// arrow is shown while the box is up.
int showBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    return answer;
}
}  // namespace

void BoxPrompter::information(QWidget* parent, const QString& text, const QString& title) {
    showBox(parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void BoxPrompter::critical(QWidget* parent, const QString& text, const QString& title) {
    showBox(parent, QMessageBox::Critical, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void BoxPrompter::exclamation(QWidget* parent, const QString& text, const QString& title) {
    showBox(parent, QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool BoxPrompter::question(QWidget* parent, const QString& text, const QString& title) {
    // Style 4: Yes and No, no icon; Yes is the first button and the default.
    return showBox(parent, QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::Yes) == QMessageBox::Yes;
}

QString Prompter::askOpenPath(QWidget*, const QString&, const QString&) {
    return {};
}

QString Prompter::askSavePath(QWidget*, const QString&, const QString&, const QString&, QString*) {
    return {};
}

QString Prompter::extensionOf(const QString& filter) {
    return QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter).captured(1);
}

QString Prompter::suggestedFileName(QWidget* parent, const QString& filters) {
    QString caption = parent ? parent->window()->windowTitle().trimmed() : QString();
    // Characters a file name cannot carry on some systems become spaces.
    caption.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral(" "));
    caption = caption.simplified();
    if (caption.isEmpty())
        caption = QStringLiteral("TARVIC");
    QString name = caption + QLatin1Char(' ') + QDate::currentDate().toString(Qt::ISODate);
    const QString ext = extensionOf(filters.section(QLatin1String(";;"), 0, 0));
    return ext.isEmpty() ? name : name + QLatin1Char('.') + ext;
}

QString BoxPrompter::askOpenPath(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter).trimmed();
}

QString BoxPrompter::askSavePath(QWidget* parent, const QString& title, const QString& filters,
                                 const QString& suggested, QString* chosenFilter) {
    QFileDialog dialog(parent, title, QString(), filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(suggested.isEmpty() ? suggestedFileName(parent, filters) : suggested);
    // A bare name typed takes the chosen filter's extension.
    dialog.setDefaultSuffix(extensionOf(filters.section(QLatin1String(";;"), 0, 0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& f) { dialog.setDefaultSuffix(extensionOf(f)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst().trimmed();
}

QString ScriptedPrompter::answerPath(PathPrompt prompt, QWidget* parent, QString* chosenFilter) {
    if (prompt.kind == QLatin1String("save") && prompt.suggested.isEmpty())
        prompt.suggested = suggestedFileName(parent, prompt.filters);
    pathPrompts.append(prompt);
    const QString path =
        (pathAnswer ? pathAnswer(prompt) : (paths.isEmpty() ? QString() : paths.takeFirst())).trimmed();
    if (chosenFilter) {
        const QStringList filters = prompt.filters.split(QLatin1String(";;"));
        *chosenFilter = filters.constFirst();
        for (const QString& f : filters)
            if (!extensionOf(f).isEmpty() && path.endsWith(QLatin1Char('.') + extensionOf(f), Qt::CaseInsensitive))
                *chosenFilter = f;
        if (!this->chosenFilter.isEmpty())
            *chosenFilter = this->chosenFilter;
    }
    return path;
}

}  // namespace tarvic
