// SPDX-License-Identifier: MIT
// The desktop matches the program's windows with its desktop entry.
#include "shell/application_identity.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#ifndef ORVENDEL_RESOURCES_DIR
#error "ORVENDEL_RESOURCES_DIR must name src/shell/resources"
#endif

namespace orvendel {
namespace {

// The value of `key` in the [Desktop Entry] group of the entry `path`, or a null text.
QString desktopEntryValue(const QString& path, const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    bool inEntry = false;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(key + QLatin1Char('=')))
            return line.mid(key.size() + 1);
    }
    return {};
}

// On X11 a window's WM_CLASS class is the application name, which StartupWMClass must name;
// on Wayland its app id is the desktop file name, which must be the entry's own name.
TEST(ApplicationIdentityTest, WindowsCarryTheNamesOfTheDesktopEntry) {
    setApplicationIdentity();
    const QString entry = QStringLiteral(ORVENDEL_RESOURCES_DIR "/") +
                          QGuiApplication::desktopFileName() + QStringLiteral(".desktop");
    ASSERT_TRUE(QFile::exists(entry)) << entry.toStdString();
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.orvendel.Orvendel");
    EXPECT_EQ(desktopEntryValue(entry, QStringLiteral("StartupWMClass")),
              QGuiApplication::applicationName());
    EXPECT_EQ(desktopEntryValue(entry, QStringLiteral("Icon")), "org.orvendel.Orvendel");
}

}  // namespace
}  // namespace orvendel
