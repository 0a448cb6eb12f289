#include "frm_ReminderTemplate.h"

#include "engine/dues/Reminders.h"

namespace tarvic {

namespace {

MailTemplateMember member() {
    MailTemplateMember m;
    m.objectName = "frm_ReminderTemplate";
    m.title = QStringLiteral("REMINDER E-MAIL TEMPLATES");
    m.table = "M_TBL_REMINDER_TEMPLATE";
    m.kindCaption = "REMINDER &KIND";
    m.subjectCaption = "S&UBJECT";
    m.bodyCaption = "&MESSAGE";
    m.kinds = kReminderKinds;
    m.valuesName = "lbl_Values";
    m.valuesText = QStringLiteral("VALUES FILLED IN : ") + kReminderPlaceholders.join(QLatin1Char(' ')) +
                   QStringLiteral("\nTHE MESSAGE IS HTML; EACH LINE BREAK IS KEPT.");
    m.breaksOnScreen = true;
    m.read = [](Database& db, const QString& kind) {
        const std::optional<ReminderTemplate> t = reminderTemplate(db, kind);
        return t ? MailTemplateText{t->subject, t->body} : MailTemplateText{};
    };
    m.write = [](Database& db, const QString& user, const QString& kind, const MailTemplateText& t) {
        saveReminderTemplate(db, user, {kind, t.subject, t.body});
    };
    m.enterSubject = QStringLiteral("ENTER SUBJECT ....");
    m.enterBody = QStringLiteral("ENTER MESSAGE ....");
    m.saved = QStringLiteral("REMINDER TEMPLATE SUCCESSFULLY SAVED ....");
    m.size = {760, 480};
    return m;
}

}  // namespace

frm_ReminderTemplate::frm_ReminderTemplate(Session& session, QWidget* parent)
    : MailTemplateWindow(session, parent, member()) {}

}  // namespace tarvic
