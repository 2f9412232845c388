#include "app/ChangeScope.h"

#include <utility>

namespace pictavo {

namespace {
int depth = 0;
std::function<void()>& settleCallback() {
  static std::function<void()> callback;
  return callback;
}
}  // namespace

ChangeScope::ChangeScope() { ++depth; }

ChangeScope::~ChangeScope() {
  if (--depth > 0) return;
  // Settling may itself deliver events (a repaint); they open scopes of
  // their own, which must not settle again from within.
  ++depth;
  try {
    if (settleCallback()) settleCallback()();
  } catch (...) {
    // A destructor must not throw; the next scope settles again.
  }
  --depth;
}

void ChangeScope::setSettle(std::function<void()> settle) { settleCallback() = std::move(settle); }

bool PictavoApplication::notify(QObject* receiver, QEvent* event) {
  const ChangeScope scope;
  return QApplication::notify(receiver, event);
}

}  // namespace pictavo
