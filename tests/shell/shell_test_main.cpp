// SPDX-License-Identifier: MIT
// Entry of the widget tests: one QApplication, also while ctest lists the tests. It is on the
// offscreen platform unless the environment chooses another, but on Windows always on the
// system's own, whose style and fonts the program shows there (Wine, which runs the Windows
// build's tests, passes no QT_ variables on to a program anyway).
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    // A guard: what reaches the user's standard folders goes to folders of the tests instead.
    QStandardPaths::setTestModeEnabled(true);
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
