#include "SqliteFile.h"

#include <QFile>

#include <sqlite3.h>

namespace tarvic {

int SqliteFile::Row::count() const {
    return sqlite3_column_count(st_);
}

QString SqliteFile::Row::name(int column) const {
    return QString::fromUtf8(sqlite3_column_name(st_, column));
}

bool SqliteFile::Row::isNull(int column) const {
    return sqlite3_column_type(st_, column) == SQLITE_NULL;
}

QVariant SqliteFile::Row::integer(int column) const {
    const QVariant none(QMetaType::fromType<qlonglong>());
    switch (sqlite3_column_type(st_, column)) {
        case SQLITE_NULL:
            return none;
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(st_, column)));
        default: {
            bool ok = false;
            const qlonglong n = string(column).trimmed().toLongLong(&ok);
            return ok ? QVariant(n) : none;
        }
    }
}

QVariant SqliteFile::Row::text(int column) const {
    return isNull(column) ? QVariant(QMetaType::fromType<QString>()) : QVariant(string(column));
}

QString SqliteFile::Row::string(int column) const {
    if (isNull(column))
        return {};
    // column_text before column_bytes: the length is of the text form.
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(st_, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(st_, column));
}

SqliteFile::~SqliteFile() {
    close();
}

void SqliteFile::open(const QString& path, Mode mode) {
    close();
    if (path.trimmed().isEmpty())
        throw SqliteError(QString::fromUtf8(sqlite3_errstr(SQLITE_CANTOPEN)), SQLITE_CANTOPEN);
    const int flags = mode == Mode::ReadOnly    ? SQLITE_OPEN_READONLY
                      : mode == Mode::ReadWrite ? SQLITE_OPEN_READWRITE
                                                : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr) != SQLITE_OK) {
        const SqliteError e(error(), errorCode());
        close();
        throw e;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 5000);
}

int SqliteFile::close() {
    const int rc = db_ ? sqlite3_close(db_) : SQLITE_OK;
    if (rc != SQLITE_OK)
        sqlite3_close_v2(db_);  // closed once what holds it is done
    db_ = nullptr;
    return rc;
}

void SqliteFile::run(const QString& sql, const QVariantList& values, const std::function<void(const Row&)>& row) {
    if (!db_)
        throw SqliteError(QString::fromUtf8(sqlite3_errstr(SQLITE_MISUSE)), SQLITE_MISUSE);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        fail();
    struct Finalize {
        sqlite3_stmt* st;
        ~Finalize() { sqlite3_finalize(st); }
    } finalize{st};
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values.at(i);
        const int at = i + 1;
        if (v.isNull())
            sqlite3_bind_null(st, at);
        else if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::Bool)
            sqlite3_bind_int64(st, at, v.toLongLong());
        else if (v.typeId() == QMetaType::Double)
            sqlite3_bind_double(st, at, v.toDouble());
        else {
            const QByteArray utf8 = v.toString().toUtf8();
            sqlite3_bind_text(st, at, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        if (row)
            row(Row(st));
    if (rc != SQLITE_DONE)
        fail();
}

QString SqliteFile::first(const QString& sql, const QVariantList& values) {
    QString out;
    bool seen = false;
    run(sql, values, [&](const Row& r) {
        if (!seen && r.count() > 0)
            out = r.string(0);
        seen = true;
    });
    return out;
}

void SqliteFile::rollback() {
    if (db_ && !sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

QString SqliteFile::error() const {
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(SQLITE_NOMEM));
}

int SqliteFile::errorCode() const {
    return db_ ? sqlite3_extended_errcode(db_) : SQLITE_NOMEM;
}

void SqliteFile::fail() const {
    throw SqliteError(error(), errorCode());
}

}  // namespace tarvic
