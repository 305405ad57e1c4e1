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

}  // namespace

class DataDirTest : public QObject {
  Q_OBJECT

  QTemporaryDir root_;
  // Folder `name` below the root, with the subfolder `sub` when given.
  QString folder(const QString& name, const QString& sub = {}) {
    QDir(root_.path()).mkpath(name + "/" + sub);
    return root_.path() + "/" + name;
  }

 private slots:
  // The argument first, then the program's folder, then the current folder; the letter case of
  // Dat does not matter.
  void theFirstFolderHoldingDatIsTaken() {
    const QString program = folder("program", "Dat"), given = folder("given", "Dat");
    const QString current = folder("current", "DAT"), empty = folder("empty");
    ScriptedQuestions script;
    QCOMPARE(ChooseDataDir({"editor", given}, program, current, script.questions()), given);
    QCOMPARE(ChooseDataDir({"editor"}, program, current, script.questions()), program);
    QCOMPARE(ChooseDataDir({"editor"}, empty, current, script.questions()), current);
    QCOMPARE(script.asked, 0);
  }

  // A folder without Dat is refused by name and the designer asked again; a cancelled chooser
  // gives nothing and creates nothing.
  void aFolderWithoutDatIsRefused() {
    const QString nodat = folder("nodat"), good = folder("good", "dat");
    ScriptedQuestions script;
    script.answers = {nodat, good};
    QCOMPARE(ChooseDataDir({"editor", nodat}, nodat, nodat, script.questions()), good);
    QCOMPARE(script.messages.size(), 2);  // the argument, then the first chosen folder
    QVERIFY(script.messages.at(0).contains(QDir::toNativeSeparators(nodat)));
    QCOMPARE(ChooseDataDir({"editor"}, nodat, nodat, script.questions()), QString());
    QCOMPARE(script.asked, 3);
    QVERIFY(QDir(nodat).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
  }

  void datThatIsNoFolderIsNamedForWhatItIs() {
    QVERIFY(QFile(folder("file") + "/Dat").open(QIODevice::WriteOnly));  // a plain file
    QVERIFY(QFile::link(root_.path() + "/gone", folder("link") + "/Dat"));
    for (const auto& [name, words] : {std::pair<QString, QString>{"file", "Dat is a file"},
                                      {"link", "Dat is a link to something"}}) {
      ScriptedQuestions script;
      const QString given = folder(name);
      QCOMPARE(ChooseDataDir({"editor", given}, given, given, script.questions()), QString());
      QVERIFY2(script.messages.at(0).contains(words), qPrintable(script.messages.at(0)));
    }
  }
};

REGISTER_TEST(DataDirTest);
#include "test_data_dir.moc"
