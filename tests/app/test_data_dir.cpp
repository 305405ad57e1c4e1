#include "app/data_dir.h"
#include "support/test_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Answers the folder question from a list and remembers every message.
struct ScriptedQuestions {
  QStringList answers;
  QStringList messages;
  int asked = 0;

  DataDirQuestions questions() {
    return {[this] {
              ++asked;
              return answers.isEmpty() ? QString() : answers.takeFirst();
            },
            [this](const QString& message) { messages << message; }};
  }
};

QString makeGameDir(const QTemporaryDir& root, const QString& name, const QString& datName) {
  QDir(root.path()).mkpath(name + "/" + datName);
  return root.path() + "/" + name;
}

}  // namespace

class DataDirTest : public QObject {
  Q_OBJECT

 private slots:
  void argumentWinsOverProgramFolder() {
    QTemporaryDir root;
    const QString program = makeGameDir(root, "program", "Dat");
    const QString given = makeGameDir(root, "given", "Dat");
    ScriptedQuestions script;
    QCOMPARE(ChooseDataDir({"editor", given}, program, program, script.questions()), given);
    QCOMPARE(script.asked, 0);
  }

  void programFolderThenCurrentFolder() {
    QTemporaryDir root;
    const QString program = makeGameDir(root, "program", "Dat");
    const QString current = makeGameDir(root, "current", "DAT");  // letter case ignored
    const QString empty = root.path() + "/empty";
    QDir(root.path()).mkpath("empty");
    ScriptedQuestions script;
    QCOMPARE(ChooseDataDir({"editor"}, program, current, script.questions()), program);
    QCOMPARE(ChooseDataDir({"editor"}, empty, current, script.questions()), current);
    QCOMPARE(script.asked, 0);
  }

  void folderWithoutDatIsRefusedByName() {
    QTemporaryDir root;
    QDir(root.path()).mkpath("nodat");
    const QString nodat = root.path() + "/nodat";
    const QString good = makeGameDir(root, "good", "dat");
    ScriptedQuestions script;
    script.answers = {nodat, good};
    QCOMPARE(ChooseDataDir({"editor", nodat}, nodat, nodat, script.questions()), good);
    QCOMPARE(script.messages.size(), 2);  // the argument, then the first chosen folder
    QVERIFY(script.messages.at(0).contains(QDir::toNativeSeparators(nodat)));
  }

  void datThatIsNoFolderIsNamedForWhatItIs() {
    QTemporaryDir root;
    QDir(root.path()).mkpath("file");
    QFile plain(root.path() + "/file/Dat");
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QDir(root.path()).mkpath("link");
    QVERIFY(QFile::link(root.path() + "/gone", root.path() + "/link/Dat"));
    for (const auto& [folder, words] : {std::pair<QString, QString>{"file", "Dat is a file"},
                                        {"link", "Dat is a link to something"}}) {
      ScriptedQuestions script;
      const QString given = root.path() + "/" + folder;
      QCOMPARE(ChooseDataDir({"editor", given}, given, given, script.questions()), QString());
      QVERIFY2(script.messages.at(0).contains(words), qPrintable(script.messages.at(0)));
    }
  }

  void cancelledChooserGivesNothingAndCreatesNothing() {
    QTemporaryDir root;
    QDir(root.path()).mkpath("nodat");
    const QString nodat = root.path() + "/nodat";
    ScriptedQuestions script;
    QCOMPARE(ChooseDataDir({"editor"}, nodat, nodat, script.questions()), QString());
    QCOMPARE(script.asked, 1);
    QVERIFY(QDir(nodat).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
  }
};

REGISTER_TEST(DataDirTest);
#include "test_data_dir.moc"
