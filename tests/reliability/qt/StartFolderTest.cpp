// Where the file dialogs start: the program folder when it may be written
// (a program unpacked in the user's folder), else the pictures folder named
// by XDG_PICTURES_DIR, else home. As root permissions refuse nothing, so a
// read-only disk stands in for an installed program's folder.
#include "SmallDisk.h"

#include "documents/StartFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace pictavo {
namespace {

using test::SmallDisk;

TEST(StartFolder, WritableProgramFolderIsKept) {
  QTemporaryDir program;
  const std::string folder = program.path().toStdString() + "/";
  EXPECT_EQ(startFolder(folder), folder);
}

TEST(StartFolder, ReadOnlyProgramFolderGivesThePicturesFolderElseHome) {
  SmallDisk disk(64 * 1024);
  QTemporaryDir plain;
  std::string program;
  if (::geteuid() == 0) {
    if (!disk.mounted() || !disk.makeReadOnly()) GTEST_SKIP() << "cannot mount a small disk here";
    program = disk.path().string() + "/";
  } else {
    ::chmod(plain.path().toLocal8Bit().constData(), 0555);
    program = plain.path().toStdString() + "/";
  }
  QTemporaryDir config;
  const QString pictures = config.filePath("我的图片");
  {
    QFile dirs(config.filePath("user-dirs.dirs"));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_PICTURES_DIR=\"" + pictures.toUtf8() + "\"\n");
  }
  const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

  // The pictures folder counts only when it is there.
  EXPECT_EQ(startFolder(program), QDir::homePath().toStdString() + "/");
  ASSERT_TRUE(QDir().mkpath(pictures));
  EXPECT_EQ(startFolder(program), pictures.toStdString() + "/");

  if (oldConfig.isNull()) qunsetenv("XDG_CONFIG_HOME");
  else qputenv("XDG_CONFIG_HOME", oldConfig);
  ::chmod(plain.path().toLocal8Bit().constData(), 0755);
}

}  // namespace
}  // namespace pictavo
