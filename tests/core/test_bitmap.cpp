#include "core/bitmap.h"
#include "core/tile_sheet.h"
#include "core_fixture.h"

#include <sys/stat.h>

#include <QRect>
#include <QTemporaryDir>

namespace fs = std::filesystem;

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

}  // namespace

class BitmapTest : public QObject {
  Q_OBJECT

 private slots:
  // 1, 3 and 4 pixels wide, each over an older, larger file.
  void rowsArePaddedAndStoredBottomUp() {
    QTemporaryDir dir;
    const fs::path path = fs::path(dir.path().toStdString()) / "p.bmp";
    for (const auto& [width, rowBytes] : {std::pair{1, 4}, {3, 12}, {4, 12}}) {
      QVERIFY(core::WriteBmp(path, core::Bitmap(50, 50)).ok());
      core::Bitmap bitmap(width, 2, 0x000000);
      bitmap.set(0, 0, 0x112233);          // top-left
      bitmap.set(width - 1, 1, 0xA0B0C0);  // bottom-right
      QVERIFY(core::WriteBmp(path, bitmap).ok());

      const std::vector<std::uint8_t> b = test_support::readBytes(path);
      QCOMPARE(b.size(), std::size_t(54 + 2 * rowBytes));
      QCOMPARE(U32(b, 2), std::uint32_t(b.size()));
      QCOMPARE(U32(b, 18), std::uint32_t(width));
      QCOMPARE(U32(b, 22), 2u);
      QCOMPARE(U32(b, 34), std::uint32_t(2 * rowBytes));
      // The bottom row comes first, each pixel blue, green, red; rows are padded with zeros.
      const auto at = [&b](std::size_t offset, std::size_t size) {
        return test_support::toHex({b.begin() + offset, b.begin() + offset + size});
      };
      QCOMPARE(at(54 + 3 * (width - 1), 3), QByteArray("c0 b0 a0"));
      QCOMPARE(at(54 + rowBytes, 3), QByteArray("33 22 11"));
      for (int pad = 3 * width; pad < rowBytes; ++pad) QCOMPARE(b[54 + pad], std::uint8_t{0});
    }
  }

  // Failed writes name the file and leave none behind; a check refuses what would leave the
  // view empty, saying why.
  void failuresAndRefusalsSayWhy() {
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    const fs::path missing = folder / "no such folder" / "p.bmp";
    QVERIFY(core::WriteBmp(missing, core::Bitmap(2, 2)).message().find(missing.string()) !=
            std::string::npos);
    const fs::path empty = folder / "empty.bmp";
    QVERIFY(core::WriteBmp(empty, core::Bitmap(0, 5)).message().find("empty.bmp") !=
            std::string::npos);
    core::Bitmap torn(4, 4);
    torn.pixels.pop_back();
    QVERIFY(!core::WriteBmp(empty, torn).ok());
    QVERIFY(!fs::exists(empty));

    const fs::path good = folder / "good.bmp";
    QVERIFY(core::WriteBmp(good, core::Bitmap(169, 40)).ok());
    QVERIFY(core::CheckBmpFile(good, 169, 40).ok());
    const auto refusal = [](const fs::path& path, int w, int h) {
      const core::Status status = core::CheckBmpFile(path, w, h);
      return status.ok() ? std::string("accepted") : status.message();
    };
    QVERIFY(refusal(good, 170, 40).find("169 x 40") != std::string::npos);
    auto bytes = test_support::readBytes(good);
    bytes.resize(bytes.size() - 1);
    test_support::writeBytes(folder / "cut.bmp", bytes);
    QVERIFY(refusal(folder / "cut.bmp", 169, 40).find("cut short") != std::string::npos);
    const fs::path fifo = folder / "fifo.bmp";
    QCOMPARE(::mkfifo(fifo.c_str(), 0644), 0);
    QVERIFY(refusal(fifo, 1, 1).find("not a regular file") != std::string::npos);
    QVERIFY(refusal(folder / "none.bmp", 1, 1).find("none.bmp") != std::string::npos);
  }

  // The glyph for each code 0..7 shows in the map view tests; outside them there is none.
  void noGlyphOutsideTheCodesAndSides() {
    for (const auto& [code, side] : {std::pair{8, 0}, {-1, 3}, {1, 4}, {1, -1}})
      QVERIFY(core::WallGlyph(code, side) == nullptr);
  }

  // Every glyph lies inside the sheet, and no two glyph rectangles overlap.
  void tileSheetHoldsEveryGlyph() {
    const core::Bitmap sheet = core::MakeTileSheet();
    QCOMPARE(QSize(sheet.width, sheet.height), QSize(core::TileSheetWidth, core::TileSheetHeight));
    const auto rect = [](const core::GlyphRect& g) { return QRect(g.x, g.y, g.width, g.height); };
    std::vector<QRect> all{rect(core::SelectionFrameGlyph), rect(core::SpecialMarkerGlyph)};
    for (const auto* glyphs : {core::PlainWallGlyphs, core::SecondWallGlyphs, core::DoorGlyphs})
      for (int side = 0; side < core::SideCount; ++side) all.push_back(rect(glyphs[side]));
    for (std::size_t i = 0; i < all.size(); ++i) {
      QVERIFY(QRect(0, 0, sheet.width, sheet.height).contains(all[i]));
      for (std::size_t j = i + 1; j < all.size(); ++j) QVERIFY(!all[i].intersects(all[j]));
    }
  }

  void backgroundGridFallsOnCellEdges() {
    const core::Bitmap back = core::MakeMapBackground();
    QCOMPARE(QSize(back.width, back.height), QSize(434, 434));
    for (int k = 0; k <= 33; ++k)
      QVERIFY(back.at(13 * k, 5) != 0xFFFFFF && back.at(5, 13 * k) != 0xFFFFFF);
    // Inside a cell, and beyond the last grid line, the view is white.
    for (int d = 1; d <= 12; ++d) QCOMPARE(back.at(13 * 7 + d, 13 * 9 + d), 0xFFFFFFu);
    QCOMPARE(back.at(433, 433), 0xFFFFFFu);
  }
};

REGISTER_TEST(BitmapTest);
#include "test_bitmap.moc"
