// The main window and the progress window against their layout: places, sizes, captions, tab
// order and colours.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <span>

#include "scripted_file_dialogs.h"
#include "shell/editor/scripted_message_boxes.h"
#include "shell/editor/settings_page_layout.h"
#include "shell/window/busy_form.h"
#include "shell/window/main_window.h"
#include "shell/window/window_layout.h"
#include "window_test_files.h"

namespace orvendel {
namespace {

// Names of the controls that Tab reaches, in order, from `start` round to it again: visible,
// enabled widgets that take focus by Tab, along the window's focus chain.
QStringList focusChain(QWidget* start) {
    QStringList names;
    QWidget* w = start;
    do {
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) != 0) {
            names << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w != start && names.size() < 100);
    return names;
}

class MainWindowLayoutTest : public ::testing::Test {
protected:
    MainWindowLayoutTest() : window(messages, dialogs, [this] { return files.executable(1); }) {}

    template <typename T = QWidget>
    T* find(const char* name) {
        auto* w = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    WindowTestFiles files;
    ScriptedMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    MainWindow window;
};

// Every row of the three layout tables against its control, and each window's frame.
TEST_F(MainWindowLayoutTest, EveryControlOfTheTablesIsFoundAndInPlace) {
    BusyForm busy;
    const struct {
        QWidget* window;
        std::span<const ControlLayout> rows;
        const char* name;
        const char* title;
        QSize size;
    } windows[] = {{&window, mainWindowLayout(), "Form1", "Orvendel Version H", QSize(530, 579)},
                   {&window, settingsPageLayout(), "Form1", "Orvendel Version H", QSize(530, 579)},
                   {&busy, busyFormLayout(), "BusyForm", "Hacking NWN...", QSize(325, 107)}};
    for (const auto& table : windows) {
        EXPECT_EQ(table.window->objectName(), table.name);
        EXPECT_EQ(table.window->windowTitle(), table.title);
        EXPECT_EQ(table.window->minimumSize(), table.size);
        EXPECT_EQ(table.window->maximumSize(), table.size);
        for (const ControlLayout& row : table.rows) {
            auto* w = table.window->findChild<QWidget*>(QLatin1String(row.name));
            ASSERT_NE(w, nullptr) << row.name;
            const QRect expected = twipsRect(row.left, row.top, row.width, row.height);
            auto* label = qobject_cast<QLabel*>(w);
            // A wrapped label may grow downwards when the font needs more than its lines.
            if (label != nullptr && label->wordWrap())
                EXPECT_EQ(w->geometry().adjusted(0, 0, 0, expected.height() - w->height()),
                          expected)
                    << row.name;
            else
                EXPECT_EQ(w->geometry(), expected) << row.name;
        }
    }
    // A few places written out in pixels, so that a wrong row in a table shows up too.
    EXPECT_EQ(find("SettingsFrame")->geometry(), QRect(3, 1, 520, 570));
    EXPECT_EQ(find("Next1")->geometry(), QRect(160, 531, 80, 31));
    EXPECT_EQ(find("Label12")->parentWidget()->objectName(), "NWMainLocationFrame");
}

TEST_F(MainWindowLayoutTest, CaptionsAndColours) {
    BusyForm busy;
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
    const QImage picture = window.grab().toImage();  // a blank spot of the page is black
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, 200), black);
}

TEST_F(MainWindowLayoutTest, TabFollowsTheTabIndexesOnBothPages) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(focusChain(find("NWN")), QStringList({"NWN", "BrowseButton", "Next1", "Command2"}));

    find<QPushButton>("Next1")->click();
    ASSERT_TRUE(find("SettingsFrame")->isVisible());
    // Revision 1 hides both "FPS Mode!" buttons, so Tab passes them by.
    EXPECT_EQ(focusChain(find("DHeight")),
              QStringList({"DHeight", "ApplyButton", "CancelButton", "CTGauge", "LGauge1",
                           "CTClipGauge", "CTHeight", "DGauge", "DClipGauge", "BiowareBtn",
                           "UndoBtn", "SaveSettings", "LoadSettings", "DZoomGauge"}));

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(find("UndoBtn"), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible()) << "Esc on the settings page keeps unsaved edits";
}

TEST_F(MainWindowLayoutTest, EscapeOnTheLocationPageEndsTheProgram) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(find("NWN"), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace orvendel
