// SPDX-License-Identifier: MIT
// "Load Settings..." and "Modify NWN" in the window write what `orvendel-cli apply` writes, and
// report what it reports.
#include <QDir>
#include <QProcess>
#include <algorithm>

#include "fault_injecting_file_system_ops.h"
#include "platform/scoped_file_system_ops.h"
#include "settingsfile/settings_file.h"
#include "window_fixture.h"

namespace orvendel {
namespace {

TEST_F(MainWindowFixture, LoadThenModifyWritesWhatApplyWrites) {
    // Heights between list items, and values neither revision warns about (the DEL key angles
    // equal the minimum angles, revision 1 pins the drive zoom minimum).
    CameraSettings s = kBiowareDefaults;
    s.CTHeight = 1.7f, s.DHeight = 2.12f, s.CTAngleMin = s.CTAngleDel = 35, s.CTAngleDef = 50;
    s.CTZoomMax = 25, s.CTZoomDef = 12.5f, s.CTClipDist = 60, s.DAngleDef = 40, s.DClipDist = 80;
    const QString settings = files.write("between.chs", formatSettings(s));
    for (const int revision : {1, 0}) {
        SCOPED_TRACE(revision);
        const QString byWindow = files.executable(revision);
        const QString byCli = files.path("rev" + std::to_string(revision) + "/by-cli.exe");
        std::filesystem::copy_file(byWindow.toStdString(), byCli.toStdString());
        open(byWindow);
        click("Next1");
        dialogs.queue(settings);
        click("LoadSettings");
        click("ApplyButton");

        // Standard input stays empty: a question would end the command unanswered.
        QProcess cli;
        cli.start(QStringLiteral(ORVENDEL_CLI_PATH), {"apply", byCli, settings});
        cli.closeWriteChannel();
        ASSERT_TRUE(cli.waitForFinished(-1));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        const std::vector<std::uint8_t> written = WindowTestFiles::read(byWindow);
        const std::vector<std::uint8_t> applied = WindowTestFiles::read(byCli);
        EXPECT_FALSE(written == files.original(revision)) << "the window wrote nothing";
        EXPECT_TRUE(applied == written)
            << "first differing byte at "
            << std::mismatch(applied.begin(), applied.end(), written.begin(), written.end()).first -
                   applied.begin();
    }
}

TEST_F(MainWindowFixture, AStaleTemporaryFileThatStaysIsShownOnceAfterTheRunsOutcome) {
    const QString stale = files.write("rev1/.nwmain.exe.orvendel-tmp-a1B2c3", "old");
    open(files.executable(1));
    click("Next1");
    qsizetype boxesAtOk = -1;
    QObject::connect(window->progressWindow(), &ProgressWindow::waitingForOk,
                     [&] { boxesAtOk = messages.shown().size(); });
    FaultInjectingFileSystemOps ops(FaultInjectingFileSystemOps::Step::RemoveIfUnused, 1,
                                    std::make_error_code(std::errc::permission_denied));
    ScopedFileSystemOps scope(ops);
    click("ApplyButton");
    EXPECT_EQ(okStatuses, QStringList{"Neverwinter Nights successfully modified!"});
    EXPECT_EQ(boxesAtOk, 0) << "the run's outcome comes first";
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].text, "Cannot remove the stale temporary file \"" +
                                            QDir::toNativeSeparators(stale) +
                                            "\": Permission denied.");
}

}  // namespace
}  // namespace orvendel
