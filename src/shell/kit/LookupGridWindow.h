#pragma once
// The lookup-grid family: a window that is one editable grid over all rows of a table
// (counters, document codes, the code lists of the masters). Members differ only by their
// LookupGridConfig:
//
//     auto* w = new LookupGridWindow(session, parent, {
//         .windowName = "frm_Bank", .caption = "BANK MAINTENANCE", .sourceName = "Ado_Bank",
//         .sourceCaption = "BANK MAINTENANCE", .table = "MST_BANK", .orderBy = "BANK_ID",
//         .columns = {{"BANK_ID", "BANK ID", 1500}, {"BANK_NAME", "BANK NAME", 5000}},
//         .keyColumn = "BANK_ID", .allowAdd = true});
//
// Cells are edited in place (typed letters become capitals in text cells when upperCase is
// set). A changed row is written back when the cursor leaves it and when the window closes;
// a row the database refuses is reported in the windows' own words, keeps its edits and gets
// the cursor back, and is not stored. Escape in an open cell editor cancels that edit; Escape
// anywhere else closes the window. Enter moves to the next cell.
#include "shell/kit/LookupGridConfig.h"
#include "shell/kit/TaskWindow.h"

class QLabel;
class QTableView;

namespace tarvic {

class LookupGridModel;

class LookupGridWindow : public TaskWindow {
    Q_OBJECT
public:
    LookupGridWindow(Session& session, QWidget* parent, LookupGridConfig config);

    LookupGridModel* model() const { return model_; }
    QTableView* grid() const { return grid_; }
    // Writes every changed row back, reporting each refusal. Returns true when all stored.
    bool writeBack();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rowLeft(int row);
    void deleteCurrentRow();
    void commitOpenEditor();

    LookupGridModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    bool writing_ = false;
};

}  // namespace tarvic
