#include "maps/map_text_entry.h"

#include "core/numbers.h"
#include "ui/undo_keys.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace maps {

MapTextEntryForm::MapTextEntryForm(const MapTextKind& kind, core::ModDefinitions& defs,
                                   QWidget* parent)
    : ui::Form(kind.formName, parent),
      kind_(kind),
      defs_(defs),
      Label1_(new ui::Label(body(), "Label1")),
      Text1_(kind.multiLine ? static_cast<QWidget*>(area_ = new ui::TextArea(body(), "Text1"))
                            : (line_ = new ui::TextBox(body(), "Text1"))),
      lengthLabel_(new ui::Label(body(), kind.lengthLabel)),
      Command1_(new ui::Button(body(), "Command1")),
      Command2_(new ui::Button(body(), "Command2")) {
  ui::AddMapUndoKeys(this, defs_);
  closeOnEscape();
  setWindowTitle(kind.caption);
  Label1_->setText("Enter Text:");
  Label1_->setBuddy(Text1_);
  Command1_->setText("OK");
  Command2_->setText("Cancel");
  Command2_->setToolTip("Esc");

  auto* layout = new QVBoxLayout(body());
  layout->addWidget(Label1_);
  layout->addWidget(Text1_);
  if (kind.reminder) {
    auto* reminder = new ui::Label(body(), "Label2");
    reminder->setText(kind.reminder);
    reminder->setWordWrap(true);
    layout->addWidget(reminder);
  }
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(lengthLabel_);
  bottom->addStretch();
  bottom->addWidget(Command1_);
  bottom->addWidget(Command2_);
  layout->addLayout(bottom);

  const QFontMetrics metrics(Text1_->font());
  if (area_) {
    Text1_->setMinimumSize(metrics.horizontalAdvance(QString(60, 'n')), metrics.height() * 12);
    area_->setField({kind.width, ui::LineBreaks::AsStored});
    connect(area_->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { lastEditEnd_ = position + added; });
    connect(area_, &ui::TextArea::changed, this, &MapTextEntryForm::Text1_Change);
  } else {
    Text1_->setMinimumWidth(metrics.horizontalAdvance(QString(int(kind.width) + 2, 'n')));
    line_->setMaxLength(static_cast<int>(kind.width));
    line_->setField({kind.width});
    connect(line_, &ui::TextBox::changed, this, &MapTextEntryForm::Text1_Change);
  }
  connect(Command1_, &QAbstractButton::clicked, this, &MapTextEntryForm::Command1_Click);
  connect(Command2_, &QAbstractButton::clicked, this, &MapTextEntryForm::Command2_Click);
  // Enter stores a one-line text; a long text takes line breaks, so it stores on Ctrl+Enter.
  const QKeySequence store =
      kind.multiLine ? QKeySequence(Qt::CTRL | Qt::Key_Return) : QKeySequence(Qt::Key_Return);
  connect(new QShortcut(store, this), &QShortcut::activated, this,
          &MapTextEntryForm::Command1_Click);
  Command1_->setToolTip(store.toString(QKeySequence::NativeText));
}

void MapTextEntryForm::Form_Load() {
  textIndex_ = defs_.TextIndex;
}

void MapTextEntryForm::openText(int index) {
  textIndex_ = index;
  refresh();
}

void MapTextEntryForm::Form_Paint() {
  const int index = textIndex_;
  if (index < 0 || index >= kind_.count) {
    // No text of this map has that number: there is nothing to edit or store.
    shownIndex_ = -1;
    setBoxText({});
    Text1_->setEnabled(false);
    Command1_->setEnabled(false);
    showLength();
    return;
  }
  const std::string& stored = (defs_.Document().Map().*kind_.read)(index);
  if (index == shownIndex_ && stored == shownText_) return;
  shownIndex_ = index;
  shownText_ = stored;
  Text1_->setEnabled(true);
  Command1_->setEnabled(true);
  field()->setBytes(stored);
  showLength();
}

void MapTextEntryForm::Text1_Change() {
  if (refuseOverflow()) return;  // the cut raised its own change
  showLength();
}

bool MapTextEntryForm::refuseOverflow() {
  const int width = static_cast<int>(kind_.width);
  const int excess = static_cast<int>(field()->typedLength()) - width;
  if (!area_ || excess <= 0) return false;
  QTextDocument* document = area_->document();
  const int end = std::clamp(lastEditEnd_, excess, document->characterCount() - 1);
  QTextCursor cut(document);
  cut.setPosition(end - excess);
  cut.setPosition(end, QTextCursor::KeepAnchor);
  cut.removeSelectedText();
  return true;
}

void MapTextEntryForm::showLength() {
  const auto length = static_cast<long long>(field()->typedLength());
  lengthLabel_->setText(ui::ToQString("Text Length: " + core::NumberWithLeadingBlank(length)));
}

ui::FieldBox* MapTextEntryForm::field() const {
  return line_ ? static_cast<ui::FieldBox*>(line_) : area_;
}

void MapTextEntryForm::setBoxText(const QString& text) {
  if (line_)
    line_->setText(text);
  else
    area_->setText(text);
}

void MapTextEntryForm::Command1_Click() {
  if (shownIndex_ < 0) return;
  const std::string typed = field()->bytes();
  const std::string_view text = typed;
  const int index = shownIndex_;
  const auto write = kind_.write;
  defs_.Document().Apply(
      std::string(kind_.stepName) + " " + std::to_string(index),
      [write, index, text](core::MapRecord& map) { (map.*write)(index, text); }, changeOrigin());
  closeForm();
}

void MapTextEntryForm::Command2_Click() {
  closeForm();
}

}  // namespace maps
