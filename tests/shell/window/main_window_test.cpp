// SPDX-License-Identifier: MIT
// The main window on sample executables: reading, editing, writing and undoing in either
// revision; read-only, hard-linked, unrecognised and unreadable files; "Restore Original"; the
// path box and the start-up search; settings files.
#include "shell/window/main_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QSemaphore>
#include <QSettings>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <bit>
#include <tuple>

#include "../gauge_drags.h"
#include "shell/window/location_page.h"
#include "window_fixture.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
const QString kModified = QStringLiteral("Neverwinter Nights successfully modified!");
const QString kReadOnlyQuestion = QStringLiteral(
    "The NWMAIN.EXE you specified is Read Only.  Do you wish me to try to modify it anyway?");
const QString kUnknownVersion = QStringLiteral("Unknown version of NWMAIN.  Patch Aborted.");
const QString kNothingToWrite = QStringLiteral(
    "There are no camera values to write: read a known NWMAIN.EXE, choose a preset or load a "
    "settings file first.  Patch Aborted.");

class MainWindowTest : public MainWindowFixture {
protected:
    // Every patch site of the sample holds the record's value, as a float least significant
    // byte first and an angle as 90 minus the angle, and nothing else changed.
    void expectFileHoldsRecord(int revision) {
        const WindowTestFiles::Sample& sample = files.sample(revision);
        auto expected = sample.bytes;
        for (const auto& site : sample.sites) {
            const float value = fieldValue(record(), site.field);
            const auto bits = std::bit_cast<std::uint32_t>(site.angle ? 90.0f - value : value);
            for (std::size_t i = 0; i < 4; ++i)
                expected[site.offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
        }
        const auto bytes = WindowTestFiles::read(sample.path);
        ASSERT_EQ(bytes.size(), expected.size());
        EXPECT_TRUE(bytes == expected)
            << "first wrong byte at "
            << std::mismatch(bytes.begin(), bytes.end(), expected.begin()).first - bytes.begin();
    }
    // Opens the window on the sample of `revision` and reads it with "Next >".
    void read(int revision) {
        open(files.executable(revision));
        click("Next1");
    }
    void load(const QString& path) {
        dialogs.queue(path);
        click("LoadSettings");
    }
    void save(const QString& path) {
        dialogs.queue(path);
        click("SaveSettings");
    }
    bool unchanged(int revision) {
        return WindowTestFiles::read(files.executable(revision)) == files.original(revision);
    }
    // The last box shown is a Yes/No question with this title and text.
    void expectQuestion(const char* title, const QString& text) {
        ASSERT_FALSE(messages.shown().isEmpty());
        EXPECT_EQ(messages.shown().back().kind, ScriptedMessageBoxes::Kind::YesNo);
        EXPECT_EQ(messages.shown().back().title, title);
        EXPECT_EQ(messages.shown().back().text, text);
    }
    // The centre of "Next >", where "Modify NWN" lies once the settings page shows.
    QPoint nextButtonCentre() {
        const QPoint at = find("Next1")->mapTo(window.get(), find("Next1")->rect().center());
        const QWidget* apply = find("ApplyButton");
        EXPECT_TRUE(QRect(apply->mapTo(window.get(), QPoint()), apply->size()).contains(at));
        return at;
    }
    // Makes the sample of `revision` read-only and reads it, answering the question with
    // `answer`; gives its permissions as the system showed them before (Windows has a read-only
    // flag, and gives an .exe r-x).
    fs::perms readReadOnly(int revision, bool answer) {
        const std::string path = files.executable(revision).toStdString();
        fs::permissions(path, fs::perms(0444));
        const fs::perms readOnly = fs::status(path).permissions();
        messages.queueAnswer(answer);
        read(revision);
        return readOnly;
    }
};

// A revision, and the edit that makes "Modify NWN" ask first in it.
struct Road {
    int revision;
    void (*edit)(CameraSettings&);
    const char* warning;
    friend void PrintTo(const Road& r, std::ostream* out) { *out << "revision " << r.revision; }
};

// A window that has read the sample of the revision.
class ReadRevisionTest : public MainWindowTest, public ::testing::WithParamInterface<Road> {
protected:
    void SetUp() override { read(GetParam().revision); }
};

TEST_P(ReadRevisionTest, ReadingShowsTheRevisionsValuesWithTheBarFull) {
    EXPECT_EQ(window->progressWindow()->statusText(),
              "Neverwinter Nights options successfully loaded!");
    EXPECT_EQ(window->progressWindow()->progressMax(), double(WindowTestFiles::kSize));
    const auto* bar = find<QProgressBar>("ProgressBar1");
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(window->state().revision, GetParam().revision);
    EXPECT_EQ(page()->distanceGauge(Camera::ChaseTopDown)->markerValue(0), record().CTClipDist);
    EXPECT_EQ(find("CTFPS")->isVisibleTo(window.get()), GetParam().revision == 0);
}

TEST_P(ReadRevisionTest, ADragOnThePageEditsTheWindowsRecord) {
    dragPointer(*page()->distanceGauge(Camera::ChaseTopDown), 0, 100);
    EXPECT_NEAR(record().CTClipDist, 100, 2);
}

TEST_P(ReadRevisionTest, CancelAtTheWarningWritesNothingAndOkWritesTheRecordAtEverySite) {
    GetParam().edit(window->state().settings);
    messages.queueAnswer(false);
    click("ApplyButton");
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].kind, ScriptedMessageBoxes::Kind::OkCancel);
    EXPECT_TRUE(messages.shown()[0].text.startsWith(QLatin1String(GetParam().warning)));
    EXPECT_TRUE(okStatuses.isEmpty());
    EXPECT_TRUE(unchanged(GetParam().revision));
    messages.queueAnswer(true);
    click("ApplyButton");
    EXPECT_EQ(okStatuses, QStringList{kModified});
    expectFileHoldsRecord(GetParam().revision);
}

