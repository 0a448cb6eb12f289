#pragma once
// The line windows of a quotation: hotel stays, vehicle hire and other charges. One window,
// opened for the quotation QUOT_NO, shows the quotation's header read-only, the grid of its
// lines of one kind (double-click or Enter loads a line), and for hotels and vehicles the
// quotation's itinerary day by day. It prices, saves and deletes lines through
// QuotationLines (one transaction each, the header re-priced inside it) and then calls the
// opener's onPick with the quotation number so the quotation reloads.
//
// A kind states its fields, pricing, checks, question, messages and grid as a LineKindConfig
// and the hooks below; the protocol (checks, question, store, messages, reload) is written once.
#include "data/Money.h"
#include "engine/sales/QuotationLines.h"
#include "shell/kit/Checks.h"
#include "shell/kit/QueryModel.h"
#include "shell/kit/TaskWindow.h"

#include <QList>
#include <QSqlRecord>

class QDateEdit;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace tarvic {

class ListGrid;

struct LineKindConfig {
    QString objectName;    // frm_BQ_...
    QString title;         // caption
    QString kind;          // ACCOUNT_DESC
    QString codeCaption;   // "QOH CODE"
    QString totalCaption;  // "TOTAL AMOUNT" or "TOTAL AMNT"
    bool dayRows = false;  // one day row per night or day, and the itinerary's days shown
    QString questionHead;
    QString saved;   // shown after a stored line (with the kind's lines, if any)
    QString noLine;  // delete pressed with no line loaded
    QString deleteHead;
    QString deleteTail;
    QString deleted;
    // The grid of the kind's lines: columns over "a" (the line) and the kind's joins.
    QList<ListColumn> columns;
    QString select;
    QString joins;
};

// A count or rate that is negative, pasted or stored, is refused by the save.
inline const QString kNegativeRefused = QStringLiteral("CANNOT PROCEED, NEGATIVE VALUE NOT ALLOWED ....");

class QuotationLineWindow : public TaskWindow {
    Q_OBJECT
public:
    QuotationLineWindow(Session& session, QWidget* parent, const WindowArgs& args, LineKindConfig config);
    ~QuotationLineWindow() override;

    QLabel* lbl_DocCode = nullptr;
    QLabel* lbl_DocDate = nullptr;
    QLabel* lbl_DocNo = nullptr;
    QLabel* lbl_LeadNo = nullptr;
    QLabel* lbl_ItineraryNo = nullptr;
    QLabel* lbl_JStartDt = nullptr;
    QLabel* lbl_LineCode = nullptr;
    QDateEdit* txt_TourDt = nullptr;
    QLabel* lbl_TotalAmount = nullptr;
    QLineEdit* txt_Remarks = nullptr;
    ListGrid* Grid1 = nullptr;           // the kind's lines
    ListGrid* Grid_Itinerary = nullptr;  // the itinerary's days (hotel and vehicle)

    const LineKindConfig& config() const { return config_; }
    const LineQuotation& header() const { return header_; }
    qint64 lineNo() const { return lineNo_; }

    // A new line: number 0, fields cleared, dates chained after the kind's last line.
    void Load_Init();
    void Save_Record();
    void Delete_Record();
    // Loads a stored line of the kind; false when it is not there.
    bool Show_Record(qint64 lineNo);
    // Prices the line from the fields on screen and shows the totals.
    void Calc_Total();
    void Load_Grid();

protected:
    // Builds the shared parts; a kind adds its fields in between through addRow().
    void addRow(const QString& caption, QWidget* field, QWidget* beside = nullptr);
    void addRow(const QString& caption, const QList<QWidget*>& fields);
    // Fields the kind makes: a date, a whole count (digits only), a rate, a shown value.
    QDateEdit* dateField(const QString& name);
    QLineEdit* countField(const QString& name);
    QLineEdit* rateField(const QString& name);
    QLabel* shownField(const QString& name, int minWidth = 90);
    // Finishes the layout; the kind calls it at the end of its constructor.
    void finish();

    // The kind's part of a line.
    virtual void clearOwn() = 0;
    // Dates of a new line from the journey start and the kind's last check-out (may be null).
    virtual void initDates(const QDate& journeyStart, const QDate& lastCheckOut) = 0;
    virtual void showOwn(const QSqlRecord& line) = 0;
    // Prices what is on screen, shows it, returns the line's total (nullopt beyond the
    // largest amount).
    virtual std::optional<Money> price() = 0;
    virtual QList<Check> ownChecks() = 0;
    virtual QList<std::pair<QString, QString>> questionLines() = 0;
    virtual QList<std::pair<QString, QString>> savedLines() { return {}; }
    virtual QList<std::pair<QString, QString>> deleteLines() = 0;
    // TOUR_DATE and the kind's columns; TOTAL_AMOUNT and REMARKS are added by the window.
    virtual Columns ownColumns() = 0;
    virtual int dayCount() { return 0; }

    static qint64 count(const QLineEdit* e);
    static Money rate(const QLineEdit* e);
    Money total() const { return total_.value_or(Money()); }

private:
    void readHeader();
    void Load_ItineraryGrid();
    void rowChosen(int row);
    void changed();
    void setOpen(bool open);

    LineKindConfig config_;
    PickCallback onChange_;
    LineQuotation header_;
    qint64 lineNo_ = 0;
    std::optional<Money> total_;
    bool pricing_ = false;
    QGridLayout* form_ = nullptr;
    int formRow_ = 0;
    QList<QLineEdit*> nonNegative_;
    QueryModel* lines_ = nullptr;
    QueryModel* days_ = nullptr;
};

}  // namespace tarvic
