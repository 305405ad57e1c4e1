#include "ui/picture_box.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace ui {

void BitBlt(QImage& dst, int dstX, int dstY, int w, int h, const QImage& src, int srcX, int srcY,
            RasterOp op) {
  if (dst.isNull() || src.isNull() || w <= 0 || h <= 0) return;
  if (dst.format() != QImage::Format_RGB32) dst = dst.convertToFormat(QImage::Format_RGB32);
  const QImage source =
      src.format() == QImage::Format_RGB32 ? src : src.convertToFormat(QImage::Format_RGB32);
  // Cut the rectangle to what lies inside both images, moving both corners together.
  int left = std::max({0, -dstX, -srcX});
  int top = std::max({0, -dstY, -srcY});
  int right = std::min({w, dst.width() - dstX, source.width() - srcX});
  int bottom = std::min({h, dst.height() - dstY, source.height() - srcY});
  if (left >= right || top >= bottom) return;
  for (int y = top; y < bottom; ++y) {
    auto* out = reinterpret_cast<QRgb*>(dst.scanLine(dstY + y)) + dstX;
    const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(srcY + y)) + srcX;
    if (op == RasterOp::Copy) {
      std::copy(in + left, in + right, out + left);
    } else {
      for (int x = left; x < right; ++x) out[x] = (out[x] & in[x]) | 0xFF000000u;
    }
  }
}

QImage ToQImage(const core::Bitmap& bitmap) {
  QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
  for (int y = 0; y < bitmap.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.width; ++x) line[x] = 0xFF000000u | (bitmap.at(x, y) & 0xFFFFFFu);
  }
  return image;
}

