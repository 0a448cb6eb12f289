#pragma once
// Cancelling a posted document: one window, configured per document kind. A member states its
// code, captions, the fields it shows, its messages and question, and its quirks as hooks (a
// booking lists its dependants). Everything else is shared: show any status, a cancelled
// document shows its reason read-only, and the cancellation itself, with the rules of its kind,
// is the engine's (Cancellations).
#include "engine/bookings/Cancellations.h"
#include "shell/kit/TaskWindow.h"

#include <QSqlRecord>

#include <functional>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tarvic {

// One display label: its caption, object name and what it shows of the document.
struct ShownField {
    QString caption;
    QString name;
    std::function<QString(const QSqlRecord&)> text;
};

// What a cancellation asks and says.
struct CancelWording {
    QString noDocument;  // nothing loaded under the number
    QString noReason;
    QString head;  // first line of the question
    QString numberLabel;
    QString dateLabel;
    QString nameLabel;  // the party (or account, or bank) line
    QString amountLabel;
    QString tail;
};

class CancellationWindow;

// A member's quirks. Each runs only where it is set.
struct CancelHooks {
    // More of the document read with it: select list (",x AS Y, ...") and joins onto alias a.
    QString select;
    QString joins;
    // The party/account/bank line's value of the question (default: the party name).
    std::function<QString(const QSqlRecord&)> questionName;
    // Lines of the question between the name and the amount (default: none).
    std::function<QList<std::pair<QString, QString>>(const QSqlRecord&)> moreLines;
    // After every show: the member's own widgets; returns false when cancelling is not allowed.
    std::function<bool(CancellationWindow&, const QSqlRecord&, bool live)> shown;
    // Builds the member's own widgets under the labels.
    std::function<void(CancellationWindow&)> build;
    // Once the document is cancelled, in the same step: what follows it (the mails to the
    // suppliers still holding its lines), given the document as it was shown.
    std::function<void(CancellationWindow&, qint64 number, const QSqlRecord&)> cancelled;
};

struct CancellationMember {
    QString window;  // frm_CNCL_...
    QString code;    // the first code; its pair and lines follow the document kinds
    QString caption;
    QString button;  // "&Cancel ..."
    QList<ShownField> fields;
    CancelWording wording;
    CancelHooks hooks = {};
};

// Every cancellation window, in menu order.
const QList<CancellationMember>& cancellationMembers();

inline const QString kCancelDone = QStringLiteral("CANCELLATION SUCCESSFULLY DONE ....");

class CancellationWindow : public TaskWindow {
    Q_OBJECT
public:
    CancellationWindow(Session& session, QWidget* parent, const CancellationMember& member);

    QLabel* lbl_DocCode = nullptr;
    QLineEdit* txt_DocNo = nullptr;
    QLineEdit* txt_Reason = nullptr;
    QPushButton* cmd_Cancel = nullptr;
    QTableWidget* Grid1 = nullptr;  // a member's own grid (the booking's dependants), if any

    const CancellationMember& member() const { return member_; }
    // The number shown, 0 when nothing is loaded.
    qint64 loaded() const { return loaded_; }
    // The value label of a field by its object name.
    QLabel* field(const QString& name) const;
    // Where a member's own widgets go.
    QGridLayout* grid() const { return grid_; }

    void Load_Init();
    // Shows the document under the number, whatever its status; false when there is none.
    bool Show_Record(qint64 number);
    void Cancel_Record();

private:
    void clearShown();

    const CancellationMember& member_;
    QGridLayout* grid_ = nullptr;
    QList<QLabel*> values_;
    std::optional<QSqlRecord> record_;
    QString total_;
    QString bookings_;
    QList<qint64> bookingNos_;  // the bookings that name the document shown
    qint64 loaded_ = 0;
};

}  // namespace tarvic
