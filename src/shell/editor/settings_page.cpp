// SPDX-License-Identifier: MIT
#include "shell/editor/settings_page.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <array>

#include "camera/angle_editor.h"
#include "camera/distance_warning.h"
#include "camera/height_table.h"
#include "camera/zoom_editor.h"
#include "shell/core_texts.h"
#include "shell/editor/message_boxes.h"
#include "shell/editor/settings_page_layout.h"
#include "shell/gauges/gauge_designs.h"
#include "shell/gauges/gauge_widget.h"
#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"
#include "shell/layout.h"

namespace orvendel {

struct SettingsPage::Group {
    Camera camera;
    QGroupBox* frame = nullptr;
    RoundGauge* angle = nullptr;
    LinearGauge* zoom = nullptr;
    LinearGauge* distance = nullptr;
    QComboBox* height = nullptr;
    QLabel* heightLabel = nullptr;
    QPushButton* fps = nullptr;
};

namespace {

// Object names and captions of one camera mode's controls.
struct GroupNames {
    const char* frame;
    const char* frameCaption;
    const char* angle;
    const char* zoom;
    const char* distance;
    const char* height;
    const char* heightLabel;
    const char* fps;
};
constexpr GroupNames kChaseNames{
    "Frame3",
    QT_TRANSLATE_NOOP("orvendel::SettingsPage", "Chase and Top Down Camera Settings"),
    "CTGauge",
    "LGauge1",
    "CTClipGauge",
    "CTHeight",
    "Label7",
    "CTFPS"};
constexpr GroupNames kDriveNames{
    "Frame2",     QT_TRANSLATE_NOOP("orvendel::SettingsPage", "Drive Camera Mode Settings"),
    "DGauge",     "DZoomGauge",
    "DClipGauge", "DHeight",
    "Label13",    "DFPS"};

const GroupNames& namesOf(Camera camera) {
    return camera == Camera::ChaseTopDown ? kChaseNames : kDriveNames;
}

// Black background and yellow text, the scheme of the page, its frames, labels and lists.
void useCaptionColours(QWidget* widget) {
    QPalette palette = widget->palette();
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        palette.setColor(role, kWindowBackground);
    }
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, kCaptionText);
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Marks a drop-down list that screen readers name by its accessible name.
constexpr char kNamedListProperty[] = "orvendelNamedList";

// On Linux, Qt names a drop-down list by its current item and leaves the list's purpose to a
// label relation, so a screen reader would say "1.00m" for a height list. A marked list is named
// by its accessible name and gives its current item as its value.
class NamedListAccessible : public QAccessibleWidget {
public:
    explicit NamedListAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        const auto* list = static_cast<const QComboBox*>(widget());
        if (kind == QAccessible::Name)
            return list->accessibleName();
        if (kind == QAccessible::Value)
            return list->currentText();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction()) {
            static_cast<QComboBox*>(widget())->showPopup();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }
};

QAccessibleInterface* namedListAccessible(const QString&, QObject* object) {
    auto* list = qobject_cast<QComboBox*>(object);
    if (list == nullptr || !list->property(kNamedListProperty).toBool())
        return nullptr;
    return new NamedListAccessible(list);
}

// A height list: yellow on black like the page, closed and in its open list.
QComboBox* makeHeightList(Camera camera, const char* name, QWidget* parent) {
    [[maybe_unused]] static const bool named = [] {
        QAccessible::installFactory(&namedListAccessible);
        return true;
    }();

    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    list->setProperty(kNamedListProperty, true);
    for (int i = 0; i < kHeightItemCount; ++i) {
        list->addItem(windowText(heightCaption(camera, i)), 0);
    }
    list->setCurrentIndex(-1);
#ifdef Q_OS_WIN
    // Windows' own styles draw a closed list in the theme's colours, light grey, whatever its
    // palette says; Fusion draws it in the palette's, as on Linux.
    static QPointer<QStyle> paletteStyle;
    if (paletteStyle.isNull()) {
        paletteStyle = QStyleFactory::create(QStringLiteral("Fusion"));
        paletteStyle->setParent(qApp);
    }
    list->setStyle(paletteStyle);
#endif
    useCaptionColours(list);
    // The open list is a window of its own and inherits no palette from the box.
    useCaptionColours(list->view());
    return list;
}

