#include "app/editor_forms.h"
#include "maps/main_window_fixture.h"
#include "support/test_registry.h"

namespace {

std::vector<std::vector<std::uint8_t>> datFiles(const test_support::TestDataDir& dir) {
  std::vector<std::vector<std::uint8_t>> files;
  for (const char* name : {"Maps.dat", "Item.dat", "Shop.dat", "Mon.dat", "Mag.dat", "MagProg.dat"})
    files.push_back(test_support::readBytes(dir.datFile(name)));
  return files;
}

}  // namespace

// Every secondary window of the editor closes on Escape, from the control that has the focus,
// and stores nothing: the map and the catalogue files stay as they were.
class SecondaryWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void escapeClosesEverySecondaryWindow_data() {
    QTest::addColumn<QString>("name");
    for (const char* name :
         {"frmTextEd", "frmLTextEd", "frmTextEnter", "frmLTextEnter", "frmMapEnc", "frmMapBit",
          "frmMapSpe", "frmEquipList2", "frmEquipEffect", "frmEquipEffEd", "frmCreatList2",
          "frmCreatBit", "frmCreatSpe", "frmCreatSpeEd", "frmMagicList", "frmMagicProg",
          "frmShopItemAdd", "frmWhereUsed", "frmGameCheck"})
      QTest::newRow(name) << QString(name);
  }
  void escapeClosesEverySecondaryWindow() {
    QFETCH(QString, name);
    main_window_test::MainWindow w;
    AddEditorForms(*w.registry, *w.defs, w.dialogs);
    w.defs->CurrentSpecial = 0;
    w.defs->SpecialReload = 1;
    const core::MapRecord map = w.defs->Document().Map();
    const auto files = datFiles(*w.dir);
    ui::Form* form = w.registry->show(name);
    QVERIFY(form);
    w.activate(form);
    QTest::keyClick(form->focusWidget() ? form->focusWidget() : form, Qt::Key_Escape);
    QVERIFY(w.formClosed(name));
    QVERIFY(w.defs->Document().Map() == map);
    QVERIFY(datFiles(*w.dir) == files);
  }
};

REGISTER_TEST(SecondaryWindowsTest);
#include "test_secondary_windows.moc"
