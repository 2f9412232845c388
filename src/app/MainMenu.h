#pragma once
// MainMenu: the main window's menu bar with every item, caption, shortcut,
// check item and separator. Each item is a QAction with its object name, so
// commands are connected (and found by the replay driver) by name:
//
//   文件(&F)  mnuFile:    mnuNew, mnuOpen, mnuSave, mnuExit
//   编辑(&E)  mnuEdit:    mnuCut, mnuCopy, mnuPaste, MnuDQue (check), mnuClear,
//                         mnuUndo, mnuRedo
//   画布(&I)  mnuCanvas:  mnuScale, mnuFlip { mnuFlipHoz, mnuFlipV, mnuBoth },
//                         mnuStroke, mnuBackground { mnuMask }
//   特效(&F)  mnuEffects: mnuMirror, mnuAddNoise, mnuFeather { mnuBlur, mnuBlureMore },
//                         mnuSharpenMenu { mnuSharpen, mnuSharpMore }, mnuPixel, mnuDiffuse
//   颜色(&C)  mnuColor:   mnuAdjust, mnuBright, mnuInvert, mnuGray,
//                         mnuRemove { mnuRed, mnuGreen, mnuBlue }
//   查看(&V)  mnuView:    mnuZoomIn, mnuZoomOut, mnuZoomActual, mnuZoomFit, mnuGrid (check)
//   帮助(&H)  mnuHelp:    mnuUpdate, mnuWeiboSohu, mnuWeiboTencent, mnuAbout
//
// A submenu's own entry carries the submenu's name (mnuFlip, ...).

#include <QList>
#include <QString>

class QAction;
class QMenuBar;

namespace pictavo {

class MainMenu {
 public:
  // Fills the menu bar; the actions belong to it.
  explicit MainMenu(QMenuBar* bar);

  // The item of that object name, or null.
  QAction* action(const QString& objectName) const;
  // The item shown with exactly that caption ("检查更新(&U)..."), or null.
  QAction* actionByCaption(const QString& caption) const;
  const QList<QAction*>& actions() const { return actions_; }

 private:
  QMenuBar* bar_;
  QList<QAction*> actions_;
};

}  // namespace pictavo
