#include "shell/window/qt_file_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace orvendel {
namespace {

// Runs `look` on the file dialog once it is shown, then answers it: with `choose` when given,
// else by cancelling.
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

TEST(QtFileDialogsTest, ExecutableDialogOpensAtThePathAndCancelGivesNothing) {
    QTemporaryDir dir;
    const QString current = dir.filePath(QStringLiteral("nwmain.exe"));
    QtFileDialogs dialogs;
    answerDialog([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Location of NWMAIN.EXE");
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        EXPECT_TRUE(dialog.nameFilters().value(0).startsWith("nwmain.exe ("));
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    });
    EXPECT_EQ(dialogs.openExecutable(nullptr, current), std::nullopt);
}

TEST(QtFileDialogsTest, SettingsDialogsShareTitleFilterAndSuffix) {
    QTemporaryDir dir;
    QtFileDialogs dialogs;
    const auto settingsLook = [](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Settings File");
        EXPECT_EQ(dialog.nameFilters(), QStringList{"Settings Files (*.chs)"});
        EXPECT_EQ(dialog.defaultSuffix(), "chs");
    };
    answerDialog(
        [&](QFileDialog& dialog) {
            settingsLook(dialog);
            EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
            EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        },
        dir.filePath(QStringLiteral("camera")));
    const auto saved = dialogs.saveSettings(nullptr);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(*saved, dir.filePath(QStringLiteral("camera.chs"))) << "the suffix is added";

    answerDialog([&](QFileDialog& dialog) {
        settingsLook(dialog);
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        // Opens where the last settings file was chosen.
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    });
    EXPECT_EQ(dialogs.openSettings(nullptr), std::nullopt);
}

}  // namespace
}  // namespace orvendel
