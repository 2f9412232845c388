#include "app/MainMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace pictavo {

namespace {

struct Builder {
  QList<QAction*>& actions;

  QMenu* menu(QWidget* parent, const char* name, const QString& caption) {
    auto* m = new QMenu(caption, parent);
    m->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    actions.append(m->menuAction());
    if (auto* bar = qobject_cast<QMenuBar*>(parent)) bar->addMenu(m);
    if (auto* up = qobject_cast<QMenu*>(parent)) up->addMenu(m);
    return m;
  }

  QAction* item(QMenu* m, const char* name, const QString& caption, const QKeySequence& shortcut = {}) {
    QAction* a = m->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    actions.append(a);
    return a;
  }
};

}  // namespace

MainMenu::MainMenu(QMenuBar* bar) : bar_(bar) {
  Builder b{actions_};

  QMenu* file = b.menu(bar, "mnuFile", QStringLiteral("文件(&F)"));
  b.item(file, "mnuNew", QStringLiteral("新建(&N)..."), QKeySequence(Qt::CTRL | Qt::Key_N));
  b.item(file, "mnuOpen", QStringLiteral("打开(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O));
  b.item(file, "mnuSave", QStringLiteral("另存为(&S)..."), QKeySequence(Qt::CTRL | Qt::Key_S));
  file->addSeparator();
  b.item(file, "mnuExit", QStringLiteral("退出(&X)"));

  QMenu* edit = b.menu(bar, "mnuEdit", QStringLiteral("编辑(&E)"));
  b.item(edit, "mnuCut", QStringLiteral("剪切(&T)"), QKeySequence(Qt::CTRL | Qt::Key_X))->setEnabled(false);
  b.item(edit, "mnuCopy", QStringLiteral("复制(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C))->setEnabled(false);
  b.item(edit, "mnuPaste", QStringLiteral("粘贴(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V));
  QAction* transparent = b.item(edit, "MnuDQue", QStringLiteral("透明(&D)"));
  transparent->setCheckable(true);
  transparent->setChecked(true);  // the design state; start-up clicks it once
  edit->addSeparator();
  b.item(edit, "mnuClear", QStringLiteral("删除(&D)..."));
  edit->addSeparator();
  b.item(edit, "mnuUndo", QStringLiteral("撤销(&Z)"), QKeySequence(Qt::CTRL | Qt::Key_Z))->setEnabled(false);
  QAction* redo = b.item(edit, "mnuRedo", QStringLiteral("重做(&Y)"));
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  redo->setEnabled(false);

  QMenu* canvas = b.menu(bar, "mnuCanvas", QStringLiteral("画布(&I)"));
  b.item(canvas, "mnuScale", QStringLiteral("拉伸(&S)"), QKeySequence(Qt::CTRL | Qt::Key_W));
  canvas->addSeparator();
  QMenu* flip = b.menu(canvas, "mnuFlip", QStringLiteral("翻转(&F)"));
  b.item(flip, "mnuFlipHoz", QStringLiteral("垂直翻转(&V)"));
  b.item(flip, "mnuFlipV", QStringLiteral("水平翻转(&H)"));
  b.item(flip, "mnuBoth", QStringLiteral("双向翻转(&B)"));
  b.item(canvas, "mnuStroke", QStringLiteral("边框(&S)"));
  QMenu* background = b.menu(canvas, "mnuBackground", QStringLiteral("背景(&S)"));
  b.item(background, "mnuMask", QStringLiteral("来自图片(&M)..."));
  canvas->addSeparator();
  b.item(canvas, "mnuRotateRight", QStringLiteral("向右旋转90°(&R)"), QKeySequence(Qt::CTRL | Qt::Key_R));
  b.item(canvas, "mnuRotateLeft", QStringLiteral("向左旋转90°(&L)"), QKeySequence(Qt::CTRL | Qt::Key_L));
  b.item(canvas, "mnuRotate180", QStringLiteral("旋转180°(&T)"));
  // Enabled while the selection outline shows.
  b.item(canvas, "mnuCrop", QStringLiteral("裁剪到选区(&C)"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X))->setEnabled(false);

  QMenu* effects = b.menu(bar, "mnuEffects", QStringLiteral("特效(&F)"));
  b.item(effects, "mnuMirror", QStringLiteral("镜像(&M)"));
  b.item(effects, "mnuAddNoise", QStringLiteral("噪声(&A)"));
  QMenu* feather = b.menu(effects, "mnuFeather", QStringLiteral("羽化(&B)"));
  b.item(feather, "mnuBlur", QStringLiteral("模糊(&B)"));
  b.item(feather, "mnuBlureMore", QStringLiteral("更强模糊"));
  QMenu* sharpen = b.menu(effects, "mnuSharpenMenu", QStringLiteral("锐化(&S)"));
  b.item(sharpen, "mnuSharpen", QStringLiteral("锐化(&S)"));
  b.item(sharpen, "mnuSharpMore", QStringLiteral("更强锐化"));
  b.item(effects, "mnuPixel", QStringLiteral("像素化(&P)"));
  b.item(effects, "mnuDiffuse", QStringLiteral("扩散(&D)"));

  QMenu* color = b.menu(bar, "mnuColor", QStringLiteral("颜色(&C)"));
  b.item(color, "mnuAdjust", QStringLiteral("调整红/绿/蓝(RGB调整)(&A)..."));
  b.item(color, "mnuBright", QStringLiteral("亮度调节..."));
  b.item(color, "mnuInvert", QStringLiteral("反色(&I)"), QKeySequence(Qt::CTRL | Qt::Key_I));
  b.item(color, "mnuGray", QStringLiteral("灰度(&G)"));
  QMenu* remove = b.menu(color, "mnuRemove", QStringLiteral("移除(&R)"));
  b.item(remove, "mnuRed", QStringLiteral("红"));
  b.item(remove, "mnuGreen", QStringLiteral("绿"));
  b.item(remove, "mnuBlue", QStringLiteral("蓝"));

  QMenu* view = b.menu(bar, "mnuView", QStringLiteral("查看(&V)"));
  QAction* zoomIn = b.item(view, "mnuZoomIn", QStringLiteral("放大(&I)"));
  zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  b.item(view, "mnuZoomOut", QStringLiteral("缩小(&O)"), QKeySequence(Qt::CTRL | Qt::Key_Minus));
  b.item(view, "mnuZoomActual", QStringLiteral("实际大小(&A)"), QKeySequence(Qt::CTRL | Qt::Key_0));
  b.item(view, "mnuZoomFit", QStringLiteral("适合窗口(&W)"), QKeySequence(Qt::CTRL | Qt::Key_B));
  view->addSeparator();
  QAction* grid = b.item(view, "mnuGrid", QStringLiteral("像素网格(&G)"), QKeySequence(Qt::CTRL | Qt::Key_G));
  grid->setCheckable(true);
  grid->setChecked(true);

  QMenu* help = b.menu(bar, "mnuHelp", QStringLiteral("帮助(&H)"));
  b.item(help, "mnuUpdate", QStringLiteral("检查更新(&U)..."));
  b.item(help, "mnuWeiboSohu", QStringLiteral("官方微博(搜狐)(&S)"));
  b.item(help, "mnuWeiboTencent", QStringLiteral("官方微博(腾讯)(&T)"));
  help->addSeparator();
  b.item(help, "mnuAbout", QStringLiteral("关于 Pictavo2012(&A)..."));
}

QAction* MainMenu::action(const QString& objectName) const {
  for (QAction* a : actions_) {
    if (a->objectName() == objectName) return a;
  }
  return nullptr;
}

QAction* MainMenu::actionByCaption(const QString& caption) const {
  for (QAction* a : actions_) {
    if (a->text() == caption) return a;
  }
  return nullptr;
}

}  // namespace pictavo
