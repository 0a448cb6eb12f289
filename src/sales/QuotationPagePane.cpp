#include "QuotationPagePane.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tarvic {

QuotationPagePane::QuotationPagePane(QuotationPage page, const PagePaneNames& names, QWidget* parent)
    : QWidget(parent), page_(page) {
    auto* layout = new QVBoxLayout(this);
    auto named = [](auto* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    if (names.email) {
        auto* mail = new QGridLayout;
        email = named(new QLineEdit(this), names.email);
        subject = named(new QLineEdit(this), names.subject);
        reply = named(new QCheckBox(QStringLiteral("SEND AS REPLY MESSAGE"), this), names.reply);
        auto* to = new QLabel(QStringLiteral("E-MAIL ADDRESS"), this);
        to->setBuddy(email);
        auto* about = new QLabel(QStringLiteral("SUBJECT"), this);
        about->setBuddy(subject);
        mail->addWidget(to, 0, 0);
        mail->addWidget(email, 0, 1);
        mail->addWidget(about, 1, 0);
        mail->addWidget(subject, 1, 1);
        mail->addWidget(reply, 1, 2);
        mail->setColumnStretch(1, 1);
        layout->addLayout(mail);
    }
    tools = new QHBoxLayout;
    if (names.send) {
        send = named(new QPushButton(QStringLiteral("Send &Email"), this), names.send);
        tools->addWidget(send);
    }
    saveDoc = named(new QPushButton(QLatin1String(names.saveDocCaption), this), names.saveDoc);
    savePdf = named(new QPushButton(QStringLiteral("Save as &PDF"), this), names.savePdf);
    tools->addWidget(saveDoc);
    tools->addWidget(savePdf);
    tools->addStretch(1);
    layout->addLayout(tools);
    browser = named(new QTextBrowser(this), names.browser);
    // A page shows only what lies beside it: nothing is fetched from the web or followed.
    browser->setOpenLinks(false);
    layout->addWidget(browser, 1);
}

void QuotationPagePane::showFile(const QString& path) {
    const QUrl url = QUrl::fromLocalFile(path);
    // The same file was written anew: read again, never the copy shown before.
    if (browser->source() == url)
        browser->reload();
    else
        browser->setSource(url);
}

void QuotationPagePane::clear() {
    browser->clear();
}

}  // namespace tarvic