// The edit that asked is undone with the others, so the original comes back unasked.
TEST_P(ReadRevisionTest, UndoAndModifyPutTheOriginalBackByteForByteUnasked) {
    GetParam().edit(window->state().settings);
    messages.queueAnswer(true);
    click("ApplyButton");
    click("UndoBtn");
    click("ApplyButton");
    EXPECT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(okStatuses, QStringList({kModified, kModified}));
    EXPECT_EQ(cursorsAtOk, QList<Qt::CursorShape>({Qt::WaitCursor, Qt::WaitCursor}));
    EXPECT_TRUE(unchanged(GetParam().revision));
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_P(ReadRevisionTest, ExitWithUnwrittenEditsEndsTheProgramUnaskedAndWritesNothing) {
    page()->applyBiowareDefaults();
    click("CancelButton");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_TRUE(unchanged(GetParam().revision));
}

INSTANTIATE_TEST_SUITE_P(
    BothRevisions, ReadRevisionTest,
    ::testing::Values(
        Road{0, [](CameraSettings& s) { s.DAngleDel = s.DAngleMin + 10; },
             "You have chosen your DEL key angle to be different from your minimum angle."},
        Road{1, [](CameraSettings& s) { s.DZoomMin = 7; },
             "You have chosen to modify the minimum zoom for Drive Camera."}),
    [](const auto& info) { return "Revision" + std::to_string(info.param.revision); });

TEST_F(MainWindowTest, ReadOnlyExecutableAnsweredNoIsNotReadYetOpensTheSettingsPage) {
    readReadOnly(1, false);
    expectQuestion("Read Only", kReadOnlyQuestion);
    EXPECT_EQ(window->state().revision, -1);
    EXPECT_TRUE(find("SettingsFrame")->isVisible());
}

TEST_F(MainWindowTest, ReadOnlyExecutableIsAskedAboutAgainBeforeAWriteAndNoLeavesItAlone) {
    const fs::perms readOnly = readReadOnly(1, false);
    page()->applyBiowareDefaults();
    messages.queueAnswer(false);
    click("ApplyButton");
    expectQuestion("Read Only", kReadOnlyQuestion);
    EXPECT_TRUE(okStatuses.isEmpty());
    EXPECT_TRUE(unchanged(1));
    EXPECT_EQ(fs::status(files.executable(1).toStdString()).permissions(), readOnly);
}

TEST_F(MainWindowTest, ReadOnlyExecutableAnsweredYesIsReadAndWrittenWithoutAFurtherQuestion) {
    readReadOnly(0, true);
    EXPECT_EQ(window->state().revision, 0);
    click("ApplyButton");
    EXPECT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(okStatuses, QStringList{kModified});
}

TEST_F(MainWindowTest, UnrecognisedExecutableWaitsForOkOpensTheSettingsPageAndIsNeverWritten) {
    const QString path = files.write("other/nwmain.exe", std::string(64 * 1024, 'x'));
    open(path);
    click("Next1");
    EXPECT_EQ(window->state().revision, -1);
    EXPECT_EQ(okStatuses, QStringList{kUnknownVersion}) << "the reason stays on screen until OK";
    const auto* bar = find<QProgressBar>("ProgressBar1");
    EXPECT_EQ(bar->value(), bar->minimum()) << "empty, although the whole file was scanned";
    EXPECT_TRUE(find("SettingsFrame")->isVisible());
    save(files.path("zeros.chs"));
    const QString wrongTag = files.write("lower.chs", "\"Version\",\"g\"\r\n");

    // Only chosen values are written: a preset or a loaded file goes to the writing run (which
    // finds no revision), the read's leftovers are refused. Each row starts from "Undo Changes".
    const std::tuple<const char*, const char*, QString, bool> rows[] = {
        // what, button, the file dialog's answer, whether the record is written
        {"nothing", "UndoBtn", {}, false},
        {"a file of an unknown format", "LoadSettings", wrongTag, false},
        {"Bioware Defaults", "BiowareBtn", {}, true},
        {"FPS Mode! (as for either camera)", "CTFPS", {}, true},
        {"a settings file", "LoadSettings", files.path("zeros.chs"), true}};
    for (const auto& [what, button, file, writes] : rows) {
        SCOPED_TRACE(what);
        click("UndoBtn");
        okStatuses.clear();
        if (!file.isEmpty())
            dialogs.queue(file);
        click(button);
        messages.clear();
        click("ApplyButton");
        EXPECT_EQ(okStatuses, writes ? QStringList{kUnknownVersion} : QStringList());
        EXPECT_EQ(messages.shown().size(), writes ? 0 : 1);
        EXPECT_EQ(messages.shown().value(0).text, writes ? QString() : kNothingToWrite);
        EXPECT_EQ(messages.shown().value(0).icon,
                  writes ? MessageBoxes::Icon::None : MessageBoxes::Icon::Exclamation);
    }
    EXPECT_EQ(WindowTestFiles::read(path), std::vector<std::uint8_t>(64 * 1024, 'x'));
}

TEST_F(MainWindowTest, DoubleClickOnNextOnlyReadsAndLeavesTheFocusOffModify) {
    open(files.executable(1));
    // Press, release, double click and release at one place, as a window system delivers them.
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, nextButtonCentre());
    EXPECT_EQ(window->state().revision, 1);
    EXPECT_TRUE(messages.shown().isEmpty() && okStatuses.isEmpty()) << "a writing run began";
    EXPECT_EQ(window->focusWidget(), find("CTGauge")) << "focus must not rest on Modify NWN";
}

