#include "frm_ExpImpMenuDetails.h"

#include "data/ColumnLengths.h"
#include "data/Compaction.h"
#include "engine/admin/MenuCatalogue.h"
#include "shell/kit/BusyCursor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVersionNumber>

#include <stdexcept>

namespace tarvic {

namespace {

QString shown(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

}  // namespace

frm_ExpImpMenuDetails::frm_ExpImpMenuDetails(Session& session, QWidget* parent)
    : TaskWindow(session, parent), file_(new menus::TransferFile) {
    setObjectName(QStringLiteral("frm_ExpImpMenuDetails"));
    setWindowTitle(QStringLiteral("Export - Import Menu Details"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    lbl_FilePath = new QLabel(this);
    lbl_FilePath->setObjectName(QStringLiteral("lbl_FilePath"));
    lbl_FilePath->setFrameShape(QFrame::StyledPanel);
    lbl_FilePath->setFrameShadow(QFrame::Sunken);
    lbl_FilePath->setMinimumWidth(380);
    lbl_FilePath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Cmd_Browse = new QPushButton(QStringLiteral("&Browse ..."), this);
    Cmd_Browse->setObjectName(QStringLiteral("Cmd_Browse"));
    grid->addWidget(new QLabel(QStringLiteral("FILE PATH"), this), 0, 0);
    grid->addWidget(lbl_FilePath, 0, 1);
    grid->addWidget(Cmd_Browse, 0, 2);

    Option1 = new QRadioButton(QStringLiteral("&EXPORT MENU DETAILS"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(QStringLiteral("&IMPORT MENU DETAILS"), this);
    Option2->setObjectName(QStringLiteral("Option2"));
    auto* options = new QHBoxLayout;
    options->addWidget(Option1);
    options->addWidget(Option2);
    options->addStretch(1);
    grid->addLayout(options, 1, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    body()->addLayout(grid);

    Cmd_Proceed = new QPushButton(this);
    Cmd_Proceed->setObjectName(QStringLiteral("Cmd_Proceed"));
    auto* proceed = new QHBoxLayout;
    proceed->addStretch(1);
    proceed->addWidget(Cmd_Proceed);
    proceed->addStretch(1);
    body()->addLayout(proceed);

    lbl_Msg = new QLabel(this);
    lbl_Msg->setObjectName(QStringLiteral("lbl_Msg"));
    lbl_Msg->setFrameShape(QFrame::StyledPanel);
    lbl_Msg->setFrameShadow(QFrame::Sunken);
    lbl_Msg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl_Msg->setWordWrap(true);
    lbl_Msg->setMinimumHeight(130);
    lbl_Msg->setMargin(6);
    body()->addWidget(lbl_Msg, 1);
    resize(600, 300);

    connect(Cmd_Browse, &QPushButton::clicked, this, [this] { Select_File(); });
    connect(Cmd_Proceed, &QPushButton::clicked, this, [this] { ConnectDB(); });
    connect(Option1, &QRadioButton::toggled, this, [this] { setCaption(); });
    connect(Option2, &QRadioButton::toggled, this, [this] { setCaption(); });
    Load_Init();
}

frm_ExpImpMenuDetails::~frm_ExpImpMenuDetails() { delete file_; }

void frm_ExpImpMenuDetails::setCaption() {
    Cmd_Proceed->setText(Option2->isChecked() ? QStringLiteral("&Proceed Import Menu") : QStringLiteral("&Proceed Export Menu"));
}

void frm_ExpImpMenuDetails::showMsg(const QString& text) {
    lbl_Msg->setText(text);
    // The work runs on the one thread: paint now, or the user sees only the last text.
    if (lbl_Msg->isVisible())
        lbl_Msg->repaint();
    emit progress(text);
}

void frm_ExpImpMenuDetails::Load_Init() {
    path_.clear();
    lbl_FilePath->clear();
    Option1->setChecked(true);
    setCaption();
}

void frm_ExpImpMenuDetails::Select_File() {
    // An export may go into a file not yet made; an import reads one that is there.
    QString path = Option1->isChecked() ? prompter().askSavePath(this, kTransferDialogTitle, kTransferFilter)
                                        : prompter().askOpenPath(this, kTransferDialogTitle, kTransferFilter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(".dat");
    if (path.isEmpty())
        return;
    path_ = path;
    lbl_FilePath->setText(QDir::toNativeSeparators(path));
}

void frm_ExpImpMenuDetails::ConnectDB() {
    const QString before = lbl_Msg->text();
    const bool exporting = Option1->isChecked();
    showMsg(QStringLiteral("Please wait while connection is established with ") + path_);
    try {
        file_->open(path_, exporting);
    } catch (const SqliteError& e) {
        // The window stays as it was; the reason is told.
        showMsg(before);
        prompter().information(this, e.message);
        return;
    }
    showMsg(QStringLiteral("Connection is established with ") + path_);
    if (!prompter().question(this, QStringLiteral("Want to proceed preparing Data(Y/N)?"))) {
        file_->close();
        showMsg(QString());
        return;
    }
    if (exporting) {
        ExpData();
        file_->close();
        if (!path_.isEmpty())  // empty after "nothing to export" reset the window
            CompactDB();
    } else {
        ImpData();
        file_->close();
    }
}

void frm_ExpImpMenuDetails::ExpData() {
    BusyCursor busy;
    showMsg(QStringLiteral("Exporting of Menu Details about to begin"));
    try {
        showMsg(QStringLiteral("PLEASE WAIT CLEARING PREVIOUS DETAILS ....."));
        file_->begin();
        file_->ensureTable();
        file_->clear();

        const QList<menus::Entry> rows = menus::catalogue(db());
        if (rows.isEmpty()) {
            // Nothing replaces the file's catalogue: it keeps what it had.
            file_->rollback();
            prompter().information(this, QStringLiteral("NO RECORDS AVAILABLE FOR EXPORTING ...."));
            file_->close();
            Load_Init();
            return;
        }
        for (const menus::Entry& e : rows) {
            showMsg(QStringLiteral("EXPORTING MENU DETAILS.... \nMENU ID : ") + shown(e.menuId) +
                    QStringLiteral("\nGROUP ID : ") + shown(e.groupId) + QStringLiteral("\nGROUP NAME: ") +
                    shown(e.groupName) + QStringLiteral("\nMENU NAME: ") + shown(e.menuName) +
                    QStringLiteral("\nCAPTION: ") + shown(e.caption));
            file_->add(e);
        }
        file_->commit();
    } catch (const SqliteError& e) {
        file_->rollback();
        prompter().information(this, QStringLiteral("EXPDATA : ") + e.message);
        return;
    } catch (const DbError& e) {
        file_->rollback();
        prompter().information(this, QStringLiteral("EXPDATA : ") + e.message());
        return;
    }
    prompter().information(this, QStringLiteral("EXPORT SUCCESSFULLY DONE..."));
}

void frm_ExpImpMenuDetails::ImpData() {
    BusyCursor busy;
    showMsg(QStringLiteral("PLEASE WAIT..., ABOUT TO IMPORT DETAILS ..."));
    QList<menus::Entry> rows;
    try {
        rows = file_->entries();
    } catch (const SqliteError& e) {
        prompter().information(this, QStringLiteral("IMPDATA : ") + e.message);
        return;
    }
    if (rows.isEmpty()) {
        prompter().information(this, QStringLiteral("NO RECORDS AVAILABLE FOR IMPORT ...."));
        return;
    }
    try {
        menus::importCatalogue(db(), rows, [this](const QString& text) { showMsg(text); });
    } catch (const DbError& e) {
        prompter().information(this, QStringLiteral("IMPDATA : ") + e.message());
        return;
    }
    prompter().information(this, QStringLiteral("IMPORT SUCCESSFULLY DONE..."));
}

void frm_ExpImpMenuDetails::CompactDB() {
    const CompactResult r = compactDatabase(path_, QString(), 0);
    if (!r.ok()) {
        const QString program = QCoreApplication::applicationName();
        prompter().critical(this, compactionErrorReport(program, QVersionNumber::fromString(QCoreApplication::applicationVersion()), r),
                            compactionErrorTitle(program));
        showMsg(QStringLiteral("Compacting database Failed!"));
        return;
    }
    showMsg(QStringLiteral("Compacting Database Result\n") + QString(43, QLatin1Char('-')) +
            QStringLiteral("\nSize Before Compact: ") + QString::number(r.sizeBefore) + QStringLiteral(" bytes") +
            QStringLiteral("\nSiza After Compact: ") + QString::number(r.sizeAfter) + QStringLiteral(" bytes"));
}

}  // namespace tarvic
