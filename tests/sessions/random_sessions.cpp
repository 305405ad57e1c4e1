// Random sessions: a seeded run of random actions over every window of the editor (opening and
// closing windows, clicks, menu entries, keys, typing, list picks, paging, saves), on a copy of
// the demo data, with every question answered at random through the scripted dialogs. It checks
// that nothing crashes, hangs, trips a sanitizer or opens a real modal dialog. On a failure it
// prints the seed and the actions that lead there; the same seed and count replay them.
//
//   random_sessions [--seed N] [--actions N] [--sessions N] [--print-actions 1]

#include "app/editor_forms.h"
#include "core/definitions.h"
#include "demodata/demo_data.h"
#include "support/scripted_dialogs.h"
#include "ui/change_hub.h"
#include "ui/forms_registry.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <unistd.h>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace {

// What has been done so far in this session, printed when something goes wrong.
struct Trace {
  unsigned seed = 0;
  unsigned steps = 0;  // some steps find nothing to do and leave no action
  std::vector<std::string> actions;
};
Trace trace;

void printTrace(const char* what) {
  std::fprintf(stderr, "\nrandom sessions: %s in the session of seed %u after %zu actions\n", what,
               trace.seed, trace.actions.size());
  for (std::size_t i = 0; i < trace.actions.size(); ++i)
    std::fprintf(stderr, "  %4zu  %s\n", i + 1, trace.actions[i].c_str());
  std::fprintf(stderr, "replay: random_sessions --seed %u --actions %u\n", trace.seed, trace.steps);
  std::fflush(stderr);
}

// A check of the session failed: the trace, and the run ends at once.
[[noreturn]] void fail(const QString& what) {
  printTrace(qPrintable(what));
  std::_Exit(1);
}

void onSanitizerDeath() {
  printTrace("a sanitizer report");
}

void onSignal(int signal) {
  printTrace(signal == SIGALRM ? "a hang" : strsignal(signal));
  std::signal(signal, SIG_DFL);
  std::raise(signal == SIGALRM ? SIGABRT : signal);
}

void onQtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  // The off-screen platform says so for every window it cannot raise or resize.
  if (message.startsWith("This plugin does not support")) return;
  std::fprintf(stderr, "%s\n", qPrintable(message));
  if (type == QtFatalMsg || type == QtCriticalMsg) {
    fail("a fatal Qt message");
  }
}

// A seconds limit for one action: a real modal loop or an endless repaint is a hang.
constexpr unsigned ActionSeconds = 30;

const char* const Windows[] = {"frmMapEd",      "frmTextEd",      "frmTextEnter",   "frmLTextEd",
                               "frmLTextEnter", "frmMapEnc",      "frmMapBit",      "frmMapSpe",
                               "frmEquipEd",    "frmEquipList2",  "frmEquipEffect", "frmEquipEffEd",
                               "frmShopEd",     "frmShopItemAdd", "frmCreatEd",     "frmCreatList2",
                               "frmCreatBit",   "frmCreatSpe",    "frmCreatSpeEd",  "frmMagicEd",
                               "frmMagicList",  "frmMagicProg"};

const int Keys[] = {Qt::Key_Return,  Qt::Key_Enter,  Qt::Key_Escape,    Qt::Key_Tab,
                    Qt::Key_Backtab, Qt::Key_PageUp, Qt::Key_PageDown,  Qt::Key_Up,
                    Qt::Key_Down,    Qt::Key_Left,   Qt::Key_Right,     Qt::Key_Home,
                    Qt::Key_End,     Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Space,
                    Qt::Key_Z,       Qt::Key_Y,      Qt::Key_S,         Qt::Key_1};

class Session {
 public:
  Session(const QString& root, unsigned seed)
      : random_(seed), defs_(root.toStdString()), hub_(defs_), registry_(&hub_) {
    AddEditorForms(registry_, defs_, dialogs_);
    (void)defs_.Startup();
    registry_.show("frmMapEd");
  }

  std::size_t dialogsShown() const { return dialogs_.shown().size(); }

  ~Session() {
    registry_.closeAll();
    settle();
  }

  void step() {
    queueAnswers();
    switch (pick(10)) {
      case 0:
        openWindow();
        break;
      case 1:
        closeWindow();
        break;
      case 2:
      case 3:
        clickButton();
        break;
      case 4:
        triggerMenuEntry();
        break;
      case 5:
        typeText();
        break;
      case 6:
        pressKey();
        break;
      case 7:
        pickFromList();
        break;
      case 8:
        clickSomewhere();
        break;
      default:
        setValue();
        break;
    }
    settle();
  }

 private:
  int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
  template <class T>
  const T& pickOf(const std::vector<T>& from) {
    return from[static_cast<std::size_t>(pick(static_cast<int>(from.size())))];
  }

  void log(const QString& action) { trace.actions.push_back(action.toStdString()); }

