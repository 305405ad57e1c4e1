#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

// The designer's game folders: the last ones worked in, and the way to go on in another one.
// The program carries out the change: the main window closes (asking about unsaved work first)
// and the editor starts afresh on the folder set as the next one.
class GameFolders {
 public:
  virtual ~GameFolders() = default;

  // The last game folders, newest first; folders that no longer hold a game are left out.
  virtual QStringList recent() const = 0;
  // Asks the designer for a game folder; empty when cancelled.
  virtual QString chooseFolder(QWidget* parent) = 0;
  // Copies the demo data into a folder the designer chooses and gives that folder; empty when
  // cancelled or when there is no demo data or the copy failed (a message said why).
  virtual QString createFromDemo(QWidget* parent) = 0;
  // True when there is demo data to make a new game folder from.
  virtual bool hasDemo() const = 0;
  // False, after saying why, when `folder` holds no game.
  virtual bool accepts(QWidget* parent, const QString& folder) = 0;
  // The folder to go on in once the main window has closed; empty for none.
  virtual void setNext(const QString& folder) = 0;
};

}  // namespace ui
