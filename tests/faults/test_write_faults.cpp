// Every writing command, failed or cut off at each of its writes, syncs, renames and truncations
// in turn: the files are as before or as after, the designer hears of a failure, and the editor
// goes on working.

#include "core/definitions.h"
#include "core/spell_progression.h"
#include "faults/io_fault_shim.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace test_support;

namespace {

namespace fs = std::filesystem;

enum class Mode { Fail, Crash };

// A writing command as the windows run it: `prepare` sets up the screen's record, `run` writes.
struct WriteCommand {
  const char* name;
  std::function<void(core::ModDefinitions&)> prepare;
  std::function<core::Status(core::ModDefinitions&)> run;
};

const std::vector<WriteCommand>& commands() {
  using core::ModDefinitions;
  static const std::vector<WriteCommand> all = {
      {"map save",
       [](ModDefinitions& defs) {
         defs.Document().Apply("Edit", [](core::MapRecord& map) {
           map.HitRefresh = 77;
           map.SetSquare(3, 4, 0x55);
         });
       },
       [](ModDefinitions& defs) { return defs.SaveMap(defs.CurrentMap); }},
      {"item save",
       [](ModDefinitions& defs) {
         QVERIFY(defs.ReadItemPair(2).ok());
         defs.Item.ItemName = padded("Forged blade");
       },
       [](ModDefinitions& defs) { return defs.WriteItem(); }},
      {"item append", [](ModDefinitions& defs) { defs.Item.ItemName = padded("New item"); },
       [](ModDefinitions& defs) { return defs.AppendItem(); }},
      {"creature save",
       [](ModDefinitions& defs) {
         QVERIFY(defs.ReadCreaturePair(3).ok());
         defs.Creature.CreatureName = padded("Cave bear");
       },
       [](ModDefinitions& defs) { return defs.WriteCreature(); }},
      {"creature append",
       [](ModDefinitions& defs) { defs.Creature.CreatureName = padded("New beast"); },
       [](ModDefinitions& defs) { return defs.AppendCreature(); }},
      {"shop save",
       [](ModDefinitions& defs) {
         QVERIFY(defs.ReadShopPair(1).ok());
         defs.Shop.ShopName = padded("Night market");
       },
       [](ModDefinitions& defs) { return defs.WriteShop(); }},
      {"shop append", [](ModDefinitions& defs) { defs.Shop.ShopName = padded("New shop"); },
       [](ModDefinitions& defs) { return defs.AppendShop(); }},
      {"spell save",
       [](ModDefinitions& defs) {
         QVERIFY(defs.ReadSpellPair(4).ok());
         defs.Spell.SpellName = padded("Frost lance");
       },
       [](ModDefinitions& defs) { return defs.WriteSpell(); }},
      {"spell append", [](ModDefinitions& defs) { defs.Spell.SpellName = padded("New spell"); },
       [](ModDefinitions& defs) { return defs.AppendSpell(); }},
      {"progression add",
       [](ModDefinitions& defs) {
         defs.SpellProg = {0, 2, 7, 3, 0};
       },
       [](ModDefinitions& defs) { return core::AddSpellProgression(defs); }},
      {"progression remove", [](ModDefinitions&) {},
       [](ModDefinitions& defs) { return core::RemoveSpellProgression(defs, 2); }},
  };
  return all;
}

core::SpellProgRecord progression(int cls, int level, int spell) {
  return {0, static_cast<std::int16_t>(cls), static_cast<std::int16_t>(level),
          static_cast<std::int16_t>(spell), 0};
}

// A small game folder with three maps and a few entries in every catalogue.
void writeGameFolder(const TestDataDir& dir) {
  for (long map = 1; map <= 3; ++map)
    writeMapSlot(dir.datFile("Maps.dat"), map, sampleMap(static_cast<std::int16_t>(map)));
  writeCatalogue(dir.datFile("Item.dat"), namedEntries<core::ItemRecord>(5, "Item"));
  writeCatalogue(dir.datFile("Mon.dat"), namedEntries<core::CreatureRecord>(6, "Beast"));
  writeCatalogue(dir.datFile("Shop.dat"), namedEntries<core::ShopRecord>(3, "Shop"));
  writeCatalogue(dir.datFile("Mag.dat"), namedEntries<core::SpellRecord>(7, "Spell"));
  writeCatalogue(dir.datFile("MagProg.dat"),
                 std::vector<core::SpellProgRecord>{progression(0, 1, 1), progression(1, 1, 2),
                                                    progression(0, 2, 3), progression(2, 3, 4),
                                                    progression(1, 5, 5), progression(0, 7, 6)});
}

using Files = std::map<std::string, std::vector<std::uint8_t>>;

// Every file of the Dat folder by name.
Files datFiles(const fs::path& root) {
  Files files;
  for (const auto& entry : fs::directory_iterator(root / "Dat"))
    if (entry.is_regular_file()) files[entry.path().filename().string()] = readBytes(entry.path());
  return files;
}

// The shim acts on call `at` of a new run (0 = counts only).
void arm(const fs::path& root, int at, Mode mode, const fs::path& snapshot = {}) {
  static int run = 0;
  qputenv("IOFAULT_DIR", QByteArray::fromStdString(root.string()));
  qputenv("IOFAULT_RUN", QByteArray::number(++run));
  qputenv("IOFAULT_AT", QByteArray::number(at));
  qputenv("IOFAULT_MODE", mode == Mode::Crash ? "crash" : "fail");
  qputenv("IOFAULT_SNAPSHOT", QByteArray::fromStdString(snapshot.string()));
}

void disarm() {
  qunsetenv("IOFAULT_AT");
  qunsetenv("IOFAULT_DIR");
}

// One fresh game folder and an editor started on it with the command's record prepared.
struct Session {
  TestDataDir dir;
  fs::path root;
  std::unique_ptr<core::ModDefinitions> defs;
  Files before;

