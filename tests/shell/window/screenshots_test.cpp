#include "shell/window/screenshots.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <filesystem>

#include "scripted_file_dialogs.h"
#include "shell/editor/scripted_message_boxes.h"
#include "shell/window/main_window.h"
#include "window_test_files.h"

namespace orvendel {
namespace {

TEST(ScreenshotsTest, PicturesEveryStepLeavesTheExecutableAloneAndReportsAnUnmadeFolder) {
    WindowTestFiles files;
    const QString path = files.executable(1);
    const auto modified = std::filesystem::last_write_time(path.toStdString());
    ScriptedMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    MainWindow window(messages, dialogs, [&] { return path; });
    window.show();
    QTemporaryDir out;

    EXPECT_EQ(writeScreenshots(window, out.path()), QString());
    for (const char* name : {"location-page.png", "settings-page.png", "progress-window.png"})
        EXPECT_FALSE(QImage(out.filePath(QLatin1String(name))).isNull()) << name;
    EXPECT_TRUE(WindowTestFiles::read(path) == files.original(1));
    EXPECT_EQ(std::filesystem::last_write_time(path.toStdString()), modified);

    WindowTestFiles::write(files.root() / "blocked", {1, 2, 3});  // a file where the folder goes
    const QString error = writeScreenshots(window, files.path("blocked") + "/pictures");
    EXPECT_TRUE(error.contains(QStringLiteral("pictures"))) << error.toStdString();
}

}  // namespace
}  // namespace orvendel
