// SPDX-License-Identifier: MIT
// The main window and the progress window against their layout: places, sizes, captions, tab
// order and colours; and the screenshots of every step.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <span>

#include "shell/editor/settings_page_layout.h"
#include "shell/window/screenshots.h"
#include "shell/window/window_layout.h"
#include "window_fixture.h"

namespace orvendel {
namespace {

// Names of the controls that Tab reaches, in order, from `start` round to it again: visible,
// enabled widgets that take focus by Tab, along the window's focus chain.
QStringList focusChain(QWidget* start) {
    QStringList names;
    QWidget* w = start;
    do {
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) != 0)
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w != start && names.size() < 100);
    return names;
}

class MainWindowLayoutTest : public MainWindowFixture {
protected:
    void SetUp() override {
        open(files.executable(1));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

// Every row of the three layout tables against its control, each window's frame, captions
// and colours.
TEST_F(MainWindowLayoutTest, EveryControlIsInPlaceWithItsCaptionAndColours) {
    BusyForm busy;
    const struct {
        QWidget* window;
        std::span<const ControlLayout> rows;
        const char* name;
        const char* title;
        QSize size;
    } windows[] = {
        {window.get(), mainWindowLayout(), "Form1", "Orvendel Version H", QSize(530, 579)},
        {window.get(), settingsPageLayout(), "Form1", "Orvendel Version H", QSize(530, 579)},
        {&busy, busyFormLayout(), "BusyForm", "Hacking NWN...", QSize(325, 107)}};
    for (const auto& table : windows) {
        EXPECT_EQ(table.window->objectName(), table.name);
        EXPECT_EQ(table.window->windowTitle(), table.title);
        EXPECT_EQ(table.window->minimumSize(), table.size);
        EXPECT_EQ(table.window->maximumSize(), table.size);
        for (const ControlLayout& row : table.rows) {
            auto* w = table.window->findChild<QWidget*>(QLatin1String(row.name));
            ASSERT_NE(w, nullptr) << row.name;
            QRect expected = twipsRect(row.left, row.top, row.width, row.height);
            // A wrapped label may grow downwards when the font needs more than its lines.
            auto* label = qobject_cast<QLabel*>(w);
            if (label != nullptr && label->wordWrap())
                expected.setHeight(w->height());
            EXPECT_EQ(w->geometry(), expected) << row.name;
        }
    }
    // A few places written out in pixels, so that a wrong row in a table shows up too.
    EXPECT_EQ(find("SettingsFrame")->geometry(), QRect(3, 1, 520, 570));
    EXPECT_EQ(find("Next1")->geometry(), QRect(160, 531, 80, 31));
    EXPECT_EQ(find("RestoreButton")->geometry(), QRect(367, 361, 115, 25));
    EXPECT_EQ(find("SearchNote")->geometry(), QRect(8, 100, 481, 80));
    EXPECT_EQ(find("Label12")->parentWidget()->objectName(), "NWMainLocationFrame");
    // The location page's controls lie inside it apart, and its buttons fit their captions.
    const QWidget* location = find("NWMainLocationFrame");
    const auto controls = location->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QWidget* w = controls[i];
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_TRUE(location->rect().contains(w->geometry()));
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(w->geometry().intersects(controls[j]->geometry()))
                << controls[j]->objectName().toStdString();
        if (auto* b = qobject_cast<const QPushButton*>(w)) {
            EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) +
                          2 * b->style()->pixelMetric(QStyle::PM_ButtonMargin),
                      b->width());
        }
    }

    const std::pair<QWidget*, const char*> captions[] = {
        {find("Label12"),
         "Welcome to Orvendel Version H by the Orvendel developers.  Please send any comments or "
         "suggestions to the project's issue tracker."},
        {find("Label16"),
         "Please verify the location of your Neverwinter Nights installation.  If the location "
         "of NWMAIN.EXE listed below is incorrect, please use the Browse button to find it."},
        {find("Label17"), "Click Next to continue, or Cancel to quit"},
        {find("BrowseButton"), "Browse..."},
        {find("Next1"), "Next >"},
        {find("Command2"), "Cancel"},
        {find("RestoreButton"), "Restore Original"},
        {find("ApplyButton"), "Modify NWN"},
        {find("CancelButton"), "Exit"},
        {find("Label7"), "Camera Height"},
        {busy.findChild<QWidget*>("Label1"), "Modifying Neverwinter Nights..."},
        {busy.findChild<QWidget*>("OKButton"), "OK"}};
    for (const auto& [w, text] : captions)
        EXPECT_EQ(w->property("text").toString(), text) << text;
    EXPECT_TRUE(find<QLabel>("Label16")->wordWrap());
    EXPECT_EQ(busy.findChild<QLabel*>("Label1")->alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_TRUE(busy.findChild<QPushButton*>("OKButton")->isDefault());

    const QColor black(0, 0, 0);
    EXPECT_EQ(find("NWMainLocationFrame")->palette().color(QPalette::Window), black);
    for (const char* name : {"Label12", "Label17", "Label13"})
        EXPECT_EQ(find(name)->palette().color(QPalette::WindowText), QColor(255, 255, 0)) << name;
    // Buttons keep the system's colours.
    EXPECT_EQ(find("Next1")->palette().color(QPalette::Button),
              QApplication::palette().color(QPalette::Button));
    const QImage picture = window->grab().toImage();  // a blank spot of the page is black
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, 200), black);
}

