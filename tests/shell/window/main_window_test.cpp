// The main window on sample executables: the whole road from "Next >" to the bytes in the file
// and back, read-only, hard-linked, unrecognised and unreadable files, records nobody chose, a
// double click on "Next >", "Restore Original", and settings files.
#include "shell/window/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <bit>
#include <functional>

#include "../gauge_drags.h"
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

// Where the copy of an executable from before its first change is kept.
std::string originalCopy(const QString& executable) {
    return executable.toStdString() + ".orvendel-original";
}

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
    bool unchanged(int revision) {
        return WindowTestFiles::read(files.executable(revision)) == files.original(revision);
    }
    long boxesWithText(const QString& text) {
        return std::count_if(messages.shown().begin(), messages.shown().end(),
                             [&](const auto& box) { return box.text == text; });
    }
};

// One walk per revision, with the edit that makes "Modify NWN" ask first.
struct Road {
    int revision;
    void (*edit)(CameraSettings&);
    const char* warning;
};
void PrintTo(const Road& road, std::ostream* out) {
    *out << "revision " << road.revision;
}

class WholeRoadTest : public MainWindowTest, public ::testing::WithParamInterface<Road> {};

TEST_P(WholeRoadTest, ReadEditWarnWriteUndoAndWriteBack) {
    const Road& road = GetParam();
    open(files.executable(road.revision));
    click("Next1");
    EXPECT_EQ(window->busyForm()->statusText(), "Neverwinter Nights options successfully loaded!");
    EXPECT_EQ(window->busyForm()->progressMax(), double(WindowTestFiles::kSize));
    EXPECT_EQ(window->state().ExecutableRevision, road.revision);
    EXPECT_EQ(page()->distanceGauge(Camera::ChaseTopDown)->pointerValue(0), record().CTClipDist);
    EXPECT_EQ(find("CTFPS")->isVisibleTo(window.get()), road.revision == 0);

    // An edit by mouse, then the one that makes "Modify NWN" ask first.
    dragPointer(*page()->distanceGauge(Camera::ChaseTopDown), 0, 100);
    EXPECT_NEAR(record().CTClipDist, 100, 2);
    road.edit(window->state().settings);

    // The warning: Cancel writes nothing, OK writes the record's values at every site.
    messages.clear();
    messages.queueAnswer(false);
    click("ApplyButton");
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].kind, ScriptedMessageBoxes::Kind::OkCancel);
    EXPECT_TRUE(messages.shown()[0].text.startsWith(QLatin1String(road.warning)));
    EXPECT_TRUE(okStatuses.isEmpty());
    EXPECT_TRUE(unchanged(road.revision));
    messages.queueAnswer(true);
    click("ApplyButton");
    EXPECT_EQ(okStatuses, QStringList{kModified});
    expectFileHoldsRecord(road.revision);

    // "Undo Changes" and write again: the original file comes back byte for byte, unasked.
    click("UndoBtn");
    click("ApplyButton");
    EXPECT_EQ(messages.shown().size(), 2);
    EXPECT_EQ(cursorsAtOk, QList<Qt::CursorShape>({Qt::WaitCursor, Qt::WaitCursor}));
    EXPECT_TRUE(unchanged(road.revision));
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);

    // "Exit" with unwritten edits ends the program without a question or a write.
    page()->applyBiowareDefaults();
    click("CancelButton");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(messages.shown().size(), 2);
    EXPECT_TRUE(unchanged(road.revision));
}

INSTANTIATE_TEST_SUITE_P(
    BothRevisions, WholeRoadTest,
    ::testing::Values(
        Road{0, [](CameraSettings& s) { s.DAngleDel = s.DAngleMin + 10; },
             "You have chosen your DEL key angle to be different from your minimum angle."},
        Road{1, [](CameraSettings& s) { s.DZoomMin = 7; },
             "You have chosen to modify the minimum zoom for Drive Camera."}),
    [](const auto& info) { return "Revision" + std::to_string(info.param.revision); });

