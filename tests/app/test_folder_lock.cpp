#include "app/folder_lock.h"
#include "support/scripted_dialogs.h"
#include "support/test_registry.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <memory>

class FolderLockTest : public QObject {
  Q_OBJECT

 private slots:
  // A crashed editor's lock (its process is gone) is taken without a word; a second editor is
  // asked, naming the holder and the folder, and may quit or open anyway.
  void secondEditorIsAskedAndMayQuit() {
    QTemporaryDir root;
    QDir(root.path()).mkpath("DAT");
    const QString dat = DatFolderOf(root.path());
    QCOMPARE(dat, root.path() + "/DAT");
    QFile stale(dat + "/" + LockFileName);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray("4194303\nMap Editor\n") + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    FolderLock first(dat), second(dat), third(dat);
    ui::ScriptedDialogs dialogs;
    QVERIFY(LockGameFolder(first, dialogs));
    QVERIFY(dialogs.shown().empty());
    dialogs.answerOpenAnyway(false);
    QVERIFY(!LockGameFolder(second, dialogs));
    QCOMPARE(dialogs.last()->kind, ui::ScriptedDialogs::Kind::OpenAnywayQuestion);
    const QString prompt = dialogs.last()->prompt;
    QVERIFY2(prompt.contains(QString::number(QCoreApplication::applicationPid())),
             qPrintable(prompt));
    QVERIFY(prompt.contains(QDir::toNativeSeparators(dat)));
    dialogs.answerOpenAnyway(true);
    QVERIFY(LockGameFolder(third, dialogs));
  }

  // An editor opened anyway takes the lock once the first one lets it go: a third is warned.
  void editorOpenedAnywayTakesTheFreedLock() {
    QTemporaryDir root;
    QDir(root.path()).mkpath("Dat");
    const QString dat = DatFolderOf(root.path());
    auto first = std::make_unique<FolderLock>(dat);
    FolderLock second(dat, std::chrono::milliseconds(10));
    ui::ScriptedDialogs dialogs;
    QVERIFY(LockGameFolder(*first, dialogs));
    dialogs.answerOpenAnyway(true);
    QVERIFY(LockGameFolder(second, dialogs));
    QVERIFY(!second.held());
    first.reset();
    QTRY_VERIFY(second.held());
    QVERIFY(QFile::exists(dat + "/" + LockFileName));
    FolderLock third(dat);
    dialogs.clearShown();
    QVERIFY(!LockGameFolder(third, dialogs));  // asked, and no answer quits
    QCOMPARE(dialogs.shown().size(), std::size_t{1});
    QCOMPARE(dialogs.last()->kind, ui::ScriptedDialogs::Kind::OpenAnywayQuestion);
  }
};

REGISTER_TEST(FolderLockTest);
#include "test_folder_lock.moc"
