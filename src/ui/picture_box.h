#pragma once

#include "core/bitmap.h"
#include "core/status.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace ui {

// The old block transfer raster operations.
enum class RasterOp {
  Copy,  // destination := source
  And,   // destination := destination AND source, bit by bit
};

// Block transfer of a w x h rectangle of `src` at (srcX, srcY) onto `dst` at (dstX, dstY), on the
// pixels themselves so the result is exact. The parts that fall outside either image are skipped.
// Both images must be Format_RGB32; the alpha byte of the destination stays opaque.
void BitBlt(QImage& dst, int dstX, int dstY, int w, int h, const QImage& src, int srcX, int srcY,
            RasterOp op);

// A core bitmap as an RGB32 image.
QImage ToQImage(const core::Bitmap& bitmap);

// A picture box: a drawing surface (an RGB32 image) shown on screen, with a background picture
// that clear() restores, like the old AutoRedraw picture box. On a scaled screen the surface is
// shown enlarged by a whole factor (each pixel a square of device pixels), so thin lines stay
// even; positions of clicks are always in surface pixels.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  PictureBox(QWidget* parent, const QString& name);

  // Loads a bitmap file as the background and clears to it. The surface takes the picture's
  // size unless setSurfaceSize fixed one. On failure nothing changes and the message names the
  // file and the reason.
  core::Status loadPicture(const QString& path);
  void setBackground(const QImage& picture);
  const QImage& background() const { return background_; }
  void setBackColor(const QColor& color);

  // Fixes the surface (and widget) size in pixels; the picture is drawn at the top left corner.
  void setSurfaceSize(int width, int height);
  // A ring of `width` pixels around the surface where the box shows that it has the focus, so
  // the frame never covers a pixel of the picture.
  void setFocusMargin(int width);
  // Shows the surface enlarged a whole number of times, each pixel a block; positions stay in
  // surface pixels.
  void setZoom(int zoom);
  int zoom() const { return zoom_; }
  // Repaints on screen only the part of the surface inside `area` (surface pixels).
  void updateSurface(const QRect& area);
  // The surface's size on screen, in the widget's (logical) pixels.
  QSize shownSize() const;

  // Paints the back colour, then the background picture, over the whole surface.
  void clear();

  void bitBlt(int dstX, int dstY, int w, int h, const QImage& src, int srcX, int srcY, RasterOp op);
  void bitBlt(int dstX, int dstY, int w, int h, const PictureBox& src, int srcX, int srcY,
              RasterOp op);

  // The surface as drawn so far.
  const QImage& image() const { return image_; }
  // For other drawing; call update() afterwards to show it.
  QImage& surface() { return image_; }

  QSize sizeHint() const override;

 signals:
  // A finished click at `pos` (surface pixels; negative or beyond the surface in the margin).
  // rightButtonDown is true when the right button made the click or was held down during it (the
  // old copy gesture of the map view).
  void clicked(QPoint pos, Qt::MouseButton button, bool rightButtonDown);
  // A key pressed while the box has the focus (Qt key code; the map view uses the arrows).
  void keyPressed(int key, Qt::KeyboardModifiers modifiers);
  // The raw gesture, for tools that drag: a press, every move (also with no button held, while
  // the pointer is over the box), a release, all in surface pixels.
  void pressed(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void moved(QPoint pos, Qt::MouseButtons buttons);
  void released(QPoint pos, Qt::MouseButton button);
  void left();
  // The wheel turned with Ctrl held, in notches (positive away from the user).
  void zoomWheel(int notches);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QSize surfaceSize() const;
  // Device pixels per surface pixel: the screen's scale rounded to a whole number, at least 1.
  int pixelFactor() const;
  void updateShownSize();
  QPoint toSurface(QPointF widgetPos) const;

  QImage image_;
  QImage background_;
  QColor backColor_ = Qt::white;
  QSize fixedSize_;
  int focusMargin_ = 0;
  int zoom_ = 1;
  int wheelTurn_ = 0;  // eighths of a degree not yet a whole notch
  Qt::MouseButtons pressed_;
};

}  // namespace ui
