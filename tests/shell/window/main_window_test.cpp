// The main window on sample executables: the whole road from "Next >" to the bytes in the file
// and back, read-only, unrecognised and unreadable files, and settings files.
#include "shell/window/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <memory>

#include "scripted_file_dialogs.h"
#include "shell/editor/scripted_message_boxes.h"
#include "shell/editor/settings_page.h"
#include "shell/gauges/linear_gauge.h"
#include "shell/window/busy_form.h"
#include "window_test_files.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
const QString kUnknownVersion = QStringLiteral("Unknown version of NWMAIN.  Patch Aborted.");
const QString kModified = QStringLiteral("Neverwinter Nights successfully modified!");
const QString kReadOnlyQuestion = QStringLiteral(
    "The NWMAIN.EXE you specified is Read Only.  Do you wish me to try to modify it anyway?");

class MainWindowTest : public ::testing::Test {
protected:
    // Opens the window on `path`; writing runs are acknowledged with Enter and their final
    // status lines collected.
    void open(const QString& path) {
        window = std::make_unique<MainWindow>(messages, dialogs, [path] { return path; });
        QObject::connect(window->busyForm(), &BusyForm::waitingForOk, [this] {
            BusyForm* busy = window->busyForm();
            okStatuses << busy->statusText();
            cursorsAtOk << window->cursor().shape();
            QTest::keyClick(busy, Qt::Key_Return);
        });
        window->show();
    }
    // Every dialog and question that came up was expected and answered.
    void TearDown() override {
        EXPECT_EQ(dialogs.unscripted(), 0);
        EXPECT_EQ(messages.unscriptedQuestions(), 0);
    }

    template <typename T = QWidget>
    T* find(const char* name) {
        auto* w = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    SettingsPage* page() { return window->settingsPage(); }
    const CameraSettings& record() { return window->state().settings; }
    void next() { find<QPushButton>("Next1")->click(); }
    void modify() { find<QPushButton>("ApplyButton")->click(); }

    // Drags pointer 0 of a linear gauge to `value` with the mouse.
    void dragPointer(LinearGauge* gauge, double value) {
        const QPoint from = gauge->pointerGrabPoint(0).toPoint();
        const QPoint to(static_cast<int>(std::lround(gauge->positionForValue(value))), from.y());
        QTest::mousePress(gauge, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(gauge, (from + to) / 2);
        QTest::mouseMove(gauge, to);
        QTest::mouseRelease(gauge, Qt::LeftButton, Qt::NoModifier, to);
    }

    // Every patch site of the sample holds the record's value, and nothing else changed.
    void expectFileHoldsRecord(int revision) {
        auto expected = files.original(revision);
        for (const auto& site : files.sites(revision)) {
            const auto value =
                WindowTestFiles::encoded(fieldValue(record(), site.field), site.angle);
            std::copy(value.begin(), value.end(),
                      expected.begin() + static_cast<long>(site.offset));
        }
        const auto bytes = WindowTestFiles::read(files.executable(revision));
        ASSERT_EQ(bytes.size(), expected.size());
        EXPECT_TRUE(bytes == expected)
            << "first wrong byte at "
            << std::mismatch(bytes.begin(), bytes.end(), expected.begin()).first - bytes.begin();
    }

    long boxesWithText(const QString& text) {
        return std::count_if(messages.shown().begin(), messages.shown().end(),
                             [&](const auto& box) { return box.text == text; });
    }

    WindowTestFiles files;
    ScriptedMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    QStringList okStatuses;
    QList<Qt::CursorShape> cursorsAtOk;  // the main window's pointer while OK waited
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
    const QString path = files.executable(road.revision);
    open(path);
    next();
    EXPECT_EQ(window->busyForm()->statusText(), "Neverwinter Nights options successfully loaded!");
    EXPECT_EQ(window->busyForm()->progressMax(), double(WindowTestFiles::kSize));
    EXPECT_EQ(window->state().ExecutableRevision, road.revision);
    EXPECT_EQ(page()->distanceGauge(Camera::ChaseTopDown)->pointerValue(0), record().CTClipDist);
    EXPECT_EQ(find("CTFPS")->isVisibleTo(window.get()), road.revision == 0);

    // An edit by mouse, then the one that makes "Modify NWN" ask first.
    dragPointer(page()->distanceGauge(Camera::ChaseTopDown), 100);
    EXPECT_NEAR(record().CTClipDist, 100, 2);
    road.edit(window->state().settings);

    // The warning: Cancel writes nothing, OK writes the record's values at every site.
    messages.clear();
    messages.queueAnswer(false);
    modify();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].kind, ScriptedMessageBoxes::Kind::OkCancel);
    EXPECT_TRUE(messages.shown()[0].text.startsWith(QLatin1String(road.warning)));
    EXPECT_TRUE(okStatuses.isEmpty());
    EXPECT_TRUE(WindowTestFiles::read(path) == files.original(road.revision));
    messages.queueAnswer(true);
    modify();
    EXPECT_EQ(okStatuses, QStringList{kModified});
    expectFileHoldsRecord(road.revision);

