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

TEST_F(BusyFormTest, ReadingRunWorksWhileShownAndHidesWithoutWaiting) {
    bool wasVisible = false;
    bool okEnabledDuringRun = true;
    int waits = 0;
    QObject::connect(&form, &BusyForm::waitingForOk, [&] { ++waits; });
    form.runModal(true, [&](ProgressSink& progress) {
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

TEST_F(BusyFormTest, ReadingRunThatMustBeSeenWaitsForOk) {
    int waits = 0;
    QObject::connect(&form, &BusyForm::waitingForOk, [&] {
        ++waits;
        EXPECT_TRUE(ok()->isEnabled());
        ok()->click();
    });
    form.runModal(true, [](ProgressSink& progress) {
        progress.setStatus("Cannot open nwmain.exe: Permission denied");
        return BusyForm::Outcome{true};
    });
    EXPECT_EQ(waits, 1);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(BusyFormTest, WritingRunWaitsUntilEnterPressesOk) {
    int waits = 0;
    QObject::connect(&form, &BusyForm::waitingForOk, [&] {
        ++waits;
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(ok()->isDefault());
        QTest::keyClick(&form, Qt::Key_Return);
    });
    form.runModal(false, [](ProgressSink& progress) {
        progress.setStatus("Neverwinter Nights successfully modified!");
        return BusyForm::Outcome{};
    });
    EXPECT_EQ(waits, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.statusText(), "Neverwinter Nights successfully modified!");
}

TEST_F(BusyFormTest, CloseBoxAfterAWritingRunActsLikeOk) {
    QObject::connect(&form, &BusyForm::waitingForOk, [&] { form.close(); });
    form.runModal(false, [](ProgressSink&) { return BusyForm::Outcome{}; });
    EXPECT_FALSE(form.isVisible());
}

TEST_F(BusyFormTest, CloseBoxAndEscapeAreRefusedWhileTheRunWorks) {
    bool stillVisible = false;
    form.runModal(true, [&](ProgressSink&) {
        form.close();
        QTest::keyClick(&form, Qt::Key_Escape);
        stillVisible = form.isVisible();
        return BusyForm::Outcome{};
    });
    EXPECT_TRUE(stillVisible);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(BusyFormTest, AFailingRunShowsWhyAndStillEndsTheModalDisplay) {
    QObject::connect(&form, &BusyForm::waitingForOk, [&] { ok()->click(); });
    form.runModal(true, [](ProgressSink&) -> BusyForm::Outcome {
        throw std::runtime_error("Cannot read nwmain.exe: Input/output error");
    });
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.statusText(), "Cannot read nwmain.exe: Input/output error");
}

TEST_F(BusyFormTest, EachModalDisplayRunsItsWorkOnce) {
    int runs = 0;
    for (int i = 0; i < 3; ++i) {
        form.runModal(true, [&](ProgressSink&) {
            ++runs;
            return BusyForm::Outcome{};
        });
    }
    EXPECT_EQ(runs, 3);
}

TEST_F(BusyFormTest, BarFollowsARangeOfFileLengths) {
    constexpr double kLength = 8.0 * 1024 * 1024;
    form.setRange(0, kLength);
    form.setValue(0);
    EXPECT_EQ(bar()->value(), bar()->minimum());
    form.setValue(kLength / 2);
    EXPECT_EQ(bar()->value(), (bar()->minimum() + bar()->maximum()) / 2);
    form.setValue(kLength);
    EXPECT_EQ(bar()->value(), bar()->maximum());
    EXPECT_EQ(form.progressValue(), kLength);
    EXPECT_EQ(form.progressMax(), kLength);
}

TEST_F(BusyFormTest, BarStaysWithinItsEndsForOddInput) {
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
