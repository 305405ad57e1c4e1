#include "checks/frm_where_used.h"

#include "ui/progress_run.h"
#include "ui/twips.h"

#include <QPointer>
#include <QVBoxLayout>

#include <string>

namespace checks {

namespace {

// How a place names the entry, as the list shows it.
QString UseText(const core::Reference& use) {
  if (use.use != "It") return ui::ToQString(use.use);
  return use.place.slotKind == core::SlotKind::Stock ? "Stock" : "Random encounter";
}

}  // namespace

frmWhereUsed::frmWhereUsed(core::ModDefinitions& defs, ui::Dialogs& dialogs,
                           ui::FormsRegistry& registry, QWidget* parent)
    : ui::Form("frmWhereUsed", parent),
      defs_(defs),
      dialogs_(dialogs),
      registry_(registry),
      lblEntry_(new ui::Label(body(), "lblEntry")),
      ListView1_(new ui::ListView(body(), "ListView1")) {
  setWindowTitle("Where Used");
  closeOnEscape();
  ListView1_->setMultiSelect(false);
  ListView1_->addColumn("Place", "Place", 4200);
  ListView1_->addColumn("Use", "Use", 2000);
  auto* layout = new QVBoxLayout(body());
  layout->addWidget(lblEntry_);
  layout->addWidget(ListView1_, 1);
  resize(sizeHint());
  connect(ListView1_, &ui::ListView::rowPicked, this, &frmWhereUsed::ListView1_Pick);
}

unsigned frmWhereUsed::watchedChanges() const {
  return core::MapChanged | core::ItemsChanged | core::CreaturesChanged | core::ShopsChanged |
         core::SpellsChanged | core::SpellProgChanged;
}

QString frmWhereUsed::entryText() const {
  const long n = defs_.WhereUsedEntry;
  std::string noun, name;
  switch (defs_.WhereUsedTarget) {
    case core::RefTarget::Item:
      noun = "item";
      name = defs_.ItemName(n);
      break;
    case core::RefTarget::Creature:
      noun = "creature";
      name = defs_.CreatureName(n);
      break;
    case core::RefTarget::Shop:
      noun = "shop";
      name = defs_.ShopName(n);
      break;
    case core::RefTarget::Spell:
      noun = "spell";
      name = defs_.SpellName(n);
      break;
    default:
      noun = "entry";
  }
  const QString shown = ui::ToShownText(name).trimmed();
  return QString::fromStdString(noun) + " " + QString::number(n) +
         (shown.isEmpty() ? QString() : " (" + shown + ")");
}

void frmWhereUsed::Form_Paint() {
  const QString entry = entryText();
  setWindowTitle("Where Used: " + entry);
  core::WhereUsedIndex& index = defs_.References();
  if (index.Stale()) {
    core::Status status = core::Status::Ok();
    QPointer<frmWhereUsed> self(this);
    const bool finished =
        ui::RunWithProgress(this, "Reading the game's files...",
                            [&](const auto& progress) { status = index.Build(progress); });
    if (!self) return;
    if (!status.ok()) {
      dialogs_.messageBox(this, QString::fromStdString(status.message()), windowTitle());
      return;
    }
    if (!finished || index.Stale()) {
      lblEntry_->setText("The game's files were not read to the end: nothing is listed.");
      uses_.clear();
      ListView1_->setRows({});
      return;
    }
  }
  uses_ = index.UsesOf(defs_.WhereUsedTarget, defs_.WhereUsedEntry, &openMap(), defs_.CurrentMap);
  std::vector<ui::ListRow> rows;
  rows.reserve(uses_.size());
  for (const core::Reference& use : uses_) {
    rows.push_back(
        {{}, QString::fromStdString(core::DescribePlace(use.place)), {{"Use", UseText(use)}}});
  }
  ListView1_->setRows(std::move(rows));
  const int count = static_cast<int>(uses_.size());
  const QString said = count == 0   ? "Nothing in the game's files names " + entry + "."
                       : count == 1 ? "1 place names " + entry + ":"
                                    : QString::number(count) + " places name " + entry + ":";
  lblEntry_->setText(said);
}

void frmWhereUsed::ListView1_Pick(int position) {
  if (position < 1 || position > static_cast<int>(uses_.size())) return;
  registry_.goTo(uses_[static_cast<std::size_t>(position - 1)].place);
}

}  // namespace checks