    // "Undo Changes" and write again: the original file comes back byte for byte, unasked.
    find<QPushButton>("UndoBtn")->click();
    modify();
    EXPECT_EQ(messages.shown().size(), 2);
    EXPECT_EQ(cursorsAtOk, QList<Qt::CursorShape>({Qt::WaitCursor, Qt::WaitCursor}));
    EXPECT_TRUE(WindowTestFiles::read(path) == files.original(road.revision));
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);

    // "Exit" with unwritten edits ends the program without a question or a write.
    page()->applyBiowareDefaults();
    find<QPushButton>("CancelButton")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(messages.shown().size(), 2);
    EXPECT_TRUE(WindowTestFiles::read(path) == files.original(road.revision));
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
    next();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].kind, ScriptedMessageBoxes::Kind::YesNo);
    EXPECT_EQ(messages.shown()[0].title, "Read Only");
    EXPECT_EQ(messages.shown()[0].text, kReadOnlyQuestion);
    // No run, but the settings page all the same.
    EXPECT_EQ(window->state().ExecutableRevision, -1);
    EXPECT_TRUE(find("SettingsFrame")->isVisible());
    messages.queueAnswer(false);
    modify();  // asked again before writing
    EXPECT_EQ(boxesWithText(kReadOnlyQuestion), 2);
    EXPECT_TRUE(okStatuses.isEmpty());
    EXPECT_EQ(fs::status(path.toStdString()).permissions(), fs::perms(0444));

    const QString other = files.executable(0);
    fs::permissions(other.toStdString(), fs::perms(0444));
    open(other);
    messages.queueAnswer(true);
    next();
    EXPECT_EQ(window->state().ExecutableRevision, 0);
    modify();  // writable now: no further question
    EXPECT_EQ(boxesWithText(kReadOnlyQuestion), 3);
    EXPECT_EQ(okStatuses, QStringList{kModified});
}

TEST_F(MainWindowTest, UnrecognisedExecutableStillOpensTheSettingsPageAndIsNeverWritten) {
    const QString path = files.unrecognised();
    const auto before = WindowTestFiles::read(path);
    open(path);
    next();
    EXPECT_EQ(window->state().ExecutableRevision, -1);
    EXPECT_TRUE(find("SettingsFrame")->isVisible());
    EXPECT_TRUE(okStatuses.isEmpty()) << "an unrecognised read closes at once";

    page()->applyBiowareDefaults();
    modify();
    EXPECT_TRUE(messages.shown().isEmpty()) << "no warning without a revision";
    EXPECT_EQ(okStatuses, QStringList{kUnknownVersion});
    EXPECT_TRUE(WindowTestFiles::read(path) == before);
}

