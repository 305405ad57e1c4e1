#include "checks/frm_game_check.h"

#include "ui/progress_run.h"
#include "ui/twips.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QPointer>

#include <algorithm>
#include <string>
#include <tuple>

namespace checks {

namespace {

QString Text(std::string_view text) {
  return QString::fromStdString(std::string(text));
}

auto PlaceKey(const core::Place& p) {
  return std::make_tuple(p.file, p.entry, p.slotKind, p.slot, p.x, p.y);
}

// "3 findings: 1 error, 1 warning, 1 note."
QString Summary(const std::vector<core::Finding>& findings) {
  if (findings.empty()) return "No findings: every number points at what it names.";
  int counts[3] = {0, 0, 0};
  for (const core::Finding& f : findings) ++counts[static_cast<int>(f.severity)];
  QStringList parts;
  const char* nouns[3][2] = {{"error", "errors"}, {"warning", "warnings"}, {"note", "notes"}};
  for (int s = 0; s < 3; ++s) {
    if (counts[s] > 0) parts << QString::number(counts[s]) + " " + nouns[s][counts[s] == 1 ? 0 : 1];
  }
  const auto total = findings.size();
  return QString::number(total) + (total == 1 ? " finding: " : " findings: ") + parts.join(", ") +
         ".";
}

}  // namespace

frmGameCheck::frmGameCheck(core::ModDefinitions& defs, ui::Dialogs& dialogs,
                           ui::FormsRegistry& registry, QWidget* parent)
    : ui::Form("frmGameCheck", parent),
      defs_(defs),
      dialogs_(dialogs),
      registry_(registry),
      lblSummary_(new ui::Label(body(), "lblSummary")),
      lblFilter_(new ui::Label(body(), "lblFilter")),
      txtFilter_(new ui::TextBox(body(), "txtFilter")),
      cmdCheckAgain_(new ui::Button(body(), "cmdCheckAgain")),
      lvwFindings_(new ui::ListView(body(), "lvwFindings")) {
  setWindowTitle("Check Game Data");
  closeOnEscape();
  lblSummary_->setWordWrap(true);
  lblFilter_->setText("&Filter:");
  lblFilter_->setBuddy(txtFilter_);
  txtFilter_->setToolTip("Only the findings that hold this text (any letter case)");
  txtFilter_->setClearButtonEnabled(true);
  cmdCheckAgain_->setText("Check &Again");
  lvwFindings_->setMultiSelect(false);
  lvwFindings_->addColumn("Severity", "Severity", 1000);
  lvwFindings_->addColumn("File", "File", 1000);
  lvwFindings_->addColumn("Place", "Place", 3600);
  lvwFindings_->addColumn("Finding", "Finding", 8000);
  QHeaderView* headings = lvwFindings_->horizontalHeader();
  headings->setStretchLastSection(true);
  headings->setSectionsClickable(true);
  headings->setSortIndicatorShown(false);
  headings->setToolTip("Click a heading to sort by it, again for the other way round");

  auto* layout = new QGridLayout(body());
  layout->addWidget(lblSummary_, 0, 0, 1, 3);
  layout->addWidget(lblFilter_, 1, 0);
  layout->addWidget(txtFilter_, 1, 1);
  layout->addWidget(cmdCheckAgain_, 1, 2);
  layout->addWidget(lvwFindings_, 2, 0, 1, 3);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(2, 1);
  resize(sizeHint());

  connect(headings, &QHeaderView::sectionClicked, this, &frmGameCheck::Heading_Click);
  connect(txtFilter_, &QLineEdit::textChanged, this, [this] { showRows(); });
  connect(cmdCheckAgain_, &ui::Button::clicked, this, [this] { runCheck(); });
  connect(lvwFindings_, &ui::ListView::rowPicked, this, &frmGameCheck::lvwFindings_Pick);
}

// Shown, or asked for again from the menu: the game is checked as it now is.
void frmGameCheck::Form_Paint() {
  runCheck();
}

void frmGameCheck::runCheck() {
  // The check works on its own copy of the open map: the editor stays free to draw meanwhile.
  const core::MapRecord map = openMap();
  const long number = openMapNumber();
  const std::filesystem::path folder = defs_.DataDir();
  core::Result<core::GameCheck> check = core::Status::Error("The check did not run.");
  QPointer<frmGameCheck> self(this);
  const bool finished =
      ui::RunWithProgress(this, "Checking the game data...", [&](const auto& progress) {
        core::CheckOptions options;
        options.unsavedMap = number >= 1 ? &map : nullptr;
        options.unsavedMapNumber = number;
        options.progress = progress;
        check = core::CheckGameFolder(folder, options);
      });
  if (!self) return;
  findings_.clear();
  if (!check.ok()) {
    lblSummary_->setText(QString::fromStdString(check.status().message()));
  } else if (!finished || check->cancelled) {
    lblSummary_->setText("The check was cancelled: nothing is listed.");
  } else {
    findings_ = std::move(check->findings);
    QString summary = Summary(findings_);
    if (check->unsavedMapDiffers) {
      summary += QString(" Map %1 is checked as it stands in the editor, with its unsaved changes.")
                     .arg(number);
    } else if (number < 1) {
      summary += " The new map is not saved yet and not checked.";
    }
    lblSummary_->setText(summary);
  }
  showRows();
}

void frmGameCheck::Heading_Click(int column) {
  descending_ = column == sortColumn_ ? !descending_ : false;
  sortColumn_ = column;
  QHeaderView* headings = lvwFindings_->horizontalHeader();
  headings->setSortIndicatorShown(true);
  headings->setSortIndicator(column, descending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
  showRows();
}

void frmGameCheck::showRows() {
  const QString filter = txtFilter_->text().trimmed();
  std::vector<ui::ListRow> rows;
  shown_.clear();
  for (std::size_t i = 0; i < findings_.size(); ++i) {
    const core::Finding& f = findings_[i];
    ui::ListRow row{{},
                    Text(core::SeverityName(f.severity)),
                    {{"File", Text(core::GameFileName(f.place.file))},
                     {"Place", Text(core::DescribePlace(f.place))},
                     {"Finding", Text(f.message)}}};
    if (!filter.isEmpty()) {
      const QString all = row.text + ' ' + row.subItems[0].text + ' ' + row.subItems[1].text + ' ' +
                          row.subItems[2].text;
      if (!all.contains(filter, Qt::CaseInsensitive)) continue;
    }
    shown_.push_back(i);
    rows.push_back(std::move(row));
  }
  // Sorted as asked; ties keep the checker's order (file, then place).
  std::vector<std::size_t> order(shown_.size());
  for (std::size_t r = 0; r < order.size(); ++r) order[r] = r;
  const auto less = [&](std::size_t a, std::size_t b) {
    const core::Finding& x = findings_[shown_[a]];
    const core::Finding& y = findings_[shown_[b]];
    switch (sortColumn_) {
      case SeverityColumn:
        return x.severity < y.severity;
      case FileColumn:
        return core::GameFileName(x.place.file) < core::GameFileName(y.place.file);
      case PlaceColumn:
        return PlaceKey(x.place) < PlaceKey(y.place);
      case FindingColumn:
        return x.message < y.message;
      default:
        return false;
    }
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return descending_ ? less(b, a) : less(a, b);
  });
  std::vector<ui::ListRow> sortedRows;
  std::vector<std::size_t> sortedShown;
  for (std::size_t r : order) {
    sortedRows.push_back(std::move(rows[r]));
    sortedShown.push_back(shown_[r]);
  }
  shown_ = std::move(sortedShown);
  lvwFindings_->setRows(std::move(sortedRows));
}

void frmGameCheck::lvwFindings_Pick(int position) {
  if (position < 1 || position > static_cast<int>(shown_.size())) return;
  registry_.goTo(findings_[shown_[static_cast<std::size_t>(position - 1)]].place);
}

}  // namespace checks
