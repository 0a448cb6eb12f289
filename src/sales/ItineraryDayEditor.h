#pragma once
// The day lines of an itinerary, one class for two tables:
// - frm_Itinerary_Details ("ADD ITINERARY DETAILS"): the standard itinerary ITN_DOCNO; a line
//   is added under a new serial number, replaced under an existing one, or deleted;
// - frm_BusinessLead_ModItinerary ("MODIFY ITINERARY DETAILS"): quotation QUOT_NO's own copy
//   of itinerary ITN_DOCNO; only lines that exist (by their key) are changed.
// After a stored change the opener's args.onPick is called (with the quotation's number for
// the copy, the itinerary's for the standard one), so it reads its grid again.
#include "shell/kit/TaskWindow.h"

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tarvic {

class ListGrid;
class QueryModel;

struct DayEditorConfig {
    QString object;
    QString title;
    QString table;
    QString question;  // the question's second line
    bool quotationCopy = false;

    static DayEditorConfig standard();
    static DayEditorConfig quotation();
};

class ItineraryDayEditor : public TaskWindow {
    Q_OBJECT
public:
    ItineraryDayEditor(const DayEditorConfig& config, Session& session, QWidget* parent, const WindowArgs& args);

    QLabel* lbl_ItnCode = nullptr;
    QLabel* lbl_QuoteNo = nullptr;  // the copy only
    QLineEdit* txt_SlNO = nullptr;
    QLineEdit* txt_Day = nullptr;
    QLineEdit* txt_Place = nullptr;
    QPlainTextEdit* txt_Desc = nullptr;
    QLineEdit* txt_Dist = nullptr;
    QLineEdit* txt_Time = nullptr;
    QCheckBox* Chk_Dist = nullptr;
    QCheckBox* Chk_Hours = nullptr;
    ListGrid* Grid1 = nullptr;

    void Load_Init();
    void Load_Grid1();
    // Loads the line of that serial number into the fields.
    void Show_Line(qint64 slno);
    void Save_Record();
    void Delete_Record();

private:
    // "ITN_DOCNO=? [AND QUOT_NO=?]" with its values appended.
    QString keyWhere(QVariantList& values) const;
    std::optional<qint64> highestSerial();
    bool lineExists(qint64 slno);
    // The quotation whose copy is edited, 0 for the standard itinerary.
    qint64 copyOf() const { return config_.quotationCopy ? quotation_ : 0; }
    QList<std::pair<QString, QString>> lineValues() const;
    void stored();

    DayEditorConfig config_;
    WindowArgs args_;
    qint64 itinerary_ = 0;
    qint64 quotation_ = 0;
    qint64 loaded_ = 0;  // the line loaded from the grid, 0 when none
    QueryModel* model_ = nullptr;
};

}  // namespace tarvic
