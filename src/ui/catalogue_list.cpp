#include "ui/catalogue_list.h"

#include "ui/dialogs.h"
#include "ui/entry_pager.h"
#include "ui/list_filter.h"
#include "ui/twips.h"

#include <QApplication>
#include <QFontMetrics>
#include <QVBoxLayout>

#include <algorithm>

#include <utility>

namespace ui {

CatalogueList::CatalogueList(const QString& name, const QString& caption,
                             std::vector<ListColumn> columns, QWidget* parent)
    : Form(name, parent),
      columns_(std::move(columns)),
      ListView1_(new ListView(body(), "ListView1")) {
  setWindowTitle(caption);
  closeOnEscape();
  ListView1_->setMultiSelect(false);
  int width = 0;
  for (const ListColumn& column : columns_) width += column.widthTwips;
  // Room for every column and a screenful of rows, plus the 200 twips the list leaves free.
  openingSize_ = QSize(TwipsToPixels(width + 200) + 24, 420);
  resize(openingSize_);
  // The list takes the window less 200 twips in width and height.
  auto* layout = new QVBoxLayout(body());
  const int margin = TwipsToPixels(200);
  layout->setContentsMargins(0, 0, margin, margin);
  layout->addWidget(ListView1_);
  connect(ListView1_, &ListView::rowPicked, this, &CatalogueList::rowPicked);
}

ListColumn FittedColumn(const QString& key, const QString& heading, int widthTwips,
                        QStringList texts) {
  const QFontMetrics metrics(QApplication::font());
  texts << heading;
  int widest = 0;
  for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(text));
  // Room for the cell's margins on both sides.
  return {key, heading, std::max(widthTwips, PixelsToTwips(widest + 20))};
}

void CatalogueList::addFilterAndOrder() {
  if (filter_) return;
  filter_ = new ListFilter(body(), ListView1_);
  if (auto* layout = qobject_cast<QVBoxLayout*>(body()->layout())) layout->insertWidget(0, filter_);
  ListView1_->setSortable(true);
  openingSize_.rheight() += filter_->sizeHint().height();
  resize(openingSize_);
}

QString CatalogueList::RowKey(const QString& numberText) {
  return "0" + numberText;
}

void CatalogueList::Form_Load() {
  ListView1_->clearColumns();
  for (const ListColumn& column : columns_)
    ListView1_->addColumn(column.key, column.text, column.widthTwips);
  fillRows(ListView1_);
}

void CatalogueList::rowPicked(int position) {
  if (position < 1 || position > ListView1_->rowCount()) return;
  const long entry = ListView1_->cellText(position, 0).trimmed().toLong();
  if (pickEntry(entry)) closeForm();
}

bool ShowEntryInEditor(FormsRegistry& registry, const QString& name,
                       const std::function<EntryPager*()>& pagerOf, long entry) {
  if (!registry.show(name)) return false;
  EntryPager* pager = pagerOf();
  if (!pager) return false;
  return entry < 1 || pager->shown() == entry || pager->pick(entry);
}

EntryList::EntryList(const QString& name, const QString& caption, std::vector<ListColumn> columns,
                     core::ModDefinitions& defs, Dialogs& dialogs, Pick pick, QWidget* parent)
    : CatalogueList(name, caption, std::move(columns), parent),
      defs_(defs),
      dialogs_(dialogs),
      pick_(std::move(pick)) {
  addFilterAndOrder();
}

bool EntryList::pickEntry(long entry) {
  if (EntryPager* pager = pick_.openEditor()) return pager->pick(entry);
  const core::Status status = (defs_.*pick_.read)(entry);
  if (!status.ok()) {
    tell(status);
    return false;
  }
  defs_.NotifyChanged(pick_.changed, changeOrigin());
  return true;
}

void EntryList::tell(const core::Status& status) {
  if (!status.ok())
    dialogs_.messageBox(this, QString::fromStdString(status.message()), windowTitle());
}

}  // namespace ui
