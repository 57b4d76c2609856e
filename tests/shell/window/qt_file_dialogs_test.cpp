// SPDX-License-Identifier: MIT
#include "shell/window/qt_file_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace orvendel {
namespace {

// Runs `look` on the file dialog once it is shown, then chooses `choose`, or cancels if empty.
void answerDialog(std::function<void(QFileDialog&)> look, const QString& choose = QString()) {
    QTimer::singleShot(0, qApp, [look = std::move(look), choose] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        look(*dialog);
        if (choose.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(choose);
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as the button does
        }
    });
}

TEST(QtFileDialogsTest, DialogsOpenWhereTheyShouldWithTheirTitlesFiltersAndSuffix) {
#ifdef Q_OS_WIN
    // On Windows a QFileDialog shows the system's own dialog, which runs a modal loop of its
    // own and is no widget: the test has nothing to answer it with.
    GTEST_SKIP() << "the system's file dialog cannot be answered by a test";
#endif
    QTemporaryDir dir;
    QtFileDialogs dialogs;
    const auto at = [&](QFileDialog& dialog) {
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    };
    answerDialog([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Location of NWMAIN.EXE");
        EXPECT_TRUE(dialog.nameFilters().value(0).startsWith("nwmain.exe ("));
        at(dialog);
    });
    dialogs.openExecutable(nullptr, dir.filePath(QStringLiteral("nwmain.exe")));

    answerDialog(
        [&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Settings File");
            EXPECT_EQ(dialog.nameFilters(), QStringList{"Settings Files (*.chs)"});
            at(dialog);
            // The window asks before replacing a file, whichever dialog the platform shows.
            EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        },
        dir.filePath(QStringLiteral("camera")));
    EXPECT_EQ(dialogs.saveSettings(nullptr, dir.path()), dir.filePath(QStringLiteral("camera.chs")))
        << "the suffix is added";
    answerDialog([&](QFileDialog& dialog) { at(dialog); });
    EXPECT_EQ(dialogs.openSettings(nullptr, dir.path()), std::nullopt);
}

}  // namespace
}  // namespace orvendel
