// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <functional>

#include "patcher/progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace orvendel {

// The progress window shown modally while a patch run works. The run itself starts once the
// window is on screen and reports its phase, outcome and progress through ProgressSink; the
// window repaints itself as it goes, because the run holds the user-interface thread.
class BusyForm : public QDialog, public ProgressSink {
    Q_OBJECT
public:
    // What a run reports back when it ends: whether the user must see the outcome (OK waits)
    // even after a reading run, which otherwise closes the window at once.
    struct Outcome {
        bool keepShown = false;
    };
    using Work = std::function<Outcome(ProgressSink&)>;

    explicit BusyForm(QWidget* parent = nullptr);

    // Shows the window modally and runs `work` once it is shown. A reading run (`forReading`)
    // hides the window when the work returns, unless the outcome asks to keep it; a writing run
    // enables OK and waits for it. An exception from `work` puts its text in the status line
    // and waits for OK. Returns when the window has been hidden.
    void runModal(bool forReading, Work work);

    // ProgressSink: the status line and the bar. The bar keeps the run's own minimum, maximum
    // and value, and shows them scaled onto a fixed integer range.
    void setStatus(std::string_view text) override;
    void setRange(double min, double max) override;
    void setValue(double value) override;

    // The run's own bar values and status line, as last set.
    double progressMin() const { return min_; }
    double progressMax() const { return max_; }
    double progressValue() const { return value_; }
    QString statusText() const;

    // True while a run works: the window then refuses to close.
    bool running() const { return running_; }

signals:
    // The work of a run has ended and the window waits for OK (emitted only then).
    void waitingForOk();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public slots:
    // Esc and the close box act like OK once the run is over; during a run they do nothing.
    void reject() override;

private:
    // The window's activation: runs the pending work once.
    void activate();
    void updateBar();

    QLabel* label1_;
    QProgressBar* progressBar1_;
    QPushButton* okButton_;
    Work pending_;
    bool forReading_ = true;
    bool running_ = false;
    double min_ = 0;
    double max_ = 100;
    double value_ = 0;
};

}  // namespace orvendel
