// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "patcher/progress.h"

class QProgressBar;
class QPushButton;
class QThread;

namespace orvendel {

class QueuedProgress;
class WrappingLabel;

// The progress window shown modally while a patch run works. The run starts once the window is
// on screen and works on a thread of its own; what it reports through ProgressSink reaches the
// status line and the bar as queued signals, so the window stays responsive while input to
// every other window is blocked by its modality.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    // How a run ended. A failed run leaves the bar empty, and a failed reading run keeps the
    // window shown until OK, so that the user sees why.
    struct Outcome {
        bool succeeded = true;
    };
    // The work of a run. It is called on the run's thread and must not touch widgets; it reports
    // only through the sink it is given.
    using Work = std::function<Outcome(ProgressSink&)>;

    explicit ProgressWindow(QWidget* parent = nullptr);
    // Waits for a run that still works.
    ~ProgressWindow() override;

    // What the window does once the work succeeded: close by itself (a reading run, whose
    // values the settings page then shows) or wait for OK like every failed run.
    enum class WhenDone { CloseOnSuccess, WaitForOk };

    // Shows the window modally and runs `work` once it is shown. A successful run hides the
    // window when the work returns if `whenDone` says so; any other run enables OK and waits
    // for it. An exception from `work` counts as a failure and puts its text in the status
    // line. Returns when the window has been hidden and the run's thread has ended, also when
    // the application quits during the run.
    void runModal(WhenDone whenDone, Work work);

    // The run's status line, and the run's own bar range as last shown.
    QString statusText() const;
    double progressMax() const { return max_; }

    // True while a run works: the window then refuses to close.
    bool running() const { return worker_ != nullptr; }

signals:
    // The work of a run has ended and the window waits for OK (emitted only then).
    void waitingForOk();

public slots:
    // The status line, which wraps and lets the window grow downwards when it needs more
    // lines than the layout gives it, and shrink back when it needs fewer.
    void showStatus(const QString& text);
    // The bar, in the run's own units (a file length in bytes), scaled onto a fixed range.
    void showRange(double min, double max);
    void showValue(double value);

    // Esc and the close box act like OK once the run is over; during a run they do nothing.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The window's activation: starts the pending work once, on its own thread.
    void activate();
    // The run's last report, after all the others: the outcome as the window shows it.
    void endRun(bool succeeded);
    void fitStatus();
    void updateBar();

    WrappingLabel* statusLine_;
    QProgressBar* bar_;
    QPushButton* okButton_;
    Work pending_;
    WhenDone whenDone_ = WhenDone::CloseOnSuccess;
    std::unique_ptr<QueuedProgress> progress_;
    std::unique_ptr<QThread> worker_;
    double min_ = 0;
    double max_ = 100;
    double value_ = 0;
    int grown_ = 0;  // pixels the status line has added to the window's height
};

}  // namespace orvendel
