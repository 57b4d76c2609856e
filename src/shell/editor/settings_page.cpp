// SPDX-License-Identifier: MIT
// Building the settings page: its controls, each camera mode's group, the quick presets, and
// the screen readers' view of the height lists.
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

#include "camera/height_table.h"
#include "shell/core_texts.h"
#include "shell/editor/settings_page_group.h"
#include "shell/editor/settings_page_layout.h"
#include "shell/gauges/gauge_designs.h"
#include "shell/gauges/gauge_widget.h"
#include "shell/gauges/linear_gauge.h"
#include "shell/gauges/round_gauge.h"
#include "shell/layout.h"

namespace orvendel {

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

}  // namespace

SettingsPage::SettingsPage(CameraState& state, MessageBoxes& messages, QWidget* parent)
    : QWidget(parent),
      state_(state),
      messages_(messages),
      chase_(std::make_unique<Group>()),
      drive_(std::make_unique<Group>()) {
    setObjectName(QStringLiteral("SettingsFrame"));
    const double scale = layoutScale();
    resize(twipsSize(kSettingsPageWidth, kSettingsPageHeight, scale));
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

}  // namespace orvendel