TEST_F(MainWindowTest, FilesThatCannotBeReadOrWrittenAreReportedByName) {
    // A folder called nwmain.exe: its attributes can be read, its bytes cannot.
    const std::filesystem::path folder = files.root() / "folder" / "nwmain.exe";
    std::filesystem::create_directories(folder);
    open(QString::fromStdString(folder.string()));
    window->processData(true);
    ASSERT_EQ(okStatuses.size(), 1) << "the reason stays on screen until OK";
    EXPECT_TRUE(okStatuses[0].contains("nwmain.exe")) << okStatuses[0].toStdString();
    EXPECT_EQ(window->state().ExecutableRevision, -1);

    messages.clear();
    const QString path = files.executable(1);
    open(path);
    next();
    ASSERT_TRUE(std::filesystem::remove(path.toStdString()));
    modify();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown()[0].text.contains("nwmain.exe"))
        << messages.shown()[0].text.toStdString();
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, NextIsEnabledOnlyForAnExistingNwmainExeAndBrowseCancelKeepsThePath) {
    open(QString());
    auto* nwn = find<QLineEdit>("NWN");
    auto* next1 = find<QPushButton>("Next1");
    EXPECT_FALSE(next1->isEnabled());
    std::ofstream(files.path("game.exe").toStdString()) << "x";
    const std::pair<QString, bool> rows[] = {
        {files.executable(0), true}, {files.path("game.exe"), false}, {files.path("rev0"), false}};
    for (const auto& [text, enabled] : rows) {
        nwn->setText(text);
        EXPECT_EQ(next1->isEnabled(), enabled) << text.toStdString();
    }
    nwn->clear();
    QTest::keyClicks(nwn, files.executable(1));  // typing counts as a change too
    EXPECT_TRUE(next1->isEnabled());

    dialogs.queue(std::nullopt);
    find<QPushButton>("BrowseButton")->click();
    EXPECT_EQ(dialogs.asked(), QStringList{"executable:" + files.executable(1)});
    EXPECT_EQ(nwn->text(), files.executable(1));
    dialogs.queue(files.executable(0));
    find<QPushButton>("BrowseButton")->click();
    EXPECT_EQ(nwn->text(), files.executable(0));
}

TEST_F(MainWindowTest, CancelEndsTheProgramAndItsEventLoop) {
    open(files.executable(1));
    find<QPushButton>("Command2")->click();
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
        next();
    }
    void load(const QString& path) {
        dialogs.queue(path);
        find<QPushButton>("LoadSettings")->click();
    }
    void save(const QString& path) {
        dialogs.queue(path);
        find<QPushButton>("SaveSettings")->click();
    }
};

TEST_F(SettingsFileTest, SaveAndLoadRoundTripAndCancelledDialogsDoNothing) {
    dialogs.queue(std::nullopt);
    find<QPushButton>("LoadSettings")->click();
    EXPECT_TRUE(sameBytes(record(), window->state().UndoSnapshot));

    dragPointer(page()->distanceGauge(Camera::Drive), 200);
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

TEST_F(SettingsFileTest, BadFilesAreRefusedNamingTheFileAndAWrongTagOnlyClampsTheRecord) {
    // Reading and writing faults are the settings file's own to find; the window shows them.
    messages.clear();
    const CameraSettings before = record();
    std::ofstream(files.path("words.chs").toStdString())
        << "\"Version\",\"G\"\r\n\"CTAngleMin\",twelve\r\n";
    load(files.path("words.chs"));
    save(files.path("no-such-folder/mine.chs"));
    ASSERT_EQ(messages.shown().size(), 2);
    EXPECT_TRUE(messages.shown()[0].text.contains("words.chs"));
    EXPECT_TRUE(messages.shown()[1].text.contains("mine.chs"));
    EXPECT_TRUE(sameBytes(record(), before));

    messages.clear();
    window->state().settings.CTAngleMax = 120;  // beyond what a load lets through
    std::ofstream(files.path("lower.chs").toStdString()) << "\"Version\",\"g\"\r\n";
    load(files.path("lower.chs"));
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].text, "Filename is in an unknown format.");
    EXPECT_EQ(messages.shown()[0].icon, MessageBoxes::Icon::Exclamation);
    EXPECT_EQ(record().CTAngleMax, 89);
}

}  // namespace
}  // namespace orvendel
