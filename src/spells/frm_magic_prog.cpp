#include "spells/frm_magic_prog.h"

#include "core/numbers.h"
#include "core/text.h"
#include "core/vocabularies.h"
#include "ui/catalogue_names.h"
#include "ui/catalogue_undo.h"
#include "ui/list_filter.h"
#include "ui/twips.h"
#include "ui/window_ids.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace spells {

namespace {

QString Blanked(long value) {
  return QString::fromStdString(core::NumberWithLeadingBlank(value));
}

QString ClassText(int progClass) {
  const std::string_view name = core::ClassName(progClass + 1);
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

ui::Label* NamedCaption(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new ui::Label(parent, name);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  return label;
}

}  // namespace

frmMagicProg::frmMagicProg(core::ModDefinitions& defs, ui::Dialogs& dialogs, QWidget* parent)
    : ui::Form(ui::window::SpellProgression, parent), defs_(defs), dialogs_(dialogs) {
  setWindowTitle("Spell Progression");
  closeOnEscape();  // every change is written at once
  QWidget* body = this->body();
  auto* main = new QVBoxLayout(body);

  auto* head = new QHBoxLayout;
  Combo1_ = new ui::ComboBox(body, "Combo1");
  Combo1_->setToolTip("The class whose spells are listed, and to which \"Add Spell\" adds");
  head->addWidget(new QLabel("Class:", body));
  head->addWidget(Combo1_);
  head->addStretch(1);
  head->addWidget(new QLabel("Entries:", body));
  Label4_ = NamedCaption(body, "Label4", {});
  head->addWidget(Label4_);
  main->addLayout(head);

  auto* choices = new QGridLayout;
  Combo3_ = new ui::ComboBox(body, "Combo3");
  Combo2_ = new ui::ComboBox(body, "Combo2");
  Combo4_ = new ui::ComboBox(body, "Combo4");
  choices->addWidget(NamedCaption(body, "Label1", "Level:"), 0, 0);
  choices->addWidget(Combo3_, 0, 1, Qt::AlignLeft);
  choices->addWidget(NamedCaption(body, "Label2", "Spell:"), 1, 0);
  choices->addWidget(Combo2_, 1, 1);
  choices->addWidget(NamedCaption(body, "Label3", "Replaces:"), 2, 0);
  choices->addWidget(Combo4_, 2, 1);
  Command1_ = new ui::Button(body, "Command1");
  Command1_->setText("Add Spell");
  Command2_ = new ui::Button(body, "Command2");
  Command2_->setText("Remove Spell");
  choices->addWidget(Command1_, 1, 2);
  choices->addWidget(Command2_, 2, 2);
  choices->setColumnStretch(3, 1);
  main->addLayout(choices);

  ListView1_ = new ui::ListView(body, "ListView1");
  ListView1_->setMultiSelect(false);
  ListView1_->setSortable(true);
  main->addWidget(new ui::ListFilter(body, ListView1_));
  main->addWidget(ListView1_, 1);
  resize(ui::TwipsToPixels(450 + 1350 + 750 + 1600 + 1600) + 60, 460);

  // Every change is written at once: the entry on screen is never left unsaved.
  new ui::CatalogueUndo(this, defs_, core::CatalogueFile::SpellProgression, dialogs_,
                        {nullptr, [this] { refresh(); }});

  connect(Combo1_, &ui::ComboBox::clicked, this, &frmMagicProg::Combo1_Click);
  connect(Command1_, &QAbstractButton::clicked, this, &frmMagicProg::Command1_Click);
  connect(Command2_, &QAbstractButton::clicked, this, &frmMagicProg::Command2_Click);
}

QString frmMagicProg::spellLabel(long spell) const {
  QString label = "(" + QString::number(spell) + ")";
  // A number that names no spell shows no name rather than the header's bytes.
  if (spell >= 1 && spell <= defs_.SpellCount)
    label += " " + ui::ToShownText(core::TrimTrailingBlanks(defs_.SpellName(spell)));
  return label;
}

long frmMagicProg::entryOfRow(int position) const {
  // The row shown there may be filtered or ordered: its place in the listed rows says which.
  const int listed = ListView1_->listedPosition(position);
  if (!listed_ || listed < 1 || listed > static_cast<int>(listed_->size())) return 0;
  return (*listed_)[static_cast<std::size_t>(listed - 1)].entry;
}

void frmMagicProg::Form_Load() {
  ListView1_->clearColumns();
  ListView1_->addColumn("No", "No.", 450);
  ListView1_->addColumn("Class", "Class", 1350);
  ListView1_->addColumn("Level", "Level", 750);
  ListView1_->addColumn("Spell", "Spell", 1600);
  ListView1_->addColumn("Replace", "Replace", 1600);

  Combo1_->clear();
  Combo1_->addItem("All");
  for (int c = 0; c < core::ProgressionClasses; ++c) Combo1_->addItem(ClassText(c));
  // Names come from the cache and follow the spell file; the spell working record stays as it is.
  if (!spells_) {
    spells_ = new ui::CatalogueNames(defs_, ui::NameSource::Spells, dialogs_, this);
    replaces_ = new ui::CatalogueNames(defs_, ui::NameSource::Spells, dialogs_, this, " ");
    for (ui::CatalogueNames* names : {spells_, replaces_}) names->setNumbered(true);
    ui::ShowNames(Combo2_, spells_, 26);
    ui::ShowNames(Combo4_, replaces_, 26);
  }
  Combo3_->clear();
  for (int level = 1; level <= core::ProgressionLevels; ++level) Combo3_->addItem(Blanked(level));
  for (ui::ComboBox* list : {Combo2_, Combo4_, Combo3_}) list->setPosition(0);
  // The paint that follows the load builds the rows; the filter's own click would build them
  // once more.
  const QSignalBlocker quiet(Combo1_);
  Combo1_->setPosition(0);
}

void frmMagicProg::Form_Paint() {
  rebuild();
}

void frmMagicProg::rebuild() {
  ListView1_->clearRows();
  listed_.reset();
  // Every rebuild reads the file as it is now, so the rows and the count never disagree with it,
  // after another editor's change or a command of this one that failed.
  auto entries = core::ReadSpellProgression(defs_);
  Label4_->setText(Blanked(defs_.SpellProgCount));
  if (!entries.ok()) {
    tell(entries.status());
    return;
  }
  // Position -1 (nothing chosen) lists no class at all; it is not "All".
  const int filter = Combo1_->position();
  if (filter < 0) return;
  auto listed = std::make_shared<const std::vector<core::ProgressionRow>>(
      core::SpellProgressionRows(*entries, filter - 1));
  listed_ = listed;
  // A row's texts are made when it is first shown: a rebuild over 32767 entries costs the read,
  // the sort and the rows on screen.
  ListView1_->setRowSource(static_cast<int>(listed->size()), [this, listed](int index) {
    const core::SpellProgRecord& prog = (*listed)[static_cast<std::size_t>(index)].prog;
    const QString number = Blanked(index + 1L);
    return ui::ListRow{"0" + number,
                       number,
                       {{"Class", ClassText(prog.ProgClass)},
                        {"Level", Blanked(prog.ProgLevel)},
                        {"Spell", spellLabel(prog.ProgSpell)},
                        {"Replace", prog.ProgReplaces < 1 ? " " : spellLabel(prog.ProgReplaces)}}};
  });
}

void frmMagicProg::tell(const core::Status& status) {
  QString text = QString::fromStdString(status.message());
  // The repaint that follows the failed command reads the file again.
  if (status.changedOnDisk())
    text += "\nNothing was changed; the list now shows the file as it is.";
  dialogs_.messageBox(this, text, caption());
}

void frmMagicProg::Combo1_Click() {
  ListView1_->clearRows();
  listed_.reset();
  refresh();
}

void frmMagicProg::Command1_Click() {
  const int filter = Combo1_->position();
  // An entry belongs to the class shown in the filter; with "All" there is none to add to.
  if (filter >= 1) {
    core::SpellProgRecord& prog = defs_.SpellProg;
    prog.ProgClass = static_cast<std::int16_t>(filter - 1);
    prog.ProgSpell = static_cast<std::int16_t>(Combo2_->position() + 1);
    prog.ProgLevel = static_cast<std::int16_t>(Combo3_->position() + 1);
    prog.ProgReplaces = static_cast<std::int16_t>(std::max(0, Combo4_->position()));
    const core::Status status = core::AddSpellProgression(defs_);
    if (!status.ok())
      tell(status);
    else
      defs_.NotifyChanged(core::SpellProgChanged, changeOrigin());
  }
  refresh();
}

void frmMagicProg::Command2_Click() {
  const long entry = entryOfRow(ListView1_->selectedPosition());
  if (entry < 1) return;
  const core::Status status = core::RemoveSpellProgression(defs_, entry);
  if (!status.ok())
    tell(status);
  else
    defs_.NotifyChanged(core::SpellProgChanged, changeOrigin());
  refresh();
}

}  // namespace spells
