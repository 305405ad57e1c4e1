#include "app/folder_lock.h"
#include "support/test_registry.h"
#include "ui/dialogs.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

class FolderLockTest : public QObject {
  Q_OBJECT

 private slots:
  void secondEditorIsAskedAndMayQuit() {
    QTemporaryDir root;
    QDir(root.path()).mkpath("DAT");
    const QString dat = DatFolderOf(root.path());
    QCOMPARE(dat, root.path() + "/DAT");

    FolderLock first(dat);
    ui::ScriptedDialogs dialogs;
    QVERIFY(LockGameFolder(first, dialogs));
    QVERIFY(dialogs.shown().empty());
    QVERIFY(QFile::exists(dat + "/" + LockFileName));

    FolderLock second(dat);
    dialogs.answerOpenAnyway(false);
    QVERIFY(!LockGameFolder(second, dialogs));
    const ui::ScriptedDialogs::Shown* asked = dialogs.last();
    QVERIFY(asked && asked->kind == ui::ScriptedDialogs::Kind::OpenAnywayQuestion);
    QVERIFY2(asked->prompt.contains(QString::number(QCoreApplication::applicationPid())),
             qPrintable(asked->prompt));
    QVERIFY(asked->prompt.contains(QDir::toNativeSeparators(dat)));

    FolderLock third(dat);
    dialogs.answerOpenAnyway(true);
    QVERIFY(LockGameFolder(third, dialogs));
  }

  // A crashed editor left its lock: its process is gone, so the lock is taken without a word.
  void staleLockIsTakenOver() {
    QTemporaryDir root;
    QDir(root.path()).mkpath("Dat");
    QFile stale(root.path() + "/Dat/" + LockFileName);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray("4194303\nMap Editor\n") + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    FolderLock lock(root.path() + "/Dat");
    ui::ScriptedDialogs dialogs;
    QVERIFY(LockGameFolder(lock, dialogs));
    QVERIFY(dialogs.shown().empty());
    FolderLock next(root.path() + "/Dat");
    QCOMPARE(next.take(), FolderLock::Outcome::HeldByOther);
  }
};

REGISTER_TEST(FolderLockTest);
#include "test_folder_lock.moc"