TEST_F(MainWindowTest, ReadOnlyExecutableIsLeftAloneOnNoAndMadeWritableOnYes) {
    const QString path = files.executable(1);
    fs::permissions(path.toStdString(), fs::perms(0444));
    open(path);
    messages.queueAnswer(false);
    click("Next1");
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].kind, ScriptedMessageBoxes::Kind::YesNo);
    EXPECT_EQ(messages.shown()[0].title, "Read Only");
    EXPECT_EQ(messages.shown()[0].text, kReadOnlyQuestion);
    // No run, but the settings page all the same.
    EXPECT_EQ(window->state().ExecutableRevision, -1);
    EXPECT_TRUE(find("SettingsFrame")->isVisible());
    // Nothing was read, so "Modify NWN" refuses before it asks anything.
    click("ApplyButton");
    ASSERT_EQ(messages.shown().size(), 2);
    EXPECT_EQ(messages.shown()[1].text, kNothingToWrite);
    EXPECT_EQ(messages.shown()[1].icon, MessageBoxes::Icon::Exclamation);
    page()->applyBiowareDefaults();
    messages.queueAnswer(false);
    click("ApplyButton");  // asked again before writing
    EXPECT_EQ(boxesWithText(kReadOnlyQuestion), 2);
    EXPECT_TRUE(okStatuses.isEmpty());
    EXPECT_EQ(fs::status(path.toStdString()).permissions(), fs::perms(0444));

    const QString other = files.executable(0);
    fs::permissions(other.toStdString(), fs::perms(0444));
    open(other);
    messages.queueAnswer(true);
    click("Next1");
    EXPECT_EQ(window->state().ExecutableRevision, 0);
    click("ApplyButton");  // writable now: no further question
    EXPECT_EQ(boxesWithText(kReadOnlyQuestion), 3);
    EXPECT_EQ(okStatuses, QStringList{kModified});
}

TEST_F(MainWindowTest, UnrecognisedExecutableWaitsForOkOpensTheSettingsPageAndIsNeverWritten) {
    std::string other(64 * 1024, '\0');
    for (std::size_t i = 0; i < other.size(); ++i)
        other[i] = static_cast<char>(i * 7);
    const QString path = files.write("other/nwmain.exe", other);
    open(path);
    click("Next1");
    EXPECT_EQ(window->state().ExecutableRevision, -1);
    EXPECT_EQ(okStatuses, QStringList{kUnknownVersion}) << "the reason stays on screen until OK";
    EXPECT_TRUE(find("SettingsFrame")->isVisible());
    dialogs.queue(files.path("zeros.chs"));
    click("SaveSettings");
    const QString wrongTag = files.write("lower.chs", "\"Version\",\"g\"\r\n");

    // Only values that somebody chose are written: "Modify NWN" refuses the read's leftovers
    // at once, also after "Undo Changes" back to them and after a file it could not load
    // whole; each preset and a loaded file make the record writable (and, without a revision,
    // go to the writing run unwarned, which finds no revision either). Each row starts from
    // "Undo Changes".
    const struct {
        const char* what;
        std::function<void()> choose;
        bool writes;
        int boxesBefore;  // shown before "Modify NWN"
    } rows[] = {
        {"nothing", [] {}, false, 0},
        {"a file of an unknown format",
         [&] {
             dialogs.queue(wrongTag);
             click("LoadSettings");
         },
         false, 1},
        {"Bioware Defaults", [&] { click("BiowareBtn"); }, true, 0},
        {"FPS Mode! of the chase camera", [&] { click("CTFPS"); }, true, 0},
        {"FPS Mode! of the drive camera", [&] { click("DFPS"); }, true, 0},
        {"a settings file",
         [&] {
             dialogs.queue(files.path("zeros.chs"));
             click("LoadSettings");
         },
         true, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        click("UndoBtn");
        messages.clear();
        okStatuses.clear();
        row.choose();
        ASSERT_EQ(messages.shown().size(), row.boxesBefore);
        click("ApplyButton");
        if (row.writes) {
            EXPECT_EQ(messages.shown().size(), row.boxesBefore);
            EXPECT_EQ(okStatuses, QStringList{kUnknownVersion});
        } else {
            ASSERT_EQ(messages.shown().size(), row.boxesBefore + 1);
            EXPECT_EQ(messages.shown().back().text, kNothingToWrite);
            EXPECT_TRUE(okStatuses.isEmpty());
        }
    }
    EXPECT_TRUE(WindowTestFiles::read(path) ==
                std::vector<std::uint8_t>(other.begin(), other.end()));
}

TEST_F(MainWindowTest,
       AnExecutableWithOtherNamesIsWrittenOnlyAfterYesAndTheOtherNameKeepsItsBytes) {
    const QString path = files.executable(1);
    const QString link = files.path("rev1/copy-of-nwmain.exe");
    fs::create_hard_link(path.toStdString(), link.toStdString());
    open(path);
    click("Next1");
    EXPECT_TRUE(messages.shown().isEmpty()) << "reading asks nothing";
    window->state().settings.CTClipDist = 60;

    messages.queueAnswer(false);
    click("ApplyButton");
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].kind, ScriptedMessageBoxes::Kind::YesNo);
    EXPECT_EQ(messages.shown()[0].title, "Other Names");
    EXPECT_EQ(messages.shown()[0].text,
              "The NWMAIN.EXE you specified has 1 other name (a hard link) that would keep the "
              "old values.  Do you wish me to modify this name anyway?");
    EXPECT_TRUE(okStatuses.isEmpty());
    EXPECT_TRUE(unchanged(1));

    messages.queueAnswer(true);
    click("ApplyButton");
    EXPECT_EQ(okStatuses, QStringList{kModified});
    expectFileHoldsRecord(1);
    EXPECT_TRUE(WindowTestFiles::read(link) == files.original(1));
}