  // Deferred repaints and deletions run as the event loop would run them between two actions.
  void settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    if (QApplication::activeModalWidget()) fail("a real modal dialog");
    // Nobody else writes the files of this session, so nothing can have changed on disk.
    const auto& shown = dialogs_.shown();
    for (; seenDialogs_ < shown.size(); ++seenDialogs_) {
      if (shown[seenDialogs_].kind == ui::ScriptedDialogs::Kind::OverwriteQuestion)
        fail("a changed-on-disk question with no other editor: " + shown[seenDialogs_].prompt);
    }
  }

  QString randomText() {
    static const QString Samples[] = {"0",      "1",        "7",           "-1",  "32767",
                                      "32768",  "-32769",   "12abc",       "",    " ",
                                      "Dragon", "<b>&amp;", "99999999999", "3.5", "x"};
    QString text = Samples[pick(std::size(Samples))];
    if (pick(4) == 0) text += QString(pick(60), QChar('a' + pick(26)));
    return text;
  }

  // Every question that may come is answered at random; unused answers wait for later ones.
  void queueAnswers() {
    if (dialogs_.pendingAnswers() > 40) return;
    if (pick(6) == 0)
      dialogs_.cancelInput();
    else
      dialogs_.answerInput(randomText());
    const ui::Dialogs::SaveChoice choices[] = {ui::Dialogs::SaveChoice::Save,
                                               ui::Dialogs::SaveChoice::Discard,
                                               ui::Dialogs::SaveChoice::Cancel};
    dialogs_.answerSave(choices[pick(3)]);
    dialogs_.answerOverwrite(pick(2) == 0);
    dialogs_.answerOpenAnyway(pick(2) == 0);
    dialogs_.answerDirectory(pick(2) == 0 ? QString()
                                          : QString::fromStdString(defs_.DataDir().string()));
  }

  // The visible top-level windows, by name: Qt hands them out in no fixed order, and a replay
  // must pick the same window as the run it repeats.
  std::vector<QWidget*> windows() const {
    std::vector<QWidget*> open;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->isVisible() && qobject_cast<QMenu*>(widget) == nullptr) open.push_back(widget);
    std::stable_sort(open.begin(), open.end(), [](const QWidget* a, const QWidget* b) {
      const auto key = [](const QWidget* w) {
        return std::make_pair(w->objectName(), QString(w->metaObject()->className()));
      };
      return key(a) < key(b);
    });
    return open;
  }

  template <class T>
  std::vector<T*> controls() const {
    std::vector<T*> found;
    for (QWidget* window : windows())
      for (T* control : window->findChildren<T*>())
        if (control->isVisible() && control->isEnabled()) found.push_back(control);
    return found;
  }

  static QString nameOf(const QObject* object) {
    QString name = object->objectName();
    if (name.isEmpty()) name = object->metaObject()->className();
    const QWidget* widget = qobject_cast<const QWidget*>(object);
    const QWidget* window = widget ? widget->window() : nullptr;
    return window && window != widget ? window->objectName() + "/" + name : name;
  }

  void openWindow() {
    const char* name = Windows[pick(std::size(Windows))];
    if (!registry_.has(name)) return;
    log(QString("open %1").arg(name));
    registry_.show(name);
  }

  void closeWindow() {
    const auto open = windows();
    if (open.empty()) return;
    QPointer<QWidget> window = pickOf(open);
    log(QString("close %1").arg(nameOf(window)));
    window->close();
  }

  void clickButton() {
    const auto buttons = controls<QAbstractButton>();
    if (buttons.empty()) return;
    QAbstractButton* button = pickOf(buttons);
    log(QString("click %1").arg(nameOf(button)));
    button->click();
  }

  void triggerMenuEntry() {
    std::vector<QAction*> entries;
    for (QWidget* window : windows())
      for (QAction* action : window->findChildren<QAction*>())
        if (action->isEnabled() && !action->isSeparator() && !action->menu())
          entries.push_back(action);
    if (entries.empty()) return;
    QAction* action = pickOf(entries);
    log(QString("menu %1 (%2)").arg(action->objectName(), action->text()));
    action->trigger();
  }

  void typeText() {
    std::vector<QWidget*> boxes;
    for (auto* box : controls<QLineEdit>()) boxes.push_back(box);
    for (auto* box : controls<QPlainTextEdit>()) boxes.push_back(box);
    for (auto* box : controls<QTextEdit>()) boxes.push_back(box);
    if (boxes.empty()) return;
    QWidget* box = pickOf(boxes);
    const QString text = randomText();
    const bool replace = pick(2) == 0;
    log(QString("type \"%1\" into %2%3").arg(text, nameOf(box), replace ? " (replacing)" : ""));
    box->setFocus();
    if (replace) QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
  }

  void pressKey() {
    const auto targets = controls<QWidget>();
    if (targets.empty()) return;
    QWidget* target = pickOf(targets);
    const int key = Keys[pick(std::size(Keys))];
    const Qt::KeyboardModifiers modifiers =
        pick(3) == 0 ? Qt::ControlModifier : (pick(6) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
    log(QString("key %1%2 on %3")
            .arg(modifiers & Qt::ControlModifier ? "Ctrl+"
                 : modifiers & Qt::ShiftModifier ? "Shift+"
                                                 : "")
            .arg(QKeySequence(key).toString(), nameOf(target)));
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
  }

  void pickFromList() {
    const auto views = controls<QAbstractItemView>();
    if (views.empty()) return;
    QAbstractItemView* view = pickOf(views);
    QAbstractItemModel* model = view->model();
    const int rows = model ? model->rowCount(view->rootIndex()) : 0;
    if (rows == 0) return;
    const QModelIndex index = model->index(pick(rows), 0, view->rootIndex());
    const bool twice = pick(2) == 0;
    log(QString("%1 row %2 of %3")
            .arg(twice ? "double-click" : "click")
            .arg(index.row())
            .arg(nameOf(view)));
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    if (twice && view) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
  }

  void clickSomewhere() {
    const auto targets = controls<QWidget>();
    if (targets.empty()) return;
    QWidget* target = pickOf(targets);
    // In thousandths of the control's size: a label that shows the folder's name is a few
    // pixels wider or narrower from one run to the next, and a replay must hit the same spot.
    const int across = pick(1000);
    const int down = pick(1000);
    const QPoint at(target->width() * across / 1000, target->height() * down / 1000);
    const Qt::MouseButton button = pick(4) == 0 ? Qt::RightButton : Qt::LeftButton;
    const bool twice = pick(4) == 0;
    log(QString("%1 %2 at %3/1000 across, %4/1000 down of %5")
            .arg(twice ? "double-click" : "click", button == Qt::RightButton ? "right" : "left")
            .arg(across)
            .arg(down)
            .arg(nameOf(target)));
    if (twice)
      QTest::mouseDClick(target, button, {}, at);
    else
      QTest::mouseClick(target, button, {}, at);
  }

  void setValue() {
    const auto combos = controls<QComboBox>();
    const auto sliders = controls<QAbstractSlider>();
    const auto spins = controls<QAbstractSpinBox>();
    const int kind = pick(3);
    if (kind == 0 && !combos.empty()) {
      QComboBox* combo = pickOf(combos);
      const int index = pick(combo->count() + 1) - 1;
      log(QString("choose %1 in %2").arg(index).arg(nameOf(combo)));
      combo->setCurrentIndex(index);
    } else if (kind == 1 && !sliders.empty()) {
      QAbstractSlider* slider = pickOf(sliders);
      const int value = slider->minimum() + pick(slider->maximum() - slider->minimum() + 1);
      log(QString("scroll %1 to %2").arg(nameOf(slider)).arg(value));
      slider->setValue(value);
    } else if (kind == 2 && !spins.empty()) {
      QAbstractSpinBox* spin = pickOf(spins);
      const bool up = pick(2) == 0;
      log(QString("step %1 %2").arg(nameOf(spin), up ? "up" : "down"));
      spin->stepBy(up ? 1 + pick(5) : -1 - pick(5));
    }
  }

  std::mt19937 random_;
  std::size_t seenDialogs_ = 0;
  core::ModDefinitions defs_;
  ui::ScriptedDialogs dialogs_;
  ui::ChangeHub hub_;
  ui::FormsRegistry registry_;
};

