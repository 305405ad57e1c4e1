#include "ui/controls.h"

#include "core/text.h"
#include "ui/control_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFocusRect>
#include <QTextDocument>
#include <QToolTip>

#include <algorithm>

namespace ui {

QString ToQString(std::string_view bytes) {
  // The code page is Latin-1 but for 0x80..0x9F: most texts take the fast Latin-1 conversion
  // (a list of 32767 descriptions shows every one of them).
  const bool latin1 = std::none_of(bytes.begin(), bytes.end(), [](char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x80 && value <= 0x9F;
  });
  if (latin1) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const std::u32string text = core::DecodeWindows1252(bytes);
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToBytes(const QString& text) {
  const QList<uint> codes = text.toUcs4();
  std::u32string points;
  points.reserve(static_cast<std::size_t>(codes.size()));
  for (uint code : codes) points.push_back(static_cast<char32_t>(code));
  return core::EncodeWindows1252(points);
}

QString ToShownText(std::string_view bytes) {
  return ToQString(bytes.substr(0, bytes.find('\0')));
}

QString ControlName(const QString& name, int index) {
  return index < 0 ? name : name + QLatin1Char('_') + QString::number(index);
}

// --- Label ---

Label::Label(QWidget* parent, const QString& name, int index) : QLabel(parent), index_(index) {
  setObjectName(ControlName(name, index));
  setTextFormat(Qt::PlainText);
}

void Label::setClickable(const QString& hint, bool takesFocus) {
  setCursor(Qt::PointingHandCursor);
  setToolTip(hint);
  setFocusPolicy(takesFocus ? Qt::StrongFocus : Qt::NoFocus);
}

void Label::setElided(bool elided) {
  elided_ = elided;
  updateGeometry();
  update();
}

QSize Label::minimumSizeHint() const {
  const QSize whole = QLabel::minimumSizeHint();
  if (!elided_) return whole;
  const int frameAndMargins = 2 * (frameWidth() + margin());
  return {fontMetrics().horizontalAdvance(QStringLiteral("...")) + frameAndMargins, whole.height()};
}

void Label::emitClick(Qt::KeyboardModifiers modifiers) {
  emit clicked(index_);
  emit clickedWith(index_, modifiers);
}

void Label::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  QLabel::mousePressEvent(event);
}

// A click is a left press and release on the label, as with a button.
void Label::mouseReleaseEvent(QMouseEvent* event) {
  const bool wasPressed = pressed_;
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (wasPressed && event->button() == Qt::LeftButton &&
      rect().contains(event->position().toPoint()))
    emitClick(event->modifiers());
}

// A label that takes the focus is clicked with Enter or Space, as a button is.
void Label::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (focusPolicy() != Qt::NoFocus &&
      (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    emitClick(event->modifiers() & ~Qt::KeypadModifier);
    return;
  }
  QLabel::keyPressEvent(event);
}

void Label::paintEvent(QPaintEvent* event) {
  if (elided_) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    // Blanks that pad a stored name take no room worth cutting a letter for.
    QString whole = text();
    while (whole.endsWith(QLatin1Char(' '))) whole.chop(1);
    const QString shown = fontMetrics().elidedText(whole, Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), shown, foregroundRole());
  } else {
    QLabel::paintEvent(event);
  }
  if (hasFocus()) {
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    option.backgroundColor = palette().color(backgroundRole());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

// --- Stored text fields ---

QString ShownFieldText(std::string_view stored) {
  const std::string text = core::TrimTrailingBlanks(stored.substr(0, stored.find('\0')));
  QString shown = ToQString(text);
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

namespace {

// The line break a long text already uses: its first one, LF where it has none.
QLatin1String BreakOf(std::string_view stored) {
  const std::size_t at = stored.find_first_of("\r\n");
  if (at == std::string_view::npos || stored[at] == '\n') return QLatin1String("\n");
  return at + 1 < stored.size() && stored[at + 1] == '\n' ? QLatin1String("\r\n")
                                                          : QLatin1String("\r");
}

}  // namespace

std::string TypedFieldBytes(const QString& text, LineBreaks breaks, std::string_view stored) {
  QString typed = text;
  if (breaks == LineBreaks::CrLf)
    typed.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  else if (breaks == LineBreaks::AsStored)
    typed.replace(QLatin1Char('\n'), BreakOf(stored.substr(0, stored.find('\0'))));
  return core::TrimTrailingBlanks(ToBytes(typed));
}

void FieldBox::setBytes(std::string_view stored) {
  stored_ = std::string(stored);
  showFieldText(ShownFieldText(stored));
  filled_ = fieldText();
  filledFromStore_ = true;
}

bool FieldBox::edited() const {
  return !filledFromStore_ || fieldText() != filled_;
}

std::string FieldBox::bytes() const {
  if (!storesAsShown_ && !edited()) return stored_;
  const std::string typed = TypedFieldBytes(fieldText(), field_.breaks, stored_);
  return field_.width == 0 ? typed : core::FixedText(typed, field_.width);
}

std::size_t FieldBox::typedLength() const {
  return TypedFieldBytes(fieldText(), field_.breaks, stored_).size();
}

StoresAsShown::StoresAsShown(QWidget* window) : window_(window) {
  mark(true);
}

StoresAsShown::~StoresAsShown() {
  mark(false);
}

void StoresAsShown::mark(bool asShown) const {
  if (!window_) return;
  for (QWidget* child : window_->findChildren<QWidget*>())
    if (auto* box = dynamic_cast<FieldBox*>(child)) box->setStoresAsShown(asShown);
}

// --- TextBox ---

namespace {

bool HasLineBreak(const QString& text) {
  return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

QString OnOneLine(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String(" "));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  return text;
}

}  // namespace

TextBox::TextBox(QWidget* parent, const QString& name, int index)
    : QLineEdit(parent), index_(index) {
  setObjectName(ControlName(name, index));
  TakeEditKeys(this);
  connect(this, &QLineEdit::textChanged, this, &TextBox::onTextChanged);
}

void TextBox::setText(const QString& text) {
  forgetStoredBytes();
  const QString clean = OnOneLine(text);
  if (clean == QLineEdit::text()) return;
  QLineEdit::setText(clean);
  // A text longer than the box shows its beginning, not its end.
  setCursorPosition(0);
}

void TextBox::onTextChanged(const QString& text) {
  if (HasLineBreak(text)) {
    // A pasted line break: the text goes on one line, and the cursor stays where it was.
    const auto cursor = static_cast<int>(OnOneLine(text.left(cursorPosition())).size());
    setText(text);
    setCursorPosition(cursor);
    return;  // setText raised its own change
  }
  emit changed(index_);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->ignore();  // lets a dialog's default button see it
    return;
  }
  QLineEdit::keyPressEvent(event);
}

// --- TextArea ---

TextArea::TextArea(QWidget* parent, const QString& name, int index)
    : QPlainTextEdit(parent), index_(index) {
  setObjectName(ControlName(name, index));
  setTabChangesFocus(true);
  TakeEditKeys(this);
  connect(this, &QPlainTextEdit::textChanged, this, &TextArea::onTextChanged);
}

QString TextArea::text() const {
  QString raw = document()->toRawText();
  raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  raw.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return raw;
}

void TextArea::setText(const QString& text) {
  forgetStoredBytes();
  if (text == this->text()) return;
  setPlainText(text);
}

void TextArea::onTextChanged() {
  const QString now = text();
  if (now == last_) return;
  last_ = now;
  emit changed(index_);
}

// --- ComboBox ---

ComboBox::ComboBox(QWidget* parent, const QString& name, int index)
    : QComboBox(parent), index_(index) {
  setObjectName(ControlName(name, index));
  setEditable(false);
  // activated() is the user's choice, also of the entry already shown.
  connect(this, &QComboBox::activated, this, [this](int position) { emit clicked(position); });
}

bool ComboBox::setPosition(int position) {
  if (position < -1 || position >= count()) return false;
  {
    const QSignalBlocker block(this);
    setCurrentIndex(position);
  }
  emit clicked(position);
  return true;
}

// Sized as Qt's minimum-length policy sizes a box, without setting that policy: setting it makes
// the open list's window at once, a cost the first opening can carry instead.
void ComboBox::setWidthInCharacters(int characters) {
  widthInCharacters_ = std::max(0, characters);
  updateGeometry();
}

QSize ComboBox::sizeHint() const {
  if (widthInCharacters_ == 0) return QComboBox::sizeHint();
  const QFontMetrics metrics = fontMetrics();
  // Room for an icon too, as Qt's own minimum-length policy gives.
  const QSize contents(
      widthInCharacters_ * metrics.horizontalAdvance(QLatin1Char('X')) + iconSize().width() + 4,
      std::max(metrics.height(), 14) + 2);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  return style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this);
}