TEST_F(MainWindowTest,
       DoubleClickOnNextReadsOnceAndWritesNothingWhileKeysAndLaterClicksStillWrite) {
    const QString path = files.executable(0);
    const auto modified = fs::last_write_time(path.toStdString());
    open(path);
    auto* next = find("Next1");
    auto* apply = find("ApplyButton");
    const QPoint at = next->mapTo(window.get(), next->rect().center());
    ASSERT_TRUE(QRect(apply->mapTo(window.get(), QPoint()), apply->size()).contains(at));

    // Press and release on "Next >", then the double click and its release at the same place,
    // on "Modify NWN" by then, as the window system delivers a real double click.
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(find("SettingsFrame")->isVisible());
    EXPECT_EQ(window->state().ExecutableRevision, 0);
    EXPECT_TRUE(okStatuses.isEmpty()) << "a writing run took place";
    EXPECT_EQ(fs::last_write_time(path.toStdString()), modified);
    EXPECT_TRUE(unchanged(0));
    EXPECT_FALSE(fs::exists(originalCopy(path)));
    EXPECT_EQ(window->focusWidget(), find("CTGauge")) << "focus must not rest on Modify NWN";

    // Space on the focused button and a click of its own still write.
    apply->setFocus();
    QTest::keyClick(apply, Qt::Key_Space);
    EXPECT_EQ(okStatuses.size(), 1);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(okStatuses, QStringList({kModified, kModified}));
}

TEST_F(MainWindowTest, RestoreOriginalIsOfferedOnlyWithACopyAndPutsItBackAfterYes) {
    const QString path = files.executable(1);
    std::vector<std::uint8_t> changed = files.original(1);
    changed[100] ^= 0xFF;
    files.write("rev1/nwmain.exe", {reinterpret_cast<const char*>(changed.data()), changed.size()});
    const QString copy = files.write(
        "rev1/nwmain.exe.orvendel-original",
        {reinterpret_cast<const char*>(files.original(1).data()), files.original(1).size()});
    open(files.executable(0));
    auto* restore = find<QPushButton>("RestoreButton");
    auto* nwn = find<QLineEdit>("NWN");
    EXPECT_FALSE(restore->isEnabled()) << "no copy";
    nwn->setText(path);
    EXPECT_TRUE(restore->isEnabled());

    messages.queueAnswer(false);
    QTest::mouseClick(restore, Qt::LeftButton);
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].kind, ScriptedMessageBoxes::Kind::YesNo);
    EXPECT_EQ(messages.shown()[0].title, "Restore Original");
    EXPECT_EQ(messages.shown()[0].text,
              "Put back the copy of NWMAIN.EXE that was kept before Orvendel first changed it?  "
              "Every camera change written since then is lost.");
    EXPECT_TRUE(okStatuses.isEmpty());
    EXPECT_TRUE(WindowTestFiles::read(path) == changed);

    messages.queueAnswer(true);
    QTest::mouseClick(restore, Qt::LeftButton);
    EXPECT_EQ(okStatuses, QStringList{"The original NWMAIN.EXE is back in place."});
    EXPECT_TRUE(unchanged(1));
    EXPECT_TRUE(WindowTestFiles::read(copy) == files.original(1)) << "the copy stays";
    EXPECT_TRUE(restore->isEnabled());

    // A copy that went away meanwhile: the run says so and the button goes off.
    fs::remove(copy.toStdString());
    messages.queueAnswer(true);
    QTest::mouseClick(restore, Qt::LeftButton);
    EXPECT_EQ(okStatuses.size(), 2);
    EXPECT_FALSE(restore->isEnabled());
    EXPECT_TRUE(unchanged(1));
}

