// SPDX-License-Identifier: MIT
// Ways into a gauge besides the mouse: typed values through the inline editor and assistive
// technology through the accessible interfaces; both are a user's moves, so on the settings page
// the interlocks apply to them as to a drag.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <vector>

#include "camera/angle_editor.h"
#include "camera/zoom_editor.h"
#include "shell/editor/message_boxes.h"
#include "shell/editor/settings_page.h"
#include "shell/gauges/gauge_accessible.h"
#include "shell/gauges/gauge_designs.h"
#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"

namespace orvendel {
namespace {

// The zoom gauge (pointers at 5, 20 and 8) in a window beside a line edit that can take the
// focus away.
class TypedValueTest : public testing::Test {
protected:
    TypedValueTest() {
        configureZoomGauge(gauge);
        gauge.setGeometry(0, 0, 279, 59);
        elsewhere.setGeometry(0, 70, 100, 20);
        const double values[] = {5, 20, 8};
        for (int i = 0; i < 3; ++i)
            gauge.setPointerValue(i, values[i]);
    }
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        gauge.setFocus();
    }
    // Selects `pointer`, opens the editor with `opener` and types `text` over the value.
    QLineEdit* type(int pointer, Qt::Key opener, const char* text) {
        QTest::keyClick(&gauge, static_cast<Qt::Key>(Qt::Key_1 + pointer));
        QTest::keyClick(&gauge, opener);
        QLineEdit* editor = gauge.valueEditor();
        if (editor)
            QTest::keyClicks(editor, text);
        return editor;
    }

    QWidget window;
    LinearGauge gauge{&window};
    QLineEdit elsewhere{&window};
    QSignalSpy moved{&gauge, &LinearGauge::pointerMoved};
    QSignalSpy released{&gauge, &LinearGauge::pointerReleased};
};

TEST_F(TypedValueTest, EnterTakesTheTypedValueAsOneUserMoveWithinTheScale) {
    QTest::keyClick(&gauge, Qt::Key_3);
    QTest::keyClick(&gauge, Qt::Key_Return);
    QLineEdit* editor = gauge.valueEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->selectedText(), "8") << "the value, selected to be typed over";
    EXPECT_TRUE(editor->hasFocus());
    QTest::keyClicks(editor, "12.25");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(gauge.valueEditor(), nullptr);
    EXPECT_TRUE(gauge.hasFocus());
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), 2);
    EXPECT_DOUBLE_EQ(released.at(0).at(1).toDouble(), 12.25);
    EXPECT_EQ(moved.count(), 1);

    const struct {
        Qt::Key opener;
        const char* text;
        double value;                       // pointer 2 afterwards
        int releases;                       // in all so far
    } rows[] = {{Qt::Key_F2, "99", 30, 2},  // beyond the scale: stops at its end
                {Qt::Key_Enter, " -7e-1 ", -0.7, 3},
                {Qt::Key_Return, "-0.7", -0.7, 3}};  // no change, no notification
    for (const auto& row : rows) {
        ASSERT_NE(type(2, row.opener, row.text), nullptr) << row.text;
        QTest::keyClick(gauge.valueEditor(), Qt::Key_Return);
        EXPECT_DOUBLE_EQ(gauge.pointerValue(2), row.value) << row.text;
        EXPECT_EQ(released.count(), row.releases) << row.text;
    }
    EXPECT_DOUBLE_EQ(released.last().at(1).toDouble(), -0.7);
}

