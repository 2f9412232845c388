#pragma once
// CommandHost: what the menu commands (File, Canvas, Effects, Colour) need
// from the main window, so that they act on it without knowing it. The main
// window implements it; the tool engine's part comes from ToolHost.

#include "canvas/Surface.h"
#include "canvas/ToolEngine.h"
#include "canvas/ToolHost.h"

#include <QString>

#include <functional>
#include <string>

class QAction;
class QWidget;

namespace pictavo {

class CommandHost : public ToolHost {
 public:
  // The main window itself: owner of the commands, their dialogs and the
  // error window.
  virtual QWidget* commandWindow() = 0;
  // The menu item of that object name (null when there is none).
  virtual QAction* menuItem(const QString& objectName) const = 0;
  virtual ToolEngine& engine() = 0;
  // A paste waiting for its drag ends, placing nothing.
  void endPendingPaste() {
    DrawingState& state = engine().state();
    if (state.pastePending) {
      state.pastePending = false;
      hideHint();
    }
  }
  virtual QString statusPanelText(int panel) const = 0;
  // Status panel 3 shows the canvas's current size.
  virtual void showCanvasSize() = 0;

  // After the canvas changed size or took a new picture: the view, the
  // grips, the scroll bars and their visibility follow in one layout. A new
  // picture (New, Open) is shown at actual size.
  enum class Zoom { Keep, ActualSize };
  virtual void layoutCanvas(Zoom zoom) = 0;

  // The drawing that is in no file, and the undo history. Changes need no
  // note: every user action ends by recording what it changed.
  virtual void notePictureInFile() = 0;
  virtual bool drawingInNoFile() const = 0;
  virtual void startFreshHistory() = 0;

  virtual const std::string& lastFolder() const = 0;
  virtual void setLastFolder(const std::string& folder) = 0;

  // Ending the program: endProgram ends it at once; the callback runs when
  // it ends, whoever ended it.
  virtual void endProgram() = 0;
  virtual void whenProgramEnds(std::function<void()> callback) = 0;

  // Hidden buffers.
  virtual Surface& pSrc21() = 0;
  virtual Surface& pMask() = 0;
  virtual Surface& srcBrush2() = 0;
};

}  // namespace pictavo
