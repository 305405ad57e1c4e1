#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace ui {

// The progress callback of core's long passes: given the part done (0..1), answers whether to go
// on.
using ProgressFunction = std::function<bool(double done)>;

// Runs `job` on a worker thread while the windows stay drawn. When it takes longer than
// `showAfterMs`, a progress bar (objectName "dlgProgress") with Cancel comes up, modal to the
// application; Cancel makes the job's progress callback answer false. The job must not touch
// the shared records: it works on its own copies. False when cancelled, or when another run
// was going on (one at a time).
bool RunWithProgress(QWidget* parent, const QString& label,
                     const std::function<void(const ProgressFunction& progress)>& job,
                     int showAfterMs = 500);

}  // namespace ui
