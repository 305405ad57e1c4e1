#include "ui/entry_pager.h"

#include "core/numbers.h"
#include "core/text.h"
#include "ui/form.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QObject>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace ui {

namespace {

QString Number(long value) {
  return QString::fromStdString(core::NumberWithLeadingBlank(value));
}

QString Capitalised(QString text) {
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text;
}

// Ctrl+Home and Ctrl+End page to the first and last entry from every control of the window. A
// text box would take them as its own (start and end of its text), and a window's shortcut
// never sees them then: the key presses are caught on their way to any control of the window.
class PagingKeys : public QObject {
 public:
  PagingKeys(QWidget* window, EntryPager& pager) : window_(window), pager_(pager) {
    QCoreApplication* application = QCoreApplication::instance();
    if (application) application->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier) return false;
    if (key->key() != Qt::Key_Home && key->key() != Qt::Key_End) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != window_ && !window_->isAncestorOf(widget))) return false;
    if (key->key() == Qt::Key_Home)
      pager_.first();
    else
      pager_.last();
    return true;
  }

 private:
  QWidget* window_;
  EntryPager& pager_;
};

}  // namespace

EntryPager::EntryPager(QWidget* window, Dialogs& dialogs, Hooks hooks)
    : window_(window),
      dialogs_(dialogs),
      hooks_(std::move(hooks)),
      pagingKeys_(std::make_unique<PagingKeys>(window, *this)) {}

EntryPager::~EntryPager() = default;

void EntryPager::nameInTitle(std::function<std::string()> name) {
  name_ = std::move(name);
  auto* form = qobject_cast<Form*>(window_);
  if (!form) return;
  QObject::connect(form, &Form::painted, form, [this] { showInTitle(); });
  // The mark follows each keystroke and choice too. A paint changes many boxes at once, so the
  // title is looked at once, when the event loop comes round again.
  auto* later = new QTimer(form);
  later->setSingleShot(true);
  later->setInterval(0);
  QObject::connect(later, &QTimer::timeout, form, [this] { showInTitle(); });
  const auto markLater = [later] { later->start(); };
  for (auto* box : form->findChildren<TextBox*>())
    QObject::connect(box, &TextBox::changed, later, markLater);
  for (auto* area : form->findChildren<TextArea*>())
    QObject::connect(area, &TextArea::changed, later, markLater);
  for (auto* list : form->findChildren<ComboBox*>())
    QObject::connect(list, &ComboBox::clicked, later, markLater);
  for (auto* check : form->findChildren<CheckBox*>())
    QObject::connect(check, &QAbstractButton::clicked, later, markLater);
}

void EntryPager::showInTitle() const {
  auto* form = qobject_cast<Form*>(window_);
  if (!form || !name_) return;
  const bool modified = hooks_.shown() > 0 && hooks_.unsaved && hooks_.unsaved();
  const QString name = ToShownText(core::TrimTrailingBlanks(name_()));
  form->setSubject(hooks_.shown() > 0 ? name : QString(), modified);
}

QString EntryPager::recordLine() const {
  return "Record" + Number(hooks_.shown()) + " of" + Number(hooks_.count());
}

void EntryPager::first() {
  if (hooks_.count() >= 1) moveTo(1, PageMove::First);
}

void EntryPager::previous() {
  const long shown = hooks_.shown();
  if (shown > 1 && shown - 1 <= hooks_.count()) moveTo(shown - 1, PageMove::Previous);
}

void EntryPager::next() {
  const long shown = hooks_.shown();
  if (shown < hooks_.count()) moveTo(shown < 1 ? 1 : shown + 1, PageMove::Next);
}

void EntryPager::last() {
  if (hooks_.count() >= 1) moveTo(hooks_.count(), PageMove::Last);
}

bool EntryPager::pick(long entry) {
  if (entry < 1 || entry > hooks_.count()) return false;
  return moveTo(entry, PageMove::Pick);
}

bool EntryPager::goTo() {
  if (hooks_.count() < 1) return false;
  const std::optional<QString> answer = dialogs_.inputBox(
      window_, "Go to which " + hooks_.noun + "? Type its number or part of its name.", "Go To",
      QString());
  if (!answer || answer->trimmed().isEmpty()) return false;
  const long entry = findEntry(*answer);
  if (entry < 1) {
    bool number = false;
    answer->trimmed().toLong(&number);
    tell(number ? "There is no " + hooks_.noun + Number(answer->trimmed().toLong()) +
                      ": they are numbered 1 to" + Number(hooks_.count()) + "."
                : "No " + hooks_.noun + " has \"" + answer->trimmed() + "\" in its name.");
    return false;
  }
  return pick(entry);
}

long EntryPager::findEntry(const QString& answer) const {
  const QString wanted = answer.trimmed();
  const long count = hooks_.count();
  bool number = false;
  const long entry = wanted.toLong(&number);
  if (number) return entry >= 1 && entry <= count ? entry : 0;
  if (!hooks_.name || wanted.isEmpty()) return 0;
  const QString folded = wanted.toCaseFolded();
  long holding = 0;
  const long start = std::clamp(hooks_.shown(), 0L, count);
  for (long step = 1; step <= count; ++step) {
    const long n = (start + step - 1) % count + 1;
    const QString name = hooks_.name(n).trimmed().toCaseFolded();
    if (name == folded) return n;
    if (holding == 0 && name.contains(folded)) holding = n;
  }
  return holding;
}

