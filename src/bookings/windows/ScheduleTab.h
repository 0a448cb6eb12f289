#pragma once
// The booking's payment schedule, a page of the booking window: instalments typed or filled
// from a template, each with what the booking's receipts paid of it oldest first; stored
// whole by the schedule's engine, which alone decides whether they add up. A booking re-priced
// since its schedule was made shows the difference in red and keeps its instalments as they
// are until the user changes them.
#include "data/Money.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace tarvic {

class LinesGrid;
class TaskWindow;

class ScheduleTab : public QWidget {
    Q_OBJECT
public:
    enum Column { ColDue, ColAmount, ColPercent, ColNote, ColReceived, ColBalance, ColOverdue };

    ScheduleTab(TaskWindow& owner, QWidget* parent);

    QComboBox* Cmb_Template = nullptr;
    QPushButton* Cmd_FillTemplate = nullptr;
    LinesGrid* Grid_Schedule = nullptr;
    QPushButton* Cmd_AddLine = nullptr;
    QPushButton* Cmd_DelLine = nullptr;
    QLabel* lbl_ScheduleTotal = nullptr;
    QLabel* lbl_ScheduleMismatch = nullptr;
    QPushButton* Cmd_SaveSchedule = nullptr;

    // Shows the booking's schedule as stored (0: none); editable only while the booking may
    // be posted to.
    void showBooking(qint64 booking, bool editable);
    void fillFromTemplate();
    void saveSchedule();

private:
    void loadTemplates();
    void edited(int row, int column);
    void retotal();
    void setEditable(bool editable);

    TaskWindow& owner_;
    qint64 booking_ = 0;
    Money grandTotal_;
};

}  // namespace tarvic
