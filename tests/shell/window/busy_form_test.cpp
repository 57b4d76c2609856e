// SPDX-License-Identifier: MIT
// The progress window on its own, in what the main window's runs cannot reach: closing while
// the run works, the close box as OK, a run that throws, the bar's ends.
#include "shell/window/busy_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

namespace orvendel {
namespace {

TEST(BusyFormTest, ClosingIsRefusedWhileTheRunWorksAndTheCloseBoxActsAsOkAfterwards) {
    BusyForm form;
    auto* ok = form.findChild<QPushButton*>(QStringLiteral("OKButton"));
    bool visibleAfterClosing = false;
    bool okEnabledDuringRun = true;
    int waits = 0;
    QObject::connect(&form, &BusyForm::waitingForOk, [&] {
        ++waits;
        EXPECT_TRUE(ok->isEnabled());
        form.close();
    });
    form.runModal(false, [&](ProgressSink& progress) {
        form.close();
        QTest::keyClick(&form, Qt::Key_Escape);
        visibleAfterClosing = form.isVisible();
        okEnabledDuringRun = ok->isEnabled();
        progress.setStatus("Neverwinter Nights successfully modified!");
        return BusyForm::Outcome{};
    });
    EXPECT_TRUE(visibleAfterClosing);
    EXPECT_FALSE(okEnabledDuringRun);
    EXPECT_EQ(waits, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.statusText(), "Neverwinter Nights successfully modified!");

    form.runModal(true, [](ProgressSink&) -> BusyForm::Outcome {
        throw std::runtime_error("Cannot read nwmain.exe: Input/output error");
    });
    EXPECT_EQ(waits, 2) << "the reason waits for OK";
    EXPECT_EQ(form.statusText(), "Cannot read nwmain.exe: Input/output error");
}

TEST(BusyFormTest, BarFollowsTheFileLengthAndStaysWithinItsEnds) {
    BusyForm form;
    auto* bar = form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    const int middle = (bar->minimum() + bar->maximum()) / 2;
    constexpr double kLength = 8.0 * 1024 * 1024;
    const struct {
        double max, value;
        int shown;
    } rows[] = {{kLength, kLength / 2, middle},
                {kLength, kLength, bar->maximum()},
                {0, 0, bar->minimum()},  // an empty file
                {100, 250, bar->maximum()},
                {100, -5, bar->minimum()}};
    for (const auto& row : rows) {
        form.setRange(0, row.max);
        form.setValue(row.value);
        EXPECT_EQ(bar->value(), row.shown) << row.max << " " << row.value;
    }
}

}  // namespace
}  // namespace orvendel
