#pragma once
// Versioned schema scripts and seed data. Each script runs once, in its own transaction,
// and records its number in SCHEMA_VERSION; running them again changes nothing.
//
// A script's statement may be for one engine only ("{{SQLITE}} ..." or "{{POSTGRESQL}} ...")
// and may be a step written in C++ ("{{STEP NAME}};", a table in Migrations.cpp): a step runs
// at its place in the script's transaction, and a step that refuses (DbError Refused, its text
// a report for whoever looks after the database) undoes the whole script.
#include "Database.h"

#include <limits>

namespace tarvic {

class Migrations {
public:
    explicit Migrations(Database& db) : db_(db) {}

    // Applies every script not yet applied (up to version upTo: the schema of an earlier
    // release, for upgrade tests), then makes sure a first administrator exists.
    // Returns the number of scripts applied.
    int apply(int upTo = std::numeric_limits<int>::max());
    int currentVersion();
    static int latestVersion();
    // Splits a script into statements (";" at the end of a line ends one, outside a body
    // quoted in "$$"; "--" lines are comments).
    static QStringList statements(const QString& script);

    static constexpr const char* kAdminName = "ADMIN";
    static constexpr const char* kAdminPassword = "admin123";

private:
    void ensureAdministrator();
    Database& db_;
};

}  // namespace tarvic
