#pragma once
// A SQLite file opened through SQLite's own library, beside the one data source of the program:
// a backup's copy, the embedded database read for a move or compacted, the menu transfer file.
// Values are bound, never put into the text; a failure throws SqliteError with SQLite's own
// words and extended code.
#include <QString>
#include <QVariantList>

#include <functional>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

namespace tarvic {

struct SqliteError : std::runtime_error {
    SqliteError(const QString& text, int code) : std::runtime_error(text.toStdString()), message(text), code(code) {}
    QString message;
    int code;  // SQLite's extended result code
};

class SqliteFile {
public:
    // ReadOnly and ReadWrite need the file (a mistyped path must not become an empty
    // database); Create makes it when missing.
    enum class Mode { ReadOnly, ReadWrite, Create };

    // One row of a running statement, read while the callback runs.
    class Row {
    public:
        int count() const;
        QString name(int column) const;  // as the statement names it
        bool isNull(int column) const;
        // A whole number (a null is a null qlonglong); a text holding one is read as it.
        QVariant integer(int column) const;
        // Text as stored (a null is a null QString).
        QVariant text(int column) const;
        QString string(int column) const;

    private:
        friend class SqliteFile;
        explicit Row(sqlite3_stmt* st) : st_(st) {}
        sqlite3_stmt* st_;
    };

    SqliteFile() = default;
    SqliteFile(const QString& path, Mode mode) { open(path, mode); }
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    // Opens the file (closing any other), waiting up to five seconds for another program's lock.
    void open(const QString& path, Mode mode);
    // The result of closing: not SQLITE_OK when a statement or a backup still holds the file.
    int close();
    bool isOpen() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }

    // Runs sql to its end with values bound in order (null, whole number, number, text); each
    // row goes to row while it is read.
    void run(const QString& sql, const QVariantList& values = {}, const std::function<void(const Row&)>& row = {});
    // The first column of the first row as text; a null QString for none.
    QString first(const QString& sql, const QVariantList& values = {});

    void begin() { run(QStringLiteral("BEGIN IMMEDIATE")); }
    void commit() { run(QStringLiteral("COMMIT")); }
    // Undoes an open transaction; nothing when none is open.
    void rollback();

    QString error() const;
    int errorCode() const;

private:
    [[noreturn]] void fail() const;
    sqlite3* db_ = nullptr;
};

}  // namespace tarvic
