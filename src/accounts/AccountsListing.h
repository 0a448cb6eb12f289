#pragma once
// The shape shared by the ledgers and balance lists: a filter form with SHOW (and EXPORT),
// the detail grid Grid1, and totals grids under it. Unlike the between-dates listings each
// grid runs a statement of its own (a running balance, totals over the lines of a grouped
// list), so a member fills each grid from its own query in Load_Grid().
#include "shell/kit/QueryModel.h"
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QDateEdit;
class QGridLayout;
class QHBoxLayout;
class QPushButton;

namespace tarvic {

class CodeField;
class ListGrid;

class AccountsListing : public TaskWindow {
    Q_OBJECT
public:
    AccountsListing(Session& session, QWidget* parent, const QString& objectName, const QString& title, bool withExport,
                    QSize size = QSize(1000, 620));

    QPushButton* Cmd_Show = nullptr;
    QPushButton* Cmd_Export = nullptr;  // only where the listing exports
    ListGrid* Grid1 = nullptr;

    // Show: every grid filled for the filter on screen.
    virtual void Load_Grid() = 0;
    // The detail grid to a spreadsheet, every row.
    void Exp_Xls();

protected:
    template <class W>
    W* addField(const QString& caption, W* field, int row, int column) {
        placeField(caption, field, row, column);
        return field;
    }
    void placeField(const QString& caption, QWidget* field, int row, int column);
    QDateEdit* dateField(const char* objectName);
    // "DB" or "CR".
    QComboBox* sideField(const char* objectName);
    // The detail grid (taking the height left) or a totals grid in the row under it.
    ListGrid* addGrid(const QString& objectName, const QList<ListColumn>& columns, bool totals = false);
    // The party code with its picker and looked-up name on a row of the form; Enter looks the
    // code up and moves on.
    CodeField* addPartyField(int row);
    // The codes of a list of M_TBL_CODES, read once as the window opens.
    QStringList codeList(const QString& name);
    // Clears every grid, then runs fill (which loads them) under the busy cursor; a failure
    // is shown and leaves the grids empty.
    void loadAll(const std::function<void()>& fill);
    static void load(ListGrid* grid, const QString& select, const QString& groupBy, const QString& orderBy,
                     const ListQuery& query);
    QGridLayout* form() const { return form_; }

private:
    QGridLayout* form_ = nullptr;
    QHBoxLayout* totals_ = nullptr;
    QList<ListGrid*> grids_;
    QString said_;  // what the grids reported since the last load: said once, not per grid
};

}  // namespace tarvic
