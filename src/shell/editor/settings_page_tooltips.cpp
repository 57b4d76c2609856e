// SPDX-License-Identifier: MIT
// What the settings page says about its gauges: tooltips and accessible descriptions from one
// table of lines per gauge and revision, and the accessible names of the gauges and lists.
#include <QComboBox>

#include "shell/editor/settings_page.h"
#include "shell/editor/settings_page_group.h"
#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"

namespace orvendel {

namespace {

// The revisions a line of a tooltip is shown for, as a set of bits.
enum Revisions : unsigned {
    kRevision0 = 1U << 0,
    kRevision1 = 1U << 1,
    kNoRevision = 1U << 2,  // none recognised
    kAnyRevision = kRevision0 | kRevision1 | kNoRevision,
};

unsigned revisionBit(int revision) {
    if (revision == 0)
        return kRevision0;
    return revision == 1 ? kRevision1 : kNoRevision;
}

// Lines that several gauges share, in the page's translation context.
constexpr const char* kAngleNeedles = QT_TRANSLATE_NOOP(
    "orvendel::SettingsPage",
    "Red needle: minimum angle\nCyan needle: default angle (never below the minimum)");
constexpr const char* kKeyAngleNeedles = QT_TRANSLATE_NOOP(
    "orvendel::SettingsPage", "\nMagenta needle: INS key angle\nSilver needle: DEL key angle");
constexpr const char* kFixedMinimumZoom =
    QT_TRANSLATE_NOOP("orvendel::SettingsPage", "Red mark: minimum zoom distance (fixed)");
constexpr const char* kOtherZoomPointers = QT_TRANSLATE_NOOP(
    "orvendel::SettingsPage",
    "\nMagenta pointer: maximum zoom distance\nCyan pointer: default zoom distance"
    "\nA distance below 0 is first-person (FPS)");
constexpr const char* kDistancePointer = QT_TRANSLATE_NOOP(
    "orvendel::SettingsPage", "Red pointer: viewing distance in metres (45 is the game's own)");

// A gauge's tooltip is its lines for the revision, in this order; the gauge is named by its
// object name.
struct TooltipLine {
    const char* gauge;
    unsigned revisions;
    const char* text;
};
constexpr TooltipLine kTooltipLines[] = {
    {"CTGauge", kAnyRevision, kAngleNeedles},
    {"CTGauge", kRevision0 | kNoRevision, kKeyAngleNeedles},
    {"LGauge1", kRevision1 | kNoRevision, kFixedMinimumZoom},
    {"LGauge1", kRevision0,
     QT_TRANSLATE_NOOP("orvendel::SettingsPage", "Red pointer: minimum zoom distance")},
    {"LGauge1", kAnyRevision, kOtherZoomPointers},
    {"CTClipGauge", kAnyRevision, kDistancePointer},
    {"DGauge", kAnyRevision, kAngleNeedles},
    {"DGauge", kRevision0 | kNoRevision, kKeyAngleNeedles},
    {"DZoomGauge", kNoRevision,
     QT_TRANSLATE_NOOP("orvendel::SettingsPage",
                       "Drive zoom distances: unknown until an executable is read")},
    {"DZoomGauge", kRevision0,
     QT_TRANSLATE_NOOP("orvendel::SettingsPage",
                       "Pointer: default zoom distance (below 0 is first-person)")},
    {"DZoomGauge", kRevision1, kFixedMinimumZoom},
    {"DZoomGauge", kRevision1, kOtherZoomPointers},
    {"DClipGauge", kAnyRevision, kDistancePointer},
};

}  // namespace

void SettingsPage::describeGauges(int revision) {
    const QString keys =
        tr("Drag a needle or pointer, or pick one with the number keys and "
           "move it with the arrow keys and Page Up/Page Down.");
    for (Camera camera : {Camera::ChaseTopDown, Camera::Drive}) {
        Group& g = controls(camera);
        for (QWidget* gauge : {static_cast<QWidget*>(g.angle), static_cast<QWidget*>(g.zoom),
                               static_cast<QWidget*>(g.distance)}) {
            QString tip;
            for (const TooltipLine& line : kTooltipLines) {
                if (gauge->objectName() == QLatin1String(line.gauge) &&
                    (line.revisions & revisionBit(revision)) != 0)
                    tip += tr(line.text);
            }
            gauge->setToolTip(tip + QStringLiteral("\n") + keys);
            gauge->setAccessibleDescription(tip);
        }

        const QString mode =
            camera == Camera::ChaseTopDown ? tr("Chase and top-down camera") : tr("Drive camera");
        //: Accessible name of an angle gauge; %1 is the camera mode ("Drive camera").
        g.angle->setAccessibleName(tr("%1 angles").arg(mode));
        //: Accessible name of a zoom gauge; %1 is the camera mode ("Drive camera").
        g.zoom->setAccessibleName(tr("%1 zoom distances").arg(mode));
        //: Accessible name of a viewing-distance gauge; %1 is the camera mode ("Drive camera").
        g.distance->setAccessibleName(tr("%1 viewing distance").arg(mode));
        g.height->setAccessibleName(camera == Camera::ChaseTopDown ? tr("Chase camera height")
                                                                   : tr("Drive camera height"));
    }
}

}  // namespace orvendel
