#include "support/test_registry.h"
#include "ui/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using Answer = std::optional<QString>;

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
  // What the window tests rely on: a queue per kind; a question with no answer queued is
  // cancelled and counted; an empty answer that was confirmed is an answer.
  void scriptedDialogsKeepAQueuePerKind() {
    ui::ScriptedDialogs dialogs;
    dialogs.answerInput("");
    dialogs.cancelInput();
    dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    QCOMPARE(dialogs.askSaveDiscardCancel(nullptr, "Save?", "Map Editor"),
             ui::Dialogs::SaveChoice::Discard);
    for (const Answer& answer : {Answer(""), Answer(), Answer()})
      QCOMPARE(dialogs.inputBox(nullptr, "Enter Map Number", "Map Number", " 1"), answer);
    QCOMPARE(dialogs.unanswered(), 1);
    QCOMPARE(dialogs.last()->title, QString("Map Number"));
  }

  void realDialogsShowTheirTextsAndMapTheirButtons() {
    ui::QtDialogs dialogs;
    QStringList seen;
    whenModalShows([&seen](QWidget* modal) {
      auto* input = qobject_cast<QInputDialog*>(modal);
      seen = {input->windowTitle(), input->labelText(), input->textValue()};
      input->setTextValue("");
      input->accept();
    });
    QCOMPARE(dialogs.inputBox(nullptr, "Enter Map Number", "Open Which Map", " 3"), Answer(""));
    QCOMPARE(seen, QStringList({"Open Which Map", "Enter Map Number", " 3"}));
    whenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    QCOMPARE(dialogs.inputBox(nullptr, "Enter Map Number", "Open Which Map", " 3"), Answer());

    whenModalShows([](QWidget* modal) {
      qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Discard)->click();
    });
    QCOMPARE(dialogs.askSaveDiscardCancel(nullptr, "Save the map?", "Map Editor"),
             ui::Dialogs::SaveChoice::Discard);
    whenModalShows([&seen](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      seen = {box->text()};
      box->button(QMessageBox::Ok)->click();
    });
    dialogs.messageBox(nullptr, "Spell Saved", "Spells");
    QCOMPARE(seen, QStringList{"Spell Saved"});
  }
};

REGISTER_TEST(DialogsTest);

#include "test_dialogs.moc"
