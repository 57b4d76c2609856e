#include "shell/window/busy_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

namespace orvendel {
namespace {

class BusyFormTest : public ::testing::Test {
protected:
    QPushButton* ok() { return form.findChild<QPushButton*>(QStringLiteral("OKButton")); }
    QProgressBar* bar() { return form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1")); }

    BusyForm form;
};

// Reading and writing runs through the main window are tested with it; here the cases it
// cannot reach: closing while the run works, the close box as OK, a run that throws.
TEST_F(BusyFormTest, ClosingIsRefusedWhileTheRunWorksAndTheCloseBoxActsAsOkAfterwards) {
    bool visibleAfterClosing = false;
    bool okEnabledDuringRun = true;
    int waits = 0;
    QObject::connect(&form, &BusyForm::waitingForOk, [&] {
        ++waits;
        EXPECT_TRUE(ok()->isEnabled());
        form.close();
    });
    form.runModal(false, [&](ProgressSink& progress) {
        form.close();
        QTest::keyClick(&form, Qt::Key_Escape);
        visibleAfterClosing = form.isVisible();
        okEnabledDuringRun = ok()->isEnabled();
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

TEST_F(BusyFormTest, BarFollowsTheFileLengthAndStaysWithinItsEnds) {
    constexpr double kLength = 8.0 * 1024 * 1024;
    form.setRange(0, kLength);
    form.setValue(kLength / 2);
    EXPECT_EQ(bar()->value(), (bar()->minimum() + bar()->maximum()) / 2);
    form.setValue(kLength);
    EXPECT_EQ(bar()->value(), bar()->maximum());
    EXPECT_EQ(form.progressValue(), kLength);
    form.setRange(0, 0);  // an empty file
    form.setValue(0);
    EXPECT_EQ(bar()->value(), bar()->minimum());
    form.setRange(0, 100);
    form.setValue(250);
    EXPECT_EQ(bar()->value(), bar()->maximum());
    form.setValue(-5);
    EXPECT_EQ(bar()->value(), bar()->minimum());
}

}  // namespace
}  // namespace orvendel
