// SPDX-License-Identifier: MIT
// The main window and the progress window as a player sees them: places and sizes measured
// against the design, every text inside its control and apart from its neighbours at several
// font sizes, tab order, colours, the height lists for screen readers, and the screenshots.
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainterPath>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "shell/gauges/gauge_widget.h"
#include "shell/gauges/round_gauge.h"
#include "shell/layout.h"
#include "shell/translations.h"
#include "shell/window/location_page.h"
#include "shell/window/screenshots.h"
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

// A text a control draws: where, in the control's coordinates, and whether it has the room it
// needs there.
struct PlacedText {
    QString text;
    QRectF box;
    bool fits;
};

// The texts `w` draws, measured with its font and its style's margins.
QList<PlacedText> textsOf(const QWidget* w) {
    const QStyle* style = w->style();
    const QFontMetrics metrics = w->fontMetrics();
    // Whether one line of `text` and `extra` pixels beside it fit in `room`.
    const auto fitsInLine = [&](const QString& text, const QRect& room, int extra = 0) {
        return metrics.horizontalAdvance(text) + extra <= room.width() &&
               metrics.height() <= room.height();
    };
    QList<PlacedText> texts;
    if (auto* gauge = qobject_cast<const GaugeWidget*>(w)) {
        for (const DrawnText& drawn : gauge->drawnTexts())
            texts.append({drawn.text, drawn.box, QRectF(gauge->rect()).contains(drawn.box)});
    } else if (auto* button = qobject_cast<const QPushButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        if (button->autoDefault() || button->isDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        const QRect room = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
        texts.append({button->text(), metrics.boundingRect(room, Qt::AlignCenter, button->text()),
                      fitsInLine(button->text(), room, margin)});
    } else if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty())
            return texts;
        const int margin = label->margin();
        const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const bool fits = label->wordWrap()
                              ? label->heightForWidth(label->width()) <= label->height()
                              : fitsInLine(label->text(), room);
        texts.append({label->text(), metrics.boundingRect(room, flags, label->text()), fits});
    } else if (auto* frame = qobject_cast<const QGroupBox*>(w)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.lineWidth = 1;
        option.textAlignment = frame->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect title =
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
        // The style sizes the title's box from its text; it must lie within the frame.
        texts.append({frame->title(), title, frame->rect().contains(title)});
    } else if (auto* list = qobject_cast<const QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.frame = list->hasFrame();
        option.editable = list->isEditable();
        const QRect room =
            style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        // The item is drawn one pixel in from either side of the field; only one is shown, so
        // the others take no place among the neighbours' texts.
        for (int i = 0; i < list->count(); ++i)
            texts.append({list->itemText(i), i == 0 ? QRectF(room) : QRectF(),
                          fitsInLine(list->itemText(i), room, 2)});
    }
    return texts;
}

// How far apart two boxes are; 0 when they touch or overlap.
double distanceBetween(const QRectF& a, const QRectF& b) {
    const double dx = std::max({0.0, b.left() - a.right(), a.left() - b.right()});
    const double dy = std::max({0.0, b.top() - a.bottom(), a.top() - b.bottom()});
    return std::hypot(dx, dy);
}

// The least room a text keeps to another text and to the edge it lies within: a fifth of the
// taller text's box, and never under two pixels, at every font size.
double leastGap(const QRectF& a, const QRectF& b) {
    return std::max(2.0, 0.2 * std::max(a.height(), b.height()));
}

// Two captions of a gauge side by side in one row keep twice that, so that they never read as
// one ("Zoom Min" and "FPS").
void expectCaptionsApartInRows(const GaugeWidget& gauge) {
    QList<DrawnText> captions = gauge.drawnTexts();
    captions.removeIf([](const DrawnText& drawn) {
        bool number = false;
        drawn.text.toDouble(&number);
        return number;
    });
    for (qsizetype i = 0; i < captions.size(); ++i)
        for (qsizetype j = i + 1; j < captions.size(); ++j) {
            const QRectF& a = captions[i].box;
            const QRectF& b = captions[j].box;
            if (a.top() >= b.bottom() || b.top() >= a.bottom())
                continue;  // not in one row
            EXPECT_GE(distanceBetween(a, b), 2 * leastGap(a, b))
                << gauge.objectName().toStdString() << ": \"" << captions[i].text.toStdString()
                << "\" and \"" << captions[j].text.toStdString() << "\" read as one";
        }
}

