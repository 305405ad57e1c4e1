#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace ui {

// The rectangle of `wanted`'s size (no larger than `area`) moved the least to lie inside `area`.
QRect FitInside(QRect wanted, const QRect& area);
// A place of `size` beside `owner` inside `area`: to its right, else its left, else below, else
// above; where none has room, the fitted place nearest the right side.
QRect BesideOwner(const QSize& size, const QRect& owner, const QRect& area);

// Where windows open: fully on their screen, beside the window they belong to, and where the
// designer last left them (per window name and screen size) while that still fits the screen.
class WindowPlaces {
 public:
  // The places are kept in the ini file `settingsFile`; with none, nothing is remembered.
  explicit WindowPlaces(QString settingsFile = QString());

  // Before the first show of `window`, named `name`, owned by `owner` (or null).
  void place(QWidget* window, const QString& name, const QWidget* owner) const;
  // When `window` closes: its place is kept for the next time.
  void remember(const QWidget* window, const QString& name) const;

 private:
  QString key(const QWidget* window, const QString& name) const;

  QString settingsFile_;
};

}  // namespace ui
