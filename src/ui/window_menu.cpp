#include "ui/window_menu.h"

#include "ui/form.h"
#include "ui/forms_registry.h"

#include <QAction>
#include <QMenu>

namespace ui {

namespace {

constexpr int NumberedWindows = 9;

QString NumberedName(int n) {
  return QStringLiteral("mnuWindow%1").arg(n);
}

}  // namespace

void AddWindowKeys(Form* form, FormsRegistry& registry) {
  for (int n = 1; n <= NumberedWindows; ++n) {
    auto* action = new QAction(QStringLiteral("Window %1").arg(n), form);
    action->setObjectName(NumberedName(n));
    action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + n)));
    QObject::connect(action, &QAction::triggered, form, [&registry, n] {
      const std::vector<Form*> open = registry.openForms(true);
      if (n <= static_cast<int>(open.size())) open[static_cast<std::size_t>(n - 1)]->showForm();
    });
    form->addAction(action);
  }
  const struct {
    const char* name;
    const char* caption;
    QList<QKeySequence> keys;
    int step;
  } cycles[] = {
      {"mnuNextWindow", "&Next Window", {QKeySequence(Qt::CTRL | Qt::Key_Tab)}, 1},
      {"mnuPreviousWindow",
       "&Previous Window",
       // Shown as Ctrl+Shift+Tab; what the keyboard sends is Ctrl+Shift+Backtab.
       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)},
       -1},
  };
  for (const auto& cycle : cycles) {
    auto* action = new QAction(QString::fromLatin1(cycle.caption), form);
    action->setObjectName(QString::fromLatin1(cycle.name));
    action->setShortcuts(cycle.keys);
    const int step = cycle.step;
    QObject::connect(action, &QAction::triggered, form,
                     [&registry, form, step] { registry.cycle(form, step); });
    form->addAction(action);
  }
}

QMenu* AddWindowMenu(Form* form, FormsRegistry& registry) {
  QMenu* menu = form->addMenu(QStringLiteral("mnuWindow"), QStringLiteral("&Window"));
  // Filled as it opens, from the windows open then.
  QObject::connect(menu, &QMenu::aboutToShow, form, [menu, form, &registry] {
    for (QAction* action : menu->actions()) {
      if (action->parent() == menu) delete action;
    }
    menu->clear();
    const std::vector<Form*> open = registry.openForms(true);
    for (std::size_t i = 0; i < open.size(); ++i) {
      Form* window = open[i];
      QAction* entry = i < NumberedWindows
                           ? form->findChild<QAction*>(NumberedName(static_cast<int>(i) + 1))
                           : nullptr;
      if (!entry) {
        entry = new QAction(menu);
        QObject::connect(entry, &QAction::triggered, window, &Form::showForm);
      }
      entry->setText(window->shownTitle().replace('&', QStringLiteral("&&")));
      entry->setCheckable(true);
      entry->setChecked(window == form);
      menu->addAction(entry);
    }
    menu->addSeparator();
    menu->addAction(form->findChild<QAction*>(QStringLiteral("mnuNextWindow")));
    menu->addAction(form->findChild<QAction*>(QStringLiteral("mnuPreviousWindow")));
  });
  return menu;
}

}  // namespace ui