// Each text a gauge draws keeps its distance from the gauge's edge, or its face's: it lies
// inside, clear of a band of that width along the edge.
void expectGaugeTextsInside(const GaugeWidget& gauge) {
    QPainterPath inside;
    if (auto* round = qobject_cast<const RoundGauge*>(&gauge))
        inside.addPolygon(round->facePolygon());
    else
        inside.addRect(QRectF(gauge.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    inside.closeSubpath();
    for (const DrawnText& text : gauge.drawnTexts()) {
        QPainterPathStroker edge;
        edge.setWidth(2 * leastGap(text.box, text.box));
        edge.setJoinStyle(Qt::RoundJoin);
        EXPECT_TRUE(inside.contains(text.box) && !edge.createStroke(inside).intersects(text.box))
            << gauge.objectName().toStdString() << ": \"" << text.text.toStdString()
            << "\" is too near the edge";
    }
}

// Walks every shown control below `parent`: each lies inside its parent and apart from its
// shown neighbours, each of its texts has room, and any two texts of one parent's children (a
// frame's title among them) keep their distance.
void expectTextsApart(QWidget* parent) {
    QList<std::pair<QString, QRectF>> boxes;  // in `parent`'s coordinates
    if (qobject_cast<QGroupBox*>(parent) != nullptr) {
        for (const PlacedText& title : textsOf(parent))
            boxes.append({title.text, title.box});
    }
    QList<QWidget*> shown;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isHidden() || child->isWindow())
            continue;
        if (auto* scroller = qobject_cast<QScrollArea*>(child)) {
            expectTextsApart(scroller->widget());  // the pages, whether they scroll or not
            continue;
        }
        const std::string name = child->objectName().toStdString();
        EXPECT_TRUE(parent->rect().contains(child->geometry()))
            << name << " lies outside " << parent->objectName().toStdString();
        for (QWidget* other : shown)
            EXPECT_FALSE(child->geometry().intersects(other->geometry()))
                << name << " and " << other->objectName().toStdString() << " overlap";
        shown << child;
        for (const PlacedText& text : textsOf(child)) {
            EXPECT_TRUE(text.fits)
                << name << ": \"" << text.text.toStdString() << "\" has no room at "
                << child->width() << "x" << child->height();
            boxes.append({text.text, text.box.translated(child->pos())});
        }
        if (auto* gauge = qobject_cast<GaugeWidget*>(child)) {
            expectGaugeTextsInside(*gauge);
            expectCaptionsApartInRows(*gauge);
        }
        const bool control = qobject_cast<QPushButton*>(child) || qobject_cast<QLabel*>(child) ||
                             qobject_cast<QComboBox*>(child) || qobject_cast<QLineEdit*>(child) ||
                             qobject_cast<GaugeWidget*>(child);
        if (!control)
            expectTextsApart(child);  // a page or a frame
    }
    for (qsizetype i = 0; i < boxes.size(); ++i)
        for (qsizetype j = i + 1; j < boxes.size(); ++j) {
            const QRectF& a = boxes[i].second;
            const QRectF& b = boxes[j].second;
            if (a.isEmpty() || b.isEmpty())
                continue;  // a list's items that are not shown
            EXPECT_GE(distanceBetween(a, b), leastGap(a, b))
                << "\"" << boxes[i].first.toStdString() << "\" and \""
                << boxes[j].first.toStdString() << "\" are too near in "
                << parent->objectName().toStdString();
        }
}

// A place in device-independent pixels at the classic dialog font, grown by `scale`: each edge
// within a pixel of the design's.
void expectScaled(const QWidget* w, const QRect& design, double scale) {
    SCOPED_TRACE(w->objectName().toStdString());
    const QRect actual = w->isWindow() || w->objectName() == "Pages" ? w->rect() : w->geometry();
    EXPECT_LE(std::abs(actual.left() - design.left() * scale), 1.0);
    EXPECT_LE(std::abs(actual.top() - design.top() * scale), 1.0);
    EXPECT_LE(std::abs(actual.width() - design.width() * scale), 1.0);
    EXPECT_LE(std::abs(actual.height() - design.height() * scale), 1.0);
}