unsigned argument(int argc, char** argv, const char* name, unsigned fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0)
      return static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  qInstallMessageHandler(onQtMessage);
  if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(onSanitizerDeath);
  for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGALRM})
    std::signal(signal, onSignal);

  const unsigned firstSeed = argument(argc, argv, "--seed", 1);
  const unsigned actions = argument(argc, argv, "--actions", 1000);
  const unsigned sessions = argument(argc, argv, "--sessions", 1);
  unsigned done = 0;
  std::size_t dialogs = 0;
  for (unsigned s = 0; s < sessions; ++s) {
    QTemporaryDir folder;
    const core::Status written = demodata::WriteDemoData(folder.path().toStdString());
    if (!written.ok()) {
      std::fprintf(stderr, "cannot write the demo data: %s\n", written.message().c_str());
      return 1;
    }
    trace = {firstSeed + s, 0, {}};
    Session session(folder.path(), trace.seed);
    for (unsigned a = 0; a < actions; ++a) {
      ::alarm(ActionSeconds);
      ++trace.steps;
      session.step();
    }
    ::alarm(0);
    dialogs += session.dialogsShown();
    if (argument(argc, argv, "--print-actions", 0) != 0) printTrace("the end");
    done += static_cast<unsigned>(trace.actions.size());
  }
  std::printf("random sessions: %u sessions from seed %u, %u actions, %zu dialogs answered\n",
              sessions, firstSeed, done, dialogs);
  std::printf("%u passed, 0 failed\n", sessions);
  return 0;
}
