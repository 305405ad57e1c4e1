#include "map_editors_fixture.h"
#include "support/test_registry.h"
#include "ui/picture_box.h"
#include "ui/picture_viewer.h"

#include <QTest>

using namespace map_editors_test;

class MapPictureTest : public QObject {
  Q_OBJECT

 private slots:
  // Param1 of the current special names Data/MapN.bmp; a stored change shows at once, and a
  // missing file is named in the window without a message box.
  void showsThePictureTheSpecialNames() {
    MainWindow w;
    addEditors(w);
    core::Bitmap picture(40, 24, 0x336699);
    core::WriteBmp(w.dir->data() / "map12.BMP", picture);
    test_support::putSpecial(w.defs->Map, 6, 1, 2, 2, 12);
    w.defs->CurrentSpecial = 6;
    auto* viewer = qobject_cast<ui::PictureForm*>(w.registry->show("frmMapBit"));
    QVERIFY(viewer);
    QCOMPARE(viewer->problem(), QString());
    QCOMPARE(viewer->picture()->objectName(), QString("Picture1"));
    QCOMPARE(viewer->picture()->image().size(), QSize(40, 24));
    QCOMPARE(viewer->picture()->image().pixel(39, 23), qRgb(0x33, 0x66, 0x99));
    QCOMPARE(viewer->size(), QSize(40, 24));

    w.defs->Map.SetSpecial(6, core::SpecialField::Param1, -3);
    w.defs->NotifyChanged(core::MapChanged);
    settle();
    QVERIFY(viewer->picture()->image().isNull());
    QCOMPARE(viewer->problem(),
             QString("The picture %1 is missing.")
                 .arg(QString::fromStdString((w.dir->data() / "Map-3.bmp").string())));
    QVERIFY(w.dialogs.shown().empty());
  }
};

REGISTER_TEST(MapPictureTest);

#include "test_frm_map_bit.moc"