// Buttons keep the system's colours whatever their frame uses.
QPushButton* systemButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    QPalette system = QApplication::palette(button);
    system.setResolveMask(~QPalette::ResolveMask{0});
    button->setPalette(system);
    return button;
}

// The gauges' font at the layout scale: their texts grow with the rest of the window.
QFont scaledGaugeFont(double scale) {
    QFont font = GaugeWidget::gaugeFont();
    font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

void showZoomView(LinearGauge& gauge, const ZoomGaugeView& view) {
    for (int i = 0; i < kZoomPointerCount; ++i) {
        if (const auto& value = view.pointers[static_cast<std::size_t>(i)]) {
            gauge.setMarkerValue(i, *value);
        }
    }
    if (view.bandStart && view.bandEnd)
        gauge.setBand(0, *view.bandStart, *view.bandEnd);
    if (view.label3)
        gauge.setLabelCaption(kZoomMinimumFpsLabel, windowText(*view.label3));
    if (view.label4)
        gauge.setLabelCaption(kZoomDefaultFpsLabel, windowText(*view.label4));
}

}  // namespace

SettingsPage::SettingsPage(CameraState& state, MessageBoxes& messages, QWidget* parent)
    : QWidget(parent),
      state_(state),
      messages_(messages),
      chase_(std::make_unique<Group>()),
      drive_(std::make_unique<Group>()) {
    setObjectName(QStringLiteral("SettingsFrame"));
    const double scale = layoutScale();
    resize(twipsSize(kSettingsFrameWidth, kSettingsFrameHeight, scale));
    useCaptionColours(this);

    buildQuickPresets();
    auto* chaseFrame = new QGroupBox(tr(kChaseNames.frameCaption), this);
    buildGroup(Camera::ChaseTopDown, chaseFrame);
    exitButton_ = systemButton("CancelButton", tr("Exit"), this);
    //: Writes the chosen values into the game's executable; NWN is Neverwinter Nights.
    applyButton_ = systemButton("ApplyButton", tr("Modify NWN"), this);
    auto* driveFrame = new QGroupBox(tr(kDriveNames.frameCaption), this);
    buildGroup(Camera::Drive, driveFrame);

    applyLayout(this, settingsPageLayout(), scale);
    applyTabOrder(this, settingsPageLayout());
    for (GaugeWidget* gauge : findChildren<GaugeWidget*>())
        gauge->setFont(scaledGaugeFont(scale));
    adaptToRevision(kRevisionUnknown);

    connect(applyButton_, &QPushButton::clicked, this, &SettingsPage::applyRequested);
    connect(exitButton_, &QPushButton::clicked, this, &SettingsPage::exitRequested);
    connect(loadButton_, &QPushButton::clicked, this, &SettingsPage::loadRequested);
    connect(saveButton_, &QPushButton::clicked, this, &SettingsPage::saveRequested);
    connect(biowareButton_, &QPushButton::clicked, this, &SettingsPage::applyBiowareDefaults);
    connect(undoButton_, &QPushButton::clicked, this, &SettingsPage::undoChanges);
    connectGroup(Camera::ChaseTopDown);
    connectGroup(Camera::Drive);
}

SettingsPage::~SettingsPage() = default;