class MainWindowLayoutTest : public MainWindowFixture {
protected:
    void SetUp() override {
        open(files.executable(1));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

// Windows opened after setFontSize(), with the application's font restored afterwards.
class FontSizeTest : public MainWindowFixture {
protected:
    void setFontSize(double points) {
        QFont font = saved_;
        font.setPointSizeF(points);
        QApplication::setFont(font);
    }
    void TearDown() override {
        window.reset();
        QApplication::setFont(saved_);
        MainWindowFixture::TearDown();
    }
    const QFont saved_ = QApplication::font();
};

// The window in a language at a font some times the size of the application's own, both pages
// and the progress window. Every case also runs with nothing but the DejaVu fonts (see
// CMakeLists.txt).
class FontScaleTest : public FontSizeTest,
                      public testing::WithParamInterface<std::tuple<const char*, double>> {
protected:
    void SetUp() override {
        translators_ = installTranslations(QString::fromLatin1(std::get<0>(GetParam())));
        setFontSize(saved_.pointSizeF() * std::get<1>(GetParam()));
    }
    void TearDown() override {
        FontSizeTest::TearDown();
        translators_.clear();
    }

private:
    std::vector<std::unique_ptr<QTranslator>> translators_;
};

TEST_P(FontScaleTest, EveryTextHasRoomInsideItsControlApartFromItsNeighbours) {
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE")) {
        for (const QString& family : QFontDatabase::families())
            EXPECT_TRUE(family.startsWith("DejaVu") || family == "Sans Serif" ||
                        family == "Serif" || family == "Monospace")
                << family.toStdString() << " is there besides DejaVu";
    }
    const double scale = layoutScale();
    EXPECT_GE(scale, 1.0);

    // The location page when the game was not found, with its note shown.
    open(MainWindow::LocatedGames(
        {}, LocationPage::notFoundNote("$WINEPREFIX, ~/.wine and the prefixes of Lutris, Bottles, "
                                       "Steam, Heroic, PlayOnLinux and CrossOver")));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_TRUE(find("SearchNote")->isVisible());
    expectTextsApart(window.get());

    // Both pages of a window on a revision 0 executable, whose drive zoom gauge has one pointer.
    open(files.executable(0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    expectTextsApart(window.get());
    click("Next1");
    ASSERT_TRUE(find("SettingsFrame")->isVisible());
    click("CTFPS");  // "FPS" beside "Zoom Min"
    expectTextsApart(window.get());

    // Places grow with one factor; the gauges' texts grow with their gauges.
    expectScaled(find("Pages"), QRect(0, 0, 530, 579), scale);
    expectScaled(find("Next1"), QRect(160, 531, 80, 31), scale);
    expectScaled(find("ApplyButton"), QRect(129, 532, 99, 29), scale);
    expectScaled(find("CTGauge"), QRect(15, 19, 174, 158), scale);
    expectScaled(find("DHeight"), QRect(237, 187, 236, 21), scale);
    const std::pair<const char*, int> designHeights[] = {{"CTGauge", 158}, {"DZoomGauge", 59}};
    for (const auto& [name, height] : designHeights) {
        const QWidget* gauge = find(name);
        EXPECT_NEAR(gauge->font().pointSizeF() / gauge->height(),
                    GaugeWidget::gaugeFont().pointSizeF() / height, 0.002)
            << name;
    }

    ProgressWindow busy;
    expectTextsApart(&busy);
    expectScaled(&busy, QRect(0, 0, 325, 107), scale);
}

// Each control that takes the focus lies wholly inside the scroll area's view once it has it,
// or covers the view along a side where it is larger than the view.
void expectFocusScrollsIntoView(QWidget* page, QScrollArea* scroller) {
    QWidget* view = scroller->viewport();
    const auto inside = [](int from, int length, int viewLength) {
        return length <= viewLength ? from >= 0 && from + length <= viewLength
                                    : from <= 0 && from + length >= viewLength;
    };
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled() || (w->focusPolicy() & Qt::TabFocus) == 0)
            continue;
        w->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(w->hasFocus()) << w->objectName().toStdString();
        const QRect at(w->mapTo(view, QPoint()), w->size());
        EXPECT_TRUE(inside(at.x(), at.width(), view->width()) &&
                    inside(at.y(), at.height(), view->height()))
            << w->objectName().toStdString() << " is out of view, at " << at.x() << "," << at.y()
            << " in " << view->width() << "x" << view->height();
    }
}

// Where the pages do not fit the screen, the window fits it all the same and scrolls them.
// The layout tests also run on screens of given sizes (CMakeLists.txt), named in
// ORVENDEL_TEST_SCREEN as WIDTHxHEIGHT of device-independent pixels.
TEST_P(FontScaleTest, TheWindowFitsItsScreenAndScrollsEveryControlIntoView) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QString named = qEnvironmentVariable("ORVENDEL_TEST_SCREEN");
    if (!named.isEmpty()) {
        EXPECT_EQ(QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height()), named);
    }

    open(files.executable(0));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QCoreApplication::processEvents();
    const QRect available = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    EXPECT_TRUE(available.contains(frame))
        << "frame " << frame.width() << "x" << frame.height() << "+" << frame.x() << "+"
        << frame.y() << " on " << available.width() << "x" << available.height();

    QScrollArea* scroller = window->pageScroller();
    QWidget* pages = scroller->widget();
    QWidget* view = scroller->viewport();
    const QSize room = available.size() - (frame.size() - window->size());
    const bool fits = pages->width() <= room.width() && pages->height() <= room.height();
    if (fits) {
        EXPECT_EQ(view->size(), pages->size()) << "the pages are shown whole where they fit";
    }
    EXPECT_EQ(scroller->verticalScrollBar()->isVisible(), pages->height() > view->height());
    EXPECT_EQ(scroller->horizontalScrollBar()->isVisible(), pages->width() > view->width());
    EXPECT_EQ(scroller->verticalScrollBar()->maximum(),
              std::max(0, pages->height() - view->height()));

    expectFocusScrollsIntoView(window->locationPage(), scroller);
    click("Next1");
    ASSERT_TRUE(find("SettingsFrame")->isVisible());
    window->activateWindow();  // back from the progress window
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    expectFocusScrollsIntoView(page(), scroller);
}

