#pragma once
// Consultant searches: "SEARCH CONSULTANT" over the tour consultants and "SEARCH CONSULTANT
// OPERATION" over the operational team, one window configured by ConsultantTable. Choosing a
// row hands the code to the caller's callback and closes the search.
//
//     auto* s = new frm_SearchConsultant(session(), this, [this](const QString& code) {
//         txt_ConsultantCode->setText(code);
//         Show_ConsultantName();
//     });
//     s->setAttribute(Qt::WA_DeleteOnClose);
//     s->show();
#include "masters/ConsultantTable.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/Picker.h"
#include "shell/kit/TaskWindow.h"

class QLineEdit;
class QPushButton;

namespace tarvic {

class QueryModel;

class ConsultantSearch : public TaskWindow {
    Q_OBJECT
public:
    ConsultantSearch(const ConsultantTable& table, Session& session, QWidget* parent, PickCallback onPick);

    QLineEdit* txt_Name = nullptr;
    QPushButton* Cmd_Show = nullptr;
    ListGrid* Grid1 = nullptr;

    void Load_Grid1();

private:
    void rowChosen(int row);

    const ConsultantTable& table_;
    PickCallback onPick_;
    QueryModel* model_ = nullptr;
};

class frm_SearchConsultant : public ConsultantSearch {
    Q_OBJECT
public:
    frm_SearchConsultant(Session& session, QWidget* parent, PickCallback onPick = {})
        : ConsultantSearch(ConsultantTable::tour(), session, parent, std::move(onPick)) {}
};

class frm_SearchConsultant_OP : public ConsultantSearch {
    Q_OBJECT
public:
    frm_SearchConsultant_OP(Session& session, QWidget* parent, PickCallback onPick = {})
        : ConsultantSearch(ConsultantTable::operations(), session, parent, std::move(onPick)) {}
};

}  // namespace tarvic
