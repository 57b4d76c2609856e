// SPDX-License-Identifier: MIT
#include "shell/core_texts.h"

#include <QCoreApplication>
#include <array>
#include <string>

#include "camera/distance_warning.h"
#include "camera/zoom_editor.h"
#include "patcher/patch_run.h"
#include "patcher/read_only_prompt.h"
#include "settingsfile/settings_file.h"

namespace orvendel {

namespace {

constexpr char kContext[] = "orvendel::CoreTexts";

// The core's fixed texts that the window shows, spelled out here so that Qt's tools find them;
// the checks below keep each one equal to the core's own text.
constexpr std::array<const char*, 10> kFixedTexts{
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "Read Only"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts",
                      "The NWMAIN.EXE you specified is Read Only.  Do you wish me to try to "
                      "modify it anyway?"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts",
                      "Unable to remove Read Only attribute from file.  Patch Aborted."),
    //: Title of the question before writing a file that has further names (hard links).
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "Other Names"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "Restore Original"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts",
                      "There are no camera values to write: read a known NWMAIN.EXE, choose a "
                      "preset or load a settings file first.  Patch Aborted."),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "The original NWMAIN.EXE is back in place."),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "Filename is in an unknown format."),
    QT_TRANSLATE_NOOP(
        "orvendel::CoreTexts",
        "Increasing the clipping distance beyond 45 meters can ruin the ambience of some modules "
        "since it causes fog to thin out.  It can also cause performance degredation if your "
        "computer and video card are not sufficiently fast.  If you encounter problems, you "
        "should lower the distance.  Some players consider increasing the viewing distance a "
        "cheat.  You are encouraged to notify other players and DM's that you have extended "
        "your viewing distance in any multiplayer games you join."),
    //: Caption on the zoom gauge where a distance below 0 makes the camera first-person.
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "FPS"),
};
static_assert(kReadOnlyTitle == kFixedTexts[0]);
static_assert(kReadOnlyQuestion == kFixedTexts[1]);
static_assert(kReadOnlyClearFailed == kFixedTexts[2]);
static_assert(kHardLinksTitle == kFixedTexts[3]);
static_assert(kRestoreTitle == kFixedTexts[4]);
static_assert(kStatusNothingToWrite == kFixedTexts[5]);
static_assert(kStatusRestored == kFixedTexts[6]);
static_assert(kUnknownFormatMessage == kFixedTexts[7]);
static_assert(kDistanceWarningText == kFixedTexts[8]);
static_assert(kFpsCaption == kFixedTexts[9]);

}  // namespace

QString windowText(std::string_view coreText) {
    const std::string text(coreText);
    return QCoreApplication::translate(kContext, text.c_str());
}

}  // namespace orvendel
