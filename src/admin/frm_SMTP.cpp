#include "frm_SMTP.h"

#include "data/RowWriter.h"
#include "shell/kit/Checks.h"
#include "shell/kit/KeyFilters.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvic {

namespace {
const QString kSelect = QStringLiteral(" SELECT * FROM M_TBL_EMAIL ");
}  // namespace

frm_SMTP::frm_SMTP(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_SMTP"));
    setWindowTitle(QStringLiteral("CONFIGURE SMTP"));

    auto field = [this](const char* name, const char* column) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        bindColumn(e, "M_TBL_EMAIL", column);
        return e;
    };
    txt_SMTPUsrName = field("txt_SMTPUsrName", "EMAIL_USERNAME");
    txt_SMTPPasswd = field("txt_SMTPPasswd", "EMAIL_PASSWORD");
    // Kept readable in the table for the mail sender, never readable on the screen.
    txt_SMTPPasswd->setEchoMode(QLineEdit::Password);
    txt_SMTPServer = field("txt_SMTPServer", "EMAIL_SMTP");
    txt_SMTPPort = field("txt_SMTPPort", "EMAIL_SMTP_PORT");
    attachFilter(txt_SMTPPort, KeyFilter::Number);
    txt_SenderName = field("txt_SenderName", "EMAIL_SENDERNAME");
    txt_SenderEmail = field("txt_SenderEmail", "EMAIL_SENDERADD");

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(10);
    int row = 0;
    const QList<std::pair<const char*, QLineEdit*>> rows{
        {"SMTP &USERNAME", txt_SMTPUsrName}, {"SMTP PASS&WORD", txt_SMTPPasswd}, {"SMTP SER&VER", txt_SMTPServer},
        {"SMTP &PORT", txt_SMTPPort},        {"SENDER &NAME", txt_SenderName},   {"SENDER E-MAIL ADD", txt_SenderEmail}};
    for (const auto& [caption, edit] : rows) {
        auto* l = new QLabel(QLatin1String(caption), this);
        l->setBuddy(edit);
        form->addWidget(l, row, 0);
        form->addWidget(edit, row, 1);
        ++row;
    }
    txt_SMTPPort->setMaximumWidth(90);
    form->setColumnStretch(1, 1);
    body()->addLayout(form);

    Cmd_Save = new QPushButton(QStringLiteral("Save &SMTP"), this);
    Cmd_Save->setObjectName(QStringLiteral("Cmd_Save"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Cmd_Save);
    body()->addLayout(buttons);
    body()->addStretch(1);
    resize(460, 220);

    connect(Cmd_Save, &QPushButton::clicked, this, [this] { Save_Record(); });
    Show_Record();
}

void frm_SMTP::Show_Record() {
    const QList<QLineEdit*> fields{txt_SMTPUsrName, txt_SMTPPasswd, txt_SMTPServer, txt_SMTPPort, txt_SenderName, txt_SenderEmail};
    for (QLineEdit* e : fields)
        e->clear();
    guarded([&] {
        if (auto r = db().firstRow(kSelect)) {
            const QStringList columns{QStringLiteral("EMAIL_USERNAME"), QStringLiteral("EMAIL_PASSWORD"),
                                      QStringLiteral("EMAIL_SMTP"), QStringLiteral("EMAIL_SMTP_PORT"),
                                      QStringLiteral("EMAIL_SENDERNAME"), QStringLiteral("EMAIL_SENDERADD")};
            for (int i = 0; i < fields.size(); ++i)
                fields.at(i)->setText(r->value(columns.at(i)).toString().trimmed());
        }
    });
}

void frm_SMTP::Save_Record() {
    auto empty = [](QLineEdit* e) { return [e] { return e->text().trimmed().isEmpty(); }; };
    const bool ok = runChecks(prompter(), this, {
        {empty(txt_SMTPUsrName), txt_SMTPUsrName, QStringLiteral("PLEASE ENTER SMTP USER NAME .....")},
        {empty(txt_SMTPPasswd), txt_SMTPPasswd, QStringLiteral("PLEASE ENTER SMTP PASSWORD .....")},
        {empty(txt_SMTPServer), txt_SMTPServer, QStringLiteral("PLEASE ENTER SMTP SERVER .....")},
        {empty(txt_SMTPPort), txt_SMTPPort, QStringLiteral("PLEASE ENTER SMTP PORT .....")},
    });
    if (!ok)
        return;
    const Columns columns{{QStringLiteral("EMAIL_USERNAME"), txt_SMTPUsrName->text().trimmed()},
                          {QStringLiteral("EMAIL_PASSWORD"), txt_SMTPPasswd->text().trimmed()},
                          {QStringLiteral("EMAIL_SMTP"), txt_SMTPServer->text().trimmed()},
                          {QStringLiteral("EMAIL_SMTP_PORT"), txt_SMTPPort->text().trimmed()},
                          {QStringLiteral("EMAIL_SENDERNAME"), txt_SenderName->text().trimmed()},
                          {QStringLiteral("EMAIL_SENDERADD"), txt_SenderEmail->text().trimmed()}};
    const bool saved = guarded([&] {
        // One row only: the first is updated, a row is added only to an empty table.
        db().transact([&] {
            const auto r = db().firstRow(kSelect);
            const QVariant id = r ? r->value(QStringLiteral("EMAIL_ID")) : QVariant(1);
            RowWriter(db(), session().userFullName)
                .write(QStringLiteral("M_TBL_EMAIL"), {{QStringLiteral("EMAIL_ID"), id}}, columns, !r,
                       RowWriter::Audit::None);
        });
    });
    if (!saved)
        return;
    prompter().information(this, QStringLiteral("SMTP DETAILS SUCCESSFULLY UPDATED ...."));
}

}  // namespace tarvic