// Asked by Space, written by a click after Yes; the other name keeps the old bytes.
TEST_F(MainWindowTest, ExecutableWithAnotherNameIsWrittenOnlyAfterYesAndTheOtherNameKept) {
    const QString link = files.path("rev1/copy-of-nwmain.exe");
    fs::create_hard_link(files.executable(1).toStdString(), link.toStdString());
    read(1);
    window->state().settings.CTClipDist = 60;
    messages.queueAnswer(false);
    find("ApplyButton")->setFocus();
    QTest::keyClick(find("ApplyButton"), Qt::Key_Space);
    expectQuestion("Other Names",
                   "The NWMAIN.EXE you specified has 1 other name (a hard link) that would keep "
                   "the old values.  Do you wish me to modify this name anyway?");
    EXPECT_TRUE(unchanged(1));
    messages.queueAnswer(true);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, nextButtonCentre());
    EXPECT_EQ(okStatuses, QStringList{kModified});
    expectFileHoldsRecord(1);
    EXPECT_TRUE(WindowTestFiles::read(link) == files.original(1));
}

// "Restore Original" on the location page: No keeps the written file, Yes puts the copy back;
// a copy gone meanwhile is reported, nothing runs and the button goes off.
TEST_F(MainWindowTest, RestoreOriginalAsksFirstPutsTheKeptCopyBackAndReportsOneGone) {
    read(1);
    window->state().settings.CTClipDist = 60;
    click("ApplyButton");
    open(files.executable(1));
    auto* restore = find<QPushButton>("RestoreButton");
    messages.queueAnswer(false);
    QTest::mouseClick(restore, Qt::LeftButton);
    expectQuestion("Restore Original",
                   "Put back the copy of NWMAIN.EXE that was kept before Orvendel first changed "
                   "it?  Every camera change written since then is lost.");
    EXPECT_FALSE(unchanged(1));
    messages.queueAnswer(true);
    QTest::mouseClick(restore, Qt::LeftButton);
    EXPECT_EQ(okStatuses, QStringList({kModified, "The original NWMAIN.EXE is back in place."}));
    EXPECT_TRUE(unchanged(1));
    const QString copy = files.executable(1) + ".orvendel-original";
    EXPECT_TRUE(WindowTestFiles::read(copy) == files.original(1));
    fs::remove(copy.toStdString());
    QTest::mouseClick(restore, Qt::LeftButton);
    EXPECT_EQ(okStatuses.size(), 2);
    ASSERT_FALSE(messages.shown().isEmpty());
    EXPECT_EQ(messages.shown().back().text, "Cannot read \"" + QDir::toNativeSeparators(copy) +
                                                "\": there is no original copy of this file.");
    EXPECT_FALSE(restore->isEnabled());
}

