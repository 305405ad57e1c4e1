#include "support/test_registry.h"
#include "ui/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Acts on the modal dialog once it is up, from inside its own event loop.
void whenModalShows(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      act(modal);
    }
  });
  timer->start();
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // What the window tests rely on beyond what they show: queues per kind, and a question with
  // no answer queued is cancelled and counted.
  void scriptedDialogsKeepAQueuePerKind() {
    ui::ScriptedDialogs dialogs;
    dialogs.answerDirectory("/games/dungeon");
    dialogs.answerInput("12abc");
    dialogs.answerInput("");
    dialogs.cancelInput();
    QCOMPARE(dialogs.pendingAnswers(), 4);
    QCOMPARE(dialogs.askSaveDiscardCancel(nullptr, "Save?", "Map Editor"),
             ui::Dialogs::SaveChoice::Cancel);
    // An empty answer that was confirmed is an answer; a cancel is none.
    using Answer = std::optional<QString>;
    QCOMPARE(dialogs.inputBox(nullptr, "Enter Map Number", "Map Number", " 1"), Answer("12abc"));
    QCOMPARE(dialogs.inputBox(nullptr, "Enter Map Number", "Map Number", " 1"), Answer(""));
    QCOMPARE(dialogs.inputBox(nullptr, "Enter Map Number", "Map Number", " 1"), Answer());
    QCOMPARE(dialogs.inputBox(nullptr, "Enter Map Number", "Map Number", " 1"), Answer());
    QCOMPARE(dialogs.chooseDirectory(nullptr, "Game folder"), QString("/games/dungeon"));
    QCOMPARE(dialogs.unanswered(), 2);
    QCOMPARE(dialogs.pendingAnswers(), 0);
    QCOMPARE(dialogs.shown().size(), std::size_t{6});
    QCOMPARE(dialogs.last()->kind, ui::ScriptedDialogs::Kind::Directory);
    QCOMPARE(dialogs.last()->prompt, QString("Game folder"));
    dialogs.clearShown();
    QVERIFY(!dialogs.last());
  }

  void realInputBoxShowsPromptTitleAndDefault() {
    ui::QtDialogs dialogs;
    QString seenTitle, seenLabel, seenDefault;
    whenModalShows([&](QWidget* modal) {
      auto* input = qobject_cast<QInputDialog*>(modal);
      QVERIFY(input);
      seenTitle = input->windowTitle();
      seenLabel = input->labelText();
      seenDefault = input->textValue();
      input->setTextValue("7");
      input->accept();
    });
    QCOMPARE(dialogs.inputBox(nullptr, "Enter Map Number", "Open Which Map", " 3"),
             std::optional<QString>("7"));
    QCOMPARE(seenTitle, QString("Open Which Map"));
    QCOMPARE(seenLabel, QString("Enter Map Number"));
    QCOMPARE(seenDefault, QString(" 3"));

    whenModalShows([](QWidget* modal) {
      auto* input = qobject_cast<QInputDialog*>(modal);
      input->setTextValue("");
      input->accept();
    });
    QCOMPARE(dialogs.inputBox(nullptr, "Enter Map Number", "Open Which Map", " 3"),
             std::optional<QString>(""));
    whenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    QVERIFY(!dialogs.inputBox(nullptr, "Enter Map Number", "Open Which Map", " 3"));
  }

  void realQuestionMapsItsButtons() {
    ui::QtDialogs dialogs;
    whenModalShows([](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box);
      box->button(QMessageBox::Discard)->click();
    });
    QCOMPARE(dialogs.askSaveDiscardCancel(nullptr, "Save the map?", "Map Editor"),
             ui::Dialogs::SaveChoice::Discard);

    QString text;
    whenModalShows([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box);
      text = box->text();
      QCOMPARE(box->buttons().size(), qsizetype{1});
      box->button(QMessageBox::Ok)->click();
    });
    dialogs.messageBox(nullptr, "Spell Saved", "Spells");
    QCOMPARE(text, QString("Spell Saved"));
  }
};

REGISTER_TEST(DialogsTest);

#include "test_dialogs.moc"
