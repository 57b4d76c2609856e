// Renders the settings page in the styles of both executable revisions into the build tree, so
// that its look can be checked by eye; the test itself checks that the pictures were written
// and are not blank.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTest>

#include "shell/editor/scripted_message_boxes.h"
#include "shell/editor/settings_page.h"
#include "shell/gauges/linear_gauge.h"

namespace orvendel {
namespace {

CameraSettings sampleRecord() {
    CameraSettings s = kBiowareDefaults;
    s.CTAngleMin = 20, s.CTAngleDef = 35, s.CTAngleIns = 80, s.CTAngleDel = 25;
    s.DAngleMin = -30, s.DAngleDef = 10, s.DAngleIns = 60, s.DAngleDel = -20;
    s.CTZoomMin = -0.4f, s.CTZoomMax = 25, s.CTZoomDef = 12;
    s.DZoomMin = 6, s.DZoomMax = 24, s.DZoomDef = -0.4f;
    s.CTClipDist = 120, s.DClipDist = 60;
    s.CTHeight = 1.8f, s.DHeight = 2.0f;
    return s;
}

class SettingsPageRender : public ::testing::TestWithParam<int> {};

TEST_P(SettingsPageRender, WritesAPictureOfThePage) {
    const int revision = GetParam();
    CameraState state;
    state.settings = sampleRecord();
    if (revision == 1)
        state.settings.CTZoomMin = 5;
    state.ExecutableRevision = static_cast<std::int16_t>(revision);
    ScriptedMessageBoxes boxes;
    SettingsPage page(state, boxes);
    page.adaptToRevision(revision);
    page.showSettings();
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    // Show the value box of a focused gauge as well.
    page.zoomGauge(Camera::ChaseTopDown)->setFocus();

    const QImage image = page.grab().toImage();
    const QString path = QDir(QStringLiteral(ORVENDEL_RENDER_DIR))
                             .filePath(QStringLiteral("settings_page_rev%1.png").arg(revision));
    ASSERT_TRUE(image.save(path)) << path.toStdString();
    EXPECT_EQ(image.size(), page.size() * image.devicePixelRatio());
    // Not a blank picture: the yellow captions and the gauges' colours are there.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 20);
}

INSTANTIATE_TEST_SUITE_P(Revisions, SettingsPageRender, ::testing::Values(0, 1),
                         [](const auto& info) { return "Revision" + std::to_string(info.param); });

}  // namespace
}  // namespace orvendel
