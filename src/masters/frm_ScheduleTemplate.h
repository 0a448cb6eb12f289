#pragma once
// The payment schedule templates: a name and its lines (a percentage of the grand total or an
// amount, due on booking, N days before travel or N days after booking), chosen on a booking's
// schedule page to fill its instalments. The templates stand listed below; Enter or a double
// click on one shows it.
#include "engine/dues/ScheduleTemplates.h"
#include "shell/kit/TaskWindow.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tarvic {

class LinesGrid;

class frm_ScheduleTemplate : public TaskWindow {
    Q_OBJECT
public:
    enum Column { ColShare, ColValue, ColRule, ColDays, ColNote };

    frm_ScheduleTemplate(Session& session, QWidget* parent);

    QLineEdit* txt_TemplateName = nullptr;
    LinesGrid* Grid_Lines = nullptr;
    QPushButton* Cmd_AddLine = nullptr;
    QPushButton* Cmd_DelLine = nullptr;
    QTableWidget* Grid1 = nullptr;

    void Load_Init();
    void Save_Record();
    void Delete_Record();
    bool Show_Record(int code);
    int code() const { return code_; }

private:
    void Load_Grid();
    ScheduleTemplate typed() const;

    int code_ = 0;
};

}  // namespace tarvic
