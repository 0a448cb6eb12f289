#pragma once
// An administrator's mail templates of one kind of mail: choose the kind, edit its subject and
// its HTML text with the placeholders named beside them, save. A member states its window,
// captions, kinds, how a template is read and written, its messages, and whether the text shows
// a break after each <br> (a break typed counts once) or a setting such as the supplier
// requests' hours is edited with it.
#include "shell/kit/TaskWindow.h"

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tarvic {

struct MailTemplateText {
    QString subject;
    QString body;
};

// A number kept beside the templates (the hours after which a request is unanswered).
struct MailTemplateSetting {
    const char* caption = "";
    QString invalid;  // shown when it is not above zero
    std::function<int(Database&)> read;
    std::function<void(Database&, int)> write;
};

struct MailTemplateMember {
    const char* objectName = "";
    QString title;
    const char* table = "";  // where subject and text are stored, for their lengths
    const char* kindCaption = "";
    const char* subjectCaption = "";
    const char* bodyCaption = "";
    QStringList kinds;
    const char* valuesName = "";  // the label naming the placeholders
    QString valuesCaption;        // its caption; none: the label stands alone
    QString valuesText;
    bool breaksOnScreen = false;
    std::function<MailTemplateText(Database&, const QString& kind)> read;
    std::function<void(Database&, const QString& user, const QString& kind, const MailTemplateText&)> write;
    QString enterSubject;
    QString enterBody;
    QString saved;
    std::optional<MailTemplateSetting> setting;
    QSize size{760, 500};
};

class MailTemplateWindow : public TaskWindow {
    Q_OBJECT
public:
    MailTemplateWindow(Session& session, QWidget* parent, MailTemplateMember member);

    QComboBox* Cmb_Kind = nullptr;
    QLineEdit* txt_Subject = nullptr;
    QPlainTextEdit* txt_Body = nullptr;
    QLineEdit* txt_Hours = nullptr;  // the member's setting; none without one
    QLabel* lbl_Values = nullptr;

    void Show_Template();
    void Save_Record();

private:
    MailTemplateMember m_;
};

}  // namespace tarvic
