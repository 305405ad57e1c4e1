// Under a real X server and window manager: every window that belongs to another is transient
// for it (WM_TRANSIENT_FOR), so the window manager keeps it above its owner even when the owner
// is brought forward. Run by run_under_wm.sh; prints one line per pair, exits 1 on any failure.
#include "app/editor_forms.h"
#include "maps/main_window_fixture.h"
#include "ui/window_ids.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>

#include <cstdio>

namespace {

QString Xprop(const QStringList& arguments) {
  QProcess xprop;
  xprop.start("xprop", arguments);
  xprop.waitForFinished(5000);
  return QString::fromLocal8Bit(xprop.readAllStandardOutput());
}

// The client windows from bottom to top, as the window manager stacks them.
std::vector<WId> Stacking() {
  std::vector<WId> ids;
  const QString line = Xprop({"-root", "_NET_CLIENT_LIST_STACKING"});
  for (const auto& match : QRegularExpression("0x[0-9a-f]+").globalMatch(line))
    ids.push_back(match.captured().toULongLong(nullptr, 16));
  return ids;
}

void Wait(int ms) {
  QTest::qWait(ms);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  main_window_test::MainWindow w;
  AddEditorForms(*w.registry, *w.defs, w.dialogs);
  w.defs->CurrentSpecial = 0;
  w.defs->SpecialReload = 1;
  const struct {
    const char* owner;
    const char* owned;
  } pairs[] = {
      {ui::window::MainWindow, ui::window::SpecialEditor},
      {ui::window::MainWindow, ui::window::MapPicture},
      {ui::window::ItemEditor, ui::window::ItemEffects},
      {ui::window::ItemEditor, ui::window::EffectEditor},
      {ui::window::CreatureEditor, ui::window::CreatureSpecials},
      {ui::window::ShopEditor, ui::window::ShopItemAdd},
      {ui::window::MapTexts, ui::window::MapTextEntry},
  };
  int failures = 0;
  for (const auto& pair : pairs) {
    if (!w.registry->open(pair.owner).ok()) return 2;
    ui::Form* owner = w.registry->find(pair.owner);
    ui::Form* owned = w.registry->show(pair.owned);
    Wait(400);
    const QString transient = Xprop({"-id", QString::number(owned->winId()), "WM_TRANSIENT_FOR"});
    const bool isTransient = transient.contains(QStringLiteral("0x%1").arg(owner->winId(), 0, 16));
    owner->activateWindow();
    owner->raise();
    Wait(400);
    const std::vector<WId> stack = Stacking();
    const auto at = [&stack](WId id) { return std::find(stack.begin(), stack.end(), id); };
    const bool above = at(owned->winId()) != stack.end() && at(owner->winId()) != stack.end() &&
                       at(owned->winId()) > at(owner->winId());
    std::printf("%s over %s: transient %s, above after raising the owner %s\n", pair.owned,
                pair.owner, isTransient ? "yes" : "NO", above ? "yes" : "NO");
    if (!isTransient || !above) ++failures;
    owned->closeForm();
    Wait(100);
  }
  return failures == 0 ? 0 : 1;
}
