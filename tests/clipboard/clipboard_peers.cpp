// Squares copied in one running editor and pasted in another, through the system clipboard of
// a real (virtual) X screen. Run without arguments it starts itself twice, each on a game folder
// of its own: "copy" selects six by four squares and presses Ctrl+C, then keeps running (it
// owns the clipboard) until its input closes; "paste" selects a square, presses Ctrl+V and
// Ctrl+S, and checks that its Maps.dat holds the squares.
#include "core/map_region.h"
#include "core/packing.h"
#include "maps/main_window_fixture.h"

#include <QApplication>
#include <QProcess>
#include <QSocketNotifier>

#include <cstdio>
#include <iostream>

namespace {

using main_window_test::MainWindow;

int fail(const std::string& why) {
  std::fprintf(stderr, "clipboard_peers: %s\n", why.c_str());
  return 1;
}

bool activate(const MainWindow& w) {
  w.window->activateWindow();
  return QTest::qWaitForWindowActive(w.window, 10000);
}

std::int16_t squareOnDisk(const std::vector<std::uint8_t>& slot, int x, int y) {
  return core::IntegerAt(slot, static_cast<std::size_t>(122 + 2 * (33 * y + x)));
}

std::int16_t specialOnDisk(const std::vector<std::uint8_t>& slot, int entry, int field) {
  return core::IntegerAt(slot, static_cast<std::size_t>(2300 + 202 * field + 2 * entry));
}

// The editor that copies: it answers the other's requests for the clipboard until told to end.
int copyPeer() {
  MainWindow w;
  test_support::editMap(*w.defs, [](core::MapRecord& map) {
    map.SetSquare(2, 3, static_cast<std::int16_t>(0xA123));
    map.SetSquare(7, 6, 0x0F0F);
    map.PutSpecial(5, {4, 1, 7, 6, 9, 3, 5, 6, 12, 3, -40});
  });
  if (!activate(w)) return fail("the copying editor's window never became active");
  w.defs->Document().SetRegion({2, 3, 7, 6});
  QTest::keyClick(w.control<QWidget>("picMap"), Qt::Key_C, Qt::ControlModifier);
  std::cout << "copied" << std::endl;
  QSocketNotifier input(0, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [] { QCoreApplication::exit(0); });
  return QApplication::exec();
}

int pastePeer() {
  MainWindow w;
  if (!activate(w)) return fail("the pasting editor's window never became active");
  w.clickSquare(20, 10);
  QTest::keyClick(w.control<QWidget>("picMap"), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(w.control<QWidget>("picMap"), Qt::Key_S, Qt::ControlModifier);
  for (const QString& message : w.messages()) return fail("shown: " + message.toStdString());
  const std::vector<std::uint8_t> slot = test_support::mapSlotBytes(w.mapsFile(), 1);
  if (squareOnDisk(slot, 20, 10) != static_cast<std::int16_t>(0xA123) ||
      squareOnDisk(slot, 25, 13) != 0x0F0F || specialOnDisk(slot, 0, 0) != 4 ||
      specialOnDisk(slot, 0, 2) != 25 || specialOnDisk(slot, 0, 3) != 13 ||
      specialOnDisk(slot, 0, 10) != -40)
    return fail("Maps.dat of the pasting editor does not hold the squares");
  return 0;
}

int parent() {
  const QString program = QCoreApplication::applicationFilePath();
  QProcess copier;
  copier.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  copier.start(program, {"copy"});
  QByteArray said;
  while (!said.contains("copied") && copier.waitForReadyRead(30000)) said += copier.readAll();
  if (!said.contains("copied")) return fail("the copying editor did not copy");

  QProcess paster;
  paster.setProcessChannelMode(QProcess::ForwardedChannels);
  paster.start(program, {"paste"});
  const bool pasted = paster.waitForFinished(60000) &&
                      paster.exitStatus() == QProcess::NormalExit && paster.exitCode() == 0;
  copier.closeWriteChannel();
  if (!copier.waitForFinished(30000)) copier.kill();
  if (!pasted) return fail("the pasting editor did not paste and save");
  std::printf("clipboard_peers: squares copied in one editor reached the other's Maps.dat\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const QString role = argc > 1 ? QString(argv[1]) : QString();
  if (role.isEmpty()) {
    QCoreApplication app(argc, argv);
    return parent();
  }
  QApplication app(argc, argv);
  if (role == "copy") return copyPeer();
  if (role == "paste") return pastePeer();
  return fail("usage: clipboard_peers [copy|paste]");
}