TEST_F(MainWindowTest, FilesThatCannotBeReadOrWrittenAreReportedByName) {
    // A folder called nwmain.exe: its attributes can be read, its bytes cannot.
    const QString folder = files.path("folder/nwmain.exe");
    fs::create_directories(folder.toStdString());
    open(folder);
    window->readExecutable();
    ASSERT_EQ(okStatuses.size(), 1) << "the reason stays on screen until OK";
    EXPECT_TRUE(okStatuses[0].contains("nwmain.exe")) << okStatuses[0].toStdString();
    EXPECT_EQ(window->state().revision, -1);

    read(1);
    ASSERT_TRUE(fs::remove(files.executable(1).toStdString()));
    click("ApplyButton");
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown()[0].text.contains("nwmain.exe"))
        << messages.shown()[0].text.toStdString();
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, NextIsEnabledOnlyForAnExistingNwmainExeTypedOrSet) {
    open(QString());
    auto* nwn = find<QLineEdit>("NWN");
    auto* next = find<QPushButton>("Next1");
    EXPECT_FALSE(next->isEnabled());
    const std::pair<QString, bool> rows[] = {{files.executable(0), true},
                                             {files.write("game.exe", "x"), false},
                                             {files.path("rev0"), false}};
    for (const auto& [text, enabled] : rows) {
        nwn->setText(text);
        EXPECT_EQ(next->isEnabled(), enabled) << text.toStdString();
    }
    nwn->clear();
    QTest::keyClicks(nwn, files.executable(1));
    EXPECT_TRUE(next->isEnabled());
}

