#pragma once
// Country, state and place maintenance: one window configured per member (GeographyLevel).
// A member names its table and counter, the lists of the levels above it (a state is kept
// under a country, a place under a country and a state), its extra fields, grid, checks,
// question and messages. Choosing a parent shows the rows under it; a row chosen from the
// grid is edited under its own code; a new row takes the next number only when saved.
#include "shell/kit/CodeList.h"
#include "shell/kit/TaskWindow.h"

#include <QSize>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tarvic {

struct GeographyLevel {
    // An entry field beside the name, stored in its own column.
    struct Extra {
        enum class Kind { UpperText, Flag };  // Flag: "N" or "Y"
        Kind kind;
        QString objectName;
        QString caption;
        QString column;  // its field takes the column's length
        QString questionLabel;
    };
    // What a grid column shows.
    enum class Cell { SlNo, Name, Code, Extra1, Extra2, Created, Updated };
    struct GridColumn {
        QString heading;
        int width;
        Cell cell;
        Qt::Alignment align = Qt::AlignLeft;
    };
    struct Parent {
        QString listName;  // Cmb_Country
        QString caption;   // SELECT &COUNTRY
        QString message;   // when no row of the list is named
        QString questionLabel;
    };

    QString objectName;
    QString title;
    CodeSource source;
    QString counter;
    QString codeLabelName;
    QString codeCaption;
    QString nameCaption;
    QList<Parent> parents;  // outermost first; each lists the source of that level
    QList<Extra> extras;
    bool audit = true;  // created / updated by - on, on screen and in the grid
    QList<GridColumn> grid;
    QString blankNameMessage;
    QString duplicateNameMessage;  // another row under the same parents has the name
    QString nameQuestionLabel;  // empty: saved without a question
    QString questionHead;
    QString questionTail;
    QString savedMessage;
    QSize size;
    // Runs inside the save's transaction after the row is written (key: parents' codes and the
    // row's own, in order; extras: their values).
    std::function<void(Database&, const QVariantList& key, const QVariantList& extras)> afterWrite;

    static const GeographyLevel& country();
    static const GeographyLevel& state();
    static const GeographyLevel& place();
};

class GeographyMaster : public TaskWindow {
    Q_OBJECT
public:
    GeographyMaster(const GeographyLevel& level, Session& session, QWidget* parent = nullptr);

    const GeographyLevel& level() const { return level_; }

    CodeList* Cmb_Country = nullptr;  // states and places
    CodeList* Cmb_State = nullptr;    // places
    QLabel* lbl_Code = nullptr;
    QLineEdit* txt_Name = nullptr;
    QLabel* lbl_CreatedByOn = nullptr;
    QLabel* lbl_UpdateByOn = nullptr;
    QTableWidget* Grid1 = nullptr;

    void Load_Init();
    void Save_Record();
    void Load_Grid1();

protected:
    QWidget* extra(int i) const { return extras_.value(i); }

private:
    void clearEntry();
    void chooseDefaultCountry();
    void parentChanged();
    void rowChosen(int row);
    QString extraValue(int i) const;
    void setExtraValue(int i, const QString& value);
    QStringList parentCodes() const;
    // " WHERE <parent column>=? AND ..." for the parents chosen, their codes added to values.
    QString underParents(QVariantList& values) const;
    // Whether another row under the parents chosen has this name, whatever its case.
    bool nameTaken(const QString& name) const;

    const GeographyLevel& level_;
    QList<CodeList*> lists_;
    QList<QWidget*> extras_;
};

class frm_CSP_Country : public GeographyMaster {
    Q_OBJECT
public:
    frm_CSP_Country(Session& session, QWidget* parent = nullptr)
        : GeographyMaster(GeographyLevel::country(), session, parent) {}
};

class frm_CSP_State : public GeographyMaster {
    Q_OBJECT
public:
    frm_CSP_State(Session& session, QWidget* parent = nullptr);
    QLineEdit* txt_StateCode = nullptr;  // the tax state code
    QComboBox* Cmb_Def = nullptr;        // the one default (home) state
};

class frm_CSP_Place : public GeographyMaster {
    Q_OBJECT
public:
    frm_CSP_Place(Session& session, QWidget* parent = nullptr)
        : GeographyMaster(GeographyLevel::place(), session, parent) {}
};

// frm_CSP_Country, frm_CSP_State and frm_CSP_Place.
void registerGeographyWindows(WindowRegistry& registry);

}  // namespace tarvic