bool EntryPager::moveTo(long entry, PageMove move) {
  if (!mayLeave()) return false;
  const core::Status status = hooks_.read(entry, move);
  if (!status.ok()) {
    tell(QString::fromStdString(status.message()));
    return false;
  }
  hooks_.show();
  showInTitle();
  return true;
}

void EntryPager::showEntry() {
  hooks_.show();
  showInTitle();
}

bool EntryPager::unsaved() const {
  const long shown = hooks_.shown();
  return shown >= 1 && shown <= hooks_.count() && hooks_.unsaved();
}

bool EntryPager::mayLeave() {
  // The header slot (an empty catalogue) is no entry: there is nothing it could be saved as.
  const long shown = hooks_.shown();
  if (shown < 1 || shown > hooks_.count() || !hooks_.unsaved()) return true;
  switch (dialogs_.askSaveDiscardCancel(
      window_, "Save changes to " + hooks_.noun + Number(shown) + "?", CaptionOf(window_))) {
    case Dialogs::SaveChoice::Save:
      return save();
    case Dialogs::SaveChoice::Discard:
      return true;
    case Dialogs::SaveChoice::Cancel:
      break;
  }
  return false;
}

bool EntryPager::save() {
  const long shown = hooks_.shown();
  if (shown < 1 || shown > hooks_.count()) {
    tell("There is no " + hooks_.noun + " to save here: use \"" + hooks_.newCaption +
         "\" to add one.");
    return false;
  }
  if (!takeScreen("Nothing was saved.")) return false;
  const QString question =
      ChangedOnDiskQuestion(Capitalised(hooks_.noun) + Number(shown), "it was opened");
  if (!writeAsking(hooks_.write, question)) return false;
  hooks_.show();
  showInTitle();
  if (!hooks_.savedMessage.isEmpty())
    dialogs_.messageBox(window_, hooks_.savedMessage, CaptionOf(window_));
  else
    say("Saved " + hooks_.noun + Number(shown));
  return true;
}

bool EntryPager::append() {
  if (hooks_.count() >= core::MaxEntries) {
    tell("Cannot add another " + hooks_.noun + ": there are already" + Number(core::MaxEntries) +
         ", the most the file can hold.");
    return false;
  }
  // A new entry is stored as shown, not with the stored bytes of the entry it was copied from
  // (an entry past the end of the file reads as zeros where a typed one has blanks).
  const StoresAsShown asShown(window_);
  if (!takeScreen("Nothing was added.")) return false;
  long known = hooks_.count();
  core::Status status = hooks_.append();
  // Another editor added entries: this one goes after them, never over one.
  while (status.changedOnDisk()) {
    if (!dialogs_.askConfirm(window_, appendQuestion(known), CaptionOf(window_), "Add"))
      return false;
    known = hooks_.count();
    status = hooks_.append();
  }
  if (!status.ok()) {
    tell(QString::fromStdString(status.message()));
    return false;
  }
  hooks_.show();
  showInTitle();
  say("Added " + hooks_.noun + Number(hooks_.shown()));
  return true;
}

// A write that shows no message of its own is told on the window's status line.
void EntryPager::say(const QString& done) const {
  if (auto* window = qobject_cast<QMainWindow*>(window_)) window->statusBar()->showMessage(done);
}

// "Another editor added entries to the item file since this editor read it; add this one as
// item 20?"
QString EntryPager::appendQuestion(long known) const {
  const long now = hooks_.count();
  const QString change =
      now > known
          ? "Another editor added entries to the " + hooks_.noun + " file since this editor read it"
          : "The " + hooks_.noun + " file now counts " + QString::number(now) + " entries, not " +
                QString::number(known);
  return change + "; add this one as " + hooks_.noun + Number(now + 1) + "?";
}

bool EntryPager::takeScreen(const QString& refusedAction) {
  const QString refused = hooks_.takeScreen();
  if (refused.isEmpty()) return true;
  tell("\"" + refused + "\" must be a whole number from -32768 to 32767. " + refusedAction);
  return false;
}

bool EntryPager::writeAsking(const std::function<core::Status(bool)>& write,
                             const QString& question) {
  core::Status status = write(false);
  if (status.changedOnDisk()) {
    if (!dialogs_.askOverwrite(window_, question, CaptionOf(window_))) return false;
    status = write(true);
  }
  if (!status.ok()) {
    tell(QString::fromStdString(status.message()));
    return false;
  }
  return true;
}

void EntryPager::tell(const QString& message) const {
  dialogs_.messageBox(window_, message, CaptionOf(window_));
}

QString ChangedOnDiskQuestion(const QString& subject, const QString& since) {
  return subject + " was changed on disk since " + since + ". Overwrite it?";
}

// --- Number boxes and coded lists ---

QString TakeWholeNumbers(const std::vector<NumberField>& fields) {
  std::vector<std::int16_t> values;
  values.reserve(fields.size());
  for (const NumberField& number : fields) {
    const core::NumberReading reading = core::ReadWholeNumber(ToBytes(number.box->text()));
    if (!reading.ok()) return number.caption;
    values.push_back(reading.value);
  }
  for (std::size_t i = 0; i < fields.size(); ++i) *fields[i].field = values[i];
  return {};
}

void ShowCode(ComboBox* list, int code, int firstCode) {
  const int position = code - firstCode;
  list->setPosition(position >= 0 && position < list->count() ? position : -1);
}

std::int16_t CodeFromList(const ComboBox* list, int firstCode, std::int16_t stored) {
  const int position = list->position();
  return position < 0 ? stored : static_cast<std::int16_t>(position + firstCode);
}

}  // namespace ui
