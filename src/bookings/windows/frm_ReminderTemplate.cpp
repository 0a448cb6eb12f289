#include "frm_ReminderTemplate.h"

#include "engine/dues/Reminders.h"
#include "shell/kit/Checks.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tarvic {

frm_ReminderTemplate::frm_ReminderTemplate(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_ReminderTemplate"));
    setWindowTitle(QStringLiteral("REMINDER E-MAIL TEMPLATES"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    auto* form = new QGridLayout;
    Cmb_Kind = new QComboBox(this);
    Cmb_Kind->setObjectName(QStringLiteral("Cmb_Kind"));
    Cmb_Kind->addItems(kReminderKinds);
    txt_Subject = new QLineEdit(this);
    txt_Subject->setObjectName(QStringLiteral("txt_Subject"));
    bindColumn(txt_Subject, "M_TBL_REMINDER_TEMPLATE", "MAIL_SUBJECT");
    txt_Body = new QPlainTextEdit(this);
    txt_Body->setObjectName(QStringLiteral("txt_Body"));
    bindColumn(txt_Body, "M_TBL_REMINDER_TEMPLATE", "MAIL_BODY");
    int row = 0;
    for (const auto& [caption, field] : {std::pair<const char*, QWidget*>{"REMINDER &KIND", Cmb_Kind},
                                         {"S&UBJECT", txt_Subject},
                                         {"&MESSAGE", txt_Body}}) {
        auto* label = new QLabel(QLatin1String(caption), this);
        label->setBuddy(field);
        form->addWidget(label, row, 0, Qt::AlignTop);
        form->addWidget(field, row++, 1);
    }
    auto* values = new QLabel(QStringLiteral("VALUES FILLED IN : ") + kReminderPlaceholders.join(QLatin1Char(' ')) +
                                  QStringLiteral("\nTHE MESSAGE IS HTML; EACH LINE BREAK IS KEPT."),
                              this);
    values->setObjectName(QStringLiteral("lbl_Values"));
    values->setWordWrap(true);
    form->addWidget(values, row, 1);
    form->setRowStretch(2, 1);
    form->setColumnStretch(1, 1);
    body()->addLayout(form, 1);
    resize(760, 480);

    connect(Cmb_Kind, &QComboBox::currentIndexChanged, this, [this] { Show_Template(); });
    Show_Template();
}

void frm_ReminderTemplate::Show_Template() {
    std::optional<ReminderTemplate> t;
    guarded([&] { t = reminderTemplate(db(), Cmb_Kind->currentText()); });
    txt_Subject->setText(t ? t->subject : QString());
    // A break on screen after each <br>, which the message counts once.
    txt_Body->setPlainText(t ? QString(t->body)
                                   .replace(QStringLiteral("<br>\n"), QStringLiteral("<br>"))
                                   .replace(QStringLiteral("<br>"), QStringLiteral("<br>\n"))
                             : QString());
}

void frm_ReminderTemplate::Save_Record() {
    if (!runChecks(prompter(), this,
                   {{[&] { return txt_Subject->text().trimmed().isEmpty(); }, txt_Subject,
                     QStringLiteral("ENTER SUBJECT ....")},
                    {[&] { return txt_Body->toPlainText().trimmed().isEmpty(); }, txt_Body,
                     QStringLiteral("ENTER MESSAGE ....")}}))
        return;
    if (!guarded([&] {
            saveReminderTemplate(db(), session().userFullName,
                                 {Cmb_Kind->currentText(), txt_Subject->text(), txt_Body->toPlainText()});
        }))
        return;
    prompter().information(this, QStringLiteral("REMINDER TEMPLATE SUCCESSFULLY SAVED ...."));
}

}  // namespace tarvic
