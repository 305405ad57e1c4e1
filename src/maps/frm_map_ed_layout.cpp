// The controls, menus and layout of the main window.
#include "maps/frm_map_ed.h"
#include "ui/window_ids.h"
#include "ui/window_menu.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenu>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace maps {

namespace {

constexpr int EncounterRows = core::EncounterSlotCount;

constexpr std::array<const char*, 5> SquareHeadings = {
    "North Wall:", "East Wall:", "South Wall:", "West Wall:", "Specials"};

// A menu entry: its name, caption, shortcut, and the window it opens (empty for a command of
// the main window itself).
struct MenuEntry {
  const char* name;
  const char* caption;
  QKeySequence::StandardKey shortcut;
  const char* window;
  void (frmMapEd::*handler)();
};

struct MenuSpec {
  const char* name;
  const char* caption;
  std::vector<MenuEntry> entries;
};

// A value the designer clicks to change: sunken like an input box, with a hand pointer, a tip
// saying what a click does, and a stop of the Tab key.
void styleClickable(ui::Label* label, int minimumWidth, const QString& hint) {
  label->setFrameShape(QFrame::StyledPanel);
  label->setFrameShadow(QFrame::Sunken);
  label->setAutoFillBackground(true);
  label->setBackgroundRole(QPalette::Base);
  label->setTextInteractionFlags(Qt::NoTextInteraction);  // before: it resets the focus policy
  label->setClickable(hint);
  label->setMinimumWidth(minimumWidth);
  label->setMargin(2);
}

void styleHeading(QLabel* label) {
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

QString EncounterHint(int slot) {
  return QStringLiteral("Click to edit encounter %1").arg(slot + 1);
}

QLabel* columnHeading(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace

const std::array<PropertyInput, 6>& PropertyInputs() {
  static const std::array<PropertyInput, 6> inputs = {{
      {"Label1", "Map Number:", "The current Map", "Label2", "Enter Map Number", "Map Number",
       nullptr},
      {"Label3", "Graphic Set:", "What graphics Set to display", "Label4",
       "Enter the graphic set to use", "Graphics", &core::MapRecord::GraphicSet},
      {"Label5", "Encounter %:", "Chance of Random Encounter", "Label6",
       "Enter chance for encounter", "Encounter Chance", &core::MapRecord::EncounterChance},
      {"Label7", "Encounter Lvl:", "Level of difficulty this encounter has", "Label8",
       "Enter average level of encounter", "Encounter Level", &core::MapRecord::EncounterLevel},
      {"Label17", "Hits Refresh Rate:", "", "Label18",
       "Enter the number of ticks before adding a hitpoint.", "Hit Refresh",
       &core::MapRecord::HitRefresh},
      {"Label19", "Mana Refresh Rate:", "", "Label20",
       "Enter the number of ticks before adding a manapoint.", "Mana Refresh",
       &core::MapRecord::ManaRefresh},
  }};
  return inputs;
}

void frmMapEd::buildControls() {
  QWidget* parent = body();
  for (const PropertyInput& property : PropertyInputs()) {
    auto* heading = new ui::Label(parent, property.heading);
    heading->setText(property.caption);
    heading->setToolTip(property.tooltip);
    styleHeading(heading);
    propertyHeadings_.push_back(heading);

    auto* value = new ui::Label(parent, property.value);
    styleClickable(value, 64, QStringLiteral("Click to change the %1").arg(property.title));
    propertyValues_.push_back(value);
    connect(value, &ui::Label::clicked, this, [this, &property] { askProperty(property); });
  }

  Label9_ = ui::makeLabelArray(parent, "Label9", EncounterRows);
  Label10_ = ui::makeLabelArray(parent, "Label10", EncounterRows);
  Label11_ = ui::makeLabelArray(parent, "Label11", EncounterRows);
  Label12_ = ui::makeLabelArray(parent, "Label12", EncounterRows);
  for (int s = 0; s < EncounterRows; ++s) {
    Label9_[s]->setText(QString::number(s + 1));
    Label9_[s]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // One Tab stop per row, on the creature; the whole row answers a click.
    for (auto* column : {&Label9_, &Label10_, &Label11_, &Label12_}) {
      ui::Label* label = (*column)[s];
      label->setClickable(EncounterHint(s), column == &Label10_);
      connect(label, &ui::Label::clicked, this, &frmMapEd::EncounterLabel_Click);
    }
    Label10_[s]->setElided(true);
    Label10_[s]->setMinimumWidth(110);
    Label11_[s]->setMinimumWidth(48);
    Label12_[s]->setMinimumWidth(32);
  }

  Label13_ = ui::makeLabelArray(parent, "Label13", 2);
  Label13_[0]->setText("Details of Square:");
  QFont bold = Label13_[0]->font();
  bold.setBold(true);
  Label13_[0]->setFont(bold);
  Label13_[1]->setFont(bold);

  Label14_ = ui::makeLabelArray(parent, "Label14", static_cast<int>(SquareHeadings.size()));
  for (std::size_t i = 0; i < SquareHeadings.size(); ++i) {
    Label14_[i]->setText(SquareHeadings[i]);
    if (i < 4) styleHeading(Label14_[i]);
  }

  Label16_ = ui::makeLabelArray(parent, "Label16", core::SideCount);
  for (ui::Label* label : Label16_) {
    styleClickable(label, 80, "Click for the next wall code, Shift+click for the one before");
    connect(label, &ui::Label::clickedWith, this, &frmMapEd::Label16_Click);
  }

  Label15_ = ui::makeLabelArray(parent, "Label15", 4);
  for (ui::Label* label : Label15_) {
    styleClickable(label, 180, {});  // the tip follows the line (see Form_Paint)
    label->setElided(true);
    connect(label, &ui::Label::clicked, this, &frmMapEd::Label15_Click);
  }

  SpecialsUp_ = new ui::Button(parent, "SpecialsUp");
  SpecialsUp_->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  SpecialsUp_->setToolTip("Earlier specials of this square");
  connect(SpecialsUp_, &QAbstractButton::clicked, this, &frmMapEd::SpecialsUp_Click);
  SpecialsDown_ = new ui::Button(parent, "SpecialsDown");
  SpecialsDown_->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
  SpecialsDown_->setToolTip("Later specials of this square");
  connect(SpecialsDown_, &QAbstractButton::clicked, this, &frmMapEd::SpecialsDown_Click);

  picMap_ = new ui::PictureBox(parent, "picMap");
  picMap_->setSurfaceSize(MapViewPixels, MapViewPixels);
  picMap_->setFocusMargin(FocusMargin);
  picMap_->setFocusPolicy(Qt::StrongFocus);
  picMap_->setCursor(Qt::CrossCursor);
  connect(picMap_, &ui::PictureBox::clicked, this, &frmMapEd::picMap_Click);
  connect(picMap_, &ui::PictureBox::keyPressed, this,
          [this](int key, Qt::KeyboardModifiers modifiers) { picMap_KeyPress(key, modifiers); });

  // The tile sheet is only a source of glyphs; it is never shown.
  picTiles_ = new ui::PictureBox(parent, "picTiles");
  picTiles_->setVisible(false);
}

void frmMapEd::buildMenus() {
  const std::vector<MenuSpec> menus = {
      {"mnuFile",
       "&File",
       {{"mnuNew", "&New Map", QKeySequence::New, "", &frmMapEd::mnuNew_Click},
        {"mnuOpen", "&Open Map", QKeySequence::Open, "", &frmMapEd::mnuOpen_Click},
        {"mnuSave", "&Save Map", QKeySequence::Save, "", &frmMapEd::mnuSave_Click},
        {"mnuBrowse", "&Browse Maps...", QKeySequence::UnknownKey, ui::window::MapBrowser,
         &frmMapEd::mnuBrowse_Click},
        {"mnuSep1", " __________", QKeySequence::UnknownKey, "", nullptr},
        {"mnuExportData", "&Export Game Data...", QKeySequence::UnknownKey, "",
         &frmMapEd::mnuExportData_Click},
        {"mnuImportData", "&Import Game Data...", QKeySequence::UnknownKey, "",
         &frmMapEd::mnuImportData_Click},
        {"mnuExportPicture", "Export Map &Picture...", QKeySequence::UnknownKey, "",
         &frmMapEd::mnuExportPicture_Click},
        {"mnuSep2", " __________", QKeySequence::UnknownKey, "", nullptr},
        {"mnuExit", "&Exit", QKeySequence::Quit, "", &frmMapEd::mnuExit_Click}}},
      {"mnuEdit",
       "&Edit",
       {{"mnuUndo", "&Undo", QKeySequence::Undo, "", &frmMapEd::mnuUndo_Click},
        {"mnuRedo", "&Redo", QKeySequence::Redo, "", &frmMapEd::mnuRedo_Click},
        {"mnuCut", "Cu&t", QKeySequence::Cut, "", &frmMapEd::mnuCut_Click},
        {"mnuCopy", "&Copy", QKeySequence::Copy, "", &frmMapEd::mnuCopy_Click},
        {"mnuPaste", "&Paste", QKeySequence::Paste, "", &frmMapEd::mnuPaste_Click},
        {"mnuClear", "Cle&ar", QKeySequence::Delete, "", &frmMapEd::mnuClear_Click}}},
      {"mnuView",
       "&View",
       {{"mnuZoomIn", "Zoom &In", QKeySequence::ZoomIn, "", &frmMapEd::mnuZoomIn_Click},
        {"mnuZoomOut", "Zoom &Out", QKeySequence::ZoomOut, "", &frmMapEd::mnuZoomOut_Click},
        {"mnuZoomActual", "&Actual Size", QKeySequence::UnknownKey, "",
         &frmMapEd::mnuZoomActual_Click},
        {"mnuZoomFit", "&Fit", QKeySequence::UnknownKey, "", &frmMapEd::mnuZoomFit_Click}}},
      {"mnuMap",
       "&Map",
       {{"mnuMapTxt", "Edit &Text Specials", QKeySequence::UnknownKey, ui::window::MapTexts,
         &frmMapEd::mnuMapTxt_Click},
        {"mnuMapLTxt", "Edit &Long Text Specials", QKeySequence::UnknownKey,
         ui::window::MapLongTexts, &frmMapEd::mnuMapLTxt_Click}}},
      {"mnuItems",
       "&Items",
       {{"mnuItemEdit", "&Item Editor", QKeySequence::UnknownKey, ui::window::ItemEditor,
         &frmMapEd::mnuItemEdit_Click},
        {"mnuShop", "&Shop Editor", QKeySequence::UnknownKey, ui::window::ShopEditor,
         &frmMapEd::mnuShop_Click}}},
      {"mnuMonsters",
       "&Monsters",
       {{"mnuMonEdit", "&Monster Editor", QKeySequence::UnknownKey, ui::window::CreatureEditor,
         &frmMapEd::mnuMonEdit_Click}}},
      {"mnuSpells",
       "&Spells",
       {{"mnuMagEdit", "&Spell Editor", QKeySequence::UnknownKey, ui::window::SpellEditor,
         &frmMapEd::mnuMagEdit_Click},
        {"mnuSpellProg", "Spell &Progression", QKeySequence::UnknownKey,
         ui::window::SpellProgression, &frmMapEd::mnuSpellProg_Click}}},
      {"mnuTools",
       "&Tools",
       {{"mnuCheckData", "&Check Game Data...", QKeySequence::UnknownKey, ui::window::GameCheck,
         &frmMapEd::mnuCheckData_Click}}},
  };
  for (const MenuSpec& menuSpec : menus) {
    QMenu* menu = addMenu(menuSpec.name, menuSpec.caption);
    menus_.push_back(menu);
    // The entries follow the windows registered by the time the menu opens.
    connect(menu, &QMenu::aboutToShow, this, &frmMapEd::updateMenuStates);
    for (const MenuEntry& entry : menuSpec.entries) {
      QAction* action = addMenuEntry(menu, entry.name, entry.caption);
      if (entry.shortcut != QKeySequence::UnknownKey) action->setShortcut(entry.shortcut);
      if (entry.handler) {
        connect(action, &QAction::triggered, this, entry.handler);
      } else {
        action->setEnabled(false);  // the old underscore separator: nothing to do
      }
      if (*entry.window) windowEntries_.emplace_back(action, QString(entry.window));
    }
  }
  // The standard keys differ between platforms; the designer's keys are these four.
  findChild<QAction*>("mnuNew")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  findChild<QAction*>("mnuOpen")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  findChild<QAction*>("mnuSave")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  findChild<QAction*>("mnuExit")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  findChild<QAction*>("mnuBrowse")->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
  buildFolderMenu(findChild<QMenu*>("mnuFile"), findChild<QAction*>("mnuExportData"));
  ui::AddWindowMenu(this, registry_);
  buildHelpMenu();
  findChild<QAction*>("mnuZoomIn")
      ->setShortcuts(
          {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
  findChild<QAction*>("mnuZoomOut")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  findChild<QAction*>("mnuZoomActual")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  mnuUndo_ = findChild<QAction*>("mnuUndo");
  mnuRedo_ = findChild<QAction*>("mnuRedo");
  mnuUndo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  mnuRedo_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  // Regions of squares; the main window holds no text box, so these keys are always the map's.
  const std::array<std::pair<const char*, QKeySequence>, 4> regionKeys = {{
      {"mnuCut", QKeySequence(Qt::CTRL | Qt::Key_X)},
      {"mnuCopy", QKeySequence(Qt::CTRL | Qt::Key_C)},
      {"mnuPaste", QKeySequence(Qt::CTRL | Qt::Key_V)},
      {"mnuClear", QKeySequence(Qt::Key_Delete)},
  }};
  for (const auto& [name, key] : regionKeys) findChild<QAction*>(name)->setShortcut(key);
  regionEntries_ = {findChild<QAction*>("mnuCut"), findChild<QAction*>("mnuCopy"),
                    findChild<QAction*>("mnuClear")};
  findChild<QMenu*>("mnuEdit")->insertSeparator(findChild<QAction*>("mnuCut"));
  updateMenuStates();
}

void frmMapEd::updateMenuStates() {
  for (auto& [action, window] : windowEntries_) action->setEnabled(registry_.has(window));
  updateUndoEntries();
  updateRegionEntries();
}

// "Undo Copy Square": the entries name the step they take back or do again.
void frmMapEd::updateUndoEntries() {
  if (!mnuUndo_ || !mnuRedo_) return;
  const core::MapHistory& history = document().History();
  mnuUndo_->setEnabled(history.CanUndo());
  mnuUndo_->setText(history.CanUndo() ? "&Undo " + ui::ToQString(history.UndoLabel()) : "&Undo");
  mnuRedo_->setEnabled(history.CanRedo());
  mnuRedo_->setText(history.CanRedo() ? "&Redo " + ui::ToQString(history.RedoLabel()) : "&Redo");
}

// The Tab key goes from the map view through the properties, the sides, the specials and the
// encounter rows, in the order they are read.
void frmMapEd::setTabOrder() {
  std::vector<QWidget*> chain = {picMap_};
  chain.insert(chain.end(), propertyValues_.begin(), propertyValues_.end());
  chain.insert(chain.end(), Label16_.begin(), Label16_.end());
  chain.insert(chain.end(), Label15_.begin(), Label15_.end());
  chain.push_back(SpecialsUp_);
  chain.push_back(SpecialsDown_);
  chain.insert(chain.end(), Label10_.begin(), Label10_.end());
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// The map view sits 8 pixels in from the client corner at its fixed size; the two panels share
// the rest of the width: the map and square details in one column, the encounter table in the
// other, narrow enough for a 1024-pixel screen.
void frmMapEd::layOutControls() {
  auto* outer = new QHBoxLayout(body());
  outer->setContentsMargins(6, 6, 6, 6);
  outer->setSpacing(8);
  outer->setSizeConstraint(QLayout::SetMinimumSize);
  outer->addWidget(mapScroll_, 1);

  // Map properties: one heading/value pair a row.
  auto* properties = new ui::Frame(body(), "fraProperties", "Map");
  auto* propertyGrid = new QGridLayout(properties);
  propertyGrid->setHorizontalSpacing(6);
  propertyGrid->setVerticalSpacing(3);
  for (std::size_t i = 0; i < propertyValues_.size(); ++i) {
    propertyGrid->addWidget(propertyHeadings_[i], static_cast<int>(i), 0);
    propertyGrid->addWidget(propertyValues_[i], static_cast<int>(i), 1);
  }
  propertyGrid->setColumnStretch(2, 1);

  // The selected square: coordinates, its four sides, and its specials with the scroll buttons.
  auto* square = new ui::Frame(body(), "fraSquare", "Square");
  auto* squareBox = new QVBoxLayout(square);
  auto* coordinates = new QHBoxLayout;
  coordinates->addWidget(Label13_[0]);
  coordinates->addWidget(Label13_[1]);
  coordinates->addStretch(1);
  squareBox->addLayout(coordinates);
  auto* sides = new QGridLayout;
  sides->setVerticalSpacing(3);
  for (int d = 0; d < core::SideCount; ++d) {
    sides->addWidget(Label14_[d], d, 0);
    sides->addWidget(Label16_[d], d, 1);
  }
  sides->setColumnStretch(2, 1);
  squareBox->addLayout(sides);
  squareBox->addSpacing(4);
  squareBox->addWidget(Label14_[4]);
  auto* specials = new QHBoxLayout;
  auto* lines = new QVBoxLayout;
  lines->setSpacing(2);
  for (ui::Label* line : Label15_) lines->addWidget(line);
  specials->addLayout(lines, 1);
  auto* scroll = new QVBoxLayout;
  scroll->addWidget(SpecialsUp_);
  scroll->addStretch(1);
  scroll->addWidget(SpecialsDown_);
  specials->addLayout(scroll);
  squareBox->addLayout(specials);
  squareBox->addStretch(1);

  auto* middle = new QVBoxLayout;
  middle->addWidget(properties);
  middle->addWidget(square, 1);
  panels_ = new QBoxLayout(QBoxLayout::LeftToRight);
  panels_->setSpacing(8);
  panels_->addLayout(middle);
  outer->addLayout(panels_);

  // Encounter slots: number, creature, number appearing, chance of others.
  auto* encounters = new ui::Frame(body(), "fraEncounters", "Encounters");
  auto* table = new QGridLayout(encounters);
  table->setHorizontalSpacing(8);
  table->setVerticalSpacing(9);
  table->addWidget(columnHeading(encounters, "EncounterHeadingCreature", "Creature"), 0, 1);
  table->addWidget(columnHeading(encounters, "EncounterHeadingNumber", "Number"), 0, 2);
  table->addWidget(columnHeading(encounters, "EncounterHeadingOthers", "Others"), 0, 3);
  for (int s = 0; s < EncounterRows; ++s) {
    table->addWidget(Label9_[s], s + 1, 0);
    table->addWidget(Label10_[s], s + 1, 1);
    table->addWidget(Label11_[s], s + 1, 2);
    table->addWidget(Label12_[s], s + 1, 3);
  }
  table->setColumnStretch(1, 1);
  table->setRowStretch(EncounterRows + 1, 1);
  panels_->addWidget(encounters);
  setTabOrder();
}

}  // namespace maps