QSize ComboBox::minimumSizeHint() const {
  return widthInCharacters_ == 0 ? QComboBox::minimumSizeHint() : sizeHint();
}

namespace {

// Drops the open list below its box. The style's own way, over the box, first measures every
// entry for the list's width: a quarter of a second for 32767 names, at every opening.
class DropDownBelow : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

QStyle* DropDownBelowStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    style = new DropDownBelow(QApplication::style()->name());
    style->setParent(qApp);
  }
  return style;
}

}  // namespace

void ComboBox::showPopup() {
  if (auto* rows = qobject_cast<QListView*>(view())) rows->setUniformItemSizes(true);
  if (widthInCharacters_ > 0 && style() != DropDownBelowStyle()) setStyle(DropDownBelowStyle());
  widenOpenList();
  QComboBox::showPopup();
}

void ComboBox::widenOpenList() {
  // Beyond this many entries (a catalogue's names) the width in characters stands in for them.
  constexpr int MeasuredEntries = 256;
  const QFontMetrics metrics = view()->fontMetrics();
  int widest = widthInCharacters_ * metrics.averageCharWidth();
  if (count() <= MeasuredEntries)
    for (int i = 0; i < count(); ++i)
      widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
  // Room for the entry's margins, the list's frame and its scroll bar.
  const int room = 2 * view()->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
  view()->setMinimumWidth(std::max(view()->minimumWidth(), widest + room));
}