void SettingsPage::buildQuickPresets() {
    auto* frame = new QGroupBox(tr("Quick Presets"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    useCaptionColours(frame);
    loadButton_ = systemButton("LoadSettings", tr("Load Settings..."), frame);
    saveButton_ = systemButton("SaveSettings", tr("Save Settings..."), frame);
    undoButton_ = systemButton("UndoBtn", tr("Undo Changes"), frame);
    biowareButton_ = systemButton("BiowareBtn", tr("Bioware Defaults"), frame);
}

void SettingsPage::buildGroup(Camera camera, QGroupBox* frame) {
    const GroupNames& names = namesOf(camera);
    Group& g = controls(camera);
    g.camera = camera;
    g.frame = frame;
    frame->setObjectName(QLatin1String(names.frame));
    useCaptionColours(frame);

    g.fps = systemButton(names.fps, tr("FPS Mode!"), frame);

    g.height = makeHeightList(camera, names.height, frame);

    g.distance = new LinearGauge(frame);
    g.distance->setObjectName(QLatin1String(names.distance));
    configureDistanceGauge(*g.distance);

    g.zoom = new LinearGauge(frame);
    g.zoom->setObjectName(QLatin1String(names.zoom));

    g.angle = new RoundGauge(frame);
    g.angle->setObjectName(QLatin1String(names.angle));

    g.heightLabel = new QLabel(tr("Camera Height"), frame);
    g.heightLabel->setObjectName(QLatin1String(names.heightLabel));
    g.heightLabel->setWordWrap(true);
    useCaptionColours(g.heightLabel);
}

void SettingsPage::connectGroup(Camera camera) {
    Group& g = controls(camera);
    // Angle and zoom gauges re-read on every step of a move and once more when it ends; the
    // distance gauges read when a move ends, so that the warning comes once per move.
    connect(g.angle, &GaugeWidget::markerMoved, this, [this, camera] { readAngleGauge(camera); });
    connect(g.angle, &GaugeWidget::markerReleased, this,
            [this, camera] { readAngleGauge(camera); });
    connect(g.zoom, &GaugeWidget::markerMoved, this, [this, camera] { readZoomGauge(camera); });
    connect(g.zoom, &GaugeWidget::markerReleased, this, [this, camera] { readZoomGauge(camera); });
    connect(g.distance, &GaugeWidget::markerReleased, this,
            [this, camera] { readDistanceGauge(camera); });
    connect(g.fps, &QPushButton::clicked, this, [this, camera] { applyFirstPersonPreset(camera); });
}

SettingsPage::Group& SettingsPage::controls(Camera camera) const {
    return camera == Camera::ChaseTopDown ? *chase_ : *drive_;
}

RoundGauge* SettingsPage::angleGauge(Camera camera) const {
    return controls(camera).angle;
}
LinearGauge* SettingsPage::zoomGauge(Camera camera) const {
    return controls(camera).zoom;
}
LinearGauge* SettingsPage::distanceGauge(Camera camera) const {
    return controls(camera).distance;
}
QComboBox* SettingsPage::heightList(Camera camera) const {
    return controls(camera).height;
}
QPushButton* SettingsPage::firstPersonButton(Camera camera) const {
    return controls(camera).fps;
}

// Taking the user's moves into the record ---------------------------------------------------------

void SettingsPage::readAngleGauge(Camera camera) {
    RoundGauge& gauge = *controls(camera).angle;
    std::array<double, kAngleNeedleCount> needles{};
    for (int i = 0; i < kAngleNeedleCount; ++i) {
        needles[static_cast<std::size_t>(i)] = gauge.markerValue(i);
    }
    const AngleReadResult result = takeNeedles(state_.settings, camera, state_.revision, needles);
    gauge.setScaleStart(1, result.scale.start);
    gauge.setScaleExtent(1, result.scale.extent);
    for (int i = 0; i < kAngleNeedleCount; ++i) {
        if (const auto& value = result.putBack[static_cast<std::size_t>(i)]) {
            gauge.setMarkerValue(i, *value);
        }
    }
    emit recordEdited(camera);
}

void SettingsPage::readZoomGauge(Camera camera) {
    LinearGauge& gauge = *controls(camera).zoom;
    std::array<double, kZoomPointerCount> pointers{};
    for (int i = 0; i < kZoomPointerCount; ++i) {
        pointers[static_cast<std::size_t>(i)] = gauge.markerValue(i);
    }
    const ZoomGaugeView view =
        orvendel::readZoomGauge(state_.settings, camera, state_.revision, pointers);
    showZoomView(gauge, view);
    emit recordEdited(camera);
}

void SettingsPage::readDistanceGauge(Camera camera) {
    orvendel::readDistanceGauge(state_.settings, camera, controls(camera).distance->markerValue(0));
    emit recordEdited(camera);
    // The warning waits until the move has returned: a screen reader that set the distance must
    // get its answer at once, not when the box is closed.
    if (takeDistanceWarning(state_, group(state_.settings, camera).ClipDist)) {
        QMetaObject::invokeMethod(
            this, [this] { messages_.inform(windowText(kDistanceWarningText)); },
            Qt::QueuedConnection);
    }
}

void SettingsPage::readHeights() {
    readHeight(state_.settings.CTHeight, chase_->height->currentIndex());
    readHeight(state_.settings.DHeight, drive_->height->currentIndex());
}

// Showing the record in the controls --------------------------------------------------------------

void SettingsPage::showSettings() {
    showSettings(Camera::ChaseTopDown);
    showSettings(Camera::Drive);
}

void SettingsPage::showSettings(Camera camera) {
    showDistanceGauge(camera);
    updateGaugeScale(camera);
    showAngleGauge(camera);
    showHeight(camera);
    showZoomGauge(camera);
}

void SettingsPage::showDistanceGauge(Camera camera) {
    controls(camera).distance->setMarkerValue(0, group(state_.settings, camera).ClipDist);
}

void SettingsPage::updateGaugeScale(Camera camera) {
    const AngleScale scale = angleScaleFor(state_.settings, camera);
    controls(camera).angle->setScaleStart(1, scale.start);
    controls(camera).angle->setScaleExtent(1, scale.extent);
}

void SettingsPage::showAngleGauge(Camera camera) {
    const AngleNeedleValues values = needleValuesFor(state_.settings, camera, state_.revision);
    for (int i = 0; i < kAngleNeedleCount; ++i) {
        if (const auto& value = values[static_cast<std::size_t>(i)]) {
            controls(camera).angle->setMarkerValue(i, *value);
        }
    }
}

void SettingsPage::showHeight(Camera camera) {
    controls(camera).height->setCurrentIndex(heightItemFor(group(state_.settings, camera).Height));
}

void SettingsPage::showZoomGauge(Camera camera) {
    ZoomGaugeView view = orvendel::showZoomGauge(state_.settings, camera, state_.revision);
    // Without a recognised revision the drive gauge takes no moves and the editor shows nothing
    // on it; it still shows the record's three values, as the chase gauge does, and not the
    // design's pointers, band and captions.
    if (view.empty())
        view = orvendel::showZoomGauge(state_.settings, camera, 1);
    showZoomView(*controls(camera).zoom, view);
}

// Presets ------------------------------------------------------------------------------------

void SettingsPage::applyBiowareDefaults() {
    state_.settings = kBiowareDefaults;
    state_.valuesChosen = true;
    showSettings();
}

void SettingsPage::undoChanges() {
    state_.restoreUndoSnapshot();
    showSettings();
}

void SettingsPage::applyFirstPersonPreset(Camera camera) {
    orvendel::applyFirstPersonPreset(state_.settings, camera);
    state_.valuesChosen = true;
    showSettings(camera);
}

// Revision styles ----------------------------------------------------------------------------

void SettingsPage::adaptToRevision(int revision) {
    for (Camera camera : {Camera::ChaseTopDown, Camera::Drive}) {
        Group& g = controls(camera);
        configureAngleGauge(*g.angle);
        configureZoomGauge(*g.zoom);
        g.fps->setVisible(revision != 1);
        if (revision == 1) {
            // INS and DEL are neither shown nor edited; needles and labels 2 and 3 go.
            g.angle->setMarkerCount(2);
            g.angle->setLabelCount(2);
        }
        if (revision != 0) {
            // The minimum zoom is pinned in revision 1 and taken by no gauge without a
            // recognised revision: it stays on the scale as a fixed hairline mark. Nor can a
            // minimum above the maximum, as an unrecognised file may leave them, cross the
            // maximum's arrowhead.
            g.zoom->setMarkerShape(kPointerMinimum, LinearGauge::PointerShape::Bar);
            g.zoom->setMarkerWidth(kPointerMinimum, 0.0);
            g.zoom->setMarkerDraggable(kPointerMinimum, false);
        }
    }
    // Without a recognised revision nothing on the drive zoom gauge is shown or read, so it
    // takes no moves that would silently come to nothing.
    drive_->zoom->setEnabled(revision == 0 || revision == 1);
    if (revision == 0) {
        // The drive gauge edits only the default zoom, with a single bar pointer.
        LinearGauge& zoom = *drive_->zoom;
        zoom.setMarkerCount(1);
        zoom.setBandCount(0);
        zoom.setMarkerShape(0, LinearGauge::PointerShape::Bar);
        zoom.setMarkerWidth(0, 0.02);
        //: Caption of the drive camera's single zoom pointer.
        zoom.setLabelCaption(0, tr("Zoom"));
        zoom.setLabelCaption(1, QString());
        zoom.setLabelCaption(2, QString());
        // Label 3 now marks a first-person default; label 4 belonged to the default pointer
        // of the three-pointer gauge and would otherwise keep its design text for good.
        zoom.setLabelCaption(kZoomDefaultFpsLabel, QString());
    }
    describeGauges(revision);
}

void SettingsPage::describeGauges(int revision) {
    for (Camera camera : {Camera::ChaseTopDown, Camera::Drive}) {
        Group& g = controls(camera);
        const QString mode =
            camera == Camera::ChaseTopDown ? tr("Chase and top-down camera") : tr("Drive camera");
        const QString keys =
            tr("Drag a needle or pointer, or pick one with the number keys and "
               "move it with the arrow keys and Page Up/Page Down.");

        //: Accessible name of an angle gauge; %1 is the camera mode ("Drive camera").
        g.angle->setAccessibleName(tr("%1 angles").arg(mode));
        QString angleTip =
            tr("Red needle: minimum angle\nCyan needle: default angle (never below the minimum)");
        if (revision != 1) {
            angleTip +=
                tr("\nMagenta needle: INS key angle\nSilver needle: DEL key "
                   "angle");
        }
        g.angle->setToolTip(angleTip + QStringLiteral("\n") + keys);
        g.angle->setAccessibleDescription(angleTip);

        //: Accessible name of a zoom gauge; %1 is the camera mode ("Drive camera").
        g.zoom->setAccessibleName(tr("%1 zoom distances").arg(mode));
        QString zoomTip;
        if (camera == Camera::Drive && revision != 0 && revision != 1) {
            zoomTip = tr("Drive zoom distances: unknown until an executable is read");
        } else if (camera == Camera::Drive && revision == 0) {
            zoomTip = tr("Pointer: default zoom distance (below 0 is first-person)");
        } else {
            zoomTip = revision != 0 ? tr("Red mark: minimum zoom distance (fixed)")
                                    : tr("Red pointer: minimum zoom distance");
            zoomTip +=
                tr("\nMagenta pointer: maximum zoom distance\nCyan pointer: default zoom distance"
                   "\nA distance below 0 is first-person (FPS)");
        }
        g.zoom->setToolTip(zoomTip + QStringLiteral("\n") + keys);
        g.zoom->setAccessibleDescription(zoomTip);

        //: Accessible name of a viewing-distance gauge; %1 is the camera mode ("Drive camera").
        g.distance->setAccessibleName(tr("%1 viewing distance").arg(mode));
        const QString distanceTip =
            tr("Red pointer: viewing distance in metres (45 is the game's own)");
        g.distance->setToolTip(distanceTip + QStringLiteral("\n") + keys);
        g.distance->setAccessibleDescription(distanceTip);

        g.height->setAccessibleName(camera == Camera::ChaseTopDown ? tr("Chase camera height")
                                                                   : tr("Drive camera height"));
    }
}

}  // namespace orvendel