TEST_F(MainWindowTest, BrowseOpensAtTheBoxsPathAndCancelKeepsIt) {
    open(files.executable(1));
    dialogs.queue(std::nullopt);
    click("BrowseButton");
    EXPECT_EQ(dialogs.asked(), QStringList{"executable:" + files.executable(1)});
    EXPECT_EQ(find<QLineEdit>("NWN")->text(), files.executable(1));
    dialogs.queue(files.executable(0));
    click("BrowseButton");
    EXPECT_EQ(find<QLineEdit>("NWN")->text(), files.executable(0));
}

// A window whose search found three copies, the first by Lutris and the second gone since, with
// the path box's list.
class CopiesFoundTest : public MainWindowTest {
protected:
    void SetUp() override {
        open(MainWindow::LocatedGames(found, QStringLiteral("never shown"),
                                      {"Lutris", QString(), QString()}));
        nwn = find<QLineEdit>("NWN");
        ASSERT_NE(nwn->completer(), nullptr);
        list = nwn->completer()->popup();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        nwn->setFocus();  // the box takes a pick from its list while it has the focus
    }
    void pick(int row) {
        for (int i = 0; i <= row; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_FALSE(list->isVisible());
    }

    const QStringList found{files.executable(1), files.path("gone/nwmain.exe"),
                            files.executable(0)};
    QLineEdit* nwn = nullptr;
    QAbstractItemView* list = nullptr;
};

// Down opens the list although the box holds a whole path; the box follows the pick and
// "Next >" follows the box.
TEST_F(CopiesFoundTest, PathBoxHoldsTheFirstCopyAndDownListsEveryCopyToPickFrom) {
    EXPECT_EQ(nwn->text(), found[0]);
    EXPECT_TRUE(find("Next1")->isEnabled());
    EXPECT_FALSE(find("SearchNote")->isVisible());
    QTest::keyClick(nwn, Qt::Key_Down);
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->model()->rowCount(), found.size());
    for (int row = 0; row < found.size(); ++row)
        EXPECT_EQ(list->model()->index(row, 0).data(Qt::ToolTipRole).toString(),
                  QDir::toNativeSeparators(found[row]));
    pick(1);
    EXPECT_EQ(nwn->text(), found[1]);
    EXPECT_FALSE(find("Next1")->isEnabled());
}

TEST_F(CopiesFoundTest, AClickInTheEmptyPathBoxOpensTheListOfCopies) {
    nwn->clear();
    QTest::mouseClick(nwn, Qt::LeftButton);
    ASSERT_TRUE(list->isVisible());
    pick(2);
    EXPECT_EQ(nwn->text(), found[2]);
    EXPECT_TRUE(find("Next1")->isEnabled());
}

// The list shows which launcher led to each copy, and its path shortened in the middle where
// the box is too narrow, so that both the prefix's folder and the file name stay in view.
TEST_F(CopiesFoundTest, ListShowsEachLauncherAndThePathWithTheWholePathAsTooltip) {
    const QAbstractItemModel* rows = nwn->completer()->completionModel();
    ASSERT_EQ(rows->rowCount(), 3);
    EXPECT_EQ(rows->index(0, 0).data().toString(), "Lutris: " + QDir::toNativeSeparators(found[0]));
    EXPECT_EQ(rows->index(2, 0).data().toString(), QDir::toNativeSeparators(found[2]))
        << "a copy of no known launcher shows its path alone";
    EXPECT_EQ(list->textElideMode(), Qt::ElideMiddle);
}

TEST_F(MainWindowTest, OneCopyFoundNeedsNoList) {
    open(files.executable(0));
    EXPECT_EQ(find<QLineEdit>("NWN")->completer(), nullptr);
}

