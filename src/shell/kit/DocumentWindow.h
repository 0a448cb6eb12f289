#pragma once
// The shape every money document window shares, written once: its number, its date, the party
// and the booking as code fields, the ordered checks, the Yes/No question, a save guarded by
// the document kinds (booking still live and unlocked, checked inside the save's transaction),
// the document shown read-only once saved, cancelled or locked, and its number back to 0
// when a new document's save fails. A member states only its kind, its own fields and
// columns, its own checks and its messages:
//
//     class frm_Thing : public DocumentWindow {
//         frm_Thing(Session& s, QWidget* p) : DocumentWindow(s, p, kThingConfig) {
//             addField("A&MOUNT", txt_Amount = new QLineEdit(this));
//             Load_Init();
//         }
//         QList<Check> ownChecks() override { return {{[&] { return amount().isZero(); }, txt_Amount, "..."}}; }
//         QList<std::pair<QString, QString>> questionLines() override { ... }
//         Columns ownColumns() override { return {{"REMARKS", txt_Remarks->text()}}; }
//         Money amount() const override { return Money::fromInput(txt_Amount->text()); }
//         void clearOwn() override; void showOwn(const QSqlRecord&) override; void setOwnEditable(bool) override;
//     };
#include "data/Money.h"
#include "data/TransactionRecords.h"
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentEditor.h"
#include "shell/kit/Guard.h"
#include "shell/kit/TaskWindow.h"

#include <QSqlRecord>

class QDateEdit;
class QFormLayout;
class QLabel;

namespace tarvic {

// Whether a document names a party: every money document against a booking does; a
// miscellaneous voucher may; a bank posting or transfer never does (no field, no column).
enum class PartyUse { Required, Optional, None };

struct DocumentConfig {
    QString code;         // first code of the document kind (FRDB01); its counter numbers it
    QString objectName;   // frm_...
    QString title;        // caption
    QString question;     // head of the Yes/No question
    QString saved;        // shown after a successful save
    QString noParty;      // the party is missing or was not looked up
    QString noBooking;    // the booking is missing or was not looked up (kinds posted against one)
    QString bookingShut;  // the booking is no longer live, or its lock forbids this kind
    FailureMessages failures = {};
    // A saved document may be saved again (modified) while it is live and its booking open.
    bool modifiable = false;
    // The question's last line (a few documents word it their own way); empty: the usual one.
    QString questionTail = Confirmation{}.tail;
    // The party is checked before the booking.
    bool partyFirst = false;
    PartyUse partyUse = PartyUse::Required;
    // Shown in the status label while the save runs (a kind whose users wait on it); empty: none.
    QString saving = {};
};

// Where the booking code field looks bookings up: live customer bookings, named by party.
extern const CodeSource kBookingSource;
extern const CodeSource kPartySource;
// The party code as the windows ask for it (txt_PartyCode, at most 12 digits), the party
// search on its button (Cmd_SrcParty, returned in search) and its name in a frame beside it
// (lbl_PartyName). The caller places them.
CodeField* partyCodeField(TaskWindow* owner, QPushButton*& search);
// The type of a party ("CUSTOMER", "SUPPLIER", ...); empty without one.
QString partyTypeOf(Database& db, qint64 party);

class DocumentWindow : public TaskWindow {
    Q_OBJECT
public:
    DocumentWindow(Session& session, QWidget* parent, DocumentConfig config);

    QLabel* lbl_DocNo = nullptr;
    QDateEdit* txt_DocDate = nullptr;
    QLabel* lbl_Status = nullptr;
    CodeField* party = nullptr;
    CodeField* booking = nullptr;  // null for kinds not posted against a booking

    const DocumentConfig& config() const { return config_; }
    qint64 number() const { return editor_->number(); }
    bool editable() const { return editor_->editable(); }

    // A new document: number 0, today's date, every field empty and editable.
    void Load_Init();
    // Shows a saved document; read-only unless the kind is modifiable and it is live with its
    // booking open. Returns false (after saying so) when there is no such document.
    bool Show_Record(qint64 number);
    // Checks, asks, saves and shows the document again; refuses quietly while read-only.
    void Save_Record();

signals:
    // A save succeeded and the document is shown under its number.
    void saved(qint64 number);

protected:
    // Adds a caption and a field to the form, below the shared fields.
    void addField(const QString& caption, QWidget* field);

    // The member's part of the document.
    virtual QList<Check> ownChecks() = 0;
    virtual QList<std::pair<QString, QString>> questionLines() = 0;
    virtual Columns ownColumns() = 0;
    virtual Money amount() const = 0;
    virtual Columns ownPairColumns() { return {}; }
    // The side of the amount, for kinds whose side is chosen per document.
    virtual std::optional<AmountSide> side() const { return std::nullopt; }
    // The message after a successful save (some name the new number or its date).
    virtual QString savedMessage(qint64 number) {
        Q_UNUSED(number);
        return config_.saved;
    }
    virtual void clearOwn() = 0;
    virtual void showOwn(const QSqlRecord& row) = 0;
    virtual void setOwnEditable(bool editable) = 0;
    // The engine's save of the document gathered from the window; a kind with a rule of its
    // own (the adjustment's booking of its party) saves through its operation.
    virtual qint64 saveDocument(const Document& document);
    // A saved document is being put on screen (its code fields are loaded, not typed).
    bool showingRecord() const { return showing_; }

private:
    void setEditable(bool editable);
    QList<Check> checks();
    Confirmation question();
    qint64 post();

    DocumentConfig config_;
    const DocumentKind* kind_;
    QFormLayout* form_ = nullptr;
    DocumentEditor* editor_ = nullptr;
    bool showing_ = false;
};

}  // namespace tarvic
