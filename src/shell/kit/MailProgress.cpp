#include "MailProgress.h"

#include "shell/kit/TaskWindow.h"

#include <QApplication>

namespace tarvic {

std::optional<MailSettings> readMailSettings(TaskWindow& window) {
    std::optional<MailSettings> settings;
    if (!window.guarded([&] { settings = MailSettings::read(window.db()); }))
        return std::nullopt;
    if (!settings)
        window.prompter().information(&window, kNoSmtp);
    return settings;
}

MailProgress::MailProgress(QWidget* window, int total) : QProgressDialog(window) {
    setWindowTitle(window->windowTitle());
    setCancelButtonText(QStringLiteral("&Cancel"));
    setRange(0, total);
    setMinimumDuration(0);
    setWindowModality(Qt::WindowModal);
}

bool MailProgress::step(int done, const QString& label) {
    setLabelText(label);
    setValue(done);
    QApplication::processEvents();
    return !wasCanceled();
}

}  // namespace tarvic
