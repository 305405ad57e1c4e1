#include "specials/frm_map_spe.h"

#include "core/numbers.h"
#include "core/vocabularies.h"
#include "ui/control_keys.h"
#include "ui/undo_keys.h"

#include <QSignalBlocker>
#include <QStringList>
#include <QStringListModel>

#include <algorithm>
#include <string>

namespace specials {

namespace {

const QString PictureViewer = QStringLiteral("frmMapBit");

QStringList ToStringList(const std::vector<std::string_view>& entries) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(entries.size()));
  for (std::string_view entry : entries) list << ui::ToQString(entry);
  return list;
}

// The number a box's text stands for, by the box's reading.
core::NumberReading Reading(const BoxPlan& plan, const QString& text) {
  const std::string bytes = ui::ToBytes(text);
  return plan.wholeText ? core::ReadWholeNumber(bytes) : core::ReadLeadingNumber(bytes);
}

}  // namespace

frmMapSpe::frmMapSpe(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
                     QWidget* parent)
    : ui::Form("frmMapSpe", parent), defs_(defs), dialogs_(dialogs), registry_(registry) {
  setWindowTitle("Special Map Square");
  buildControls();

  Combo1_->setModel(new QStringListModel(
      ToStringList({core::SpecialKindNames.begin(), core::SpecialKindNames.end()}), this));
  // The catalogue lists follow their catalogues by themselves (a rename, an added entry).
  catalogueLists_[ListSource::Shops] =
      new ui::CatalogueNames(defs_, ui::NameSource::Shops, dialogs_, this);
  catalogueLists_[ListSource::Creatures] =
      new ui::CatalogueNames(defs_, ui::NameSource::Creatures, dialogs_, this, "Nothing");
  catalogueLists_[ListSource::Items] =
      new ui::CatalogueNames(defs_, ui::NameSource::Items, dialogs_, this, "Nothing");
  for (ui::ComboBox* list : lists_) ui::ShowNamesView(list);
  connectHandlers();
  ui::AddMapUndoKeys(this, defs_);
  // Each change of these boxes is a step of the map already: their Ctrl+Z is the map's.
  for (Box b : {Box::Text1, Box::Text2})
    ui::LeaveEditKeysToWindow(boxes_[static_cast<std::size_t>(b)]);
}

frmMapSpe::~frmMapSpe() = default;

unsigned frmMapSpe::watchedChanges() const {
  return core::MapChanged | core::ShopsChanged | core::CreaturesChanged | core::ItemsChanged;
}

bool frmMapSpe::editsAnEntry() const {
  return defs_.CurrentSpecial >= 0 && defs_.CurrentSpecial < core::SpecialCount;
}

// Rebuilds when asked to (SpecialReload) and when another window changed what it shows. Typing
// is replaced only where the record now holds something else: a renamed creature refreshes the
// lists alone, and a box that still reads as its stored value keeps its text and cursor.
void frmMapSpe::Form_Paint() {
  const ScreenPlan plan = planNow();
  const bool otherSpecial = shownSpecial_ != defs_.CurrentSpecial;
  // The main window opening the special (again) shows the record as it stands.
  const bool reopened = defs_.SpecialReload != 0 && !storing_;
  followPlace(reopened || otherSpecial);
  if (!reopened && !storing_ && !otherSpecial && plan == shown_) {
    // A catalogue list that lost its place when entries were added or taken away gets it back.
    for (int l = 0; l < ListCount; ++l) {
      const ListPlan& list = plan.lists[static_cast<std::size_t>(l)];
      const ui::ComboBox* combo = lists_[static_cast<std::size_t>(l)];
      if (catalogueLists_.count(list.source) && combo->position() != list.position) {
        defs_.SpecialReload = 1;
        showList(static_cast<List>(l), list);
        defs_.SpecialReload = 0;
      }
    }
    return;
  }
  rebuild(plan, !reopened && !otherSpecial && plan.kind == shown_.kind);
}

void frmMapSpe::followPlace(bool filledAnew) {
  if (!editsAnEntry()) {
    setWindowTitle("Special Map Square");
    return;
  }
  const core::MapSpecial special = defs_.Document().Map().GetSpecial(defs_.CurrentSpecial);
  if (special.Kind != 0) {
    placeX_ = special.SquareX;
    placeY_ = special.SquareY;
  } else if (filledAnew) {
    placeX_ = defs_.SelectedX;
    placeY_ = defs_.SelectedY;
  }
  setWindowTitle(QStringLiteral("Special %1 at %2")
                     .arg(defs_.CurrentSpecial)
                     .arg(ui::ToQString(core::SquareCoordinatesText(placeX_, placeY_))));
}

