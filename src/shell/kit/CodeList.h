#pragma once
// Code lists and code fields: a name shown, a code kept.
//
// A CodeSource names where the codes come from, once for every window that lists them:
//
//     const CodeSource kState{"M_TBL_CSP_STATE", "STATE_CODE", "STATE_NAME", {"COUNTRY_CODE"}};
//
// A CodeList is a combo box of the source's names that knows each item's code. Its code is
// that of the item chosen or of the item whose name is typed exactly; anything else names
// no code. A list made with a parent list holds the rows of the parent's code (a state list
// under a country list, a place list under a state list) and reads them again whenever the
// parent's code changes.
//
// A CodeField is a typed code with its looked-up name: the key is set only by a look-up that
// finds the row; editing the code clears the name and the key; a picker may be opened from
// its button and hands the chosen code back.
#include "shell/Session.h"
#include "shell/kit/Picker.h"

#include <QComboBox>
#include <QStringList>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvic {

struct CodeSource {
    QString table;
    QString codeColumn;
    QString nameColumn;
    // Columns bound to the codes of the parent lists, outermost first (a place list:
    // COUNTRY_CODE, STATE_CODE). Empty for a list of its own.
    QStringList parentColumns = {};
    // Only whole numbers are codes (a typed "12A" names no row).
    bool wholeNumbers = true;
    // The order of the list when it is not by name (statuses keep their own order).
    QString orderBy = {};
};

class CodeList : public QComboBox {
    Q_OBJECT
public:
    CodeList(Session& session, const CodeSource& source, QWidget* parent, CodeList* parentList = nullptr);

    const CodeSource& source() const { return source_; }
    // The code of the name shown, or empty.
    QString code() const { return code_; }
    // The codes of the parent lists and this one, outermost first; empty while any is missing.
    QStringList codes() const;

    // Reads the rows again (those of the parent's code). The name shown stays and keeps its
    // code if it is still listed. A failure is shown and leaves the list empty; returns false.
    bool load();
    // Shows nothing and names no code.
    void clearChoice();
    // Shows the item of a stored code. A code no longer listed is kept as it was stored, with
    // name shown as the text of an editable list.
    void setCode(const QString& code, const QString& name = {});

    // When the parent's code changes the list is read again; by default what was shown is
    // cleared, with this set the name typed is kept and looked up among the new rows.
    void setKeepsTextOnParentChange(bool keep) { keepText_ = keep; }

signals:
    void codeChanged(const QString& code);

private:
    void textChanged();
    void parentChanged();
    void setCodeValue(const QString& code);

    Session& session_;
    CodeSource source_;
    CodeList* parentList_;
    QString code_;
    bool keepText_ = false;
    bool settling_ = false;
};

class CodeField : public QObject {
    Q_OBJECT
public:
    // Makes the code box and the name label, children of owner, with these object names.
    CodeField(Session& session, const CodeSource& source, QWidget* owner, const QString& editName,
              const QString& nameLabelName);

    QLineEdit* edit() const { return edit_; }
    QLabel* nameLabel() const { return name_; }
    QPushButton* pickButton() const { return pick_; }

    // The code of the row last found by a look-up, or empty.
    QString key() const { return key_; }
    // Looks the code typed up: shows the row's name and sets the key, or clears both. A
    // failure is shown; returns whether a row was found.
    bool lookUp();
    // Shows a stored code with its name (read with the record) as the key.
    void setLoaded(const QString& code, const QString& name);
    void clear();

    // A "..." button, child of owner, that opens a picker: open receives the callback that
    // takes the chosen code (which is then looked up).
    QPushButton* addPicker(const QString& buttonName, std::function<void(PickCallback)> open);

signals:
    void keyChanged(const QString& key);

private:
    void setKey(const QString& key);

    Session& session_;
    CodeSource source_;
    QWidget* owner_;
    QLineEdit* edit_;
    QLabel* name_;
    QPushButton* pick_ = nullptr;
    QString key_;
};

}  // namespace tarvic
