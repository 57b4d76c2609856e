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
constexpr std::array<const char*, 16> kFixedTexts{
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
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "Loading current values from Neverwinter Nights ..."),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "Modifying Neverwinter Nights ..."),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "Unknown version of NWMAIN.  Patch Aborted."),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "Neverwinter Nights options successfully loaded!"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "Neverwinter Nights successfully modified!"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts",
                      "The new values would leave NWMAIN.EXE unrecognisable.  Patch Aborted."),
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
static_assert(kStatusLoading == kFixedTexts[10]);
static_assert(kStatusModifying == kFixedTexts[11]);
static_assert(kStatusUnknownVersion == kFixedTexts[12]);
static_assert(kStatusLoaded == kFixedTexts[13]);
static_assert(kStatusModified == kFixedTexts[14]);
static_assert(kStatusWouldBeUnrecognisable == kFixedTexts[15]);

// The warnings before a writing run (modifyWarningText()); the window's tests find a warning
// left without a translation.
[[maybe_unused]] constexpr std::array<const char*, 2> kModifyWarnings{
    QT_TRANSLATE_NOOP("orvendel::CoreTexts",
                      "You have chosen your DEL key angle to be different from your minimum "
                      "angle.  This sometimes locks the camera while in the game if you change "
                      "areas or equipment.  If this happens, toggle your camera mode to unlock "
                      "the camera again.  To avoid this problem, make sure and set your DEL key "
                      "angle to match your Minimum Angle."),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts",
                      "You have chosen to modify the minimum zoom for Drive Camera.  This option "
                      "has not been fully tested and you may encounter strange bugs while "
                      "playing NWN.  If you choose to continue I would appreciate any feedback, "
                      "good or bad, you have after using this option for a few days."),
};

// The items of the camera height lists that carry words (the game's races), as
// heightCaption() gives them; the window's tests find any item left without a translation.
[[maybe_unused]] constexpr std::array<const char*, 12> kHeightCaptions{
    //: A camera height and the characters it suits, as the game names its races.
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "1.00m (Bioware Default)"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "1.10m Halfling Female"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "1.18m Halfling Male, Gnome Female"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "1.25m Gnome Male, Dwarf Female"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "1.32m Dwarf Male"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "1.50m Elf Female"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "1.60m Elf Male"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "1.65m Half-Elf Female, Human Female"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "1.80m Half-Elf Male, Human Male"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "1.85m Half-Orc Female"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "1.97m Half-Orc Male"),
    QT_TRANSLATE_NOOP("orvendel::CoreTexts", "2.00m (Bioware Default)"),
};

}  // namespace

QString windowText(std::string_view coreText) {
    const std::string text(coreText);
    return QCoreApplication::translate(kContext, text.c_str());
}

}  // namespace orvendel
