// SPDX-License-Identifier: MIT
// The progress window on its own: progress crossing from the run's thread, what each outcome
// leaves on screen, a quit during a run, the status line that wraps, the bar's ends.
#include "shell/window/progress_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <stdexcept>

namespace orvendel {
namespace {

// Called on a run's thread: runs `look` on the window's thread and waits until it is done.
void lookWhileWorking(ProgressWindow& form, const std::function<void()>& look) {
    QSemaphore done;
    QMetaObject::invokeMethod(
        &form,
        [&] {
            look();
            done.release();
        },
        Qt::QueuedConnection);
    done.acquire();
}

// Every step of a run reaches the window while the run works on a thread of its own. A reading
// run that gets its values closes the window by itself; every other run waits for OK, and only
// a run that did what it was asked keeps a full bar.
TEST(ProgressWindowTest, ProgressCrossesFromTheRunsThreadAndTheOutcomeDecidesWhatWaits) {
    ProgressWindow form;
    auto* bar = form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    QStringList waited;
    QList<int> barsAtOk;
    QObject::connect(&form, &ProgressWindow::waitingForOk, [&] {
        waited << form.statusText();
        barsAtOk << bar->value();
        form.close();  // the close box acts as OK once the run is over
    });
    enum class Ending { Succeeds, Fails, Throws };
    using enum ProgressWindow::WhenDone;
    const struct {
        const char* what;
        ProgressWindow::WhenDone whenDone;
        Ending ending;
        const char* status;
    } rows[] = {
        {"reading run", CloseOnSuccess, Ending::Succeeds,
         "Neverwinter Nights options successfully loaded!"},
        {"writing run", WaitForOk, Ending::Succeeds, "Neverwinter Nights successfully modified!"},
        {"refused writing run", WaitForOk, Ending::Fails,
         "The new values would leave NWMAIN.EXE unrecognisable.  Patch Aborted."},
        {"reading run without values", CloseOnSuccess, Ending::Fails,
         "Unknown version of NWMAIN.  Patch Aborted."},
        {"reading run that throws", CloseOnSuccess, Ending::Throws,
         "Cannot read nwmain.exe: Input/output error"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        waited.clear();
        barsAtOk.clear();
        QThread* workThread = nullptr;
        form.runModal(row.whenDone, [&](ProgressSink& progress) {
            workThread = QThread::currentThread();
            progress.setStatus("Loading current values from Neverwinter Nights ...");
            progress.setRange(0, 4000);
            progress.setValue(500);
            progress.setValue(1000);
            lookWhileWorking(form, [&] {
                EXPECT_EQ(form.statusText(), "Loading current values from Neverwinter Nights ...");
                EXPECT_EQ(bar->value(), bar->minimum() + (bar->maximum() - bar->minimum()) / 4);
                EXPECT_TRUE(form.running());
            });
            progress.setValue(4000);
            if (row.ending == Ending::Throws)
                throw std::runtime_error(row.status);
            progress.setStatus(row.status);
            return ProgressWindow::Outcome{row.ending == Ending::Succeeds};
        });
        EXPECT_NE(workThread, form.thread());
        const bool closes = row.whenDone == CloseOnSuccess && row.ending == Ending::Succeeds;
        const int shown = row.ending == Ending::Succeeds ? bar->maximum() : bar->minimum();
        EXPECT_EQ(waited, closes ? QStringList() : QStringList{row.status});
        EXPECT_EQ(barsAtOk, closes ? QList<int>() : QList<int>{shown});
        EXPECT_EQ(bar->value(), shown);
        EXPECT_EQ(form.statusText(), row.status);
        EXPECT_EQ(form.progressMax(), 4000);
        EXPECT_FALSE(form.isVisible());
        EXPECT_FALSE(form.running());
    }
}

TEST(ProgressWindowTest, QuittingTheApplicationDuringARunReturnsOnlyAfterTheRun) {
    ProgressWindow form;
    std::atomic<bool> workEnded = false;
    bool endedBeforeReturn = false;
    QTimer::singleShot(0, &form, [&] {
        form.runModal(ProgressWindow::WhenDone::WaitForOk, [&](ProgressSink& progress) {
            lookWhileWorking(form, [] { QCoreApplication::exit(0); });
            // Enough work after the quit that a window not waiting for it would return first.
            for (int step = 0; step < 2000; ++step)
                progress.setStatus("Modifying Neverwinter Nights ...");
            progress.setStatus("Neverwinter Nights successfully modified!");
            workEnded = true;
            return ProgressWindow::Outcome{};
        });
        endedBeforeReturn = workEnded;
    });
    QTimer::singleShot(60000, &form, [] { QCoreApplication::exit(2); });  // a fault must not hang
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(endedBeforeReturn);
    EXPECT_FALSE(form.running());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.statusText(), "Neverwinter Nights successfully modified!");
}

TEST(ProgressWindowTest, LongStatusWrapsAnywhereAndTheWindowGrowsDownwardsAndBack) {
    ProgressWindow form;
    auto* label = form.findChild<QLabel*>(QStringLiteral("Label1"));
    auto* bar = form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    auto* ok = form.findChild<QPushButton*>(QStringLiteral("OKButton"));
    const auto places = [&] {
        return QList<QRect>{form.rect(), label->geometry(), bar->geometry(), ok->geometry()};
    };
    const QList<QRect> normal = places();
    const QRect normalLabel = normal[1];

    // 200 characters with a folder name longer than a line, which no word boundary splits.
    QString path = QStringLiteral("/home/player/");
    while (path.size() < 189)
        path += QStringLiteral("NeverwinterNights");
    path += QStringLiteral("/nwmain.exe");
    const QString status = QStringLiteral("Cannot read \"%1\": Permission denied").arg(path);
    form.showStatus(status);

    // The height the text needs when wrapped anywhere, as QPainter measures it. Measured from
    // the top: centred in the tall box, an odd height would start half a pixel down and take
    // one more whole pixel.
    const QFontMetrics metrics = label->fontMetrics();
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, label->width(), 100000),
                             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWrapAnywhere, status);
    EXPECT_GE(label->height(), needed.height());
    EXPECT_GT(label->height(), normalLabel.height());
    EXPECT_EQ(label->width(), normalLabel.width());
    EXPECT_EQ(form.width(), normal[0].width());
    EXPECT_EQ(form.height() - normal[0].height(), label->height() - normalLabel.height());
    for (QWidget* below : {static_cast<QWidget*>(bar), static_cast<QWidget*>(ok)}) {
        EXPECT_GT(below->y(), label->geometry().bottom()) << below->objectName().toStdString();
        EXPECT_LE(below->geometry().bottom(), form.height());
    }

    // The painted text covers every line, not one line cut at the label's edge.
    QImage image(label->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    label->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) {
                top = top < 0 ? y : top;
                bottom = y;
            }
    ASSERT_GE(top, 0);
    EXPECT_GE(bottom - top, needed.height() - metrics.lineSpacing());

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(bar);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Progress");
    EXPECT_EQ(accessible->text(QAccessible::Description), status);

    form.showStatus(QStringLiteral("Neverwinter Nights successfully modified!"));
    EXPECT_EQ(places(), normal);
}

TEST(ProgressWindowTest, BarFollowsTheFileLengthAndStaysWithinItsEnds) {
    ProgressWindow form;
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
        form.showRange(0, row.max);
        form.showValue(row.value);
        EXPECT_EQ(bar->value(), row.shown) << row.max << " " << row.value;
    }
}

}  // namespace
}  // namespace orvendel
