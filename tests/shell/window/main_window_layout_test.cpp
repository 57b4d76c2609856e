// The main window and the progress window against their layout: places, sizes, captions, tab
// order and colours.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <vector>

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

TEST_F(MainWindowLayoutTest, EveryControlOfTheTablesIsFoundAndInPlace) {
    EXPECT_EQ(window.objectName(), "Form1");
    EXPECT_EQ(window.windowTitle(), "Orvendel Version H");
    EXPECT_EQ(window.minimumSize(), QSize(530, 579));  // 7950 x 8685 twips
    EXPECT_EQ(window.maximumSize(), QSize(530, 579));
    std::vector<ControlLayout> rows(mainWindowLayout().begin(), mainWindowLayout().end());
    rows.insert(rows.end(), settingsPageLayout().begin(), settingsPageLayout().end());
    for (const ControlLayout& row : rows) {
        auto* w = find(row.name);
        if (w == nullptr)
            continue;
        const QRect expected = twipsRect(row.left, row.top, row.width, row.height);
        auto* label = qobject_cast<QLabel*>(w);
        if (label != nullptr && label->wordWrap()) {
            // A wrapped label may grow downwards when the font needs more than its lines.
            EXPECT_EQ(w->pos(), expected.topLeft()) << row.name;
            EXPECT_EQ(w->width(), expected.width()) << row.name;
            EXPECT_GE(w->height(), expected.height()) << row.name;
        } else {
            EXPECT_EQ(w->geometry(), expected) << row.name;
        }
    }
    // A few places written out in pixels, so that a wrong row in the table shows up too.
    EXPECT_EQ(find("SettingsFrame")->geometry(), QRect(3, 1, 520, 570));
    EXPECT_EQ(find("NWN")->geometry(), QRect(6, 328, 383, 24));
    EXPECT_EQ(find("Next1")->geometry(), QRect(160, 531, 80, 31));
    EXPECT_EQ(find("Label12")->parentWidget()->objectName(), "NWMainLocationFrame");
}

TEST_F(MainWindowLayoutTest, CaptionsAndColours) {
    const std::pair<const char*, const char*> captions[] = {
        {"Label12",
         "Welcome to Orvendel Version H by the Orvendel developers.  Please send any comments or "
         "suggestions to the project's issue tracker."},
        {"Label16",
         "Please verify the location of your Neverwinter Nights installation.  If the location "
         "of NWMAIN.EXE listed below is incorrect, please use the Browse button to find it."},
        {"Label17", "Click Next to continue, or Cancel to quit"},
        {"BrowseButton", "Browse..."},
        {"Next1", "Next >"},
        {"Command2", "Cancel"},
        {"ApplyButton", "Modify NWN"},
        {"CancelButton", "Exit"},
        {"Label7", "Camera Height"}};
    for (const auto& [name, text] : captions)
        EXPECT_EQ(find(name)->property("text").toString(), text) << name;
    EXPECT_TRUE(find<QLabel>("Label16")->wordWrap());

    const QColor black(0, 0, 0);
    EXPECT_EQ(find("NWMainLocationFrame")->palette().color(QPalette::Window), black);
    for (const char* name : {"Label12", "Label17", "Label13"}) {
        EXPECT_EQ(find(name)->palette().color(QPalette::WindowText), QColor(255, 255, 0)) << name;
        EXPECT_EQ(find(name)->palette().color(QPalette::Window), black) << name;
    }
    // Buttons and the text box keep the system's colours.
    const QPalette system = QApplication::palette();
    EXPECT_EQ(find("NWN")->palette().color(QPalette::Base), system.color(QPalette::Base));
    EXPECT_EQ(find("Next1")->palette().color(QPalette::Button), system.color(QPalette::Button));
    const QImage picture = window.grab().toImage();  // a blank spot of the page is black
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, 200), black);
}

TEST_F(MainWindowLayoutTest, TabFollowsTheTabIndexesOnBothPages) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_FALSE(find("SettingsFrame")->isVisible());
    EXPECT_EQ(focusChain(find("NWN")), QStringList({"NWN", "BrowseButton", "Next1", "Command2"}));

    find<QPushButton>("Next1")->click();
    ASSERT_TRUE(find("SettingsFrame")->isVisible());
    // Revision 1 hides both "FPS Mode!" buttons, so Tab passes them by.
    EXPECT_EQ(focusChain(find("DHeight")),
              QStringList({"DHeight", "ApplyButton", "CancelButton", "CTGauge", "LGauge1",
                           "CTClipGauge", "CTHeight", "DGauge", "DClipGauge", "BiowareBtn",
                           "UndoBtn", "SaveSettings", "LoadSettings", "DZoomGauge"}));
}

TEST_F(MainWindowLayoutTest, EscapeOnTheLocationPageEndsTheProgram) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(find("NWN"), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST(BusyFormLayoutTest, CaptionSizeAndControls) {
    BusyForm form;
    EXPECT_EQ(form.objectName(), "BusyForm");
    EXPECT_EQ(form.windowTitle(), "Hacking NWN...");
    EXPECT_EQ(form.minimumSize(), QSize(325, 107));
    EXPECT_EQ(form.maximumSize(), QSize(325, 107));
    for (const ControlLayout& row : busyFormLayout()) {
        auto* w = form.findChild<QWidget*>(QLatin1String(row.name));
        ASSERT_NE(w, nullptr) << row.name;
        EXPECT_EQ(w->geometry(), twipsRect(row.left, row.top, row.width, row.height)) << row.name;
    }
    auto* label = form.findChild<QLabel*>(QStringLiteral("Label1"));
    EXPECT_EQ(label->text(), "Modifying Neverwinter Nights...");
    EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    auto* ok = form.findChild<QPushButton*>(QStringLiteral("OKButton"));
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
}

}  // namespace
}  // namespace orvendel
