// The main window's map view: its zoom, its scrolling room and the status bar under it.
#include "maps/frm_map_ed.h"

#include "maps/special_descriptions.h"

#include <QBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>

#include <algorithm>

namespace maps {

namespace {

const QString ZoomSetting = QStringLiteral("MapView/Zoom");

}  // namespace

// The view sits in a room of its own that takes what the window can spare; scroll bars appear
// when the zoomed map does not fit in it. At 1x it is exactly where it always was.
void frmMapEd::buildView() {
  mapScroll_ = new QScrollArea(body());
  mapScroll_->setObjectName("mapScroll");
  mapScroll_->setFrameShape(QFrame::NoFrame);
  mapScroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  mapScroll_->setWidget(picMap_);
  mapScroll_->setMinimumSize(picMap_->sizeHint());
  picMap_->setMouseTracking(true);
  connect(picMap_, &ui::PictureBox::moved, this, [this](QPoint pos) { picMap_Move(pos); });
  connect(picMap_, &ui::PictureBox::left, this, &frmMapEd::picMap_Leave);
  connect(picMap_, &ui::PictureBox::zoomWheel, this,
          [this](int notches) { setZoom(zoom() + notches); });

  statusSquare_ = new QLabel(this);
  statusSquare_->setObjectName("statusSquare");
  statusSquare_->setTextFormat(Qt::PlainText);
  statusZoom_ = new QLabel(this);
  statusZoom_->setObjectName("statusZoom");
  statusBar()->addWidget(statusSquare_, 1);
  statusBar()->addPermanentWidget(statusZoom_);
  statusBar()->setSizeGripEnabled(true);

  const int remembered = QSettings().value(ZoomSetting, 1).toInt();
  picMap_->setZoom(std::clamp(remembered, 1, MaxZoom));
  showStatus();
}

void frmMapEd::arrangePanels(bool stack) {
  if (!panels_) return;
  QLayoutItem* upper = panels_->itemAt(0);
  QLayoutItem* lower = panels_->itemAt(1);
  const int stackedHeight =
      upper->minimumSize().height() + panels_->spacing() + lower->minimumSize().height() + 2 * 6;
  stack = stack && body()->height() >= stackedHeight;
  const auto direction = stack ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight;
  if (panels_->direction() == direction) return;
  panels_->setDirection(direction);
  body()->layout()->activate();
}

void frmMapEd::Form_Resize() {
  arrangePanels(zoom() > 1);
}

int frmMapEd::zoom() const {
  return picMap_->zoom();
}

void frmMapEd::setZoom(int zoom) {
  zoom = std::clamp(zoom, 1, MaxZoom);
  if (zoom == picMap_->zoom()) return;
  // The square in the middle of the room stays in the middle.
  const QSize room = mapScroll_->viewport()->size();
  QScrollBar* across = mapScroll_->horizontalScrollBar();
  QScrollBar* down = mapScroll_->verticalScrollBar();
  const double middleX = (across->value() + room.width() / 2.0) / picMap_->zoom();
  const double middleY = (down->value() + room.height() / 2.0) / picMap_->zoom();
  picMap_->setZoom(zoom);
  arrangePanels(zoom > 1);
  across->setValue(static_cast<int>(middleX * zoom - room.width() / 2.0));
  down->setValue(static_cast<int>(middleY * zoom - room.height() / 2.0));
  QSettings().setValue(ZoomSetting, zoom);
  showStatus();
}

void frmMapEd::mnuZoomIn_Click() {
  setZoom(zoom() + 1);
}

void frmMapEd::mnuZoomOut_Click() {
  setZoom(zoom() - 1);
}

void frmMapEd::mnuZoomActual_Click() {
  setZoom(1);
}

// The largest zoom that shows the whole map in the room the window gives it.
void frmMapEd::mnuZoomFit_Click() {
  arrangePanels(true);  // the room a zoomed map would have
  const QSize room = mapScroll_->maximumViewportSize() - QSize(2 * FocusMargin, 2 * FocusMargin);
  setZoom(std::max(1, std::min(room.width(), room.height()) / MapViewPixels));
}

std::optional<QPoint> frmMapEd::squareAt(QPoint pos) {
  if (pos.x() < 0 || pos.y() < 0) return std::nullopt;
  const QPoint square(pos.x() / CellPixels, pos.y() / CellPixels);
  // The last pixels of the view lie outside the grid.
  if (square.x() >= core::MapSize || square.y() >= core::MapSize) return std::nullopt;
  return square;
}

void frmMapEd::picMap_Move(QPoint pos) {
  const std::optional<QPoint> square = squareAt(pos);
  if (square == hovered_) return;
  hovered_ = square;
  showStatus();
}

void frmMapEd::picMap_Leave() {
  hovered_.reset();
  showStatus();
}

void frmMapEd::showStatus() {
  statusSquare_->setText(
      hovered_ ? ui::ToQString(SquareStatusText(document().Map(), hovered_->x(), hovered_->y()))
               : QString());
  statusZoom_->setText(QStringLiteral("%1x").arg(zoom()));
}

}  // namespace maps