TEST_F(MainWindowLayoutTest, TabFollowsTheTabIndexesOnBothPagesAndEscapeEndsOnlyTheFirst) {
    EXPECT_EQ(focusChain(find("NWN")), QStringList({"NWN", "BrowseButton", "Next1", "Command2"}));
    files.write("rev1/nwmain.exe.orvendel-original", "copy");  // "Restore Original" takes a turn
    find<QLineEdit>("NWN")->clear();
    find<QLineEdit>("NWN")->setText(files.executable(1));
    EXPECT_EQ(focusChain(find("NWN")),
              QStringList({"NWN", "BrowseButton", "RestoreButton", "Next1", "Command2"}));
    QTest::keyClick(find("NWN"), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible()) << "Esc on the location page ends the program";

    window->show();
    click("Next1");
    ASSERT_TRUE(find("SettingsFrame")->isVisible());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // Revision 1 hides both "FPS Mode!" buttons, so Tab passes them by.
    EXPECT_EQ(focusChain(find("DHeight")),
              QStringList({"DHeight", "ApplyButton", "CancelButton", "CTGauge", "LGauge1",
                           "CTClipGauge", "CTHeight", "DGauge", "DClipGauge", "BiowareBtn",
                           "UndoBtn", "SaveSettings", "LoadSettings", "DZoomGauge"}));
    QTest::keyClick(find("UndoBtn"), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible()) << "Esc on the settings page keeps unsaved edits";
}

TEST_F(MainWindowLayoutTest, ScreenshotsPictureEveryStepLeaveTheFileAloneAndReportAnUnmadeFolder) {
    const QString path = files.executable(1);
    const auto modified = std::filesystem::last_write_time(path.toStdString());
    QTemporaryDir out;
    EXPECT_EQ(writeScreenshots(*window, out.path()), QString());
    for (const char* name : {"location-page.png", "settings-page.png", "progress-window.png"})
        EXPECT_FALSE(QImage(out.filePath(QLatin1String(name))).isNull()) << name;
    EXPECT_TRUE(WindowTestFiles::read(path) == files.original(1));
    EXPECT_EQ(std::filesystem::last_write_time(path.toStdString()), modified);

    // A file where the folder goes.
    const QString error = writeScreenshots(*window, files.write("blocked", "123") + "/pictures");
    EXPECT_TRUE(error.contains(QStringLiteral("pictures"))) << error.toStdString();
}

}  // namespace
}  // namespace orvendel
