#include "replay/StateDump.h"

#include "app/CanvasView.h"
#include "base/Globals.h"
#include "app/GripWidget.h"
#include "app/HintPanel.h"
#include "app/MainWindow.h"
#include "app/OptionRow.h"
#include "app/StatusBar.h"
#include "replay/ScriptLine.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QVariant>

namespace pictavo::replay {

namespace {

QString colorText(Color c) { return QString::fromStdString(hexColor(redOf(c), greenOf(c), blueOf(c))); }
QString decimal(float v) { return QString::fromStdString(shortestDecimal(v)); }
QString boolText(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }

QString shapeText(const OutlineShape& s) {
  if (!s.visible) return QStringLiteral("hidden");
  return QStringList{decimal(s.left), decimal(s.top), decimal(s.width), decimal(s.height)}.join(',');
}

QString barText(const QScrollBar* bar, const ScrollBarState& state) {
  return QStringLiteral("%1/%2/%3/%4")
      .arg(state.value)
      .arg(state.maximum)
      .arg(bar->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"))
      .arg(bar->isVisibleTo(bar->parentWidget()) ? QStringLiteral("visible") : QStringLiteral("hidden"));
}

QString webText() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == QLatin1String("Fm1") && w->isVisible()) {
      const QVariant address = w->property("address");
      return address.isValid() ? address.toString() : QStringLiteral("(unknown)");
    }
  }
  return QStringLiteral("hidden");
}

}  // namespace

StateEntries dumpState(MainWindow& w, const QStringList& windows) {
  StateEntries e;
  const DrawingState& st = w.engine().state();
  Surface& canvas = w.canvas();
  e.emplace_back("title", QString::fromStdString(w.windowTitle()));
  for (int i = 1; i <= StatusBar::kPanelCount; ++i) {
    e.emplace_back(QStringLiteral("panel%1").arg(i), w.statusBar1()->panelText(i));
  }
  e.emplace_back("curTool", QString::number(st.curTool));
  e.emplace_back("color1", colorText(w.color1()));
  e.emplace_back("color2", colorText(w.color2()));
  e.emplace_back("canvas", QStringLiteral("%1x%2").arg(canvas.Width()).arg(canvas.Height()));
  e.emplace_back("canvasPos", QStringLiteral("%1,%2").arg(w.canvasView()->x()).arg(w.canvasView()->y()));
  e.emplace_back("backcolor", colorText(canvas.BackColor()));
  e.emplace_back("selection", shapeText(w.selection()));
  e.emplace_back("clone", shapeText(w.cloneMarker()));
  for (const char* name : {"mnuCut", "mnuCopy", "mnuCrop", "mnuUndo", "mnuRedo"}) {
    e.emplace_back(name, w.menu().action(name)->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"));
  }
  for (const char* name : {"MnuDQue", "mnuGrid"}) {
    e.emplace_back(name, w.menu().action(name)->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked"));
  }
  e.emplace_back("zoom", QString::fromStdString(w.viewport().zoom().ratioText()));
  e.emplace_back("hint", w.isHintVisible() ? w.hintPanel()->text() : QStringLiteral("hidden"));
  e.emplace_back("pastePending", boolText(st.pastePending));
  e.emplace_back("polygonOpen", boolText(st.polygonOpen));
  e.emplace_back("mouseIsDown", boolText(st.mouseIsDown));
  e.emplace_back("cloneSourcePending", boolText(st.cloneSourcePending));
  e.emplace_back("startX", decimal(st.startX));
  e.emplace_back("startY", decimal(st.startY));
  e.emplace_back("anchorX", decimal(st.anchorX));
  e.emplace_back("anchorY", decimal(st.anchorY));
  e.emplace_back("DrawWidth", QString::number(canvas.DrawWidth));
  e.emplace_back("DrawStyle", QString::number(canvas.DrawStyle));
  e.emplace_back("dlgResult", QString::number(globals().dlgResult));
  e.emplace_back("hBar", barText(w.hBar(), w.viewport().hBar()));
  e.emplace_back("vBar", barText(w.vBar(), w.viewport().vBar()));
  for (int slot = 0; slot <= ViewportLayout::kItouch3; ++slot) {
    const QString key = slot == ViewportLayout::kItouch3 ? QStringLiteral("itouch3") : QStringLiteral("grip%1").arg(slot);
    const GripWidget* g = w.gripWidget(slot);
    e.emplace_back(key, g ? QStringLiteral("%1,%2").arg(g->x()).arg(g->y()) : QStringLiteral("none"));
  }
  QStringList lists;
  for (const QString& name : OptionRow::listNames()) {
    const QComboBox* list = w.optionList(name);
    lists << QStringLiteral("%1:%2").arg(name).arg(list ? list->currentIndex() : -1);
  }
  e.emplace_back("lists", lists.join(','));
  e.emplace_back("windows", windows.join(','));
  e.emplace_back("web", webText());
  return e;
}

}  // namespace pictavo::replay
