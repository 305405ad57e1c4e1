#include "ui/where_used_button.h"

#include <QKeySequence>
#include <QShortcut>

#include <utility>

namespace ui {

Button* AddWhereUsedButton(Form* editor, FormsRegistry& registry, core::ModDefinitions& defs,
                           core::RefTarget target, std::function<long()> entryShown) {
  auto* button = new Button(editor->body(), "cmdWhereUsed");
  button->setText("Where Used");
  button->setToolTip("List every place in the game's files that names this entry (Shift+F12)");
  const auto show = [&registry, &defs, target, entryShown = std::move(entryShown)] {
    defs.WhereUsedTarget = target;
    defs.WhereUsedEntry = entryShown();
    Form* open = registry.find(WhereUsedForm);
    Form* shown = registry.show(WhereUsedForm);
    if (shown && shown == open) shown->refresh();
  };
  QObject::connect(button, &Button::clicked, editor, show);
  auto* key = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F12), editor);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, editor, show);
  return button;
}

}  // namespace ui
