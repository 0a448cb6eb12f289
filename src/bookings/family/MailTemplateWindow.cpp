#include "MailTemplateWindow.h"

#include "shell/Prompter.h"
#include "shell/kit/Checks.h"
#include "shell/kit/KeyFilters.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tarvic {

MailTemplateWindow::MailTemplateWindow(Session& session, QWidget* parent, MailTemplateMember member)
    : TaskWindow(session, parent), m_(std::move(member)) {
    setObjectName(QLatin1String(m_.objectName));
    setWindowTitle(m_.title);
    setTool(1, kCloseTip, [this] { close(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    Cmb_Kind = new QComboBox(this);
    Cmb_Kind->setObjectName(QStringLiteral("Cmb_Kind"));
    Cmb_Kind->addItems(m_.kinds);
    txt_Subject = new QLineEdit(this);
    txt_Subject->setObjectName(QStringLiteral("txt_Subject"));
    bindColumn(txt_Subject, m_.table, "MAIL_SUBJECT");
    txt_Body = new QPlainTextEdit(this);
    txt_Body->setObjectName(QStringLiteral("txt_Body"));
    bindColumn(txt_Body, m_.table, "MAIL_BODY");
    lbl_Values = new QLabel(m_.valuesText, this);
    lbl_Values->setObjectName(QLatin1String(m_.valuesName));
    lbl_Values->setWordWrap(true);

    auto* form = new QGridLayout;
    int row = 0;
    const auto add = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        if (field->focusPolicy() != Qt::NoFocus)
            label->setBuddy(field);
        form->addWidget(label, row, 0, Qt::AlignTop);
        form->addWidget(field, row++, 1);
    };
    add(QLatin1String(m_.kindCaption), Cmb_Kind);
    add(QLatin1String(m_.subjectCaption), txt_Subject);
    form->setRowStretch(row, 1);
    add(QLatin1String(m_.bodyCaption), txt_Body);
    if (m_.valuesCaption.isEmpty())
        form->addWidget(lbl_Values, row++, 1);
    else
        add(m_.valuesCaption, lbl_Values);
    if (m_.setting) {
        txt_Hours = new QLineEdit(this);
        txt_Hours->setObjectName(QStringLiteral("txt_Hours"));
        txt_Hours->setMaximumWidth(80);
        bindLength(txt_Hours, 4);
        attachFilter(txt_Hours, KeyFilter::Number);
        add(QLatin1String(m_.setting->caption), txt_Hours);
        guarded([&] { txt_Hours->setText(QString::number(m_.setting->read(db()))); });
    }
    form->setColumnStretch(1, 1);
    body()->addLayout(form, 1);
    resize(m_.size);

    connect(Cmb_Kind, &QComboBox::currentIndexChanged, this, [this] { Show_Template(); });
    Show_Template();
    Cmb_Kind->setFocus();
}

void MailTemplateWindow::Show_Template() {
    MailTemplateText t;
    guarded([&] { t = m_.read(db(), Cmb_Kind->currentText()); });
    txt_Subject->setText(t.subject);
    // A break on screen after each <br>, which the message counts once.
    if (m_.breaksOnScreen)
        t.body.replace(QStringLiteral("<br>\n"), QStringLiteral("<br>"))
            .replace(QStringLiteral("<br>"), QStringLiteral("<br>\n"));
    txt_Body->setPlainText(t.body);
}

void MailTemplateWindow::Save_Record() {
    QList<Check> checks{{[&] { return txt_Subject->text().trimmed().isEmpty(); }, txt_Subject, m_.enterSubject},
                        {[&] { return txt_Body->toPlainText().trimmed().isEmpty(); }, txt_Body, m_.enterBody}};
    if (m_.setting)
        checks.append({[&] { return txt_Hours->text().toInt() <= 0; }, txt_Hours, m_.setting->invalid});
    if (!runChecks(prompter(), this, checks))
        return;
    if (!guarded([&] {
            m_.write(db(), session().userFullName, Cmb_Kind->currentText(),
                     {txt_Subject->text(), txt_Body->toPlainText()});
            if (m_.setting)
                m_.setting->write(db(), txt_Hours->text().toInt());
        }))
        return;
    prompter().information(this, m_.saved);
}

}  // namespace tarvic
