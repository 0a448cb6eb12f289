#include "frm_ExpImpMenuDetails.h"

#include "data/ColumnLengths.h"
#include "data/Compaction.h"
#include "shell/kit/BusyCursor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVersionNumber>

#include <sqlite3.h>

#include <stdexcept>

namespace tarvic {

namespace {

TransferPathProvider& pathProvider() {
    static TransferPathProvider provider;
    return provider;
}

QString askPath(QWidget* parent) {
    if (const auto& provider = pathProvider())
        return provider(parent, kTransferDialogTitle, kTransferFilter);
    // An open dialog that also takes a new name: an export may go into a file not yet made.
    QFileDialog dialog(parent, kTransferDialogTitle, QString(), kTransferFilter);
    dialog.setFont(QFont(QStringLiteral("arial")));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

struct TransferError : std::runtime_error {
    explicit TransferError(const QString& text) : std::runtime_error(text.toStdString()), message(text) {}
    QString message;
};

// One catalogue entry as it travels; a null value stays null on the other side.
struct Entry {
    QVariant menuId, groupId, groupName, menuName, caption;
};

QVariant nullInt() { return QVariant(QMetaType::fromType<qlonglong>()); }
QVariant nullText() { return QVariant(QMetaType::fromType<QString>()); }

// Whole numbers arrive as numbers from SQLite and as exact text from PostgreSQL.
QVariant asInt(const QVariant& v) {
    if (v.isNull())
        return nullInt();
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    return ok ? QVariant(n) : nullInt();
}
QVariant asText(const QVariant& v) { return v.isNull() ? nullText() : QVariant(v.toString()); }

QString shown(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

}  // namespace

TransferPathProvider setTransferPathProvider(TransferPathProvider provider) {
    TransferPathProvider old = std::move(pathProvider());
    pathProvider() = std::move(provider);
    return old;
}

// The transfer file through SQLite's own library: the one data source of the program is the
// server, and this file is a separate, local database of one table.
class MenuTransferFile {
public:
    ~MenuTransferFile() { close(); }

    // An export may create the file; an import needs an existing one (a mistyped path must
    // not turn into an empty catalogue). A file that is no database is refused here.
    void open(const QString& path, bool create) {
        close();
        if (path.trimmed().isEmpty())
            throw TransferError(QString::fromUtf8(sqlite3_errstr(SQLITE_CANTOPEN)));
        const int flags = create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY;
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr);
        if (rc != SQLITE_OK) {
            const QString text = error();
            close();
            throw TransferError(text);
        }
        sqlite3_busy_timeout(db_, 5000);
        try {
            run("SELECT COUNT(*) FROM sqlite_master");
        } catch (...) {
            close();
            throw;
        }
    }
    void close() {
        if (db_)
            sqlite3_close_v2(db_);
        db_ = nullptr;
    }
    bool isOpen() const { return db_ != nullptr; }

    void begin() { run("BEGIN IMMEDIATE"); }
    void commit() { run("COMMIT"); }
    void rollback() {
        if (db_ && !sqlite3_get_autocommit(db_))
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }

    // A new or empty file gets the table; a file that has it keeps its own.
    void ensureTable() {
        run("CREATE TABLE IF NOT EXISTS M_Tbl_MenuDetails (Menu_Id INTEGER PRIMARY KEY, Group_Id INTEGER, "
            "Group_Name TEXT, Menu_Name TEXT, Menu_Caption TEXT)");
    }
    void clear() { run(" DELETE FROM M_Tbl_MenuDetails "); }

    void add(const Entry& e) {
        Statement st(*this, "INSERT INTO M_Tbl_MenuDetails (Menu_Id, Group_Id, Group_Name, Menu_Name, Menu_Caption) "
                            "VALUES (?1, ?2, ?3, ?4, ?5)");
        st.bindInt(1, e.menuId);
        st.bindInt(2, e.groupId);
        st.bindText(3, e.groupName);
        st.bindText(4, e.menuName);
        st.bindText(5, e.caption);
        if (sqlite3_step(st.handle) != SQLITE_DONE)
            throw TransferError(error());
    }

    QList<Entry> entries() {
        Statement st(*this, " SELECT * FROM M_TBL_MENUDETAILS ");
        QHash<QString, int> col;
        for (int i = 0; i < sqlite3_column_count(st.handle); ++i)
            col.insert(QString::fromUtf8(sqlite3_column_name(st.handle, i)).toUpper(), i);
        for (const char* name : {"MENU_ID", "GROUP_ID", "GROUP_NAME", "MENU_NAME", "MENU_CAPTION"})
            if (!col.contains(QLatin1String(name)))
                throw TransferError(QStringLiteral("no such column: %1").arg(QLatin1String(name)));
        QList<Entry> out;
        int rc;
        while ((rc = sqlite3_step(st.handle)) == SQLITE_ROW) {
            out.append({st.intAt(col.value(QStringLiteral("MENU_ID"))), st.intAt(col.value(QStringLiteral("GROUP_ID"))),
                        st.textAt(col.value(QStringLiteral("GROUP_NAME"))), st.textAt(col.value(QStringLiteral("MENU_NAME"))),
                        st.textAt(col.value(QStringLiteral("MENU_CAPTION")))});
        }
        if (rc != SQLITE_DONE)
            throw TransferError(error());
        return out;
    }

private:
    struct Statement {
        Statement(MenuTransferFile& f, const char* sql) {
            if (sqlite3_prepare_v2(f.db_, sql, -1, &handle, nullptr) != SQLITE_OK)
                throw TransferError(f.error());
        }
        ~Statement() { sqlite3_finalize(handle); }
        void bindInt(int i, const QVariant& v) {
            const QVariant n = asInt(v);
            if (n.isNull())
                sqlite3_bind_null(handle, i);
            else
                sqlite3_bind_int64(handle, i, n.toLongLong());
        }
        void bindText(int i, const QVariant& v) {
            if (v.isNull()) {
                sqlite3_bind_null(handle, i);
                return;
            }
            const QByteArray utf8 = v.toString().toUtf8();
            sqlite3_bind_text(handle, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        QVariant intAt(int c) const {
            if (sqlite3_column_type(handle, c) == SQLITE_NULL)
                return nullInt();
            if (sqlite3_column_type(handle, c) == SQLITE_INTEGER)
                return QVariant(qlonglong(sqlite3_column_int64(handle, c)));
            return asInt(textAt(c));
        }
        QVariant textAt(int c) const {
            if (sqlite3_column_type(handle, c) == SQLITE_NULL)
                return nullText();
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(handle, c)),
                                     sqlite3_column_bytes(handle, c));
        }
        sqlite3_stmt* handle = nullptr;
    };

    void run(const char* sql) {
        Statement st(*this, sql);
        int rc;
        while ((rc = sqlite3_step(st.handle)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            throw TransferError(error());
    }
    QString error() const { return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(SQLITE_NOMEM)); }

    sqlite3* db_ = nullptr;
};

frm_ExpImpMenuDetails::frm_ExpImpMenuDetails(Session& session, QWidget* parent)
    : TaskWindow(session, parent), file_(new MenuTransferFile) {
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
    const QString path = askPath(this);
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
    } catch (const TransferError& e) {
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

        QList<Entry> rows;
        QSqlQuery q = db().exec(QStringLiteral(" SELECT * FROM M_TBL_MENUDETAILS "));
        while (q.next()) {
            rows.append({asInt(q.value(QStringLiteral("MENU_ID"))), asInt(q.value(QStringLiteral("GROUP_ID"))),
                         asText(q.value(QStringLiteral("GROUP_NAME"))), asText(q.value(QStringLiteral("MENU_NAME"))),
                         asText(q.value(QStringLiteral("MENU_CAPTION")))});
        }
        q.finish();
        if (rows.isEmpty()) {
            // Nothing replaces the file's catalogue: it keeps what it had.
            file_->rollback();
            prompter().information(this, QStringLiteral("NO RECORDS AVAILABLE FOR EXPORTING ...."));
            file_->close();
            Load_Init();
            return;
        }
        for (const Entry& e : rows) {
            showMsg(QStringLiteral("EXPORTING MENU DETAILS.... \nMENU ID : ") + shown(e.menuId) +
                    QStringLiteral("\nGROUP ID : ") + shown(e.groupId) + QStringLiteral("\nGROUP NAME: ") +
                    shown(e.groupName) + QStringLiteral("\nMENU NAME: ") + shown(e.menuName) +
                    QStringLiteral("\nCAPTION: ") + shown(e.caption));
            file_->add(e);
        }
        file_->commit();
    } catch (const TransferError& e) {
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
    QList<Entry> rows;
    try {
        rows = file_->entries();
    } catch (const TransferError& e) {
        prompter().information(this, QStringLiteral("IMPDATA : ") + e.message);
        return;
    }
    if (rows.isEmpty()) {
        prompter().information(this, QStringLiteral("NO RECORDS AVAILABLE FOR IMPORT ...."));
        return;
    }
    try {
        db().transact([&] {
            // MENU_ID alone names an entry (it is the catalogue's key): an entry the other
            // installation moved to another group is updated, not added a second time.
            for (const Entry& e : rows) {
                // A file from elsewhere may hold longer names than this catalogue's columns.
                checkTextLengths(db(), QStringLiteral("M_TBL_MENUDETAILS"),
                                 {{QStringLiteral("GROUP_NAME"), e.groupName},
                                  {QStringLiteral("MENU_NAME"), e.menuName},
                                  {QStringLiteral("MENU_CAPTION"), e.caption}});
                const bool exists =
                    db().firstRow(QStringLiteral(" SELECT * FROM M_TBL_MENUDETAILS  WHERE MENU_ID=?"), {e.menuId}).has_value();
                if (exists) {
                    db().exec(QStringLiteral("UPDATE M_TBL_MENUDETAILS SET GROUP_ID=?, GROUP_NAME=?, MENU_NAME=?, "
                                             "MENU_CAPTION=? WHERE MENU_ID=?"),
                              {e.groupId, e.groupName, e.menuName, e.caption, e.menuId});
                } else {
                    db().exec(QStringLiteral("INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, "
                                             "MENU_CAPTION) VALUES (?, ?, ?, ?, ?)"),
                              {e.menuId, e.groupId, e.groupName, e.menuName, e.caption});
                }
            }

            showMsg(QStringLiteral("SETTING MENU ACCESS FOR MEMBERS  ...."));
            QList<QVariant> logins;
            {
                QSqlQuery q = db().exec(QStringLiteral("SELECT LOGIN_ID FROM M_TBL_MENUSHOW WHERE LOGIN_ID IS NOT NULL "
                                                       "GROUP BY LOGIN_ID  ORDER BY LOGIN_ID"));
                while (q.next())
                    logins.append(asInt(q.value(0)));
            }
            QList<std::pair<QVariant, QString>> catalogue;
            {
                QSqlQuery q = db().exec(QStringLiteral("SELECT * FROM M_TBL_MENUDETAILS ORDER BY GROUP_ID, MENU_ID "));
                while (q.next())
                    catalogue.append({asInt(q.value(QStringLiteral("MENU_ID"))),
                                      q.value(QStringLiteral("MENU_CAPTION")).toString()});
            }
            for (const QVariant& login : logins) {
                for (const auto& [menuId, caption] : catalogue) {
                    showMsg(QStringLiteral("LOGIN ID : ") + login.toString() + QStringLiteral("\nMENU : ") + caption);
                    const bool has = db().firstRow(QStringLiteral("SELECT * FROM M_TBL_MENUSHOW  WHERE LOGIN_ID=? AND MENU_ID=?"),
                                                   {login, menuId})
                                         .has_value();
                    if (!has)
                        db().exec(QStringLiteral("INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) "
                                                 "VALUES (?, ?, ?, ?)"),
                                  {login, menuId, QStringLiteral("Y"), QStringLiteral(".Enabled=TRUE")});
                }
            }
        });
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