TEST_F(TypedValueTest, EscapeLeavingTheEditorAndTextThatIsNoNumberChangeNothing) {
    QTest::keyClick(type(1, Qt::Key_Return, "3"), Qt::Key_Escape);
    EXPECT_EQ(gauge.valueEditor(), nullptr);
    EXPECT_TRUE(gauge.hasFocus());

    QLineEdit* editor = type(1, Qt::Key_Return, "abc");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(gauge.valueEditor(), editor) << "stays open on text that is no number";
    elsewhere.setFocus();  // leaving drops the text
    EXPECT_EQ(gauge.valueEditor(), nullptr);
    EXPECT_DOUBLE_EQ(gauge.pointerValue(1), 20);
    EXPECT_EQ(moved.count() + released.count(), 0);

    // A double click opens the editor on the pointer under the mouse.
    QTest::mouseDClick(&gauge, Qt::LeftButton, {}, gauge.pointerGrabPoint(0).toPoint());
    ASSERT_NE(gauge.valueEditor(), nullptr);
    EXPECT_EQ(gauge.valueEditor()->text(), "5");
    QTest::keyClicks(gauge.valueEditor(), "6");
    QTest::keyClick(gauge.valueEditor(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(gauge.pointerValue(0), 6);
    EXPECT_EQ(released.count(), 1);
}

TEST(TypedAngle, LandsOnWholeDegreesTiesToEvenAndTakesTheDegreeSign) {
    RoundGauge gauge;
    configureAngleGauge(gauge);
    gauge.setFixedSize(174, 158);
    gauge.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&gauge));
    QSignalSpy released(&gauge, &RoundGauge::needleReleased);
    const struct {
        const char* text;
        double value;
    } rows[] = {{"44.5", 44}, {"45.5°", 46}, {"-0.4", 0}, {"120", 90}};
    for (const auto& row : rows) {
        ASSERT_TRUE(gauge.openValueEditor()) << row.text;
        gauge.valueEditor()->setText(QString::fromUtf8(row.text));
        QTest::keyClick(gauge.valueEditor(), Qt::Key_Return);
        EXPECT_EQ(gauge.needleValue(0), row.value) << row.text;
        EXPECT_FALSE(std::signbit(gauge.needleValue(0))) << row.text;
    }
    EXPECT_EQ(released.count(), 4);
}

// Value changes announced by the gauges while a test listens.
struct Announced {
    QAccessibleInterface* target;
    double value;
};
std::vector<Announced> announced;

class Listening {
public:
    Listening() {
        announced.clear();
        previous_ = GaugeAccessible::setAnnouncer([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::ValueChanged)
                announced.push_back(
                    {event->accessibleInterface(),
                     static_cast<QAccessibleValueChangeEvent*>(event)->value().toDouble()});
        });
    }
    ~Listening() { GaugeAccessible::setAnnouncer(previous_); }

private:
    GaugeAccessible::Announcer previous_;
};

TEST(GaugeAccessibility, AGaugeIsADialOrSliderWithOneNamedChildPerMarkerAndAnnouncesChanges) {
    RoundGauge angle;
    configureAngleGauge(angle);
    angle.setFixedSize(174, 158);
    const double values[] = {-10, 20, 45, -10};
    for (int i = 0; i < 4; ++i)
        angle.setNeedleValue(i, values[i]);
    QAccessibleInterface* dial = QAccessible::queryAccessibleInterface(&angle);
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(dial->role(), QAccessible::Dial);
    QAccessibleValueInterface* value = dial->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->minimumValue().toDouble(), -90);
    EXPECT_EQ(value->maximumValue().toDouble(), 90);
    EXPECT_EQ(value->minimumStepSize().toDouble(), 1);
    EXPECT_EQ(value->currentValue().toDouble(), -10);
    ASSERT_EQ(dial->childCount(), 4);
    const char* names[] = {"Minimum Angle", "Default Angle", "INS Key Angle", "DEL Key Angle"};
    for (int i = 0; i < 4; ++i) {
        QAccessibleInterface* needle = dial->child(i);
        ASSERT_NE(needle, nullptr);
        EXPECT_EQ(needle->text(QAccessible::Name), names[i]);
        EXPECT_EQ(needle->valueInterface()->currentValue().toDouble(), values[i]);
        EXPECT_EQ(needle->parent(), dial);
        EXPECT_EQ(dial->indexOfChild(needle), i);
    }
    EXPECT_EQ(dial->child(2)->text(QAccessible::Value), QString::fromUtf8("45°"));

    // Set through the interfaces: a user's move, limited to the range.
    QSignalSpy released(&angle, &RoundGauge::needleReleased);
    dial->child(1)->valueInterface()->setCurrentValue(120.0);
    value->setCurrentValue(-30.4);  // the selected needle, 0
    ASSERT_EQ(released.count(), 2);
    EXPECT_EQ(angle.needleValue(1), 90);
    EXPECT_EQ(angle.needleValue(0), -30);

    {
        const Listening listening;
        angle.setNeedleValue(2, 33);            // by the program
        QTest::keyClick(&angle, Qt::Key_Down);  // by the user, on the selected needle 0
        ASSERT_EQ(announced.size(), 3u);
        EXPECT_EQ(announced[0].target, dial->child(2));
        EXPECT_EQ(announced[0].value, 33);
        EXPECT_EQ(announced[1].target, dial->child(0));
        EXPECT_EQ(announced[2].target, dial);
        EXPECT_EQ(announced[2].value, -31);
    }

    // The zoom gauge names its pointers by their legends, whose order differs from theirs.
    LinearGauge zoom;
    configureZoomGauge(zoom);
    QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(&zoom);
    EXPECT_EQ(slider->role(), QAccessible::Slider);
    ASSERT_EQ(slider->childCount(), 3);
    EXPECT_EQ(slider->child(0)->text(QAccessible::Name), "Zoom Min");
    EXPECT_EQ(slider->child(1)->text(QAccessible::Name), "Zoom Max");
    EXPECT_EQ(slider->child(2)->text(QAccessible::Name), "Zoom Default");
    EXPECT_EQ(slider->valueInterface()->minimumValue().toDouble(), -1);
    EXPECT_EQ(slider->valueInterface()->maximumValue().toDouble(), 30);
}

