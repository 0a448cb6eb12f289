#pragma once
// "Export - Import Menu Details": carries the menu catalogue (M_TBL_MENUDETAILS) between
// installations in a transfer file, a single-file SQLite database with the one table
// M_Tbl_MenuDetails. Export replaces the file's catalogue and compacts the file; import
// merges the file's catalogue into the server and gives every login that has rights rows a
// visible row for each entry it lacks.
//
// Both directions are all or nothing: the export writes the file in one file transaction,
// the import writes the server in one database transaction. A half-written file would later
// be imported as if it were a whole catalogue, and a half-imported catalogue would leave
// logins without rows for entries they can see.
#include "shell/kit/TaskWindow.h"

#include <QString>

class QLabel;
class QPushButton;
class QRadioButton;

namespace tarvic {

inline const QString kTransferDialogTitle = QStringLiteral("SELECT FILE FOR EXPORT/IMPORT");
inline const QString kTransferFilter = QStringLiteral("SELECT FILES (*.dat)");

namespace menus {
class TransferFile;
}

class frm_ExpImpMenuDetails : public TaskWindow {
    Q_OBJECT
public:
    frm_ExpImpMenuDetails(Session& session, QWidget* parent = nullptr);
    ~frm_ExpImpMenuDetails() override;

    QLabel* lbl_FilePath = nullptr;
    QRadioButton* Option1 = nullptr;  // export
    QRadioButton* Option2 = nullptr;  // import
    QPushButton* Cmd_Browse = nullptr;
    QPushButton* Cmd_Proceed = nullptr;
    QLabel* lbl_Msg = nullptr;

    void Load_Init();
    void Select_File();
    void ConnectDB();

signals:
    // Every text lbl_Msg shows, as it is shown (progress is otherwise gone by the next line).
    void progress(const QString& text);

private:
    void setCaption();
    void showMsg(const QString& text);
    void ExpData();
    void ImpData();
    void CompactDB();

    QString path_;
    menus::TransferFile* file_ = nullptr;  // open only between ConnectDB and the end of the work
};

}  // namespace tarvic