PictureBox::PictureBox(QWidget* parent, const QString& name) : QWidget(parent) {
  setObjectName(name);
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

core::Status PictureBox::loadPicture(const QString& path) {
  QImageReader reader(path);
  QImage picture = reader.read();
  if (picture.isNull()) {
    return core::Status::Error("Cannot load the picture " + path.toStdString() + ": " +
                               reader.errorString().toStdString());
  }
  setBackground(picture);
  return core::Status::Ok();
}

void PictureBox::setBackground(const QImage& picture) {
  background_ = picture.convertToFormat(QImage::Format_RGB32);
  clear();
}

void PictureBox::setBackColor(const QColor& color) {
  backColor_ = color;
  clear();
}

void PictureBox::setSurfaceSize(int width, int height) {
  fixedSize_ = QSize(std::max(0, width), std::max(0, height));
  updateShownSize();
  clear();
}

void PictureBox::setFocusMargin(int width) {
  focusMargin_ = std::max(0, width);
  updateShownSize();
}

void PictureBox::setZoom(int zoom) {
  zoom_ = std::max(1, zoom);
  updateShownSize();
  update();
}

void PictureBox::updateSurface(const QRect& area) {
  const double scale = pixelFactor() / devicePixelRatioF();
  const QRectF shown(focusMargin_ + area.x() * scale, focusMargin_ + area.y() * scale,
                     area.width() * scale, area.height() * scale);
  update(shown.toAlignedRect());
}

int PictureBox::pixelFactor() const {
  return zoom_ * std::max(1, static_cast<int>(std::lround(devicePixelRatioF())));
}

QSize PictureBox::shownSize() const {
  const QSize size = surfaceSize();
  const double scale = pixelFactor() / devicePixelRatioF();
  return {static_cast<int>(std::ceil(size.width() * scale - 1e-9)),
          static_cast<int>(std::ceil(size.height() * scale - 1e-9))};
}

void PictureBox::updateShownSize() {
  const QSize size = shownSize() + QSize(2 * focusMargin_, 2 * focusMargin_);
  if (fixedSize_.isValid()) {
    setFixedSize(size);
  } else {
    setMinimumSize(size);
    updateGeometry();
  }
}

QPoint PictureBox::toSurface(QPointF widgetPos) const {
  const double scale = devicePixelRatioF() / pixelFactor();
  return {static_cast<int>(std::floor((widgetPos.x() - focusMargin_) * scale)),
          static_cast<int>(std::floor((widgetPos.y() - focusMargin_) * scale))};
}

QSize PictureBox::surfaceSize() const {
  return fixedSize_.isValid() ? fixedSize_ : background_.size();
}

void PictureBox::clear() {
  const QSize size = surfaceSize();
  if (image_.size() != size || image_.format() != QImage::Format_RGB32)
    image_ = QImage(size, QImage::Format_RGB32);
  // The back colour shows only where the picture does not reach.
  const bool covered = !background_.isNull() && background_.width() >= size.width() &&
                       background_.height() >= size.height();
  if (!covered) image_.fill(backColor_.rgb());
  if (!background_.isNull()) {
    BitBlt(image_, 0, 0, background_.width(), background_.height(), background_, 0, 0,
           RasterOp::Copy);
  }
  if (!fixedSize_.isValid()) updateShownSize();
  update();
}

void PictureBox::bitBlt(int dstX, int dstY, int w, int h, const QImage& src, int srcX, int srcY,
                        RasterOp op) {
  BitBlt(image_, dstX, dstY, w, h, src, srcX, srcY, op);
  update();
}

void PictureBox::bitBlt(int dstX, int dstY, int w, int h, const PictureBox& src, int srcX, int srcY,
                        RasterOp op) {
  bitBlt(dstX, dstY, w, h, src.image(), srcX, srcY, op);
}

QSize PictureBox::sizeHint() const {
  const QSize size = surfaceSize();
  return size.isEmpty() ? QWidget::sizeHint()
                        : shownSize() + QSize(2 * focusMargin_, 2 * focusMargin_);
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect surfaceArea(QPoint(focusMargin_, focusMargin_), shownSize());
  // Only what the picture does not cover is filled: at 6x the picture is most of the cost.
  const QRegion around = QRegion(event->rect()) - QRegion(surfaceArea);
  for (const QRect& strip : around) painter.fillRect(strip, palette().color(backgroundRole()));
  if (image_.isNull()) painter.fillRect(surfaceArea.intersected(event->rect()), backColor_);
  const int factor = pixelFactor();
  if (factor == 1) {
    painter.drawImage(surfaceArea.topLeft(), image_);
  } else {
    // Only the whole surface pixels under the part asked for: a dragged wall, not the map.
    const double toSurface = devicePixelRatioF() / factor;
    const QRectF wanted = QRectF(event->rect()).translated(-focusMargin_, -focusMargin_);
    const QRect part = QRect(QPoint(static_cast<int>(std::floor(wanted.left() * toSurface)),
                                    static_cast<int>(std::floor(wanted.top() * toSurface))),
                             QPoint(static_cast<int>(std::ceil(wanted.right() * toSurface)),
                                    static_cast<int>(std::ceil(wanted.bottom() * toSurface))))
                           .intersected(image_.rect());
    // A whole factor without smoothing: each image pixel an even block of device pixels.
    const double scale = factor / devicePixelRatioF();
    const QRectF target(QPointF(surfaceArea.topLeft()) + QPointF(part.topLeft()) * scale,
                        QSizeF(part.size()) * scale);
    painter.drawImage(target, image_, QRectF(part));
  }
  if (focusMargin_ > 0 && hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect();
    option.backgroundColor = palette().color(backgroundRole());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void PictureBox::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void PictureBox::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

// Moved to a screen of another scale: the same surface takes another size on screen.
bool PictureBox::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::Show)
    updateShownSize();
  return handled;
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  pressed_ |= event->button();
  emit pressed(toSurface(event->position()), event->button(), event->modifiers());
  QWidget::mousePressEvent(event);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  emit moved(toSurface(event->position()), event->buttons());
  QWidget::mouseMoveEvent(event);
}

void PictureBox::leaveEvent(QEvent* event) {
  emit left();
  QWidget::leaveEvent(event);
}

// Without Ctrl the wheel scrolls whatever holds the box.
void PictureBox::wheelEvent(QWheelEvent* event) {
  if (!event->modifiers().testFlag(Qt::ControlModifier)) {
    event->ignore();
    return;
  }
  wheelTurn_ += event->angleDelta().y();
  const int notches = wheelTurn_ / QWheelEvent::DefaultDeltasPerStep;
  wheelTurn_ -= notches * QWheelEvent::DefaultDeltasPerStep;
  if (notches != 0) emit zoomWheel(notches);
  event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  const Qt::MouseButton button = event->button();
  const bool wasPressed = pressed_.testFlag(button);
  pressed_ &= ~Qt::MouseButtons(button);
  emit released(toSurface(event->position()), button);
  if (wasPressed && rect().contains(event->position().toPoint())) {
    const bool rightDown = button == Qt::RightButton || event->buttons().testFlag(Qt::RightButton);
    emit clicked(toSurface(event->position()), button, rightDown);
  }
  QWidget::mouseReleaseEvent(event);
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
  emit keyPressed(event->key(), event->modifiers());
  QWidget::keyPressEvent(event);
}

}  // namespace ui
