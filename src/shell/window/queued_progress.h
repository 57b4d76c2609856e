// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include "patcher/progress.h"

namespace orvendel {

// The step, from 0 to `steps`, at which a bar shows `value` between `min` and `max`: values
// beyond either end show at that end, and an empty or broken range shows 0.
int barStep(double min, double max, double value, int steps);

// The progress of a run that works on another thread: each call becomes a signal, meant for
// queued connections to a window on the user-interface thread, which receives them in the
// order they were made. A value that would leave a bar of `barSteps` steps where it was is not
// passed on, so that a scan reporting every thousand bytes does not flood the window.
class QueuedProgress : public QObject, public ProgressSink {
    Q_OBJECT
public:
    explicit QueuedProgress(int barSteps) : barSteps_(barSteps) {}

    void setStatus(std::string_view text) override;
    void setRange(double min, double max) override;
    void setValue(double value) override;

    // Reports the end of the run, after everything the run reported.
    void end(bool succeeded) { emit ended(succeeded); }

signals:
    void statusChanged(const QString& text);
    void rangeChanged(double min, double max);
    void valueChanged(double value);
    void ended(bool succeeded);

private:
    int barSteps_;
    double min_ = 0;
    double max_ = 100;
    int shownStep_ = -1;  // the step of the last value passed on; none since the last range
};

}  // namespace orvendel
