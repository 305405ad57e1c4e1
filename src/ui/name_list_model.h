#pragma once

#include <QAbstractListModel>
#include <QString>

#include <functional>

class QComboBox;

namespace ui {

// The rows of a drop-down list of catalogue names, read from the name cache only when a row is
// drawn. A list of 32767 creatures thus costs no more to fill than a list of ten: nothing is
// copied into the list, and sync() follows an append or a renamed entry without a rebuild.
class NameListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using CountSource = std::function<int()>;
  using NameSource = std::function<QString(int row)>;

  NameListModel(CountSource count, NameSource name, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // Takes the count again (rows added or removed at the end) and has every shown name redrawn.
  void sync();

 private:
  CountSource count_;
  NameSource name_;
  int rows_ = 0;
};

// Puts `model` behind a drop-down list sized for names of `nameWidth` characters, so that
// neither showing the list nor opening it walks every row.
void UseNameList(QComboBox& combo, NameListModel& model, int nameWidth);

}  // namespace ui
