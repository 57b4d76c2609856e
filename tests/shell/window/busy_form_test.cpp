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

TEST_F(BusyFormTest, ReadingRunWorksWhileShownRefusesClosingAndHidesWithoutWaiting) {
    bool wasVisible = false;
    bool okEnabledDuringRun = true;
    int waits = 0;
    QObject::connect(&form, &BusyForm::waitingForOk, [&] { ++waits; });
    form.runModal(true, [&](ProgressSink& progress) {
        form.close();
        QTest::keyClick(&form, Qt::Key_Escape);
        wasVisible = form.isVisible();
        okEnabledDuringRun = ok()->isEnabled();
        progress.setStatus("Neverwinter Nights options successfully loaded!");
        return BusyForm::Outcome{};
    });
    EXPECT_TRUE(wasVisible);
    EXPECT_FALSE(okEnabledDuringRun);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(waits, 0);
    EXPECT_EQ(form.statusText(), "Neverwinter Nights options successfully loaded!");
}

TEST_F(BusyFormTest, WritingRunsAndFailedOrFlaggedReadingRunsWaitForOk) {
    int waits = 0;
    int how = 0;  // answer by Enter, by the close box, by clicking OK
    QObject::connect(&form, &BusyForm::waitingForOk, [&] {
        ++waits;
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(ok()->isEnabled());
        if (how == 0)
            QTest::keyClick(&form, Qt::Key_Return);
        else if (how == 1)
            form.close();
        else
            ok()->click();
    });
    const auto written = [](ProgressSink& progress) {
        progress.setStatus("Neverwinter Nights successfully modified!");
        return BusyForm::Outcome{};
    };
    form.runModal(false, written);
    how = 1;
    form.runModal(false, written);
    EXPECT_EQ(form.statusText(), "Neverwinter Nights successfully modified!");
    how = 2;
    form.runModal(true, [](ProgressSink&) { return BusyForm::Outcome{true}; });
    form.runModal(true, [](ProgressSink&) -> BusyForm::Outcome {
        throw std::runtime_error("Cannot read nwmain.exe: Input/output error");
    });
    EXPECT_EQ(waits, 4);
    EXPECT_FALSE(form.isVisible());
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
