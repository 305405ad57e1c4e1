#include "ui/progress_run.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <limits>
#include <thread>

namespace ui {

namespace {

std::atomic<bool> running{false};

}  // namespace

bool RunWithProgress(QWidget* parent, const QString& label,
                     const std::function<void(const ProgressFunction& progress)>& job,
                     int showAfterMs) {
  if (running.exchange(true)) return false;
  std::atomic<int> permille{0};
  std::atomic<bool> cancel{false};
  std::atomic<bool> done{false};
  std::thread worker([&] {
    job([&](double part) {
      permille.store(static_cast<int>(part * 1000));
      return !cancel.load();
    });
    done.store(true);
  });

  QProgressDialog dialog(label, "Cancel", 0, 1000, parent);
  dialog.setObjectName("dlgProgress");
  dialog.setWindowTitle("Map Editor");
  dialog.setWindowModality(Qt::ApplicationModal);
  // Shown by the timer below, not by the dialog's own guess of the time left.
  dialog.setMinimumDuration(std::numeric_limits<int>::max());
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);
  QObject::connect(&dialog, &QProgressDialog::canceled, [&cancel] { cancel.store(true); });

  QEventLoop loop;
  QElapsedTimer elapsed;
  elapsed.start();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done.load()) {
      loop.quit();
      return;
    }
    dialog.setValue(permille.load());
    if (!dialog.isVisible() && !cancel.load() && elapsed.elapsed() >= showAfterMs) dialog.show();
  });
  poll.start(15);
  if (!done.load()) loop.exec();
  worker.join();
  poll.stop();
  dialog.hide();
  running.store(false);
  return !cancel.load();
}

}  // namespace ui