// A selection off the grid (handed over by another window) is no place for a special.
bool frmMapSpe::selectionIsElsewhere() const {
  const bool onGrid = defs_.SelectedX >= 0 && defs_.SelectedX < core::MapSize &&
                      defs_.SelectedY >= 0 && defs_.SelectedY < core::MapSize;
  return onGrid && (defs_.SelectedX != placeX_ || defs_.SelectedY != placeY_);
}

ScreenPlan frmMapSpe::planNow() {
  if (!editsAnEntry()) return {};
  return PlanScreen(defs_.Document().Map(), defs_.CurrentSpecial,
                    {defs_.ShopCount, defs_.CreatureCount, defs_.ItemCount});
}

void frmMapSpe::rebuild(const ScreenPlan& plan, bool keepTyping) {
  defs_.SpecialReload = 1;  // the rebuild's own events store nothing
  Label1_->setText("Special");
  for (int c = 0; c < CaptionCount; ++c)
    captions_[static_cast<std::size_t>(c)]->setText(
        ui::ToQString(plan.captions[static_cast<std::size_t>(c)]));
  // The whole text of a long text is there for the designer who points at the preview.
  QLabel* preview = captions_[static_cast<std::size_t>(Caption::Label8)];
  preview->setToolTip(preview->text().isEmpty()
                          ? QString()
                          : QStringLiteral("<p>%1</p>").arg(preview->text().toHtmlEscaped()));

  Combo1_->setEnabled(editsAnEntry());
  Combo1_->setPosition(plan.kindPosition);
  for (int b = 0; b < BoxCount; ++b)
    showBox(static_cast<Box>(b), plan.boxes[static_cast<std::size_t>(b)], keepTyping);
  for (int l = 0; l < ListCount; ++l)
    showList(static_cast<List>(l), plan.lists[static_cast<std::size_t>(l)]);
  Command2_->setVisible(plan.viewShown);

  shown_ = plan;
  shownSpecial_ = defs_.CurrentSpecial;
  defs_.SpecialReload = 0;
}

void frmMapSpe::showBox(Box which, const BoxPlan& plan, bool keepTyping) {
  ui::TextBox* box = boxes_[static_cast<std::size_t>(which)];
  const auto b = static_cast<std::size_t>(which);
  const BoxPlan& before = shown_.boxes[b];
  const bool sameField = before.shown && plan.shown && before.field == plan.field &&
                         before.wholeText == plan.wholeText;
  bool keep = false;
  if (keepTyping && sameField) {
    const core::NumberReading reading = Reading(plan, box->text());
    keep = refused_[b] || (reading.ok() && reading.value == plan.value);
  }
  if (!keep) {
    box->setText(ui::ToQString(plan.text()));
    markRefused(which, false);
  }
  if (box->isHidden() == plan.shown) box->setVisible(plan.shown);
}

void frmMapSpe::showList(List which, const ListPlan& plan) {
  ui::ComboBox* combo = lists_[static_cast<std::size_t>(which)];
  if (plan.source == ListSource::None) {
    combo->hide();
    return;
  }
  QAbstractItemModel* model = modelFor(plan.source);
  if (combo->model() != model) {
    const QSignalBlocker block(combo);
    combo->setModel(model);
  }
  combo->setPosition(plan.position);
  if (combo->isHidden()) combo->show();
}

// Fixed lists are made once; catalogue lists follow their catalogues by themselves.
QAbstractItemModel* frmMapSpe::modelFor(ListSource source) {
  const auto catalogue = catalogueLists_.find(source);
  if (catalogue != catalogueLists_.end()) return catalogue->second;
  const auto fixed = fixedLists_.find(source);
  if (fixed != fixedLists_.end()) return fixed->second;
  auto* model = new QStringListModel(ToStringList(FixedEntries(source)), this);
  fixedLists_[source] = model;
  return model;
}

ScreenReading frmMapSpe::readScreen() const {
  ScreenReading screen;
  screen.kindPosition = Combo1_->position();
  for (std::size_t b = 0; b < boxes_.size(); ++b) screen.texts[b] = ui::ToBytes(boxes_[b]->text());
  for (std::size_t l = 0; l < lists_.size(); ++l) screen.positions[l] = lists_[l]->position();
  return screen;
}

StoreResult frmMapSpe::screenAsSpecial(std::int16_t x, std::int16_t y) const {
  return update_map_special(defs_.Document().Map().GetSpecial(defs_.CurrentSpecial), shown_,
                            readScreen(), x, y);
}

void frmMapSpe::CheckForChange() {
  if (defs_.SpecialReload != 0 || !editsAnEntry()) return;  // the window's own rebuild
  storeSpecial(screenAsSpecial(placeX_, placeY_),
               "Special " + std::to_string(defs_.CurrentSpecial));
  showStored();
}

