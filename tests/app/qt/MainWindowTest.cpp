// The main window's own parts that the replay scripts cannot see: list
// contents, the menu's structure, the hidden buffers, the key-state panels.
#include "app/MainWindow.h"
#include "app/StatusBar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include <QDir>

#include <gtest/gtest.h>

namespace pictavo {
namespace {

// Start-up with its new-canvas dialog closed at once.
void startCancelled(MainWindow& w) {
  QTimer::singleShot(0, [] {
    if (QWidget* d = QApplication::activeModalWidget()) d->close();
  });
  w.startUp();
}

QStringList itemsOf(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

QStringList numbers(int last) {
  QStringList l;
  for (int i = 1; i <= last; ++i) l << QString::number(i);
  return l;
}

TEST(MainWindow, StartUpFillsTheOptionListsInOrder) {
  MainWindow w(QStringLiteral("/nonexistent"));
  startCancelled(w);
  EXPECT_EQ(itemsOf(w.optionList("cboDW")), numbers(200));
  EXPECT_EQ(itemsOf(w.optionList("cboWidth")), numbers(200));
  EXPECT_EQ(itemsOf(w.optionList("cboCloneSize")), numbers(90));
  EXPECT_EQ(itemsOf(w.optionList("cboStyle")),
            (QStringList{"—", "- -", ".", "- .", "- . ."}));
  EXPECT_EQ(itemsOf(w.optionList("cboFillType")), (QStringList{"纯色", "纹理"}));
  EXPECT_EQ(itemsOf(w.optionList("cboEraseType")), (QStringList{"正方形", "圆形"}));
  EXPECT_EQ(itemsOf(w.optionList("cboGrade")), (QStringList{"从左到右", "从上到下"}));
  EXPECT_EQ(itemsOf(w.optionList("cboTextStyle")), (QStringList{"正常", "3D 重影特效"}));
  EXPECT_EQ(w.optionList("cboPatten")->count(), 0);
  EXPECT_EQ(w.optionList("cboPatten")->currentIndex(), -1);
  // The pencil hides the style list but keeps the width list.
  EXPECT_FALSE(w.optionList("cboStyle")->isVisibleTo(&w));
  EXPECT_TRUE(w.optionList("cboDW")->isVisibleTo(&w));
  // Nobody may write into a program folder that is not there: the dialogs
  // start in one of the user's own folders instead.
  EXPECT_NE(w.lastFolder(), "/nonexistent/");
  EXPECT_TRUE(QDir(QString::fromStdString(w.lastFolder())).exists());
}

// Captions of a menu's entries, "-" for a separator.
QStringList entries(const QMenu* menu) {
  QStringList l;
  for (const QAction* a : menu->actions()) l << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return l;
}

TEST(MainWindow, MenuHasEveryItemSeparatorAndShortcut) {
  MainWindow w(QStringLiteral("/nonexistent"));
  const MainMenu& m = w.menu();
  auto sub = [&](const char* name) { return m.action(name)->menu(); };
  EXPECT_EQ(entries(sub("mnuFile")), (QStringList{"新建(&N)...", "打开(&O)...", "另存为(&S)...", "-", "退出(&X)"}));
  EXPECT_EQ(entries(sub("mnuEdit")),
            (QStringList{"剪切(&T)", "复制(&C)", "粘贴(&P)", "透明(&D)", "-", "删除(&D)...", "-", "撤销(&Z)", "重做(&Y)"}));
  // The turns and crop come after the Canvas menu's own items.
  EXPECT_EQ(entries(sub("mnuCanvas")), (QStringList{"拉伸(&S)", "-", "翻转(&F)", "边框(&S)", "背景(&S)", "-", "向右旋转90°(&R)",
                                                    "向左旋转90°(&L)", "旋转180°(&T)", "裁剪到选区(&C)"}));
  EXPECT_EQ(entries(sub("mnuFlip")), (QStringList{"垂直翻转(&V)", "水平翻转(&H)", "双向翻转(&B)"}));
  EXPECT_EQ(entries(sub("mnuBackground")), (QStringList{"来自图片(&M)..."}));
  EXPECT_EQ(entries(sub("mnuEffects")),
            (QStringList{"镜像(&M)", "噪声(&A)", "羽化(&B)", "锐化(&S)", "像素化(&P)", "扩散(&D)"}));
  EXPECT_EQ(entries(sub("mnuFeather")), (QStringList{"模糊(&B)", "更强模糊"}));
  EXPECT_EQ(entries(sub("mnuSharpenMenu")), (QStringList{"锐化(&S)", "更强锐化"}));
  EXPECT_EQ(entries(sub("mnuColor")),
            (QStringList{"调整红/绿/蓝(RGB调整)(&A)...", "亮度调节...", "反色(&I)", "灰度(&G)", "移除(&R)"}));
  EXPECT_EQ(entries(sub("mnuRemove")), (QStringList{"红", "绿", "蓝"}));
  EXPECT_EQ(entries(sub("mnuHelp")), (QStringList{"检查更新(&U)...", "官方微博(搜狐)(&S)", "官方微博(腾讯)(&T)", "-",
                                                  "关于 Pictavo2012(&A)..."}));
  EXPECT_EQ(m.action("mnuFlipHoz")->text(), "垂直翻转(&V)");
  EXPECT_EQ(m.action("mnuFlipV")->text(), "水平翻转(&H)");
  const std::pair<const char*, const char*> shortcuts[] = {
      {"mnuNew", "Ctrl+N"}, {"mnuOpen", "Ctrl+O"}, {"mnuSave", "Ctrl+S"}, {"mnuCut", "Ctrl+X"},
      {"mnuCopy", "Ctrl+C"}, {"mnuPaste", "Ctrl+V"}, {"mnuScale", "Ctrl+W"}, {"mnuInvert", "Ctrl+I"},
      {"mnuUndo", "Ctrl+Z"}, {"mnuRedo", "Ctrl+Y"}, {"mnuRotateRight", "Ctrl+R"}, {"mnuRotateLeft", "Ctrl+L"},
      {"mnuCrop", "Ctrl+Shift+X"}};
  for (const auto& [name, keys] : shortcuts) {
    EXPECT_EQ(m.action(name)->shortcut().toString(), QString::fromLatin1(keys)) << name;
  }
  EXPECT_TRUE(m.action("mnuExit")->shortcut().isEmpty());
  EXPECT_TRUE(m.action("MnuDQue")->isCheckable());
  EXPECT_TRUE(m.action("MnuDQue")->isChecked());  // the design state, before start-up
  EXPECT_FALSE(m.action("mnuCut")->isEnabled());
  EXPECT_FALSE(m.action("mnuCrop")->isEnabled());
  EXPECT_TRUE(m.action("mnuRotate180")->shortcut().isEmpty());
  EXPECT_TRUE(m.action("mnuPaste")->isEnabled());
  EXPECT_EQ(m.action("mnuRedo")->shortcuts().value(1).toString(), "Ctrl+Shift+Z");
  EXPECT_FALSE(m.action("mnuUndo")->isEnabled());
  EXPECT_FALSE(m.action("mnuRedo")->isEnabled());
}

TEST(MainWindow, HiddenBuffersDrawPersistentlyOnMagenta) {
  MainWindow w(QStringLiteral("/nonexistent"));
  for (Surface* s : {&w.pSrc21(), &w.pMask(), &w.srcBrush1(), &w.srcBrush2(), &w.imgPatten()}) {
    EXPECT_TRUE(s->isHiddenBuffer());
    EXPECT_EQ(s->GetPixel(0, 0), kMagenta);
  }
  EXPECT_EQ(w.canvas().Width(), 500);
  EXPECT_EQ(w.canvas().Height(), 400);
}

TEST(MainWindow, KeyPanelsFollowTheKeysWithoutAnIndicatorSource) {
  MainWindow w(QStringLiteral("/nonexistent"));
  w.show();
  StatusBar* bar = w.statusBar1();
  EXPECT_EQ(bar->panelText(6), "");
  auto press = [&](int key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
  };
  QApplication::setActiveWindow(&w);
  press(Qt::Key_Insert);
  EXPECT_EQ(bar->panelText(6), "INS");
  press(Qt::Key_CapsLock);
  EXPECT_EQ(bar->panelText(4), "CAPS");
  press(Qt::Key_Insert);
  press(Qt::Key_CapsLock);
  EXPECT_EQ(bar->panelText(6), "");
  EXPECT_EQ(bar->panelText(4), "");
  EXPECT_FALSE(bar->panelText(8).isEmpty());
  EXPECT_FALSE(bar->panelText(9).isEmpty());
}

TEST(MainWindow, SizeTextsHaveTheirTwoForms) {
  EXPECT_EQ(MainWindow::startupSizeText(800, 600), "画布:宽 800 高 600");
  EXPECT_EQ(MainWindow::sizeText(540, 400), "画布大小:宽 540 高 400(32位色元)");
}

}  // namespace
}  // namespace pictavo
