// SPDX-License-Identifier: MIT
#include "shell/window/busy_form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <exception>

#include "shell/window/window_layout.h"

namespace orvendel {

namespace {

// The bar's integer range; a run's own range (a file length in bytes) is scaled onto it.
constexpr int kBarSteps = 1000;

}  // namespace

BusyForm::BusyForm(QWidget* parent)
    : QDialog(parent),
      label1_(new QLabel(QStringLiteral("Modifying Neverwinter Nights..."), this)),
      progressBar1_(new QProgressBar(this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("BusyForm"));
    setWindowTitle(QStringLiteral("Hacking NWN..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(twipsSize(kBusyFormWidth, kBusyFormHeight));

    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setAlignment(Qt::AlignCenter);
    progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar1_->setRange(0, kBarSteps);
    progressBar1_->setValue(0);
    progressBar1_->setTextVisible(false);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setDefault(true);
    okButton_->setAutoDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    applyLayout(this, busyFormLayout());
    applyTabOrder(this, busyFormLayout());
}

void BusyForm::runModal(bool forReading, Work work) {
    forReading_ = forReading;
    pending_ = std::move(work);
    okButton_->setEnabled(false);
    exec();
}

void BusyForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (pending_)
        QTimer::singleShot(0, this, &BusyForm::activate);
}

void BusyForm::activate() {
    Work work = std::move(pending_);
    pending_ = nullptr;
    if (!work || !isVisible())
        return;

    okButton_->setEnabled(false);
    // Let the window reach the screen before the run blocks the user-interface thread.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();

    Outcome outcome;
    running_ = true;
    try {
        outcome = work(*this);
    } catch (const std::exception& e) {
        setStatus(e.what());
        outcome.keepShown = true;
    } catch (...) {
        setStatus("The patch run failed for an unknown reason.");
        outcome.keepShown = true;
    }
    running_ = false;

    if (forReading_ && !outcome.keepShown) {
        accept();
        return;
    }
    okButton_->setEnabled(true);
    okButton_->setFocus();
    emit waitingForOk();
}

void BusyForm::reject() {
    if (running_ || !okButton_->isEnabled())
        return;
    accept();
}

void BusyForm::closeEvent(QCloseEvent* event) {
    if (running_ || !okButton_->isEnabled()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

QString BusyForm::statusText() const {
    return label1_->text();
}

void BusyForm::setStatus(std::string_view text) {
    label1_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    repaint();
}

void BusyForm::setRange(double min, double max) {
    min_ = min;
    max_ = max;
    updateBar();
}

void BusyForm::setValue(double value) {
    value_ = value;
    updateBar();
}

void BusyForm::updateBar() {
    int step = 0;
    if (max_ > min_ && std::isfinite(value_)) {
        const double fraction = std::clamp((value_ - min_) / (max_ - min_), 0.0, 1.0);
        step = static_cast<int>(std::lround(fraction * kBarSteps));
    }
    if (step == progressBar1_->value())
        return;
    progressBar1_->setValue(step);
    progressBar1_->repaint();
}

}  // namespace orvendel
