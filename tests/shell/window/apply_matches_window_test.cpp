// "Load Settings..." followed by "Modify NWN" in the window and `orvendel-cli apply` with the
// same settings file write the same bytes into copies of the same executable.
#include <QProcess>
#include <algorithm>

#include "settingsfile/settings_file.h"
#include "window_fixture.h"

#ifndef ORVENDEL_CLI_PATH
#error "ORVENDEL_CLI_PATH must name the orvendel-cli binary"
#endif

namespace orvendel {
namespace {

// Heights between list items, and other values that either revision takes without a warning
// (the DEL key angles equal the minimum angles, revision 1 pins the drive zoom minimum).
CameraSettings settingsBetweenListItems() {
    CameraSettings s = kBiowareDefaults;
    s.CTHeight = 1.7f;
    s.DHeight = 2.12f;
    s.CTAngleMin = s.CTAngleDel = 35;
    s.CTAngleDef = 50;
    s.CTZoomMax = 25;
    s.CTZoomDef = 12.5f;
    s.CTClipDist = 60;
    s.DAngleDef = 40;
    s.DClipDist = 80;
    return s;
}

using ApplyMatchesWindowTest = MainWindowFixture;

TEST_F(ApplyMatchesWindowTest, LoadThenModifyWritesWhatApplyWrites) {
    const QString settings = files.write("between.chs", formatSettings(settingsBetweenListItems()));
    for (const int revision : {1, 0}) {
        SCOPED_TRACE(revision);
        const std::vector<std::uint8_t>& original = files.original(revision);
        const std::string_view bytes(reinterpret_cast<const char*>(original.data()),
                                     original.size());
        const std::string folder = "copies" + std::to_string(revision);
        const QString byWindow = files.write(folder + "/window/nwmain.exe", bytes);
        const QString byCli = files.write(folder + "/cli/nwmain.exe", bytes);

        open(byWindow);
        click("Next1");
        dialogs.queue(settings);
        click("LoadSettings");
        click("ApplyButton");
        EXPECT_TRUE(messages.shown().isEmpty());
        ASSERT_FALSE(okStatuses.isEmpty());
        EXPECT_EQ(okStatuses.last(), "Neverwinter Nights successfully modified!");

        // Standard input stays empty: a question would end the command unanswered.
        QProcess cli;
        cli.start(QStringLiteral(ORVENDEL_CLI_PATH), {"apply", byCli, settings});
        cli.closeWriteChannel();
        ASSERT_TRUE(cli.waitForFinished(-1));
        EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

        const std::vector<std::uint8_t> written = WindowTestFiles::read(byWindow);
        const std::vector<std::uint8_t> applied = WindowTestFiles::read(byCli);
        EXPECT_FALSE(written == original) << "the window wrote nothing";
        ASSERT_EQ(applied.size(), written.size());
        EXPECT_TRUE(applied == written)
            << "first differing byte at "
            << std::mismatch(applied.begin(), applied.end(), written.begin()).first -
                   applied.begin();
    }
}

}  // namespace
}  // namespace orvendel
