#include "support/test_registry.h"
#include "ui/form.h"
#include "ui/forms_registry.h"

#include <QApplication>
#include <QTest>

#include <memory>

namespace {

// Counts its events; a shared tally outlives the window so a closed one can still be checked.
struct Tally {
  int created = 0;
  int loads = 0;
  int paints = 0;
  int resizes = 0;
  int unloads = 0;
};

class CountingForm : public ui::Form {
  Q_OBJECT
 public:
  CountingForm(const QString& name, Tally& tally) : ui::Form(name), tally_(tally) {
    ++tally_.created;
    resize(200, 150);
  }
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
};

void addCounting(ui::FormsRegistry& registry, const QString& name, Tally& tally) {
  registry.add(name, [name, &tally] { return std::make_unique<CountingForm>(name, tally); });
}

void deleteClosedWindows() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class FormsTest : public QObject {
  Q_OBJECT

 private slots:
  void firstShowLoadsAndPaintsOnce() {
    Tally tally;
    ui::FormsRegistry registry;
    addCounting(registry, "frmA", tally);
    ui::Form* form = registry.show("frmA");
    QVERIFY(form->isVisible());
    QCOMPARE(form->objectName(), QString("frmA"));
    QCOMPARE(tally.loads, 1);
    QCOMPARE(tally.paints, 1);

    // Showing a window that is already open raises it: same window, no load, no paint.
    QCOMPARE(registry.show("frmA"), form);
    QCOMPARE(tally.created, 1);
    QCOMPARE(tally.loads, 1);
    QCOMPARE(tally.paints, 1);
    QVERIFY(!registry.show("frmUnknown"));
    QVERIFY(!registry.find("frmUnknown"));
  }

  // Closed by code or by the title bar's close button: gone for the registry at once, even
  // before the event loop deletes the object, and shown again as a new window.
  void closedWindowComesBackFresh_data() {
    QTest::addColumn<bool>("byTitleBar");
    QTest::newRow("closeForm") << false;
    QTest::newRow("title bar") << true;
  }
  void closedWindowComesBackFresh() {
    QFETCH(bool, byTitleBar);
    Tally tally;
    ui::FormsRegistry registry;
    addCounting(registry, "frmA", tally);
    QPointer<ui::Form> first = registry.show("frmA");
    QVERIFY(byTitleBar ? first->close() : first->closeForm());
    QVERIFY(first->isClosed());
    QCOMPARE(tally.unloads, 1);
    QVERIFY(!registry.find("frmA"));
    ui::Form* second = registry.show("frmA");
    QVERIFY(second != first && !second->isClosed());
    QCOMPARE(tally.created, 2);
    QCOMPARE(tally.loads, 2);
    QCOMPARE(tally.paints, 2);
    deleteClosedWindows();
    QVERIFY(first.isNull());
    QCOMPARE(registry.find("frmA"), second);
  }

  void refusedCloseKeepsTheWindow() {
    Tally tally;
    ui::FormsRegistry registry;
    addCounting(registry, "frmA", tally);
    addCounting(registry, "frmB", tally);
    auto* a = registry.show<CountingForm>("frmA");
    registry.show("frmB");
    a->refuseClose = true;
    QVERIFY(!registry.closeAll());
    QCOMPARE(registry.find("frmA"), a);
    QVERIFY(a->isVisible());
    QVERIFY(!registry.find("frmB"));
    QCOMPARE(tally.unloads, 1);

    a->refuseClose = false;
    QVERIFY(registry.closeAll());
    QVERIFY(!registry.find("frmA"));
    QCOMPARE(tally.unloads, 2);
    deleteClosedWindows();
  }

  // A refresh paints at once; one asked for during a paint (a reload-flag window's own rebuild
  // raising an event) runs once after it.
  void refreshPaintsOnce_data() {
    QTest::addColumn<bool>("refreshInPaint");
    QTest::newRow("from code") << false;
    QTest::newRow("during paint") << true;
  }
  void refreshPaintsOnce() {
    QFETCH(bool, refreshInPaint);
    Tally tally;
    CountingForm form("frmA", tally);
    form.refreshInPaint = refreshInPaint;
    form.showForm();
    QCOMPARE(tally.paints, refreshInPaint ? 2 : 1);
    form.refresh();
    QCOMPARE(tally.paints, refreshInPaint ? 4 : 2);
  }

  void hiddenWindowPaintsWhenShownAgain() {
    Tally tally;
    CountingForm form("frmA", tally);
    form.showForm();
    form.hideForm();
    QVERIFY(!form.isVisible());
    QVERIFY(!form.isClosed());
    form.showForm();
    QVERIFY(form.isVisible());
    QCOMPARE(tally.loads, 1);
    QCOMPARE(tally.paints, 2);
  }

  // Typing not yet stored must survive another window passing over this one.
  void coveringOrActivatingDoesNotPaint() {
    Tally a, b;
    CountingForm formA("frmA", a);
    CountingForm formB("frmB", b);
    formA.showForm();
    QVERIFY(QTest::qWaitForWindowExposed(&formA));
    formB.showForm();
    formB.move(formA.pos());
    QVERIFY(QTest::qWaitForWindowExposed(&formB));
    formA.raise();
    formA.activateWindow();
    formA.update();
    formA.repaint();
    formB.hide();
    QApplication::processEvents();
    formA.resize(320, 240);
    QApplication::processEvents();
    QCOMPARE(a.paints, 1);
    QVERIFY(a.resizes >= 1);
    QCOMPARE(b.paints, 1);
  }

  void resizeBeforeLoadIsNotReported() {
    Tally tally;
    CountingForm form("frmA", tally);
    form.resize(300, 300);
    QCOMPARE(tally.resizes, 0);
    QCOMPARE(tally.loads, 0);
  }

  void registryDeletesWhatIsStillOpen() {
    Tally tally;
    QPointer<ui::Form> form;
    {
      ui::FormsRegistry registry;
      addCounting(registry, "frmA", tally);
      form = registry.show("frmA");
      QVERIFY(!form.isNull());
    }
    QVERIFY(form.isNull());
  }
};

REGISTER_TEST(FormsTest);

#include "test_forms.moc"