TEST_F(MainWindowTest, FilesThatCannotBeReadOrWrittenAreReportedByName) {
    // A folder called nwmain.exe: its attributes can be read, its bytes cannot.
    const QString folder = files.path("folder/nwmain.exe");
    fs::create_directories(folder.toStdString());
    open(folder);
    window->processData(true);
    ASSERT_EQ(okStatuses.size(), 1) << "the reason stays on screen until OK";
    EXPECT_TRUE(okStatuses[0].contains("nwmain.exe")) << okStatuses[0].toStdString();
    EXPECT_EQ(window->state().ExecutableRevision, -1);

    messages.clear();
    const QString path = files.executable(1);
    open(path);
    click("Next1");
    ASSERT_TRUE(fs::remove(path.toStdString()));
    click("ApplyButton");
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown()[0].text.contains("nwmain.exe"))
        << messages.shown()[0].text.toStdString();
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, NextIsEnabledOnlyForAnExistingNwmainExeAndBrowseCancelKeepsThePath) {
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
    QTest::keyClicks(nwn, files.executable(1));  // typing counts as a change too
    EXPECT_TRUE(next->isEnabled());

    dialogs.queue(std::nullopt);
    click("BrowseButton");
    EXPECT_EQ(dialogs.asked(), QStringList{"executable:" + files.executable(1)});
    EXPECT_EQ(nwn->text(), files.executable(1));
    dialogs.queue(files.executable(0));
    click("BrowseButton");
    EXPECT_EQ(nwn->text(), files.executable(0));
}

TEST_F(MainWindowTest, CancelEndsTheProgramAndItsEventLoop) {
    open(files.executable(1));
    click("Command2");
    EXPECT_FALSE(window->isVisible());
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
    void SetUp() override {
        open(files.executable(0));
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
};

TEST_F(SettingsFileTest, SaveAndLoadRoundTripAndCancelledDialogsDoNothing) {
    dialogs.queue(std::nullopt);
    click("LoadSettings");
    EXPECT_TRUE(sameBytes(record(), window->state().UndoSnapshot));

    dragPointer(*page()->distanceGauge(Camera::Drive), 0, 200);
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

TEST_F(SettingsFileTest, SavingOntoTheExecutableIsRefusedHoweverItIsNamed) {
    const QString path = files.executable(0);
    const auto modified = fs::last_write_time(path.toStdString());
    const QString hardLink = files.path("rev0/hard.exe");
    const QString symbolicLink = files.path("rev0/symbolic.chs");
    fs::create_hard_link(path.toStdString(), hardLink.toStdString());
    fs::create_symlink(path.toStdString(), symbolicLink.toStdString());
    messages.clear();
    const QString names[] = {path, files.path("rev0/../rev0/./nwmain.exe"), hardLink, symbolicLink};
    for (const QString& name : names) {
        save(name);
        EXPECT_EQ(messages.shown().back().text,
                  "Cannot save the settings as \"" + name + "\": it is the game's executable.");
        EXPECT_EQ(messages.shown().back().icon, MessageBoxes::Icon::Exclamation);
    }
    EXPECT_EQ(messages.shown().size(), std::size(names));
    EXPECT_TRUE(unchanged(0));
    EXPECT_EQ(fs::last_write_time(path.toStdString()), modified);
    EXPECT_TRUE(fs::is_symlink(symbolicLink.toStdString()));

    // Nor onto the copy of the original, the way back.
    const QString copy = files.write("rev0/nwmain.exe.orvendel-original", "original");
    save(copy);
    EXPECT_EQ(messages.shown().back().text,
              "Cannot save the settings as \"" + copy +
                  "\": it is the kept copy of the game's original executable.");
    EXPECT_EQ(WindowTestFiles::read(copy),
              std::vector<std::uint8_t>({'o', 'r', 'i', 'g', 'i', 'n', 'a', 'l'}));

    save(files.path("rev0/settings.chs"));  // beside it is fine
    EXPECT_EQ(messages.shown().size(), std::size(names) + 1);
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
