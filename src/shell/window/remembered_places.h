// SPDX-License-Identifier: MIT
#pragma once

#include <QMap>
#include <QSettings>
#include <QString>
#include <memory>

namespace orvendel {

// What the window remembers from one start to the next: the path of the last game executable
// read and the folder of the last settings file chosen. The program keeps them in the user's
// settings under the application id; without settings they last as long as this object.
class RememberedPlaces {
public:
    // Remembers in memory only.
    RememberedPlaces();
    // Remembers in `settings`.
    explicit RememberedPlaces(std::unique_ptr<QSettings> settings);
    ~RememberedPlaces();
    RememberedPlaces(const RememberedPlaces&) = delete;
    RememberedPlaces& operator=(const RememberedPlaces&) = delete;

    // The user's settings under the application id (on Linux
    // ~/.config/org.orvendel.Orvendel.conf, on Windows the registry key of that name).
    static std::unique_ptr<QSettings> userSettings();

    // The empty text when nothing is remembered.
    QString executable() const { return value(kExecutableKey); }
    void setExecutable(const QString& path) { setValue(kExecutableKey, path); }
    QString settingsFolder() const { return value(kSettingsFolderKey); }
    void setSettingsFolder(const QString& folder) { setValue(kSettingsFolderKey, folder); }

private:
    static constexpr const char* kExecutableKey = "lastExecutable";
    static constexpr const char* kSettingsFolderKey = "lastSettingsFolder";

    QString value(const char* key) const;
    void setValue(const char* key, const QString& value);

    std::unique_ptr<QSettings> settings_;
    QMap<QString, QString> memory_;  // used without settings
};

}  // namespace orvendel
