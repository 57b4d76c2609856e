// SPDX-License-Identifier: MIT
#pragma once

#include "camera/camera_settings.h"
#include "shell/editor/settings_page.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace orvendel {

class LinearGauge;
class RoundGauge;

// The controls of one camera mode, shared by the files that build, fill and describe the page.
struct SettingsPage::Group {
    Camera camera;
    QGroupBox* frame = nullptr;
    RoundGauge* angle = nullptr;
    LinearGauge* zoom = nullptr;
    LinearGauge* distance = nullptr;
    QComboBox* height = nullptr;
    QLabel* heightLabel = nullptr;
    QPushButton* fps = nullptr;
};

}  // namespace orvendel
