// SPDX-License-Identifier: MIT
#include "shell/window/progress_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <exception>

#include "shell/window/queued_progress.h"
#include "shell/window/window_layout.h"
#include "shell/window/wrapping_label.h"

namespace orvendel {

namespace {

// The bar's integer range; a run's own range (a file length in bytes) is scaled onto it.
constexpr int kBarSteps = 1000;

// What the window shows before a run reports anything, and its bar's range then.
const char* const kInitialStatus =
    QT_TRANSLATE_NOOP("orvendel::ProgressWindow", "Modifying Neverwinter Nights...");
constexpr double kInitialMin = 0;
constexpr double kInitialMax = 100;

}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent),
      statusLine_(new WrappingLabel(tr(kInitialStatus), this)),
      bar_(new QProgressBar(this)),
      okButton_(new QPushButton(tr("OK"), this)) {
    setObjectName(QStringLiteral("ProgressWindow"));
    //: Title of the progress window while the executable is written; NWN is Neverwinter Nights.
    setWindowTitle(tr("Hacking NWN..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(twipsSize(kProgressWindowWidth, kProgressWindowHeight));

    statusLine_->setObjectName(QStringLiteral("Label1"));
    statusLine_->setAlignment(Qt::AlignCenter);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setRange(0, kBarSteps);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setAccessibleName(tr("Progress"));
    bar_->setAccessibleDescription(tr(kInitialStatus));
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setDefault(true);
    okButton_->setAutoDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    applyLayout(this, progressWindowLayout());
    applyTabOrder(this, progressWindowLayout());
    fitStatus();
}

ProgressWindow::~ProgressWindow() {
    if (worker_)
        worker_->wait();
}

void ProgressWindow::runModal(WhenDone whenDone, Work work) {
    whenDone_ = whenDone;
    pending_ = std::move(work);
    okButton_->setEnabled(false);
    showStatus(kInitialStatus);
    showRange(kInitialMin, kInitialMax);
    showValue(kInitialMin);
    exec();

    // exec() also ends when the application quits, even before the run started or while it
    // works: the run then ends before this returns, and its last reports are taken in.
    pending_ = nullptr;
    if (worker_) {
        worker_->wait();
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    }
    progress_.reset();
    hide();
}

void ProgressWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (pending_)
        QTimer::singleShot(0, this, &ProgressWindow::activate);
}

void ProgressWindow::activate() {
    Work work = std::move(pending_);
    pending_ = nullptr;
    if (!work || !isVisible() || worker_)
        return;

    okButton_->setEnabled(false);
    progress_ = std::make_unique<QueuedProgress>(kBarSteps);
    connect(progress_.get(), &QueuedProgress::statusChanged, this, &ProgressWindow::showStatus,
            Qt::QueuedConnection);
    connect(progress_.get(), &QueuedProgress::rangeChanged, this, &ProgressWindow::showRange,
            Qt::QueuedConnection);
    connect(progress_.get(), &QueuedProgress::valueChanged, this, &ProgressWindow::showValue,
            Qt::QueuedConnection);
    connect(progress_.get(), &QueuedProgress::ended, this, &ProgressWindow::endRun,
            Qt::QueuedConnection);
    worker_.reset(QThread::create([work = std::move(work), &progress = *progress_] {
        bool succeeded = false;
        try {
            succeeded = work(progress).succeeded;
        } catch (const std::exception& e) {
            progress.setStatus(e.what());
        } catch (...) {
            // Shown through windowText(), as every status of a run is.
            progress.setStatus(QT_TRANSLATE_NOOP("orvendel::CoreTexts",
                                                 "The patch run failed for an unknown reason."));
        }
        progress.end(succeeded);
    }));
    worker_->start();
}

void ProgressWindow::endRun(bool succeeded) {
    if (!worker_)
        return;
    worker_->wait();
    worker_.reset();

    // Only a run that did what it was asked shows a full bar.
    if (!succeeded)
        showValue(min_);
    if (whenDone_ == WhenDone::CloseOnSuccess && succeeded) {
        accept();
        return;
    }
    okButton_->setEnabled(true);
    okButton_->setFocus();
    emit waitingForOk();
}

void ProgressWindow::reject() {
    if (running() || !okButton_->isEnabled())
        return;
    accept();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (running() || !okButton_->isEnabled()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

QString ProgressWindow::statusText() const {
    return statusLine_->text();
}

void ProgressWindow::showStatus(const QString& text) {
    statusLine_->setText(text);
    bar_->setAccessibleDescription(text);
    fitStatus();
}

void ProgressWindow::fitStatus() {
    // Everything below the status line moves down by what the line needs beyond its place in
    // the layout, and back up when it needs less.
    const int layoutHeight = statusLine_->height() - grown_;
    const int growth =
        std::max(0, statusLine_->heightForWidth(statusLine_->width()) - layoutHeight);
    const int delta = growth - grown_;
    if (delta == 0)
        return;
    grown_ = growth;
    statusLine_->resize(statusLine_->width(), statusLine_->height() + delta);
    for (QWidget* below : {static_cast<QWidget*>(bar_), static_cast<QWidget*>(okButton_)})
        below->move(below->x(), below->y() + delta);
    setFixedSize(width(), height() + delta);
}

void ProgressWindow::showRange(double min, double max) {
    min_ = min;
    max_ = max;
    updateBar();
}

void ProgressWindow::showValue(double value) {
    value_ = value;
    updateBar();
}

void ProgressWindow::updateBar() {
    bar_->setValue(barStep(min_, max_, value_, kBarSteps));
}

}  // namespace orvendel