TEST_F(MainWindowTest, TheExecutableReadLastIsOfferedWhereTheSearchFindsNoneAndBrowseOpensThere) {
    const QString note = QStringLiteral("Looked in ~/.wine.  Please use Browse.");
    read(0);
    open(MainWindow::LocatedGames({}, note));
    EXPECT_EQ(find<QLineEdit>("NWN")->text(), files.executable(0));
    EXPECT_TRUE(find("Next1")->isEnabled());
    EXPECT_FALSE(find("SearchNote")->isVisible());

    // A copy the search finds comes first; a remembered file that is gone is not offered.
    open(MainWindow::LocatedGames({files.executable(1)}, note));
    EXPECT_EQ(find<QLineEdit>("NWN")->text(), files.executable(1));
    places.setExecutable(files.path("gone/nwmain.exe"));
    open(MainWindow::LocatedGames({}, note));
    EXPECT_EQ(find<QLineEdit>("NWN")->text(), "");
    EXPECT_TRUE(find("SearchNote")->isVisible());
    EXPECT_EQ(find<QLabel>("SearchNote")->text(), note);
    // Browse opens at the remembered file all the same while the box is empty.
    dialogs.queue(std::nullopt);
    click("BrowseButton");
    EXPECT_EQ(dialogs.asked(), QStringList{"executable:" + files.path("gone/nwmain.exe")});
}

// The places are kept in the settings, so that the next start of the program finds them.
TEST_F(MainWindowTest, TheExecutableReadIsRememberedFromOneStartToTheNext) {
    const QString settingsFile = files.path("config/orvendel.conf");
    const auto settings = [&] {
        return std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
    };
    {
        RememberedPlaces first(settings());
        MainWindow window(messages, dialogs, first, files.executable(1));
        window.locationPage()->nextButton()->click();
    }
    RememberedPlaces next(settings());
    MainWindow window(messages, dialogs, next, MainWindow::LocatedGames({}, QStringLiteral("-")));
    EXPECT_EQ(window.locationPage()->pathEdit()->text(), files.executable(1));
}

TEST_F(MainWindowTest, WindowShowsBeforeTheSearchEndsAndTheSearchFillsThePathBoxAfter) {
    HeldSearch search;
    open(search.locator(files.executable(1)));
    QSignalSpy ended(window.get(), &MainWindow::searchEnded);
    auto* nwn = find<QLineEdit>("NWN");
    EXPECT_TRUE(window->searching());
    EXPECT_EQ(nwn->text(), "");
    EXPECT_FALSE(find("Next1")->isEnabled());
    EXPECT_TRUE(find("SearchNote")->isVisible());
    EXPECT_EQ(find<QLabel>("SearchNote")->text(), "Looking for NWMAIN.EXE...");

    search.release();
    ASSERT_TRUE(ended.wait(HeldSearch::kHoldLimit));
    EXPECT_FALSE(window->searching());
    EXPECT_EQ(nwn->text(), files.executable(1));
    EXPECT_TRUE(find("Next1")->isEnabled());
    EXPECT_FALSE(find("SearchNote")->isVisible());
}

TEST_F(MainWindowTest, APathTypedOrBrowsedToWhileTheSearchRunsIsKept) {
    const std::pair<const char*, bool> rows[] = {{"typed", false}, {"browsed", true}};
    for (const auto& [name, browse] : rows) {
        SCOPED_TRACE(name);
        HeldSearch search;
        open(search.locator(files.executable(0)));
        QSignalSpy ended(window.get(), &MainWindow::searchEnded);
        if (browse) {
            dialogs.queue(files.executable(1));
            click("BrowseButton");
        } else {
            QTest::keyClicks(find<QLineEdit>("NWN"), files.executable(1));
        }
        search.release();
        ASSERT_TRUE(ended.wait(HeldSearch::kHoldLimit));
        EXPECT_EQ(find<QLineEdit>("NWN")->text(), files.executable(1));
        EXPECT_FALSE(find("SearchNote")->isVisible());
    }
}

