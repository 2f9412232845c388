#pragma once
// EffectCommands: the commands of the Canvas, Effects and Colour menus,
// connected to the main window's menu items by their object names. Each
// works on the canvas SrcDc; the whole-picture effects do nothing around
// the call (no status text, no title mark; the main window records the
// change when the command's action ends). Errors a command traps go to the
// error window, the sharpen commands' to a message box titled "锐化", and a
// refused noise amount to one titled "噪点".

#include "canvas/QuarterTurn.h"

#include <QObject>

namespace pictavo {

class CommandHost;

class EffectCommands : public QObject {
  Q_OBJECT
 public:
  // Connects the menu items; the object belongs to the window.
  explicit EffectCommands(CommandHost& window);

  // Each returns whether it changed the picture (false when cancelled or
  // refused).
  bool addNoise();           // mnuAddNoise
  bool sharpen();            // mnuSharpen
  bool sharpenMore();        // mnuSharpMore
  bool adjustRgb();          // mnuAdjust
  bool adjustBrightness();   // mnuBright
  bool stretch();            // mnuScale (also pSpacer)
  bool border();             // mnuStroke
  bool backgroundPicture();  // mnuMask
  // mnuRotateRight, mnuRotateLeft, mnuRotate180: also hide the selection.
  bool turn(QuarterTurn turn);
  // mnuCrop: the area Copy would take becomes the picture; the selection goes.
  bool crop();

 private:
  // Connects the item to a command; a pictavo::Error escaping the command
  // is shown in the error window.
  template <class F>
  void on(const char* item, F command);
  // What a command that replaces the whole picture does first: false in the
  // middle of a gesture; otherwise ends a pending paste.
  bool readyForNewPicture();
  // After the picture took a new size: one layout, and status panel 3.
  void followNewSize();

  CommandHost& window_;
};

}  // namespace pictavo
