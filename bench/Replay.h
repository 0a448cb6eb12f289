#pragma once
// The statements a piece of the program runs, recorded with their bound values while it runs,
// and run again through the engine's own client library (sqlite3, libpq): the native figure of
// the same work. Only reading statements are run again; what else was recorded is counted.
#include "BenchSupport.h"

#include <QString>
#include <QVariantList>

#include <map>
#include <memory>
#include <vector>

namespace tarvic::bench {

struct Statement {
    QString sql;
    QVariantList values;
    bool reads() const;
};

// Records every statement of the process while it lives.
class Recording {
public:
    Recording();
    ~Recording();
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;
    const std::vector<Statement>& statements() const { return statements_; }

private:
    std::vector<Statement> statements_;
};

class NativeReplay {
public:
    explicit NativeReplay(const Target& target);
    ~NativeReplay();
    NativeReplay(const NativeReplay&) = delete;
    NativeReplay& operator=(const NativeReplay&) = delete;
    // Prepares, binds and runs each reading statement, every value of every row read as text,
    // as the program's driver reads them; returns the rows read. msEach, when given, gets each
    // statement's time (0 for those not run again).
    qint64 run(const std::vector<Statement>& statements, std::vector<double>* msEach = nullptr);

private:
    // The statement's text for the engine, converted once: not the engine's work to time.
    const std::string& textOf(const QString& sql);
    std::map<QString, std::string> texts_;
    std::unique_ptr<NativeSqlite> lite_;
    std::unique_ptr<NativePg> pg_;
};

// ? placeholders as $1, $2, ... (outside quoted text), for libpq.
std::string pgPlaceholderText(const QString& sql);

}  // namespace tarvic::bench
