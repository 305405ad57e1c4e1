#include "core/definitions.h"
#include "support/test_registry.h"
#include "ui/change_hub.h"
#include "ui/form.h"
#include "ui/forms_registry.h"

#include <QApplication>
#include <QTest>

#include <memory>

namespace {

// What a window went through; it outlives the window so a closed one can still be checked.
struct Tally {
  int loads = 0, paints = 0, resizes = 0, unloads = 0;
};

class CountingForm : public ui::Form {
  Q_OBJECT
 public:
  CountingForm(const QString& name, Tally& tally, unsigned watched = 0)
      : ui::Form(name), tally_(tally), watched_(watched) {}
  unsigned watchedChanges() const override { return watched_; }
  bool refuseClose = false;
  bool refreshInPaint = false;

 protected:
  void Form_Load() override { ++tally_.loads; }
  void Form_Paint() override {
    ++tally_.paints;
    if (refreshInPaint) refresh();
  }
  void Form_Resize() override { ++tally_.resizes; }
  bool Form_QueryUnload() override { return !refuseClose; }
  void Form_Unload() override { ++tally_.unloads; }

 private:
  Tally& tally_;
  unsigned watched_;
};

}  // namespace

class FormsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<core::ModDefinitions> defs_;
  std::unique_ptr<ui::ChangeHub> hub_;
  Tally tally_, other_;

  // frmA shows the spells.
  std::unique_ptr<ui::FormsRegistry> registry() {
    auto registry = std::make_unique<ui::FormsRegistry>(hub_.get());
    registry->add("frmA", [this] {
      return std::make_unique<CountingForm>("frmA", tally_, core::SpellsChanged);
    });
    registry->add("frmB", [this] { return std::make_unique<CountingForm>("frmB", other_); });
    return registry;
  }
  // A window watched by the hub and shown (its first paint).
  std::unique_ptr<CountingForm> shownWatcher(Tally& tally, unsigned watched) {
    auto form = std::make_unique<CountingForm>("frmW", tally, watched);
    hub_->watch(form.get());
    form->showForm();
    return form;
  }

 private slots:
  void init() {
    defs_ = std::make_unique<core::ModDefinitions>("unused");
    hub_ = std::make_unique<ui::ChangeHub>(*defs_);
    tally_ = other_ = Tally{};
  }
  void cleanup() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // closed windows
    hub_.reset();
    defs_.reset();
  }

  // Showing an open window raises it: no load, no paint. Closed by code or by the title bar, it
  // is gone for the registry at once, even before the event loop deletes the object, and comes
  // back as a new window, which repaints on the changes it watches.
  void registryKeepsOneWindowPerName() {
    for (const bool byTitleBar : {false, true}) {
      tally_ = Tally{};
      auto windows = registry();
      QPointer<ui::Form> first = windows->show("frmA");
      QCOMPARE(windows->show("frmA"), first);
      QCOMPARE(tally_.paints, 1);
      QVERIFY(!windows->show("frmUnknown"));
      QVERIFY(byTitleBar ? first->close() : first->closeForm());
      QCOMPARE(tally_.unloads, 1);
      QVERIFY(!windows->find("frmA"));
      ui::Form* second = windows->show("frmA");
      QVERIFY(second != first && second->isVisible());
      QCOMPARE(tally_.loads, 2);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QVERIFY(first.isNull());
      QCOMPARE(windows->find("frmA"), second);
      defs_->NotifyChanged(core::SpellsChanged);
      QCoreApplication::sendPostedEvents();
      QCOMPARE(tally_.paints, 3);
    }
  }

  void refusedCloseKeepsTheWindow() {
    auto windows = registry();
    auto* a = windows->show<CountingForm>("frmA");
    windows->show("frmB");
    a->refuseClose = true;
    QVERIFY(!windows->closeAll());
    QCOMPARE(windows->find("frmA"), a);
    QVERIFY(!windows->find("frmB"));
    a->refuseClose = false;
    QVERIFY(windows->closeAll());
    QVERIFY(!windows->find("frmA"));
    QCOMPARE(tally_.unloads + other_.unloads, 2);
  }

  // Paint runs on show (also after a hide) and on refresh, never because the window was
  // covered, activated or resized: typing not yet stored survives those. A refresh asked for
  // during a paint (a window's own rebuild raising an event) runs once after it.
  void paintsOnShowAndRefreshOnly() {
    CountingForm form("frmA", tally_);
    CountingForm cover("frmB", other_);
    form.resize(300, 300);
    QCOMPARE(tally_.resizes, 0);  // not loaded yet: no event
    form.showForm();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    cover.showForm();
    cover.move(form.pos());
    QVERIFY(QTest::qWaitForWindowExposed(&cover));
    form.raise();
    form.activateWindow();
    form.repaint();
    cover.hide();
    form.resize(320, 240);
    QApplication::processEvents();
    QCOMPARE(tally_.paints, 1);
    QVERIFY(tally_.resizes >= 1);
    form.hideForm();
    form.showForm();
    form.refresh();
    QCOMPARE(tally_.loads, 1);
    QCOMPARE(tally_.paints, 3);
    form.refreshInPaint = true;
    form.refresh();
    QCOMPARE(tally_.paints, 5);
  }

  // A handler of A changes the map twice and the selection once: the other watchers repaint
  // once, after the handler, and A keeps its controls as they are.
  void changeRepaintsOtherWatchersAfterTheHandler() {
    Tally c;
    auto a = shownWatcher(tally_, core::MapChanged);
    auto b = shownWatcher(other_, core::MapChanged | core::SelectionChanged);
    auto notShowingTheMap = shownWatcher(c, core::ItemsChanged);
    hub_->watch(b.get());  // watching twice is watching once
    defs_->NotifyChanged(core::MapChanged, a->changeOrigin());
    defs_->NotifyChanged(core::SelectionChanged, a->changeOrigin());
    defs_->NotifyChanged(core::MapChanged, a->changeOrigin());
    QCOMPARE(other_.paints, 1);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(other_.paints, 2);
    QCOMPARE(tally_.paints, 1);
    QCOMPARE(c.paints, 1);

    defs_->NotifyChanged(core::MapChanged, b->changeOrigin());
    defs_->NotifyChanged(core::MapChanged);  // from no window: every watcher
    QCoreApplication::sendPostedEvents();
    QCOMPARE(tally_.paints, 2);
    QCOMPARE(other_.paints, 3);
  }

  // Left alone: hidden windows (until shown), closed ones, and all once the hub is gone.
  void someWindowsAreLeftAlone() {
    Tally closing;
    auto hidden = shownWatcher(tally_, core::ShopsChanged);
    hidden->hideForm();
    defs_->NotifyChanged(core::ShopsChanged);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(tally_.paints, 1);
    hidden->showForm();  // showing paints, once, with whatever is current
    QCoreApplication::sendPostedEvents();
    QCOMPARE(tally_.paints, 2);

    QPointer<CountingForm> closed = shownWatcher(closing, core::ShopsChanged).release();
    defs_->NotifyChanged(core::ShopsChanged);
    closed->closeForm();  // closed while its repaint was pending
    QCoreApplication::sendPostedEvents();
    QVERIFY(closed.isNull());
    QCOMPARE(closing.paints, 1);
    defs_->NotifyChanged(core::ShopsChanged);
    hub_.reset();  // with a round pending
    QCoreApplication::sendPostedEvents();
    defs_->NotifyChanged(core::ShopsChanged);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(tally_.paints, 3);
  }
};

REGISTER_TEST(FormsTest);

#include "test_forms.moc"