  explicit Session(const WriteCommand& command) {
    writeGameFolder(dir);
    root = fs::canonical(dir.root());
    defs = std::make_unique<core::ModDefinitions>(root);
    const core::Status started = defs->Startup();
    if (!started.ok()) qFatal("the test folder does not start: %s", started.message().c_str());
    command.prepare(*defs);
    before = datFiles(root);
  }
};

// The files that are neither as before nor as after, by name. With `strayToo`, a file that is
// in neither (a scratch file left behind) counts as well.
std::vector<std::string> neitherBeforeNorAfter(const Files& now, const Files& before,
                                               const Files& after, bool strayToo) {
  Files names = before;
  names.insert(after.begin(), after.end());
  if (strayToo) names.insert(now.begin(), now.end());
  const auto same = [](const Files& files, const Files& other, const std::string& name) {
    const auto a = files.find(name);
    const auto b = other.find(name);
    return a == files.end() ? b == other.end() : b != other.end() && a->second == b->second;
  };
  std::vector<std::string> odd;
  for (const auto& entry : names)
    if (!same(now, before, entry.first) && !same(now, after, entry.first))
      odd.push_back(entry.first);
  return odd;
}

}  // namespace

class WriteFaultTest : public QObject {
  Q_OBJECT

 private:
  // The command run once without a fault: its files after, and how many calls it made.
  struct Reference {
    Files after;
    int calls = 0;
  };

  Reference reference(const WriteCommand& command) {
    Session session(command);
    arm(session.root, 0, Mode::Fail);
    const core::Status status = command.run(*session.defs);
    const int calls = iofault_calls();
    disarm();
    if (!status.ok())
      qFatal("%s fails without a fault: %s", command.name, status.message().c_str());
    return {datFiles(session.root), calls};
  }

  void commandRows() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < commands().size(); ++i)
      QTest::newRow(commands()[i].name) << static_cast<int>(i);
  }

 private slots:
  // Each call fails in turn: the files are as before or as after, the designer is told (the
  // command fails with a message naming the file) and the same command then works.
  void failedCallLeavesBeforeOrAfter_data() { commandRows(); }
  void failedCallLeavesBeforeOrAfter() {
    QFETCH(int, index);
    const WriteCommand& command = commands()[static_cast<std::size_t>(index)];
    const Reference ref = reference(command);
    QVERIFY2(ref.calls > 0, "the command made no write under the test folder");
    QStringList faults;
    for (int n = 1; n <= ref.calls; ++n) {
      Session session(command);
      arm(session.root, n, Mode::Fail);
      const core::Status status = command.run(*session.defs);
      const bool fired = iofault_fired() != 0;
      const QString call = QString::fromUtf8(iofault_fired_call());
      disarm();
      if (!fired) {
        faults << QString("call %1 never came: the command is not the same each time").arg(n);
        continue;
      }
      const Files now = datFiles(session.root);
      const auto odd = neitherBeforeNorAfter(now, session.before, ref.after, true);
      const bool asBefore = now == session.before;
      for (const std::string& name : odd)
        faults
            << QString("failed %1: %2 is neither as before nor as after").arg(call, name.c_str());
      if (status.ok())
        faults << QString("failed %1: the command reported success").arg(call);
      else if (status.message().find("Dat/") == std::string::npos)
        faults << QString("failed %1: the message names no file: %2")
                      .arg(call, status.message().c_str());

      const core::Status again = command.run(*session.defs);
      if (!again.ok())
        faults << QString("failed %1: the next try fails: %2").arg(call, again.message().c_str());
      else if (asBefore && datFiles(session.root) != ref.after)
        faults << QString("failed %1: the next try leaves other bytes than a clean run").arg(call);
    }
    qInfo("%s: %d calls failed in turn", command.name, ref.calls);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
  }

  // A copy of the folder after each call stands for a crash there: every file in it is as
  // before or as after, or the next start names the file it found otherwise.
  void crashLeavesBeforeOrAfter_data() { commandRows(); }
  void crashLeavesBeforeOrAfter() {
    QFETCH(int, index);
    const WriteCommand& command = commands()[static_cast<std::size_t>(index)];
    const Reference ref = reference(command);
    QTemporaryDir crashes;
    const fs::path snapshot = fs::path(crashes.path().toStdString()) / "crashed";
    QStringList faults;
    for (int n = 1; n <= ref.calls; ++n) {
      Session session(command);
      arm(session.root, n, Mode::Crash, snapshot);
      const core::Status status = command.run(*session.defs);
      const bool fired = iofault_fired() != 0;
      const QString call = QString::fromUtf8(iofault_fired_call());
      disarm();
      QVERIFY2(status.ok(), status.message().c_str());
      if (!fired || !fs::exists(snapshot / "Dat")) {
        faults << QString("no copy after call %1").arg(n);
        continue;
      }
      const auto odd = neitherBeforeNorAfter(datFiles(snapshot), session.before, ref.after, false);
      if (odd.empty()) continue;
      core::ModDefinitions next(snapshot);
      const core::Status started = next.Startup();
      std::string told = started.message();
      for (const std::string& notice : next.Notices()) told += "\n" + notice;
      for (const std::string& name : odd) {
        if (told.find(name) == std::string::npos)
          faults << QString(
                        "crash after %1: %2 is neither as before nor as after, and the next "
                        "start does not say so")
                        .arg(call, name.c_str());
      }
    }
    qInfo("%s: a crash after each of %d calls", command.name, ref.calls);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
  }
};

REGISTER_TEST(WriteFaultTest);

#include "test_write_faults.moc"