TEST_F(MainWindowTest, WindowClosedWhileTheSearchRunsNeitherWaitsForItNorCrashes) {
    HeldSearch search;
    open(search.locator(files.executable(1)));
    const QPointer<QThread> thread = window->findChild<QThread*>();
    ASSERT_FALSE(thread.isNull());
    window->close();
    window.reset();
    EXPECT_TRUE(thread->isRunning()) << "the window was destroyed before the search ended";

    search.release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return thread.isNull(); }, HeldSearch::kHoldLimit))
        << "the search thread deletes itself once it has ended";
}

TEST_F(MainWindowTest, NeitherWindowClosesWhileARunWorksAndCancelEndsTheEventLoopAfter) {
    open(files.executable(1));
    ProgressWindow* busy = window->progressWindow();
    bool bothShown = false;
    busy->runModal(ProgressWindow::WhenDone::WaitForOk, [&](ProgressSink& progress) {
        // The attempts come from the window's thread while the run waits for them.
        QSemaphore tried;
        QMetaObject::invokeMethod(
            busy,
            [&] {
                window->close();
                click("Command2");
                busy->close();
                QTest::keyClick(busy, Qt::Key_Escape);
                bothShown = window->isVisible() && busy->isVisible();
                tried.release();
            },
            Qt::QueuedConnection);
        tried.acquire();
        progress.setStatus(kModified.toStdString());
        return ProgressWindow::Outcome{};
    });
    EXPECT_TRUE(bothShown);
    EXPECT_EQ(okStatuses, QStringList{kModified});
    EXPECT_TRUE(window->isVisible());
    click("Command2");
    EXPECT_FALSE(window->isVisible()) << "once the run is over, Cancel ends the program";
    // The event loop ends once the main window closes, the hidden progress window
    // notwithstanding; the guard keeps a fault from hanging the run.
    window->show();
    QTimer::singleShot(0, window.get(), [this] { window->close(); });
    QTimer::singleShot(60000, qApp, [] { QCoreApplication::exit(2); });
    EXPECT_EQ(QApplication::exec(), 0);
}

class SettingsFileTest : public MainWindowTest {
protected:
    // Revision 0: every field is read and lies within the load's clamps, so a saved record
    // comes back as it was.
    void SetUp() override { read(0); }
};

TEST_F(SettingsFileTest, SaveAndLoadRoundTripAndCancelledDialogsDoNothing) {
    dialogs.queue(std::nullopt);
    click("LoadSettings");
    EXPECT_TRUE(sameBytes(record(), window->state().undoSnapshot));

    dragPointer(*page()->distanceGauge(Camera::Drive), 0, 200);
    QCoreApplication::processEvents();  // the viewing-distance warning
    const CameraSettings saved = record();
    save(files.path("mine.chs"));
    const auto boxes = messages.shown().size();  // at most the viewing-distance warning
    page()->applyBiowareDefaults();
    load(files.path("mine.chs"));
    EXPECT_EQ(messages.shown().size(), boxes);
    // Seven significant digits in the file: a dragged value comes back within its last digit.
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        const float want = fieldValue(saved, field);
        EXPECT_NEAR(fieldValue(record(), field), want, 1e-6 * std::max(1.0f, std::abs(want)))
            << fieldName(field);
    }
    EXPECT_EQ(dialogs.asked(), QStringList({"open-settings", "save-settings", "open-settings"}));
}

