// The main window's menus, the map-wide properties, and keeping the designer's map safe.
#include "maps/frm_map_ed.h"

#include "core/numbers.h"
#include "ui/typed_text.h"

#include <QDir>

namespace maps {

namespace {

const QString WindowCaption = QStringLiteral("Map Editor");

QString numberText(long long value) {
  return ui::ToQString(core::PlainNumber(value));
}

// The answer of an input box as a map number or property value; none when it does not fit an
// Integer (the message says so and names the field).
std::optional<std::int16_t> readAnswer(const QString& answer, const QString& field,
                                       std::int16_t oldValue, QString& refusal) {
  const core::NumberReading reading = core::ReadLeadingNumber(ui::ToBytes(answer));
  if (reading.ok()) return reading.value;
  refusal = QStringLiteral("%1: \"%2\" is not a number from -32768 to 32767. The value stays %3.")
                .arg(field, ui::QuotedAnswer(answer.trimmed()), numberText(oldValue));
  return std::nullopt;
}

QString mapNumberRefusal(const char* what, long long number) {
  return QStringLiteral("Map %1 cannot be %2: map numbers start at 1.")
      .arg(numberText(number), QString::fromLatin1(what));
}

}  // namespace

void frmMapEd::showMessage(const QString& text) {
  dialogs_.messageBox(this, text, WindowCaption);
}

// --- Map properties ---

void frmMapEd::askProperty(const PropertyInput& property) {
  const std::int16_t target =
      property.field ? document().Map().*property.field : document().Number();
  const std::optional<QString> answer = dialogs_.inputBox(
      this, property.prompt, property.title, ui::ToQString(core::NumberWithLeadingBlank(target)));
  if (!answer) return;  // cancelled: the value stays
  QString refusal;
  QString field = QString::fromLatin1(property.caption);
  field.chop(1);  // the heading's colon
  const std::optional<std::int16_t> value = readAnswer(*answer, field, target, refusal);
  if (!value) {
    showMessage(refusal);
    return;
  }
  // Renaming the map in memory: the next save writes it to the new slot, which is how a map
  // is copied to another number.
  if (!property.field) {
    document().Renumber(*value, changeOrigin());
    return;
  }
  document().Apply(
      ui::ToBytes(field), [&](core::MapRecord& map) { map.*property.field = *value; },
      changeOrigin());
}

// --- Unsaved changes ---

bool frmMapEd::offerToSave() {
  if (!document().IsModified()) return true;
  const QString question =
      QStringLiteral("Save changes to map %1?").arg(numberText(defs_.CurrentMap));
  switch (dialogs_.askSaveDiscardCancel(this, question, WindowCaption)) {
    case ui::Dialogs::SaveChoice::Save:
      return saveCurrentMap();
    case ui::Dialogs::SaveChoice::Discard:
      return true;
    case ui::Dialogs::SaveChoice::Cancel:
      break;
  }
  return false;
}

bool frmMapEd::saveCurrentMap() {
  if (defs_.CurrentMap < 1) {
    showMessage(mapNumberRefusal("saved", defs_.CurrentMap) +
                " Give the map its number first (click the number beside \"Map Number:\").");
    return false;
  }
  core::Status status = defs_.SaveMap(defs_.CurrentMap);
  if (status.fileMissing()) {
    // Maps.dat went while the editor ran: a new one holds blank maps before this one.
    const int before = defs_.CurrentMap - 1;
    const QString blanks = before == 0   ? QString()
                           : before == 1 ? QStringLiteral(" (map 1 blank)")
                                         : QStringLiteral(" (maps 1 to %1 blank)").arg(before);
    const QString question =
        QStringLiteral(
            "%1 is missing: it was removed or renamed since the editor read it. Create a new "
            "Maps.dat holding map %2%3?")
            .arg(QDir::toNativeSeparators(QString::fromStdString(defs_.MapsFile().string())))
            .arg(defs_.CurrentMap)
            .arg(blanks);
    if (!dialogs_.askConfirm(this, question, WindowCaption, QStringLiteral("Create"))) return false;
    status = defs_.CreateMapsFile();
    if (status.ok()) status = defs_.SaveMap(defs_.CurrentMap);
  }
  if (status.changedOnDisk()) {
    // Another editor saved this map since it was read here: its work is lost unless we stop.
    const QString question =
        QStringLiteral("Map %1 was changed on disk since it was opened. Overwrite it?")
            .arg(numberText(defs_.CurrentMap));
    if (!dialogs_.askOverwrite(this, question, WindowCaption)) return false;
    status = defs_.SaveMap(defs_.CurrentMap, true);
  }
  if (!status.ok()) {
    showMessage(QString::fromStdString(status.message()));
    return false;
  }
  return true;
}

// --- File menu ---

void frmMapEd::mnuNew_Click() {
  if (!offerToSave()) return;
  document().Replace(core::MapRecord(), 0, changeOrigin());
}

void frmMapEd::mnuOpen_Click() {
  if (!offerToSave()) return;
  const std::optional<QString> answer =
      dialogs_.inputBox(this, "Enter Map Number", "Open Which Map",
                        ui::ToQString(core::NumberWithLeadingBlank(defs_.CurrentMap)));
  if (!answer) return;  // cancelled: the map shown stays
  QString refusal;
  const std::optional<std::int16_t> number =
      readAnswer(*answer, "Map Number", defs_.CurrentMap, refusal);
  if (!number) {
    showMessage(refusal);
    return;
  }
  if (*number < 1) {
    showMessage(mapNumberRefusal("opened", *number));
    return;
  }
  const core::Status status = defs_.LoadMap(*number);
  if (!status.ok()) {
    showMessage(QString::fromStdString(status.message()));
  }
}

void frmMapEd::mnuSave_Click() {
  saveCurrentMap();
}

void frmMapEd::mnuExit_Click() {
  closeForm();
}

// --- Edit menu ---

// Every window shows the record as the step left it, this one at once.
void frmMapEd::mnuUndo_Click() {
  document().Undo(changeOrigin());
}

void frmMapEd::mnuRedo_Click() {
  document().Redo(changeOrigin());
}

// Closing the main window ends the program: the map is offered for saving first, then every
// other window is closed (each may still refuse, and then the program goes on).
bool frmMapEd::Form_QueryUnload() {
  if (!offerToSave()) return false;
  return registry_.closeAll();
}

// --- Other windows ---

void frmMapEd::showWindow(const QString& name) {
  ui::Form* open = registry_.find(name);
  ui::Form* shown = registry_.show(name);
  if (shown && shown == open) shown->refresh();
}

// A catalogue editor opens on the entry just read into its working record.
void frmMapEd::showAfterRead(const core::Status& read, const QString& name) {
  if (!read.ok()) {
    showMessage(QString::fromStdString(read.message()));
    return;
  }
  showWindow(name);
}

// An open catalogue editor is only brought forward: reading its entry again would drop what the
// designer has not saved yet (typing, effect slots, stock) without asking.
void frmMapEd::openCatalogueEditor(const QString& name, const std::function<core::Status()>& read) {
  if (registry_.find(name)) {
    registry_.show(name);
    return;
  }
  showAfterRead(read(), name);
}

void frmMapEd::mnuMapTxt_Click() {
  showWindow("frmTextEd");
}

void frmMapEd::mnuMapLTxt_Click() {
  showWindow("frmLTextEd");
}

void frmMapEd::mnuItemEdit_Click() {
  // The item editor opens on the item last shown (entry 1 after start-up).
  openCatalogueEditor("frmEquipEd", [this] { return defs_.ReadItemPair(defs_.ItemEntry); });
}

void frmMapEd::mnuShop_Click() {
  // After start-up the shop working record is the header, whose number is the shop count: the
  // editor opens on the last shop.
  openCatalogueEditor("frmShopEd", [this] {
    return defs_.ReadShopPair(defs_.ShopEntry > 0 ? defs_.ShopEntry : defs_.ShopCount);
  });
}

void frmMapEd::mnuMonEdit_Click() {
  openCatalogueEditor("frmCreatEd", [this] { return defs_.ReadCreaturePair(1); });
}

void frmMapEd::mnuMagEdit_Click() {
  // The spell editor reads spell 1 when it loads.
  openCatalogueEditor("frmMagicEd", [] { return core::Status::Ok(); });
}

void frmMapEd::mnuSpellProg_Click() {
  showWindow("frmMagicProg");
}

// --- Tools menu ---

// Shown again, the findings window checks afresh.
void frmMapEd::mnuCheckData_Click() {
  showWindow("frmGameCheck");
}

}  // namespace maps
