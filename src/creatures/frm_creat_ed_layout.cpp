// The controls and rows of the creature editor.
#include "creatures/frm_creat_ed.h"

#include "core/vocabularies.h"
#include "ui/where_used_button.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace creatures {

namespace {

constexpr int NumberWidth = 56;
constexpr int NameWidth = 170;

ui::Label* caption(QWidget* parent, const QString& forControl, const QString& text) {
  auto* label = new ui::Label(parent, forControl + "Label");
  label->setText(text);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

ui::TextBox* numberBox(QWidget* parent, const QString& name, int index = -1) {
  auto* box = new ui::TextBox(parent, name, index);
  box->setFixedWidth(NumberWidth);
  return box;
}

ui::Button* button(QWidget* parent, const QString& name, const QString& text) {
  auto* command = new ui::Button(parent, name);
  command->setText(text);
  return command;
}

// Dice shown as count "D" sides "+" bonus, for example 3D8+2.
QWidget* diceRow(QWidget* parent, ui::TextBox* dice, ui::TextBox* sides, ui::TextBox* bonus) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(dice);
  layout->addWidget(new QLabel("D", row));
  layout->addWidget(sides);
  layout->addWidget(new QLabel("+", row));
  layout->addWidget(bonus);
  layout->addStretch();
  return row;
}

QWidget* pairRow(QWidget* parent, QWidget* first, const QString& between, QWidget* second) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(first);
  if (!between.isEmpty()) layout->addWidget(new QLabel(between, row));
  layout->addWidget(second);
  layout->addStretch();
  return row;
}

}  // namespace