INSTANTIATE_TEST_SUITE_P(FontScales, FontScaleTest,
                         testing::Combine(testing::Values("en", "de", "es", "fr", "it", "pl"),
                                          testing::Values(1.0, 1.25, 1.6, 2.0)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param)) + "_Font" +
                                    std::to_string(std::lround(std::get<1>(info.param) * 100));
                         });

// With a font no larger than the classic dialog font the window has the design's own places,
// written out in pixels here.
TEST_F(FontSizeTest, TheClassicFontGetsTheDesignsPlacesCaptionsAndColours) {
    setFontSize(6);
    ASSERT_EQ(layoutScale(), 1.0);
    open(files.executable(1));
    ProgressWindow busy;

    const std::pair<QWidget*, QRect> places[] = {
        {window.get(), QRect(0, 0, 530, 579)},
        {&busy, QRect(0, 0, 325, 107)},
        {find("SettingsFrame"), QRect(3, 1, 520, 570)},
        {find("NWMainLocationFrame"), QRect(3, 1, 512, 570)},
        {find("Next1"), QRect(160, 531, 80, 31)},
        {find("Command2"), QRect(258, 531, 80, 31)},
        {find("RestoreButton"), QRect(367, 361, 115, 25)},
        {find("NWN"), QRect(6, 328, 383, 24)},
        {find("ApplyButton"), QRect(129, 532, 99, 29)},
        {find("UndoBtn"), QRect(344, 18, 105, 32)},
        {find("CTGauge"), QRect(15, 19, 174, 158)},
        {find("LGauge1"), QRect(207, 22, 279, 59)},
        {find("DClipGauge"), QRect(202, 126, 279, 45)},
        {find("DHeight"), QRect(237, 187, 236, 21)},
        {find("Label7"), QRect(161, 183, 78, 18)},
        {find("Frame2"), QRect(5, 299, 497, 225)},
        {busy.findChild<QWidget*>("OKButton"), QRect(123, 75, 75, 27)},
    };
    for (const auto& [w, place] : places)
        EXPECT_EQ(w->isWindow() ? w->rect() : w->geometry(), place)
            << w->objectName().toStdString();
    EXPECT_EQ(find("Label12")->parentWidget()->objectName(), "NWMainLocationFrame");
    EXPECT_EQ(find("Label7")->parentWidget()->objectName(), "Frame3");
    EXPECT_EQ(busy.windowTitle(), "Hacking NWN...");

    // The title and the texts that translations_test.cpp compares in English are left out here.
    const std::pair<QWidget*, const char*> captions[] = {
        {find("Label12"),
         "Welcome to Orvendel Version H by the Orvendel developers.  Please send any comments or "
         "suggestions to the project's issue tracker."},
        {find("Label17"), "Click Next to continue, or Cancel to quit"},
        {find("BrowseButton"), "Browse..."},
        {find("Command2"), "Cancel"},
        {find("RestoreButton"), "Restore Original"},
        {find("CancelButton"), "Exit"},
        {find("Label7"), "Camera Height"},
        {busy.findChild<QWidget*>("Label1"), "Modifying Neverwinter Nights..."},
        {busy.findChild<QWidget*>("OKButton"), "OK"}};
    for (const auto& [w, text] : captions)
        EXPECT_EQ(w->property("text").toString(), text) << text;
    EXPECT_TRUE(busy.findChild<QPushButton*>("OKButton")->isDefault());

    const QColor black(0, 0, 0);
    EXPECT_EQ(find("NWMainLocationFrame")->palette().color(QPalette::Window), black);
    for (const char* name : {"Label12", "Label17", "Label13"})
        EXPECT_EQ(find(name)->palette().color(QPalette::WindowText), QColor(255, 255, 0)) << name;
    // Buttons keep the system's colours.
    EXPECT_EQ(find("Next1")->palette().color(QPalette::Button),
              QApplication::palette().color(QPalette::Button));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QImage picture = window->grab().toImage();  // a blank spot of the page is black
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, 200), black);
}

