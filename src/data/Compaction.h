#pragma once
// Compaction of a single-file database (the menu transfer file): the file is rewritten
// without free space, its content kept. The compacted copy is written beside the source and
// renamed over it in one step, so a failure at any point leaves the source as it was.
// The data layer shows no windows: the caller shows the texts below.
#include <QString>
#include <QVersionNumber>

namespace tarvic {

struct CompactResult {
    enum Status { Compacted, NotSupported, Failed };
    Status status = Failed;
    int errorId = 0;       // the engine's or the system's error number
    QString description;   // what went wrong, in the engine's or the system's words
    int lineNumber = 0;    // where in the routine it went wrong
    qint64 sizeBefore = 0; // bytes, when compacted
    qint64 sizeAfter = 0;

    bool ok() const { return status == Compacted; }
};

// Formats 0 and 1 both name our single-file database; any other gives NotSupported.
inline constexpr const char* kCompactNotSupportedMessage = "Invalid Database or database is not yet supported with the code!";
inline constexpr const char* kCompactNotSupportedTitle = "Not Supported";

// The file must not be open elsewhere while it is compacted. The file format carries no
// password: `password` is accepted for callers of the desktop format and not used.
CompactResult compactDatabase(const QString& path, const QString& password, int format);

// The unexpected-error report of a failed compaction, for a message box titled
// compactionErrorTitle(). `version` is the program's (major.minor.revision).
QString compactionErrorTitle(const QString& programTitle);
QString compactionErrorReport(const QString& programTitle, const QVersionNumber& version, const CompactResult& result);

}  // namespace tarvic
