// The main window's menus, the map-wide properties, and keeping the designer's map safe.
#include "maps/frm_map_ed.h"

#include "core/numbers.h"
#include "ui/typed_text.h"
#include "ui/window_ids.h"

#include <QDir>

#include <filesystem>

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
  std::error_code error;
  const std::filesystem::path shown =
      std::filesystem::relative(defs_.MapsFile(), defs_.DataDir(), error);
  tellDone(QStringLiteral("Saved map %1 to %2")
               .arg(numberText(defs_.CurrentMap),
                    QString::fromStdString(
                        (error || shown.empty() ? defs_.MapsFile() : shown).generic_string())));
  showTitle();
  return true;
}

// --- File menu ---

void frmMapEd::mnuNew_Click() {
  if (!offerToSave()) return;
  // The new map takes the lowest number not in use, so that Save just works.
  const std::int16_t number = defs_.FreeMapNumber();
  document().Replace(core::MapRecord(), number, changeOrigin());
  tellDone(QStringLiteral("New map %1").arg(numberText(number)));
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
  loadMap(*number);
}

bool frmMapEd::openMap(std::int16_t number) {
  return offerToSave() && loadMap(number);
}

bool frmMapEd::loadMap(std::int16_t number) {
  const core::Status status = defs_.LoadMap(number);
  if (!status.ok()) {
    showMessage(QString::fromStdString(status.message()));
    return false;
  }
  tellDone(QStringLiteral("Opened map %1").arg(numberText(number)));
  return true;
}

void frmMapEd::mnuBrowse_Click() {
  showWindow(ui::window::MapBrowser);
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
  const QString step = ui::ToQString(document().History().UndoLabel());
  if (document().Undo(changeOrigin())) tellDone("Undid " + step);
}

void frmMapEd::mnuRedo_Click() {
  const QString step = ui::ToQString(document().History().RedoLabel());
  if (document().Redo(changeOrigin())) tellDone("Redid " + step);
}

// Closing the main window ends the program: the map is offered for saving first, then every
// other window is closed (each may still refuse, and then the program goes on).
bool frmMapEd::Form_QueryUnload() {
  if (!offerToSave()) return false;
  return registry_.closeAll();
}

// --- Other windows ---

void frmMapEd::showWindow(const QString& name) {
  registry_.showOrRefresh(name);
}

// An open catalogue editor is only brought forward: reading its entry again would drop what the
// designer has not saved yet (typing, effect slots, stock) without asking.
void frmMapEd::openCatalogueEditor(const QString& name) {
  const core::Status status = registry_.open(name);
  if (!status.ok()) showMessage(QString::fromStdString(status.message()));
}

void frmMapEd::mnuMapTxt_Click() {
  showWindow(ui::window::MapTexts);
}

void frmMapEd::mnuMapLTxt_Click() {
  showWindow(ui::window::MapLongTexts);
}

void frmMapEd::mnuItemEdit_Click() {
  openCatalogueEditor(ui::window::ItemEditor);
}

void frmMapEd::mnuShop_Click() {
  openCatalogueEditor(ui::window::ShopEditor);
}

void frmMapEd::mnuMonEdit_Click() {
  openCatalogueEditor(ui::window::CreatureEditor);
}

void frmMapEd::mnuMagEdit_Click() {
  openCatalogueEditor(ui::window::SpellEditor);
}

void frmMapEd::mnuSpellProg_Click() {
  showWindow(ui::window::SpellProgression);
}

// --- Tools menu ---

// Shown again, the findings window checks afresh.
void frmMapEd::mnuCheckData_Click() {
  showWindow(ui::window::GameCheck);
}

}  // namespace maps
