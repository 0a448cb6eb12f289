#pragma once
// Every statement the connections of the process run, counted; and, while a listener is set,
// each one's text and bound values handed to it (a benchmark replays a window's statements
// through the engine's own client library). Kept out of Database.h, which nearly every file
// includes.
#include <QString>
#include <QVariantList>

#include <functional>

namespace tarvic::statements {

using Listener = std::function<void(const QString& sql, const QVariantList& values)>;

// Statements run so far by every Database of the process.
qint64 runSoFar();
// Sets the listener (an empty one stops listening) and returns the one it replaces.
Listener listen(Listener listener);
// Database calls it for every statement it runs, before running it.
void ran(const QString& sql, const QVariantList& values);

}  // namespace tarvic::statements
