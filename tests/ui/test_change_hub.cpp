#include "core/definitions.h"
#include "support/test_registry.h"
#include "ui/change_hub.h"
#include "ui/form.h"
#include "ui/forms_registry.h"

#include <QApplication>
#include <QTest>

#include <memory>

namespace {

class WatchingForm : public ui::Form {
  Q_OBJECT
 public:
  WatchingForm(const QString& name, unsigned watched) : ui::Form(name), watched_(watched) {}
  unsigned watchedChanges() const override { return watched_; }
  int paints = 0;

 protected:
  void Form_Paint() override { ++paints; }

 private:
  unsigned watched_;
};

void runEventLoopOnce() {
  QCoreApplication::sendPostedEvents();
}

}  // namespace

class ChangeHubTest : public QObject {
  Q_OBJECT

  std::unique_ptr<core::ModDefinitions> defs_;
  std::unique_ptr<ui::ChangeHub> hub_;

  // A window watched by the hub and shown (its first paint).
  std::unique_ptr<WatchingForm> shownWatcher(const QString& name, unsigned watched) {
    auto form = std::make_unique<WatchingForm>(name, watched);
    hub_->watch(form.get());
    form->showForm();
    return form;
  }

 private slots:
  void init() {
    defs_ = std::make_unique<core::ModDefinitions>("unused");
    hub_ = std::make_unique<ui::ChangeHub>(*defs_);
  }
  void cleanup() {
    hub_.reset();
    defs_.reset();
  }

  void changeRepaintsOtherWatchersAfterTheHandler() {
    auto a = shownWatcher("frmA", core::MapChanged);
    auto b = shownWatcher("frmB", core::MapChanged | core::SelectionChanged);
    auto c = shownWatcher("frmC", core::ItemsChanged);
    QCOMPARE(b->paints, 1);

    // A handler of A changes the map twice and the selection once.
    defs_->NotifyChanged(core::MapChanged, a->changeOrigin());
    defs_->NotifyChanged(core::SelectionChanged, a->changeOrigin());
    defs_->NotifyChanged(core::MapChanged, a->changeOrigin());
    QCOMPARE(b->paints, 1);  // never in the middle of A's handler
    QVERIFY(hub_->hasPending());
    runEventLoopOnce();
    QCOMPARE(b->paints, 2);  // one repaint for all three
    QCOMPARE(a->paints, 1);  // the window that made the change keeps its controls
    QCOMPARE(c->paints, 1);  // does not show the map
    QVERIFY(!hub_->hasPending());
    runEventLoopOnce();
    QCOMPARE(b->paints, 2);
  }

  void eachWindowHearsTheOthersChanges() {
    auto a = shownWatcher("frmA", core::MapChanged);
    auto b = shownWatcher("frmB", core::MapChanged);
    hub_->watch(b.get());  // watching twice is watching once
    defs_->NotifyChanged(core::MapChanged, a->changeOrigin());
    defs_->NotifyChanged(core::MapChanged, b->changeOrigin());
    runEventLoopOnce();
    QCOMPARE(a->paints, 2);
    QCOMPARE(b->paints, 2);

    // A change from no window (origin null) reaches every watcher.
    defs_->NotifyChanged(core::MapChanged);
    runEventLoopOnce();
    QCOMPARE(a->paints, 3);
    QCOMPARE(b->paints, 3);
  }

  void hiddenClosedAndUnwatchedWindowsAreLeftAlone() {
    auto hidden = shownWatcher("frmHidden", core::ShopsChanged);
    auto unwatched = shownWatcher("frmUnwatched", core::ShopsChanged);
    hidden->hideForm();
    hub_->unwatch(unwatched.get());
    defs_->NotifyChanged(core::ShopsChanged);
    runEventLoopOnce();
    QCOMPARE(hidden->paints, 1);
    QCOMPARE(unwatched->paints, 1);
    hidden->showForm();  // showing paints, once, with whatever is current
    QCOMPARE(hidden->paints, 2);
    runEventLoopOnce();
    QCOMPARE(hidden->paints, 2);

    QPointer<WatchingForm> closing = shownWatcher("frmClosing", core::ShopsChanged).release();
    defs_->NotifyChanged(core::ShopsChanged);
    closing->closeForm();  // closed while its repaint was pending
    runEventLoopOnce();    // runs the queued repaint round and deletes the closed window
    QVERIFY(closing.isNull());
    defs_->NotifyChanged(core::ShopsChanged);
    runEventLoopOnce();
    QCOMPARE(hidden->paints, 4);
  }

  void registryWindowsAreWatched() {
    ui::FormsRegistry registry(hub_.get());
    registry.add("frmA",
                 [] { return std::make_unique<WatchingForm>("frmA", core::SpellsChanged); });
    auto* a = registry.show<WatchingForm>("frmA");
    QVERIFY(a);
    defs_->NotifyChanged(core::SpellsChanged);
    runEventLoopOnce();
    QCOMPARE(a->paints, 2);
  }

  void hubStopsListeningWhenGone() {
    auto a = shownWatcher("frmA", core::MapChanged);
    defs_->NotifyChanged(core::MapChanged);
    hub_->flush();  // the queued round may also be run by hand
    QCOMPARE(a->paints, 2);
    defs_->NotifyChanged(core::MapChanged);
    hub_.reset();
    runEventLoopOnce();
    defs_->NotifyChanged(core::MapChanged);
    runEventLoopOnce();
    QCOMPARE(a->paints, 2);
  }
};

REGISTER_TEST(ChangeHubTest);

#include "test_change_hub.moc"