TEST_F(SettingsFileTest, SavingOverAnExistingFileAsksFirstAndNoKeepsTheFile) {
    const QString existing = files.write("sets/mine.chs", "a player's own file");
    const QString question = QStringLiteral("\"%1\" already exists.  Do you want to replace it?")
                                 .arg(QDir::toNativeSeparators(existing));
    messages.clear();
    messages.queueAnswer(false);
    save(existing);
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].kind, ScriptedMessageBoxes::Kind::YesNo);
    EXPECT_EQ(messages.shown()[0].text, question);
    const auto kept = WindowTestFiles::read(existing);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "a player's own file");

    messages.queueAnswer(true);
    save(existing);
    EXPECT_EQ(messages.shown().size(), 2);
    const auto saved = WindowTestFiles::read(existing);
    EXPECT_EQ(std::string(saved.begin(), saved.end()).rfind("\"Version\",\"G\"\r\n", 0), 0u);
}

TEST_F(SettingsFileTest, SettingsDialogsOpenInTheFolderOfTheLastSettingsFileChosen) {
    const QString folder = QFileInfo(files.write("sets/mine.chs", "")).absolutePath();
    messages.queueAnswer(false);  // mine.chs is there: not replaced
    save(files.path("sets/mine.chs"));
    dialogs.queue(std::nullopt);
    click("LoadSettings");
    read(0);  // the next window (a next start, with the same remembered places) opens there too

    dialogs.queue(std::nullopt);
    click("SaveSettings");
    EXPECT_EQ(dialogs.settingsFolders(), QStringList({QString(), folder, folder}));
}

// Which names are refused is the core's to decide (every name of the executable and of its kept
// copy); the window shows the refusal and writes nothing.
TEST_F(SettingsFileTest, SavingOntoTheExecutableOrItsOriginalCopyIsRefusedWithAWarning) {
    const QString copy = files.write("rev0/nwmain.exe.orvendel-original", "original");
    messages.clear();
    for (const QString& name : {files.executable(0), copy, files.path("rev0/settings.chs")})
        save(name);
    ASSERT_EQ(messages.shown().size(), 2) << "saving beside them is fine";
    // The message names the file as the system writes paths (with backslashes on Windows).
    EXPECT_EQ(messages.shown()[0].text,
              QStringLiteral("Cannot save the settings as \"%1\": it is the game's executable.")
                  .arg(QDir::toNativeSeparators(files.executable(0))));
    EXPECT_EQ(messages.shown()[1].text,
              QStringLiteral("Cannot save the settings as \"%1\": it is the kept copy of the "
                             "game's original executable.")
                  .arg(QDir::toNativeSeparators(copy)));
    EXPECT_EQ(messages.shown()[0].icon, MessageBoxes::Icon::Exclamation);
    EXPECT_TRUE(unchanged(0));
    EXPECT_EQ(WindowTestFiles::read(copy),
              std::vector<std::uint8_t>({'o', 'r', 'i', 'g', 'i', 'n', 'a', 'l'}));
    EXPECT_TRUE(fs::is_regular_file(files.path("rev0/settings.chs").toStdString()));
}

TEST_F(SettingsFileTest, BadFilesAreRefusedNamingTheFileAndAWrongTagOnlyClampsTheRecord) {
    // Reading and writing faults are the settings file's own to find; the window shows them.
    messages.clear();
    const CameraSettings before = record();
    load(files.write("words.chs", "\"Version\",\"G\"\r\n\"CTAngleMin\",twelve\r\n"));
    save(files.path("no-such-folder/mine.chs"));
    ASSERT_EQ(messages.shown().size(), 2);
    EXPECT_TRUE(messages.shown()[0].text.contains("words.chs"));
    EXPECT_TRUE(messages.shown()[1].text.contains("mine.chs"));
    EXPECT_TRUE(sameBytes(record(), before));

    messages.clear();
    window->state().settings.CTAngleMax = 120;  // beyond what a load lets through
    load(files.write("lower.chs", "\"Version\",\"g\"\r\n"));
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].text, "Filename is in an unknown format.");
    EXPECT_EQ(messages.shown()[0].icon, MessageBoxes::Icon::Exclamation);
    EXPECT_EQ(record().CTAngleMax, 89);
}

}  // namespace
}  // namespace orvendel