bool ComboBox::isTextCut() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  return fontMetrics().horizontalAdvance(currentText()) > field.width();
}

bool ComboBox::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && isTextCut()) {
    const QString hint = toolTip();
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                       hint.isEmpty() ? currentText() : currentText() + '\n' + hint, this);
    return true;
  }
  return QComboBox::event(event);
}

// Qt selects the first entry added to an empty list; the old list kept "none".
void ComboBox::addItem(const QString& text) {
  insertItem(count(), text);
}

void ComboBox::insertItem(int position, const QString& text) {
  const QSignalBlocker block(this);
  const int before = currentIndex();
  QComboBox::insertItem(position, text);
  if (before < 0) setCurrentIndex(-1);
}

void ComboBox::clear() {
  const QSignalBlocker block(this);
  QComboBox::clear();
}

// --- CheckBox, Button, Frame ---

CheckBox::CheckBox(QWidget* parent, const QString& name, int index)
    : QCheckBox(parent), index_(index) {
  setObjectName(ControlName(name, index));
}

void CheckBox::setValue(int value) {
  const QSignalBlocker block(this);
  setChecked(value != 0);
}

void CheckBox::setReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
  if (!readOnly) {
    setPalette(QPalette());  // back to the window's own colours
    return;
  }
  QPalette colours = QApplication::palette(this);
  colours.setColor(QPalette::Base, colours.color(QPalette::Window));
  setPalette(colours);
}

// A read-only box is never hit, so no click reaches it.
bool CheckBox::hitButton(const QPoint& position) const {
  return !readOnly_ && QCheckBox::hitButton(position);
}

Button::Button(QWidget* parent, const QString& name, int index)
    : QPushButton(parent), index_(index) {
  setObjectName(ControlName(name, index));
  setAutoDefault(false);
  TakeEnterKey(this);
}

Frame::Frame(QWidget* parent, const QString& name, const QString& caption)
    : QGroupBox(caption, parent) {
  setObjectName(name);
}

}  // namespace ui
