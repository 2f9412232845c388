#pragma once
// The state the replay driver prints with `dump` and compares with
// `expect`: one key and value per line, values as the screen shows them.

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace pictavo {
class MainWindow;
}

namespace pictavo::replay {

using StateEntries = std::vector<std::pair<QString, QString>>;

// windows: the open top-level windows by creation order. The web window
// (object name "Fm1") tells the address it shows through its dynamic
// property "address"; `web` is "hidden" while it is not open.
StateEntries dumpState(MainWindow& window, const QStringList& windows);

}  // namespace pictavo::replay
