#include "maps/map_text_list.h"

#include "core/numbers.h"
#include "maps/map_text_entry.h"
#include "ui/undo_keys.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace maps {

MapTextListForm::MapTextListForm(const MapTextListKind& kind, core::ModDefinitions& defs,
                                 ui::FormsRegistry& registry, QWidget* parent)
    : ui::Form(kind.formName, parent),
      defs_(defs),
      kind_(kind),
      registry_(registry),
      Label1_(ui::makeLabelArray(body(), "Label1", kind.rows)),
      Label2_(ui::makeLabelArray(body(), "Label2", kind.rows)),
      buttons_(new QHBoxLayout) {
  ui::AddMapUndoKeys(this, defs_);
  closeOnEscape();
  setWindowTitle(kind.caption);
  auto* table = new QGridLayout;
  table->setHorizontalSpacing(8);
  table->setVerticalSpacing(2);
  // Texts in a fixed-pitch font line up, so their trailing blanks and lengths are plain to see.
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  const QFontMetrics metrics(fixed);
  for (int r = 0; r < kind.rows; ++r) {
    Label1_[r]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Wide enough for the largest number before the first paint sets any, so the window's size
    // is right from the start.
    Label1_[r]->setMinimumWidth(Label1_[r]->fontMetrics().horizontalAdvance(" 00:") + 2);
    ui::Label* text = Label2_[r];
    text->setFont(fixed);
    // Tab walks the rows; Enter or Space opens the focused one, as a click does.
    text->setClickable("Click to edit this text");
    text->setFrameShape(QFrame::StyledPanel);
    // One line per row: a long text is cut off on screen, never in the record.
    text->setFixedHeight(metrics.height() + 6);
    text->setFixedWidth(metrics.horizontalAdvance(QString(kind.textWidth, 'M')) + 8);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(text, &ui::Label::clicked, this, &MapTextListForm::Label2_Click);
    table->addWidget(Label1_[r], r, 0);
    table->addWidget(text, r, 1);
  }
  auto* ok = new ui::Button(body(), "Command2");
  ok->setText("OK");
  connect(ok, &QAbstractButton::clicked, this, &MapTextListForm::Command2_Click);
  buttons_->addStretch();
  buttons_->addWidget(ok);

  auto* layout = new QVBoxLayout(body());
  layout->addLayout(table);
  layout->addLayout(buttons_);
}

void MapTextListForm::Form_Paint() {
  for (int r = 0; r < kind_.rows; ++r) {
    const int t = firstText() + r;
    Label1_[r]->setText(ui::ToQString(core::NumberWithLeadingBlank(t) + ":"));
    Label2_[r]->setText(ui::ToShownText((defs_.Document().Map().*kind_.read)(t)));
  }
}

// An entry dialog that is already open moves to the text clicked; a new one takes it from
// TextIndex as it opens.
void MapTextListForm::Label2_Click(int row) {
  const int text = firstText() + row;
  defs_.TextIndex = static_cast<std::int16_t>(text);
  if (auto* open = registry_.find<MapTextEntryForm>(kind_.entryForm)) open->openText(text);
  registry_.show(kind_.entryForm);
}

void MapTextListForm::Command2_Click() {
  closeForm();
}

}  // namespace maps
