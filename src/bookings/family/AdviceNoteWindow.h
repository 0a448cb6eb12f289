#pragma once
// The advice note windows: a supplier's bill for a hotel stay, a vehicle hire or an other
// charge, posted against a booking. One window class serves the three kinds, each with its
// item panel (AdviceItems.h), in two modes:
// - entry (frm_CBPT01_ANCP0x), opened by the booking with CBPT_NO: a new note for that
//   booking; once saved it is shown read-only and the opener's onPick gets its number;
// - modify (frm_CBPT01_ANCP0x_Mod), from the menu: a live note fetched by its number is
//   rewritten in place.
// The shared part (supplier, bill number, remarks, total, checks, question, save) is here;
// a kind states its messages in AdviceKindText and its fields in its panel.
#include "engine/bookings/AdviceNotes.h"
#include "shell/kit/Checks.h"
#include "shell/kit/TaskWindow.h"

#include <QSqlRecord>

class QGridLayout;
class QLabel;
class QLineEdit;

namespace tarvic {

class AdviceItems;
class CodeField;
class DocumentEditor;

class AdviceNoteWindow : public TaskWindow {
    Q_OBJECT
public:
    AdviceNoteWindow(Session& session, QWidget* parent, const WindowArgs& args, AdviceKind kind, bool modify);
    ~AdviceNoteWindow() override;

    QLabel* lbl_DocNo = nullptr;     // entry: the note's number (0 until saved)
    QLineEdit* txt_DocNo = nullptr;  // modify: the number of the note to fetch
    QLabel* lbl_CBPTNo = nullptr;
    QLabel* lbl_QuotNo = nullptr;
    QLabel* lbl_Status = nullptr;
    CodeField* party = nullptr;  // txt_PartyCode, lbl_PartyName
    QLabel* lbl_PartyType = nullptr;
    QLineEdit* txt_BillNo = nullptr;
    QLabel* lbl_Total = nullptr;
    QLineEdit* txt_Remarks = nullptr;
    // When the supplier is to be paid: typed, or left as the service date plus its credit
    // period; with what is paid of the note (the supplier's payments, oldest note first).
    QLineEdit* txt_DueDate = nullptr;
    QLabel* lbl_Paid = nullptr;
    QLabel* lbl_DueBalance = nullptr;
    QLabel* lbl_CreatedBy = nullptr;
    QLabel* lbl_UpdatedBy = nullptr;

    AdviceKind kind() const { return kind_; }
    bool modifying() const { return modify_; }
    AdviceItems* items() const { return items_; }
    const AdviceBooking& booking() const { return booking_; }
    qint64 number() const { return number_; }
    bool editable() const { return editable_; }
    Money total() const { return total_.value_or(Money()); }

    // A new note for the booking (entry), or an empty window awaiting a number (modify).
    void Load_Init();
    void Save_Record();
    // Shows a stored note (modify: only a live one); false when there is none.
    bool Show_Record(qint64 number);
    // Prices what is on screen and shows the total.
    void Calc_Total();

    // For the panels: a caption and its fields as one row of the form's left (0) or right side.
    void addRow(const QString& caption, const QList<QWidget*>& fields, int side = 0);
    // For the panels: a grid or other wide part below the form.
    void addBelow(QWidget* part);
    QLabel* shownField(const QString& name, int minWidth = 90);

private:
    QList<Check> checks();
    Confirmation question();
    qint64 post();  // the engine's save: the note's number
    void readBooking(qint64 bookingNo);
    void setEditable(bool editable);
    void showPartyType();
    void fetch();
    void showDue();

    AdviceKind kind_;
    bool modify_;
    PickCallback onSaved_;
    DocumentEditor* editor_ = nullptr;
    AdviceBooking booking_;
    AdviceItems* items_ = nullptr;
    qint64 number_ = 0;
    std::optional<Money> total_;  // nullopt beyond the largest amount
    bool editable_ = true;
    bool pricing_ = true;  // nothing is priced until the window is built
    QGridLayout* forms_[2] = {};
    int rows_[2] = {};
    QDate shownDue_;  // the due date as read; a save writes the field only when it differs
};

}  // namespace tarvic
