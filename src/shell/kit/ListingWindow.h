#pragma once
// The listing family: documents (or parties, leads, ...) between two dates with optional
// filters, a detail grid, summary grids under it, a spreadsheet export and what choosing a
// row does. A member states only its configuration and its filter fields:
//
//     frm_LstFRDB01::frm_LstFRDB01(Session& s, QWidget* parent)
//         : ListingWindow(s, parent, {
//               .objectName = "frm_LstFRDB01", .title = "LIST OF FUND RECEIVE AGAINST CBPT ( FRDB01 )",
//               .statement = "SELECT {columns} FROM M_TBL_TRANSACTION a, M_TBL_PARTY b, MST_BANK c "
//                            "WHERE {filter} AND a.PARTY_CODE=b.PARTY_CODE AND ...",
//               .dateColumn = "a.DOC_DATE",
//               .detail = {.select = "a.*, b.PARTY_NAME, c.BANK_NAME AS DB_BANK",
//                          .orderBy = "a.DOC_DATE DESC, a.DOC_NO DESC, a.DOC_CODE",
//                          .columns = {ListColumn::serial("SLNO", 700),
//                                      ListColumn::date("DOCUMNT DT", "DOC_DATE", 1200),
//                                      ListColumn::money("AMOUNT /-", "GRAND_TOTAL", 1400), ...}},
//               .summaries = {{.objectName = "Grid2", .select = "a.DOC_STATUS, COALESCE(SUM(a.GRAND_TOTAL),0) AS TOTL",
//                              .groupBy = "a.DOC_STATUS", .orderBy = "a.DOC_STATUS", .columns = {...}}},
//               .onChosen = [](ListingWindow& w, int row) { ...print the voucher of w.Grid1->text(row, 2)... }}) {
//         Cmb_Status = addField("STATUS", new QComboBox(this), 0, 2);
//         addCondition([this](ListFilter& f) {
//             f.add("a.DOC_CODE=?", {"FRDB01"});
//             f.equal("a.DOC_STATUS", Cmb_Status->currentText());
//         });
//         addOption("Option2", "PARTY &CODE", txt_PartyCode, [this](ListFilter& f) { f.add("a.PARTY_CODE=?", {code});
//         });
//     }
//
// The statement holds "{filter}" where the conditions go (the date range first, then each
// condition in the order added, joined by AND; every value bound, the statement has no "?"
// of its own) and "{columns}" where each grid puts its select list. The detail grid reads its
// rows a page at a time; each summary grid is its own aggregate statement over the same
// filter, so totals never depend on which rows are held in memory. The export writes every
// detail row, read in one pass. Row colours come from the grid's hook over each row's record.
//
// A listing whose grids each need a statement of their own (a ledger's running balance, totals
// over the lines of a grouped list) leaves the statement empty and hands the engine's queries
// over with setQueries(): one per grid, detail first, built from the fields at every Show.
#include "shell/kit/Picker.h"
#include "shell/kit/QueryModel.h"
#include "shell/kit/TaskWindow.h"