void frmMapSpe::showStored() {
  defs_.SpecialReload = 1;
  storing_ = true;
  refresh();
  storing_ = false;
}

void frmMapSpe::storeSpecial(const StoreResult& stored, const std::string& step) {
  for (int b = 0; b < BoxCount; ++b) {
    const auto which = static_cast<Box>(b);
    markRefused(which, std::find(stored.refused.begin(), stored.refused.end(), which) !=
                           stored.refused.end());
  }
  const core::MapSpecial kept = defs_.Document().Map().GetSpecial(defs_.CurrentSpecial);
  // A free entry left free is no change: its square means nothing.
  if (kept == stored.special || (kept.Kind == 0 && stored.special.Kind == 0)) return;
  const int entry = defs_.CurrentSpecial;
  defs_.Document().Apply(
      step, [&](core::MapRecord& map) { map.PutSpecial(entry, stored.special); }, changeOrigin());
}

// "OK" always stores, as one step. A special in use whose square is no longer the selected one
// moves only when the designer says so. A box that cannot be stored keeps the window open, and
// says why.
void frmMapSpe::Command1_Click() {
  if (!editsAnEntry()) {
    closeForm();
    return;
  }
  StoreResult stored = screenAsSpecial(placeX_, placeY_);
  std::string step = "Special " + std::to_string(defs_.CurrentSpecial);
  if (stored.refused.empty() && stored.special.Kind >= 1 && selectionIsElsewhere()) {
    const QString question =
        QStringLiteral("Move special %1 from %2 to %3?")
            .arg(defs_.CurrentSpecial)
            .arg(ui::ToQString(core::SquareCoordinatesText(placeX_, placeY_)),
                 ui::ToQString(core::SquareCoordinatesText(defs_.SelectedX, defs_.SelectedY)));
    switch (dialogs_.askMoveKeepCancel(this, question, windowTitle())) {
      case ui::Dialogs::MoveChoice::Cancel:
        return;
      case ui::Dialogs::MoveChoice::Move:
        stored.special.SquareX = defs_.SelectedX;
        stored.special.SquareY = defs_.SelectedY;
        step = "Move " + step;
        break;
      case ui::Dialogs::MoveChoice::KeepPlace:
        break;
    }
  }
  storeSpecial(stored, step);
  showStored();
  QStringList problems;
  for (int b = 0; b < BoxCount; ++b) {
    if (!refused_[static_cast<std::size_t>(b)]) continue;
    const auto which = static_cast<Box>(b);
    const std::int16_t value = shown_.box(which).value;
    problems << QStringLiteral("%1 must be a whole number from -32768 to 32767; it keeps %2.")
                    .arg(boxName(which), QString::number(value));
  }
  if (!problems.isEmpty()) {
    dialogs_.messageBox(this, problems.join('\n'), windowTitle());
    return;
  }
  closeForm();
}

// The picture viewer shows picture Param1 of CurrentSpecial; an open viewer is painted again.
void frmMapSpe::Command2_Click() {
  if (!registry_.has(PictureViewer)) {
    dialogs_.messageBox(this, "The map picture viewer is not part of this build.", windowTitle());
    return;
  }
  ui::Form* open = registry_.find(PictureViewer);
  ui::Form* shown = registry_.show(PictureViewer);
  if (shown && shown == open) shown->refresh();
}

void frmMapSpe::markRefused(Box which, bool refused) {
  const auto b = static_cast<std::size_t>(which);
  ui::TextBox* box = boxes_[b];
  if (refused_[b] == refused && box->property("refused").isValid()) return;
  refused_[b] = refused;
  box->setProperty("refused", refused);
  box->setStyleSheet(refused ? "QLineEdit { background-color: #ffd6d6; }" : QString());
  box->setToolTip(refused ? QStringLiteral("Not stored: a whole number from -32768 to 32767")
                          : QString());
}

// The box as the message names it: by its caption, the condition's boxes as such.
QString frmMapSpe::boxName(Box which) const {
  static constexpr std::array<Caption, BoxCount> captionOf = {Caption::Label2, Caption::Label6,
                                                              Caption::Label9, Caption::Label10,
                                                              Caption::Label3, Caption::Label4};
  const QString caption = QStringLiteral("\"%1\"").arg(
      ui::ToQString(shown_.caption(captionOf[static_cast<std::size_t>(which)])));
  const bool condition = which == Box::Text2 || which == Box::Text4;
  return condition ? QStringLiteral("The condition's %1").arg(caption) : caption;
}

}  // namespace specials
