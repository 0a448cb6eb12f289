#pragma once
// "TODAY": what is due or overdue for the logged-on consultant (every consultant's for an ADMIN,
// his own for an OPERATOR), one grid of the board's rows with their section, the count of each
// section above it, coloured by urgency. Enter or a double-click opens a row's document; the
// rows of customer instalments, supplier dues and hotel deadlines can be ticked and reminded by
// mail, one message each, from the administrator's templates.
#include "engine/dues/DueBoard.h"
#include "shell/kit/TaskWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvic {

class DueBoardModel;
class ListGrid;
struct Reminder;

inline const QColor kOverdueBack{255, 199, 206};
inline const QColor kOverdueFore{156, 0, 6};
inline const QColor kDueTodayBack{255, 235, 156};
inline const QColor kDueTodayFore{96, 72, 0};

class frm_TodayBoard : public TaskWindow {
    Q_OBJECT
public:
    enum GridCol {
        ColSection,
        ColDate,
        ColDays,
        ColDocument,
        ColParty,
        ColAmount,
        ColSettled,
        ColBalance,
        ColReminded,
        ColDetail
    };

    frm_TodayBoard(Session& session, QWidget* parent = nullptr);

    QLabel* lbl_Today = nullptr;
    QLineEdit* txt_DueDays = nullptr;
    QPushButton* Cmd_SaveDays = nullptr;
    QPushButton* Cmd_Refresh = nullptr;
    QLabel* lbl_Counts = nullptr;
    // Over the board's rows as they are held: a big office's board has some 15,000 rows, and
    // the grid asks only for those it shows.
    ListGrid* Grid1 = nullptr;
    QPushButton* Cmd_Export = nullptr;
    QPushButton* Cmd_SendReminder = nullptr;

    // Reads the board again with the days ahead typed; false when it cannot be read (a login
    // that is no tour consultant: the refusal is shown).
    bool Refresh_Board();
    void Save_Days();
    // Opens the document of a row in the window that shows it.
    void Open_Document(int row);
    // Mails a reminder for every ticked row, in the grid's order.
    void Send_Reminder();

    const DueBoard& board() const { return board_; }
    // The board row of a grid row.
    const DueRow& rowAt(int row) const { return board_.rows.at(std::size_t(row)); }

private:
    void fillGrid();
    // The ticked rows' reminders that are to go: asked again for one sent today, and named
    // when its party has no address. Empty when nothing goes (said so).
    std::vector<Reminder> chosenReminders();

    DueBoard board_;
    DueBoardModel* model_ = nullptr;
    bool admin_ = false;
};

}  // namespace tarvic