#include <QDate>

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tarvic {

class CodeField;
class ListGrid;
class ListingWindow;

// The conditions of one Show, with their values in order.
class ListFilter {
public:
    // A condition with its "?" values.
    void add(const QString& condition, const QVariantList& values = {});
    // column = value, only when the value (trimmed) is not empty.
    void equal(const QString& column, const QString& value);
    // column LIKE pattern exactly as typed (the user types the wildcards), only when not empty.
    void like(const QString& column, const QString& pattern);
    // A condition with one "?" for a typed number; a text that is no number names no row.
    void number(const QString& condition, const QString& text);
    // From the start of from to before the day after to: the whole to-date counts.
    void dateRange(const QString& column, const QDate& from, const QDate& to);
    // Nothing can match (a code that is no number): the grids are cleared, nothing is run.
    void refuse() { refused_ = true; }

    bool refused() const { return refused_; }
    QString sql() const;
    const QVariantList& values() const { return values_; }

private:
    QStringList conditions_;
    QVariantList values_;
    bool refused_ = false;
};

struct ListingGridConfig {
    QString objectName;  // "Grid1", "Grid2", ...
    QString select;      // the select list over the statement
    QString groupBy;     // a summary's grouping (empty for the detail and for one total row)
    QString orderBy;     // the detail's must be a total order (end it with a unique key)
    QList<ListColumn> columns;
    RowColourHook colours;
    int maxWidthTwips = 0;  // a summary grid's width (0: the window's)
    int maxHeight = 160;    // a summary grid's height in pixels
    // A summary's caption over it (a label named lbl_ + captionName): a user reading two
    // rows of totals side by side must be told which is which.
    QString captionName;
    QString caption;
};

// The range a listing opens on.
enum class ListingPeriod {
    Today,        // today to today
    MonthToDate,  // the first of this month to today: the documents of the month so far
    Tours,        // the first of this month to the end of the third month on: tours coming up
};

struct ListingConfig {
    QString objectName;
    QString title;
    QString statement;   // "SELECT {columns} FROM ... WHERE {filter} AND <joins>"; empty: setQueries()
    QString dateColumn;  // the column of the date range; empty: no date range
    ListingPeriod period = ListingPeriod::MonthToDate;
    QString fromCaption = QStringLiteral("&FROM DATE");
    QString toCaption = QStringLiteral("&TO DATE");
    ListingGridConfig detail;
    QList<ListingGridConfig> summaries;
    QString exportName = QStringLiteral("Cmd_Export");
    QString exportCaption = QStringLiteral("E&XPORT");      // empty: no export
    std::function<void(ListingWindow&, int row)> onChosen;  // double-click or Enter on a detail row
    QSize size = QSize(1000, 600);
};

class ListingWindow : public TaskWindow {
    Q_OBJECT
public:
    ListingWindow(Session& session, QWidget* parent, ListingConfig config);

    QDateEdit* txt_FromDate = nullptr;  // both only with a date range
    QDateEdit* txt_ToDate = nullptr;
    QPushButton* Cmd_Show = nullptr;
    QPushButton* Cmd_Export = nullptr;  // with an export caption
    ListGrid* Grid1 = nullptr;          // the detail grid

    ListGrid* summaryGrid(int i) const { return summaryGrids_.value(i); }
    QLabel* summaryCaption(int i) const { return summaryCaptions_.value(i); }
    QueryModel* detailModel() const { return detail_; }
    const ListingConfig& config() const { return config_; }

    // Show: fills the detail grid and every summary grid for the filter on screen.
    virtual void Load_Grid();
    // SHOW pressed (or Enter in a field that shows): Load_Grid, and a word when nothing is found.
    void showList();
    // Export of the detail grid (Part of every listing): asks for a file, writes every row.
    void Exp_Xls();
    // The filter now on screen.
    ListFilter filter() const;
    // Opened to choose: a row chosen (without a configured onChosen) closes the window and
    // hands the text of its cell in `column` to the window that opened it.
    void pickInto(PickCallback onPick, int column);
    // The hand-off for one row; false when nobody asked for a pick or the cell is empty.
    bool pickRow(int row);

protected:
    // Puts a captioned field on the filter form at (row, column); column 0 and 1 of row 0
    // hold the date range. Returns the field.
    template <class W>
    W* addField(const QString& caption, W* field, int row, int column) {
        placeField(caption, field, row, column);
        return field;
    }
    void placeField(const QString& caption, QWidget* field, int row, int column);
    // A condition read from the fields at every Show.
    void addCondition(std::function<void(ListFilter&)> condition);
    // An option button for one extra filter: its condition applies only while it is chosen;
    // choosing it moves the focus to its field. The first option starts chosen.
    QRadioButton* addOption(const QString& objectName, const QString& caption, QWidget* field,
                            std::function<void(ListFilter&)> condition);
    QGridLayout* form() const { return form_; }
    // A number field compared with a column of the transaction table: digits only, as long
    // as its column, Enter shows the list.
    QLineEdit* numberFilter(const char* objectName, const char* column, int width = 160);
    // A date field as every listing shows one.
    QDateEdit* dateEdit(const char* objectName, const QDate& date = QDate::currentDate());
    // The first and last day of a period, as of today.
    static std::pair<QDate, QDate> periodDates(ListingPeriod period, const QDate& today = QDate::currentDate());
    // Adds to a status list the statuses present in `table` where `where` holds (values bound),
    // read once as the window opens: only what can match is offered.
    void addStatuses(QComboBox* list, const QString& table, const QString& where, const QVariantList& values = {});
    // The grids' queries at every Show, one per grid (detail first); an empty list shows nothing.
    void setQueries(std::function<QList<GridQuery>()> queries) { queries_ = std::move(queries); }
    // A widget between the filter form and the grids (a heading).
    void addAboveGrids(QWidget* w);
    // The party code, its "..." picker and its looked-up name in one box; Enter looks the code
    // up, then runs then.
    QWidget* partyBox(CodeField*& party, std::function<void()> then);
    // The party box captioned "PARTY &CODE" on a row of the form; Enter looks up and moves on.
    CodeField* addPartyField(int row);
    // For a listing of one party: true when the code on screen names one (looked up if only
    // typed); otherwise says so and puts the focus on the code.
    bool partyChosen(CodeField* party);
    // "DB" or "CR".
    QComboBox* sideField(const char* objectName);
    // The codes of a list of M_TBL_CODES, read once as the window opens.
    QStringList codeList(const QString& name);

private:
    ListGrid* makeGrid(const ListingGridConfig& grid, QueryModel** model);
    void chooseRow(int row);
    void fitGrids();
    bool loadQueries(const QList<QueryModel*>& models);

    ListingConfig config_;
    QGridLayout* form_ = nullptr;
    QGridLayout* options_ = nullptr;
    QButtonGroup* optionGroup_ = nullptr;
    QueryModel* detail_ = nullptr;
    QList<QueryModel*> summaries_;
    QList<ListGrid*> summaryGrids_;
    QList<QLabel*> summaryCaptions_;  // null where a summary has no caption
    QList<std::function<void(ListFilter&)>> conditions_;
    std::function<QList<GridQuery>()> queries_;
    bool loaded_ = false;  // the last Load_Grid ran its statements without a failure
    PickCallback onPick_;
    int pickColumn_ = -1;
    QString said_;  // what the grids reported since the last load: said once, not per grid
};

}  // namespace tarvic
