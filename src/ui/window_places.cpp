#include "ui/window_places.h"

#include "ui/form.h"

#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace ui {

namespace {

// The room a window has on the screen it will show on: its owner's, else the primary one.
QRect AvailableArea(const QWidget* window, const QWidget* owner) {
  const QScreen* screen = owner ? owner->screen() : window->screen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// The frame the window manager adds around the client area. Before the first show it is not
// known yet: a title bar and borders as most window managers draw them are allowed for.
QMargins FrameOf(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  const QMargins known(inner.left() - frame.left(), inner.top() - frame.top(),
                       frame.right() - inner.right(), frame.bottom() - inner.bottom());
  return known.isNull() ? QMargins(4, 32, 4, 4) : known;
}

}  // namespace

QRect FitInside(QRect wanted, const QRect& area) {
  wanted.setSize(wanted.size().boundedTo(area.size()));
  wanted.moveLeft(std::clamp(wanted.left(), area.left(), area.right() - wanted.width() + 1));
  wanted.moveTop(std::clamp(wanted.top(), area.top(), area.bottom() - wanted.height() + 1));
  return wanted;
}

QRect BesideOwner(const QSize& size, const QRect& owner, const QRect& area) {
  const QRect candidates[] = {
      QRect(QPoint(owner.right() + 1, owner.top()), size),
      QRect(QPoint(owner.left() - size.width(), owner.top()), size),
      QRect(QPoint(owner.left(), owner.bottom() + 1), size),
      QRect(QPoint(owner.left(), owner.top() - size.height()), size),
  };
  for (const QRect& place : candidates) {
    const QRect fitted = FitInside(place, area);
    if (!fitted.intersects(owner) && fitted.size() == size) return fitted;
  }
  return FitInside(candidates[0], area);
}

WindowPlaces::WindowPlaces(QString settingsFile) : settingsFile_(std::move(settingsFile)) {}

QString WindowPlaces::key(const QWidget* window, const QString& name) const {
  const QRect area = AvailableArea(window, nullptr);
  return QStringLiteral("windows/%1x%2/%3").arg(area.width()).arg(area.height()).arg(name);
}

void WindowPlaces::place(QWidget* window, const QString& name, const QWidget* owner) const {
  const QRect area = AvailableArea(window, owner);
  const QMargins frame = FrameOf(window);
  const QRect room = area.marginsRemoved(frame);
  if (!window->testAttribute(Qt::WA_Resized)) window->adjustSize();
  QSize size = window->size().expandedTo(window->minimumSizeHint());
  if (size.width() > room.width() || size.height() > room.height()) {
    if (auto* form = qobject_cast<Form*>(window)) form->scrollBody();
    window->setMinimumSize(0, 0);
    size = size.boundedTo(room.size());
  }
  if (!settingsFile_.isEmpty()) {
    const QSettings settings(settingsFile_, QSettings::IniFormat);
    const QRect kept = settings.value(key(window, name)).toRect();
    if (kept.isValid() && room.contains(kept)) {
      window->setGeometry(kept);
      return;
    }
  }
  QRect placed;
  if (owner && owner->isVisible()) {
    placed = BesideOwner(size + QSize(frame.left() + frame.right(), frame.top() + frame.bottom()),
                         owner->frameGeometry(), area);
    placed = placed.marginsRemoved(frame);
  } else {
    placed = FitInside(QRect(window->pos(), size), room);
  }
  window->setGeometry(placed);
}

void WindowPlaces::remember(const QWidget* window, const QString& name) const {
  if (settingsFile_.isEmpty()) return;
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.setValue(key(window, name), window->geometry());
}

}  // namespace ui
