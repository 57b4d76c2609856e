// SPDX-License-Identifier: MIT
#include "shell/window/remembered_places.h"

#include <QSettings>

#include "shell/application_identity.h"

namespace orvendel {

RememberedPlaces::RememberedPlaces() = default;

RememberedPlaces::RememberedPlaces(std::unique_ptr<QSettings> settings)
    : settings_(std::move(settings)) {}

RememberedPlaces::~RememberedPlaces() = default;

std::unique_ptr<QSettings> RememberedPlaces::userSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       applicationId());
}

QString RememberedPlaces::value(const char* key) const {
    const QString name = QString::fromLatin1(key);
    return settings_ ? settings_->value(name).toString() : memory_.value(name);
}

void RememberedPlaces::setValue(const char* key, const QString& value) {
    const QString name = QString::fromLatin1(key);
    if (settings_) {
        settings_->setValue(name, value);
        // Written at once, so that a program killed later still remembers.
        settings_->sync();
    } else {
        memory_.insert(name, value);
    }
}

}  // namespace orvendel