void frmCreatEd::buildControls() {
  QWidget* w = body();
  MainLabel_ = new ui::Label(w, "MainLabel");
  MainLabel_->setTextFormat(Qt::PlainText);
  MainLabel_->setAlignment(Qt::AlignCenter);
  MainLabel_->setMinimumWidth(150);
  paging_ = new ui::PagingButtons(w, {"Command7", "Command1", "Command4", "Command8"}, "creature",
                                  MainLabel_);
  Command7_ = paging_->first();
  Command1_ = paging_->previous();
  Command4_ = paging_->next();
  Command8_ = paging_->last();
  Command5_ = button(w, "Command5", "Show List");

  Text1_ = new ui::TextBox(w, "Text1");
  Text2_ = new ui::TextBox(w, "Text2");
  Text1_->setMinimumWidth(NameWidth);
  Text2_->setMinimumWidth(NameWidth);
  Text1_->setField({core::CreatureNameWidth});
  Text2_->setField({core::CreatureNameWidth});
  Combo1_ = new ui::ComboBox(w, "Combo1");
  Combo2_ = new ui::ComboBox(w, "Combo2");
  Combo3_ = new ui::ComboBox(w, "Combo3");
  Combo2_->setToolTip("Hit Points in relation to level of Map and Creature");
  Text19_ = numberBox(w, "Text19");
  Command6_ = button(w, "Command6", "View");
  Text3_ = numberBox(w, "Text3");
  Text4_ = numberBox(w, "Text4");
  Text5_ = numberBox(w, "Text5");
  Text6_ = numberBox(w, "Text6");
  Text7_ = numberBox(w, "Text7");
  Text8_ = numberBox(w, "Text8");
  Text9_ = numberBox(w, "Text9");
  Text10_ = numberBox(w, "Text10");
  Text11_ = numberBox(w, "Text11");
  Text12_ = numberBox(w, "Text12");
  Text13_ = numberBox(w, "Text13");
  Text14_ = numberBox(w, "Text14");
  Text15_ = numberBox(w, "Text15");
  Text16_ = numberBox(w, "Text16");
  Text17_ = numberBox(w, "Text17");
  Text18_ = numberBox(w, "Text18");
  Text21_ = numberBox(w, "Text21");
  Text22_ = numberBox(w, "Text22");
  for (int i = 0; i < core::SaveCategoryCount; ++i) Text20_.push_back(numberBox(w, "Text20", i));
  // The first saving throw has no caption on screen.
  Text20_[0]->setToolTip(SaveCaption(0));
  Check1_ = new ui::CheckBox(w, "Check1");
  Check1_->setText("Special Effects");
  // Shown from the special slots; the designer changes them with "Edit".
  Check1_->setReadOnly(true);
  Command9_ = button(w, "Command9", "Edit");
  Command2_ = button(w, "Command2", "New Creature");
  Command3_ = button(w, "Command3", "Save Creature");

  // Row 1: paging and the list.
  auto* paging = new QHBoxLayout;
  paging->addWidget(paging_, 1);
  paging->addSpacing(12);
  paging->addWidget(Command5_);
  cmdWhereUsed_ = ui::AddWhereUsedButton(this, registry_, defs_, core::RefTarget::Creature,
                                         [this] { return defs_.CreatureEntry; });
  paging->addWidget(cmdWhereUsed_);

  // Rows 2..14: label and control pairs in three columns.
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  const auto put = [&](int row, int column, const QString& name, const QString& text,
                       QWidget* control) {
    if (!text.isEmpty()) grid->addWidget(caption(w, name, text), row, 2 * column);
    grid->addWidget(control, row, 2 * column + 1);
  };
  put(0, 0, "Text1", "Name:", Text1_);
  put(0, 1, "Text2", "Plural Name:", Text2_);
  put(1, 0, "Combo1", "Type:", Combo1_);
  put(1, 1, "Text19", "Bitmap:", pairRow(w, Text19_, {}, Command6_));
  put(2, 0, "Text6", "Intelligence:", Text6_);
  put(2, 1, "Combo3", "Sex:", Combo3_);
  put(2, 2, "Text14", "Speed:", Text14_);
  put(3, 0, "Text7", "Karma:", Text7_);
  put(3, 1, "Text8", "Damage:", diceRow(w, Text8_, Text9_, Text10_));
  put(4, 0, "Text15", "Attack:", Text15_);
  put(4, 1, "Text3", "Hit Points:", diceRow(w, Text3_, Text4_, Text5_));
  put(5, 0, "Text16", "Defence:", Text16_);
  put(5, 1, "Text22", "Magic Points:", Text22_);
  put(6, 0, "Text17", "Experience:", pairRow(w, Text17_, "+", Text18_));
  put(6, 1, "Text11", "Gold:", diceRow(w, Text11_, Text12_, Text13_));
  put(7, 0, "Text21", "Level:", Text21_);
  put(7, 1, "Combo2", {}, Combo2_);
  // The saving throws: the left column has the unlabelled category 0 on top.
  for (int i = 0; i < core::SaveCategoryCount; ++i) {
    const QString label = QString::fromLatin1(core::SaveLabels[static_cast<std::size_t>(i)].data());
    put(8 + i % 3, i / 3, ui::ControlName("Text20", i), label,
        Text20_[static_cast<std::size_t>(i)]);
  }
  grid->addWidget(pairRow(w, Check1_, {}, Command9_), 11, 1, 1, 3);
  grid->setColumnStretch(5, 1);

  auto* commands = new QHBoxLayout;
  commands->addStretch();
  commands->addWidget(Command2_);
  commands->addWidget(Command3_);

  auto* layout = new QVBoxLayout(w);
  layout->addLayout(paging);
  layout->addSpacing(6);
  layout->addLayout(grid);
  layout->addSpacing(6);
  layout->addLayout(commands);
  layout->addStretch();
  orderTabStops();
}

void frmCreatEd::orderTabStops() {
  std::vector<QWidget*> order = {
      Command7_, Command1_, Command4_, Command8_, paging_->goTo(), Command5_, cmdWhereUsed_,
      Text1_,    Text2_,                                                       // names
      Combo1_,   Text19_,   Command6_,                                         // type, bitmap
      Text6_,    Combo3_,   Text14_,                        // intelligence, sex, speed
      Text7_,    Text8_,    Text9_,    Text10_,             // karma, damage
      Text15_,   Text3_,    Text4_,    Text5_,              // attack, hit points
      Text16_,   Text22_,                                   // defence, magic points
      Text17_,   Text18_,   Text11_,   Text12_,   Text13_,  // experience, gold
      Text21_,   Combo2_};                                  // level, hit point scaling
  // The saving throws fill three rows, a column of three at a time.
  for (int row = 0; row < 3; ++row)
    for (int i = row; i < core::SaveCategoryCount; i += 3)
      order.push_back(Text20_[static_cast<std::size_t>(i)]);
  for (QWidget* command : {Command9_, Command2_, Command3_}) order.push_back(command);
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
  // The window opens on the name, not on the paging buttons above it.
  Text1_->setFocus();
}

}  // namespace creatures
