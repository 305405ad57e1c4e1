#include "ui/catalogue_names.h"

#include "core/text.h"
#include "ui/change_follower.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <algorithm>
#include <memory>
#include <utility>

namespace ui {

namespace {

unsigned ChangeOf(NameSource source) {
  switch (source) {
    case NameSource::Items:
    case NameSource::ItemPlurals:
      return core::ItemsChanged;
    case NameSource::Creatures:
      return core::CreaturesChanged;
    case NameSource::Shops:
      return core::ShopsChanged;
    case NameSource::Spells:
      break;
  }
  return core::SpellsChanged;
}

// The open list of names: typing finds the next name that holds the typed text anywhere, not
// only at its start. A closed drop-down searches through the same view.
class NameSearchView : public QListView {
 public:
  using QListView::QListView;

  void keyboardSearch(const QString& search) override {
    if (search.isEmpty() || !model()) return;
    const bool goesOn =
        typing_.isValid() && typing_.elapsed() < QApplication::keyboardInputInterval();
    typing_.start();
    typed_ = goesOn ? typed_ + search : search;
    const QString needle = typed_.toCaseFolded();
    const int rows = model()->rowCount(rootIndex());
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    // A new search starts below the current name, so a letter typed again goes on to the next
    // name that holds it; more letters first try the name already found.
    const int start = goesOn ? std::max(current, 0) : current + 1;
    for (int i = 0; i < rows; ++i) {
      const QModelIndex row = model()->index((start + i) % rows, modelColumn(), rootIndex());
      if (row.data().toString().toCaseFolded().contains(needle)) {
        setCurrentIndex(row);
        return;
      }
    }
  }

 private:
  QElapsedTimer typing_;
  QString typed_;
};

// Each name with its entry number in a narrow column before it.
class EntryNumberDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  static int NumberWidth(const QFontMetrics& metrics) {
    return metrics.horizontalAdvance(QStringLiteral("32767")) + 10;
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const long entry = index.data(CatalogueNames::EntryRole).toLongLong();
    if (entry < 1) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    const QString name = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const int numberWidth = NumberWidth(item.fontMetrics);
    const bool selected = item.state.testFlag(QStyle::State_Selected);
    const QPalette::ColorRole role = selected ? QPalette::HighlightedText : QPalette::Text;
    painter->save();
    QColor numberColour = item.palette.color(role);
    if (!selected) numberColour.setAlphaF(0.55f);
    painter->setPen(numberColour);
    painter->drawText(QRect(text.left(), text.top(), numberWidth - 8, text.height()),
                      Qt::AlignRight | Qt::AlignVCenter, QString::number(entry));
    painter->setPen(item.palette.color(role));
    const QRect nameRect = text.adjusted(numberWidth, 0, 0, 0);
    painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter,
                      item.fontMetrics.elidedText(name, Qt::ElideRight, nameRect.width()));
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += NumberWidth(option.fontMetrics);
    return size;
  }
};

}  // namespace

CatalogueNames::CatalogueNames(core::ModDefinitions& defs, NameSource source, Dialogs& dialogs,
                               QWidget* window, QString leading)
    : QAbstractListModel(window),
      defs_(defs),
      source_(source),
      dialogs_(dialogs),
      window_(window),
      leading_(std::move(leading)) {
  new ChangeFollower(this, defs_, qobject_cast<Form*>(window), ChangeOf(source_),
                     [this] { refresh(); });
  refresh();
}

CatalogueNames::~CatalogueNames() = default;