// How many pixels of `image` are black, and how many yellow (red and green high, blue low).
std::pair<int, int> blackAndYellow(const QImage& image) {
    int black = 0;
    int yellow = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            black += c.red() < 40 && c.green() < 40 && c.blue() < 40;
            yellow += c.red() > 150 && c.green() > 150 && c.blue() < 100;
        }
    return {black, yellow};
}

TEST_F(MainWindowLayoutTest, HeightListsAreYellowOnBlackClosedAndOpenAndNamedByTheirPurpose) {
    click("Next1");
    ASSERT_TRUE(find("SettingsFrame")->isVisible());
    const std::pair<const char*, const char*> lists[] = {{"CTHeight", "Chase camera height"},
                                                         {"DHeight", "Drive camera height"}};
    for (const auto& [name, accessibleName] : lists) {
        SCOPED_TRACE(name);
        auto* list = find<QComboBox>(name);
        list->setCurrentIndex(1);
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(list);
        ASSERT_NE(access, nullptr);
        EXPECT_EQ(access->role(), QAccessible::ComboBox);
        EXPECT_EQ(access->text(QAccessible::Name), accessibleName);
        EXPECT_EQ(access->text(QAccessible::Value), "1.10m Halfling Female");

        const QImage closed = list->grab().toImage();
        auto [black, yellow] = blackAndYellow(closed);
        EXPECT_GT(black, closed.width() * closed.height() / 2);
        EXPECT_GT(yellow, 20);

        list->showPopup();
        QWidget* open = list->view()->viewport();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(open->window()));
        const QImage items = open->grab().toImage();
        std::tie(black, yellow) = blackAndYellow(items);
        EXPECT_GT(black, items.width() * items.height() / 2);
        EXPECT_GT(yellow, 200) << "the items' texts are yellow";
        list->hidePopup();
    }
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
    const QFont font = QApplication::font();
    EXPECT_EQ(writeScreenshots(*window, out.path()), QString());
    for (const char* page : {"location-page", "settings-page", "progress-window"}) {
        const QImage usual(out.filePath(QLatin1String(page) + ".png"));
        const QImage large(out.filePath(QLatin1String(page) + "-large-font.png"));
        EXPECT_FALSE(usual.isNull()) << page;
        EXPECT_GT(large.width(), usual.width() * 3 / 2) << page;
    }
    EXPECT_EQ(QApplication::font(), font) << "the application's font is back";
    EXPECT_TRUE(WindowTestFiles::read(path) == files.original(1));
    EXPECT_EQ(std::filesystem::last_write_time(path.toStdString()), modified);

    // A file where the folder goes.
    const QString error = writeScreenshots(*window, files.write("blocked", "123") + "/pictures");
    EXPECT_TRUE(error.contains(QStringLiteral("pictures"))) << error.toStdString();
}

using ScreenshotTest = MainWindowFixture;

TEST_F(ScreenshotTest, PicturesWaitForTheStartUpSearch) {
    HeldSearch search;
    open(search.locator(files.executable(1)));
    QTimer::singleShot(50, window.get(), [&] { search.release(); });
    QTemporaryDir out;
    EXPECT_EQ(writeScreenshots(*window, out.path()), QString());
    EXPECT_FALSE(window->searching());
    EXPECT_FALSE(QImage(out.filePath("settings-page.png")).isNull());
}

}  // namespace
}  // namespace orvendel