// The settings page wired to both ways in, in revision 0.
class SettingsPageAccessTest : public testing::Test {
protected:
    struct NoBoxes : MessageBoxes {
        bool askOkCancel(const QString&, const QString&) override { return false; }
        bool askYesNo(const QString&, const QString&) override { return false; }
        void inform(const QString&, Icon, const QString&) override {}
    };

    void SetUp() override {
        state.settings = kBiowareDefaults;
        CameraSettings& s = state.settings;
        s.CTAngleMin = 20, s.CTAngleDef = 30, s.CTAngleIns = 70, s.CTAngleDel = 25;
        s.CTZoomMin = 5, s.CTZoomMax = 20, s.CTZoomDef = 12;
        state.revision = 0;
        state.takeUndoSnapshot();
        page = std::make_unique<SettingsPage>(state, boxes);
        page->adaptToRevision(0);
        page->showSettings();
        page->show();
        page->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    }
    void typeInto(GaugeWidget& gauge, int marker, const char* text) {
        gauge.setFocus();
        QTest::keyClick(&gauge, static_cast<Qt::Key>(Qt::Key_1 + marker));
        QTest::keyClick(&gauge, Qt::Key_Return);
        ASSERT_NE(gauge.valueEditor(), nullptr);
        QTest::keyClicks(gauge.valueEditor(), text);
        QTest::keyClick(gauge.valueEditor(), Qt::Key_Return);
    }

    CameraState state;
    NoBoxes boxes;
    std::unique_ptr<SettingsPage> page;
};

TEST_F(SettingsPageAccessTest, TypedAndAssistedValuesGoThroughTheInterlocksAsADragWould) {
    RoundGauge& angle = *page->angleGauge(Camera::ChaseTopDown);
    typeInto(angle, kNeedleMinimum, "50");  // above the default of 30
    EXPECT_EQ(state.settings.CTAngleMin, 50.0f);
    EXPECT_EQ(state.settings.CTAngleDef, 50.0f);
    EXPECT_EQ(state.settings.CTAngleIns, 70.0f);
    EXPECT_EQ(state.settings.CTAngleDel, 50.0f);
    EXPECT_EQ(angle.needleValue(kNeedleDefault), 50);
    EXPECT_EQ(angle.scaleStart(1), 50);
    EXPECT_EQ(angle.scaleExtent(1), 40);

    // The maximum zoom typed below the minimum: the minimum follows it down, so does the default.
    LinearGauge& zoom = *page->zoomGauge(Camera::ChaseTopDown);
    typeInto(zoom, kPointerMaximum, "3");
    EXPECT_EQ(state.settings.CTZoomMin, 3.0f);
    EXPECT_EQ(state.settings.CTZoomMax, 3.0f);
    EXPECT_EQ(state.settings.CTZoomDef, 3.0f);
    EXPECT_EQ(zoom.pointerValue(kPointerDefault), 3);

    // Through assistive technology: the default angle set below the minimum springs back.
    QAccessibleInterface* dial = QAccessible::queryAccessibleInterface(&angle);
    dial->child(kNeedleDefault)->valueInterface()->setCurrentValue(10.0);
    EXPECT_EQ(state.settings.CTAngleDef, 50.0f);
    EXPECT_EQ(dial->child(kNeedleDefault)->valueInterface()->currentValue().toDouble(), 50);
}

}  // namespace
}  // namespace orvendel
