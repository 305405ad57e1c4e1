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

 private slots:
  void changeRepaintsOtherWatchersAfterTheHandler() {
    core::ModDefinitions defs("unused");
    ui::ChangeHub hub(defs);
    WatchingForm a("frmA", core::MapChanged);
    WatchingForm b("frmB", core::MapChanged | core::SelectionChanged);
    WatchingForm c("frmC", core::ItemsChanged);
    for (ui::Form* f :
         {static_cast<ui::Form*>(&a), static_cast<ui::Form*>(&b), static_cast<ui::Form*>(&c)}) {
      hub.watch(f);
      f->showForm();
    }
    QCOMPARE(b.paints, 1);

    // A handler of A changes the map twice and the selection once.
    defs.NotifyChanged(core::MapChanged, a.changeOrigin());
    defs.NotifyChanged(core::SelectionChanged, a.changeOrigin());
    defs.NotifyChanged(core::MapChanged, a.changeOrigin());
    QCOMPARE(b.paints, 1);  // never in the middle of A's handler
    QVERIFY(hub.hasPending());
    runEventLoopOnce();
    QCOMPARE(b.paints, 2);  // one repaint for all three
    QCOMPARE(a.paints, 1);  // the window that made the change keeps its controls
    QCOMPARE(c.paints, 1);  // does not show the map
    QVERIFY(!hub.hasPending());
    runEventLoopOnce();
    QCOMPARE(b.paints, 2);
  }

  void eachWindowHearsTheOthersChanges() {
    core::ModDefinitions defs("unused");
    ui::ChangeHub hub(defs);
    WatchingForm a("frmA", core::MapChanged);
    WatchingForm b("frmB", core::MapChanged);
    hub.watch(&a);
    hub.watch(&b);
    hub.watch(&b);  // watching twice is watching once
    a.showForm();
    b.showForm();
    defs.NotifyChanged(core::MapChanged, a.changeOrigin());
    defs.NotifyChanged(core::MapChanged, b.changeOrigin());
    runEventLoopOnce();
    QCOMPARE(a.paints, 2);
    QCOMPARE(b.paints, 2);

    // A change from no window (origin null) reaches every watcher.
    defs.NotifyChanged(core::MapChanged);
    runEventLoopOnce();
    QCOMPARE(a.paints, 3);
    QCOMPARE(b.paints, 3);
  }

  void hiddenClosedAndUnwatchedWindowsAreLeftAlone() {
    core::ModDefinitions defs("unused");
    ui::ChangeHub hub(defs);
    WatchingForm hidden("frmHidden", core::ShopsChanged);
    WatchingForm unwatched("frmUnwatched", core::ShopsChanged);
    hub.watch(&hidden);
    hub.watch(&unwatched);
    hidden.showForm();
    unwatched.showForm();
    hidden.hideForm();
    hub.unwatch(&unwatched);
    defs.NotifyChanged(core::ShopsChanged);
    runEventLoopOnce();
    QCOMPARE(hidden.paints, 1);
    QCOMPARE(unwatched.paints, 1);
    hidden.showForm();  // showing paints, once, with whatever is current
    QCOMPARE(hidden.paints, 2);
    runEventLoopOnce();
    QCOMPARE(hidden.paints, 2);

    auto* closing = new WatchingForm("frmClosing", core::ShopsChanged);
    QPointer<WatchingForm> guard(closing);
    hub.watch(closing);
    closing->showForm();
    defs.NotifyChanged(core::ShopsChanged);
    closing->closeForm();  // closed while its repaint was pending
    runEventLoopOnce();    // runs the queued repaint round and deletes the closed window
    QVERIFY(guard.isNull());
    defs.NotifyChanged(core::ShopsChanged);
    runEventLoopOnce();
    QCOMPARE(hidden.paints, 4);
  }

  void registryWindowsAreWatched() {
    core::ModDefinitions defs("unused");
    ui::ChangeHub hub(defs);
    ui::FormsRegistry registry(&hub);
    registry.add("frmA",
                 [] { return std::make_unique<WatchingForm>("frmA", core::SpellsChanged); });
    auto* a = registry.show<WatchingForm>("frmA");
    QVERIFY(a);
    defs.NotifyChanged(core::SpellsChanged);
    runEventLoopOnce();
    QCOMPARE(a->paints, 2);
  }

  void hubStopsListeningWhenGone() {
    core::ModDefinitions defs("unused");
    WatchingForm a("frmA", core::MapChanged);
    a.showForm();
    {
      ui::ChangeHub hub(defs);
      hub.watch(&a);
      defs.NotifyChanged(core::MapChanged);
      hub.flush();  // the queued round may also be run by hand
      QCOMPARE(a.paints, 2);
      defs.NotifyChanged(core::MapChanged);
    }
    runEventLoopOnce();
    defs.NotifyChanged(core::MapChanged);
    runEventLoopOnce();
    QCOMPARE(a.paints, 2);
  }
};

REGISTER_TEST(ChangeHubTest);

#include "test_change_hub.moc"
