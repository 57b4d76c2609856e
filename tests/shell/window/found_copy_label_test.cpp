// SPDX-License-Identifier: MIT
#include "shell/window/found_copy_label.h"

#include <gtest/gtest.h>

namespace orvendel {
namespace {

TEST(FoundCopyLabelTest, LauncherFirstThenThePathWithTheHomeFolderAsTilde) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows paths are shown as they stand";
#endif
    const struct {
        const char* name;
        const char* launcher;
        const char* path;
        const char* home;
        const char* label;
    } rows[] = {
        {"under home", "Bottles", "/home/ana/.local/share/bottles/bottles/NWN/drive_c/nwmain.exe",
         "/home/ana", "Bottles: ~/.local/share/bottles/bottles/NWN/drive_c/nwmain.exe"},
        {"home given with a slash", "Wine", "/home/ana/.wine/drive_c/nwmain.exe", "/home/ana/",
         "Wine: ~/.wine/drive_c/nwmain.exe"},
        {"a folder whose name starts like home's", "Steam", "/home/anabel/nwmain.exe", "/home/ana",
         "Steam: /home/anabel/nwmain.exe"},
        {"home is the root", "Heroic", "/games/nwmain.exe", "/", "Heroic: /games/nwmain.exe"},
        {"no launcher known", "", "/srv/nwn/nwmain.exe", "/home/ana", "/srv/nwn/nwmain.exe"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(foundCopyLabel(QString::fromUtf8(row.launcher), QString::fromUtf8(row.path),
                                 QString::fromUtf8(row.home)),
                  QString::fromUtf8(row.label));
    }
}

}  // namespace
}  // namespace orvendel
