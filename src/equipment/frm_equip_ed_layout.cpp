// The controls and layout of the equipment editor.
#include "core/item_record.h"
#include "core/vocabularies.h"
#include "equipment/frm_equip_ed.h"
#include "equipment/item_fields.h"
#include "ui/paging_buttons.h"
#include "ui/where_used_button.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QVBoxLayout>

namespace equipment {

namespace {

constexpr int UsableByColumns = 5;
constexpr int NumberBoxWidth = 64;
constexpr int NameBoxWidth = 190;

ui::Label* captioned(ui::Label* label, const char* caption) {
  label->setText(caption);
  return label;
}

ui::Button* button(QWidget* parent, const char* name, const char* caption, const char* tip,
                   const QKeySequence& shortcut = {}) {
  auto* command = new ui::Button(parent, name);
  command->setText(caption);
  if (!shortcut.isEmpty()) {
    command->setShortcut(shortcut);
    command->setToolTip(QString("%1 (%2)").arg(tip, shortcut.toString(QKeySequence::NativeText)));
  } else {
    command->setToolTip(tip);
  }
  return command;
}

}  // namespace

void frmEquipEd::buildControls() {
  QWidget* body = this->body();
  MainLabel_ = new ui::Label(body, "MainLabel");
  Label1_ = captioned(new ui::Label(body, "Label1"), "Name:");
  Label2_ = captioned(new ui::Label(body, "Label2"), "Plural Name:");
  Label3_ = captioned(new ui::Label(body, "Label3"), "Type:");
  Label13_ = captioned(new ui::Label(body, "Label13"), "Use Item");
  Text1_ = new ui::TextBox(body, "Text1");
  Text2_ = new ui::TextBox(body, "Text2");
  Combo1_ = new ui::ComboBox(body, "Combo1");
  Combo2_ = new ui::ComboBox(body, "Combo2");
  Combo3_ = new ui::ComboBox(body, "Combo3");
  for (const std::string_view type : core::ItemTypeTexts) Combo1_->addItem(ui::ToQString(type));
  // "Use Item" offers the types an item can use: every type but the scroll.
  for (std::size_t code = 1; code <= 10; ++code)
    Combo2_->addItem(ui::ToQString(core::ItemTypeText(static_cast<int>(code))));
  Combo3_->setMaxVisibleItems(20);
  Combo3_->hide();

  Frame1_ = new ui::Frame(body, "Frame1", "Armour");
  Attack_ = new ui::Frame(body, "Attack", "To Hit and Damage");
  for (const ItemNumberBox& number : ItemNumberBoxes()) {
    QWidget* owner = body;
    const int position = static_cast<int>(numberBoxes_.size());
    if (position <= ArmourBox) owner = Frame1_;
    if (position >= ToHitBox && position <= BonusBox) owner = Attack_;
    if (position == SpeedBox) owner = Attack_;
    numberLabels_.push_back(captioned(new ui::Label(owner, number.label), number.caption));
    auto* box = new ui::TextBox(owner, number.box);
    box->setFixedWidth(NumberBoxWidth);
    numberBoxes_.push_back(box);
  }
  Text1_->setMinimumWidth(NameBoxWidth);
  Text2_->setMinimumWidth(NameBoxWidth);
  Text1_->setField({core::ItemNameWidth});
  Text2_->setField({core::ItemNameWidth});

  Frame2_ = new ui::Frame(body, "Frame2", "Usable By");
  Check1_ = ui::makeCheckBoxArray(Frame2_, "Check1", core::UsableByCount - 1);
  for (std::size_t i = 0; i < Check1_.size(); ++i) {
    const std::string_view name = core::ClassName(static_cast<int>(i) + 1);
    Check1_[i]->setText(name.empty() ? QString("?") : ui::ToQString(name));
    if (name.empty()) Check1_[i]->setToolTip(QString("Class %1 (no name yet)").arg(i + 1));
  }

  Frame3_ = new ui::Frame(body, "Frame3", "Effects");
  Check2_ = new ui::CheckBox(Frame3_, "Check2");
  Check2_->setText("Has Effects");
  // Shown from the effect slots, never read back: the designer cannot tick it.
  Check2_->setReadOnly(true);
  Check2_->setToolTip(
      "Set when any effect slot of the item is in use; edit them with \"View Effects\"");
  Command6_ = button(Frame3_, "Command6", "View Effects", "Show the item's effect slots");

  MainLabel_->setAlignment(Qt::AlignCenter);
  paging_ = new ui::PagingButtons(body, {"Command7", "Command1", "Command4", "Command8"}, "item",
                                  MainLabel_);
  Command7_ = paging_->first();
  Command1_ = paging_->previous();
  Command4_ = paging_->next();
  Command8_ = paging_->last();
  Command3_ = button(body, "Command3", "Save Item", "Save the item shown", QKeySequence::Save);
  Command2_ = button(body, "Command2", "New Item", "Add what is shown as a new item at the end",
                     QKeySequence::New);
  Command5_ = button(body, "Command5", "Show List", "Pick an item from the list of all items");
  cmdWhereUsed_ = ui::AddWhereUsedButton(this, registry_, defs_, core::RefTarget::Item,
                                         [this] { return defs_.ItemEntry; });
}

void frmEquipEd::layOutControls() {
  auto* names = new QGridLayout;
  names->addWidget(Label1_, 0, 0);
  names->addWidget(Text1_, 0, 1);
  names->addWidget(Label2_, 1, 0);
  names->addWidget(Text2_, 1, 1);
  names->addWidget(Label3_, 2, 0);
  names->addWidget(Combo1_, 2, 1);
  names->addWidget(Label13_, 3, 0);
  // "Use Item" and "Spell" lists share one place; only one of them is visible.
  names->addWidget(Combo2_, 3, 1);
  names->addWidget(Combo3_, 3, 1);
  names->addWidget(numberLabels_[CostBox], 4, 0);
  names->addWidget(numberBoxes_[CostBox], 4, 1, Qt::AlignLeft);
  names->setColumnStretch(1, 1);

  auto* armour = new QGridLayout(Frame1_);
  for (int row : {BonusACBox, ArmourBox}) {
    armour->addWidget(numberLabels_[row], row, 0);
    armour->addWidget(numberBoxes_[row], row, 1);
  }
  armour->setRowStretch(2, 1);

  auto* attack = new QGridLayout(Attack_);
  attack->addWidget(numberLabels_[ToHitBox], 0, 0);
  attack->addWidget(numberBoxes_[ToHitBox], 0, 1);
  attack->addWidget(numberLabels_[ToHitPercentBox], 0, 2, 1, 2, Qt::AlignRight);
  attack->addWidget(numberBoxes_[ToHitPercentBox], 0, 4);
  // Damage reads as a dice roll: 2 D 6 + 1.
  attack->addWidget(numberLabels_[DiceBox], 1, 0);
  attack->addWidget(numberBoxes_[DiceBox], 1, 1);
  attack->addWidget(numberLabels_[SidesBox], 1, 2, Qt::AlignCenter);
  attack->addWidget(numberBoxes_[SidesBox], 1, 3);
  attack->addWidget(numberLabels_[BonusBox], 1, 4, Qt::AlignRight);
  attack->addWidget(numberBoxes_[BonusBox], 1, 5);
  attack->addWidget(numberLabels_[SpeedBox], 2, 0);
  attack->addWidget(numberBoxes_[SpeedBox], 2, 1);

  auto* combat = new QHBoxLayout;
  combat->addWidget(Frame1_);
  combat->addWidget(Attack_, 1);

  auto* usable = new QGridLayout(Frame2_);
  for (std::size_t i = 0; i < Check1_.size(); ++i) {
    const int at = static_cast<int>(i);
    usable->addWidget(Check1_[i], at / UsableByColumns, at % UsableByColumns);
  }

  auto* effects = new QHBoxLayout(Frame3_);
  effects->addWidget(Check2_);
  effects->addStretch(1);
  effects->addWidget(Command6_);

  auto* commands = new QHBoxLayout;
  commands->addStretch(1);
  for (ui::Button* command : {Command3_, Command2_, Command5_, cmdWhereUsed_}) commands->addWidget(command);

  // Tab follows the window from top to bottom: Cost sits under the use, before the armour.
  std::vector<QWidget*> order = {Text1_, Text2_, Combo1_, Combo2_, Combo3_, numberBoxes_[CostBox]};
  for (int box = BonusACBox; box <= BonusBox; ++box) order.push_back(numberBoxes_[box]);
  order.push_back(numberBoxes_[SpeedBox]);
  for (ui::CheckBox* check : Check1_) order.push_back(check);
  for (QWidget* command : {Command6_, Command7_, Command1_, Command4_, Command8_, paging_->goTo(),
                           Command3_, Command2_, Command5_, cmdWhereUsed_})
    order.push_back(command);
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

  auto* top = new QVBoxLayout(body());
  top->addWidget(paging_);
  top->addLayout(names);
  top->addLayout(combat);
  top->addWidget(Frame2_);
  top->addWidget(Frame3_);
  top->addStretch(1);
  top->addLayout(commands);
}

}  // namespace equipment