void CatalogueNames::refresh() {
  core::Status loaded = core::Status::Ok();
  long count = 0;
  switch (source_) {
    case NameSource::Items:
    case NameSource::ItemPlurals:
      loaded = defs_.Items().LoadNames();
      count = defs_.ItemCount;
      break;
    case NameSource::Creatures:
      loaded = defs_.Creatures().LoadNames();
      count = defs_.CreatureCount;
      break;
    case NameSource::Shops:
      loaded = defs_.Shops().LoadNames();
      count = defs_.ShopCount;
      break;
    case NameSource::Spells:
      loaded = defs_.Spells().LoadNames();
      count = defs_.SpellCount;
      break;
  }
  // Two lists of one catalogue in one window tell a failure once between them.
  const QByteArray told = "namesFailureTold" + QByteArray::number(static_cast<int>(source_));
  const bool toldAlready = window_ && window_->property(told.constData()).toBool();
  if (!loaded.ok() && !failed_ && window_ && !toldAlready)
    dialogs_.messageBox(window_, QString::fromStdString(loaded.message()), window_->windowTitle());
  failed_ = !loaded.ok();
  if (window_) window_->setProperty(told.constData(), failed_);
  const int entries = static_cast<int>(std::clamp(count, 0L, core::MaxEntries));
  if (entries != entries_) {
    beginResetModel();
    entries_ = entries;
    endResetModel();
  } else if (rowCount() > 0) {
    emit dataChanged(index(0), index(rowCount() - 1), {Qt::DisplayRole});
  }
}

long CatalogueNames::entryOf(int row) const {
  const long entry = leading_.isEmpty() ? row + 1L : row;
  return row >= 0 && row < rowCount() ? entry : 0;
}

int CatalogueNames::rowOf(long entry) const {
  const long row = leading_.isEmpty() ? entry - 1 : entry;
  return row >= 0 && row < rowCount() ? static_cast<int>(row) : -1;
}

QString ShownName(const core::ModDefinitions& defs, NameSource source, long entry) {
  std::string name;
  switch (source) {
    case NameSource::Items:
      name = defs.ItemName(entry);
      break;
    case NameSource::ItemPlurals:
      name = defs.ItemPluralName(entry);
      break;
    case NameSource::Creatures:
      name = defs.CreatureName(entry);
      break;
    case NameSource::Shops:
      name = defs.ShopName(entry);
      break;
    case NameSource::Spells:
      name = defs.SpellName(entry);
      break;
  }
  return ToShownText(core::TrimTrailingBlanks(name));
}

QString CatalogueNames::name(long entry) const {
  return ShownName(defs_, source_, entry);
}

int CatalogueNames::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : entries_ + (leading_.isEmpty() ? 0 : 1);
}

QVariant CatalogueNames::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const long entry = entryOf(index.row());
  if (role == EntryRole) return static_cast<qlonglong>(entry);
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  if (entry == 0) return leading_;
  return numbered_ ? "(" + QString::number(entry) + ") " + name(entry) : name(entry);
}

void CatalogueNames::setNumbered(bool numbered) {
  if (numbered == numbered_) return;
  beginResetModel();
  numbered_ = numbered;
  endResetModel();
}

namespace {

void ShowNamesView(ComboBox* list, int widthInCharacters, bool numberBeside) {
  const QSignalBlocker block(list);
  const int position = list->position();
  auto* view = new NameSearchView(list);
  view->setUniformItemSizes(true);
  if (numberBeside) view->setItemDelegate(new EntryNumberDelegate(view));
  list->setView(view);
  const QFontMetrics metrics = view->fontMetrics();
  view->setMinimumWidth(EntryNumberDelegate::NumberWidth(metrics) +
                        widthInCharacters * metrics.averageCharWidth() + 40);
  list->setCurrentIndex(position);
}

}  // namespace

void ShowNamesView(ComboBox* list, int widthInCharacters) {
  ShowNamesView(list, widthInCharacters, true);
}

void ShowNames(ComboBox* list, CatalogueNames* names, int widthInCharacters) {
  ShowNamesView(list, widthInCharacters, !names->numbered());
  const QSignalBlocker block(list);
  list->setModel(names);
  // Sizing to the contents would make every text; a width in characters makes none.
  list->setWidthInCharacters(widthInCharacters);
  list->setCurrentIndex(-1);
  // Qt picks the first row after a refill; the list keeps its position, or has none.
  auto kept = std::make_shared<int>(-1);
  QObject::connect(names, &QAbstractItemModel::modelAboutToBeReset, list,
                   [list, kept] { *kept = list->position(); });
  QObject::connect(names, &QAbstractItemModel::modelReset, list, [list, kept] {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(*kept < list->count() ? *kept : -1);
  });
}

}  // namespace ui
