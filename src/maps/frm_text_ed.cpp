#include "maps/frm_text_ed.h"
#include "ui/window_ids.h"

#include <QHBoxLayout>

#include <algorithm>

namespace maps {

namespace {

const MapTextListKind TextList{ui::window::MapTexts,     "Map Text Editor",
                               frmTextEd::RowsPerPage,   static_cast<int>(core::MapTextWidth),
                               ui::window::MapTextEntry, &core::MapRecord::Text};

}  // namespace

frmTextEd::frmTextEd(core::ModDefinitions& defs, ui::FormsRegistry& registry, QWidget* parent)
    : MapTextListForm(TextList, defs, registry, parent),
      Command1_(new ui::Button(body(), "Command1")),
      Command3_(new ui::Button(body(), "Command3")) {
  Command1_->setText("Prev Page");
  Command3_->setText("Next Page");
  Command1_->setShortcut(QKeySequence(Qt::Key_PageUp));
  Command3_->setShortcut(QKeySequence(Qt::Key_PageDown));
  buttons()->insertWidget(0, Command1_);
  buttons()->insertWidget(1, Command3_);
  connect(Command1_, &QAbstractButton::clicked, this, &frmTextEd::Command1_Click);
  connect(Command3_, &QAbstractButton::clicked, this, &frmTextEd::Command3_Click);
}

// A page number that another run left out of range is brought back to the nearest page.
void frmTextEd::Form_Load() {
  defs_.TextPage = static_cast<std::int16_t>(std::clamp<int>(defs_.TextPage, 0, LastPage));
  setPagingButtons();
}

void frmTextEd::Command1_Click() {
  if (defs_.TextPage > 0) --defs_.TextPage;
  setPagingButtons();
  refresh();
}

void frmTextEd::Command3_Click() {
  if (defs_.TextPage < LastPage) ++defs_.TextPage;
  setPagingButtons();
  refresh();
}

void frmTextEd::setPagingButtons() {
  Command1_->setEnabled(defs_.TextPage > 0);
  Command3_->setEnabled(defs_.TextPage < LastPage);
}

}  // namespace maps
