// SPDX-License-Identifier: MIT
#include "shell/window/main_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QCompleter>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardItemModel>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "camera/modify_warning.h"
#include "locate/game_location.h"
#include "patcher/patch_run.h"
#include "platform/files.h"
#include "settingsfile/settings_file.h"
#include "shell/core_texts.h"
#include "shell/editor/message_boxes.h"
#include "shell/editor/settings_page.h"
#include "shell/editor/settings_page_layout.h"
#include "shell/gauges/round_gauge.h"
#include "shell/window/deliberate_click_filter.h"
#include "shell/window/file_dialogs.h"
#include "shell/window/found_copy_label.h"
#include "shell/window/location_page.h"
#include "shell/window/message_box_read_only_prompt.h"
#include "shell/window/remembered_places.h"
#include "shell/window/window_layout.h"

namespace orvendel {

namespace {

// Qt's dialogs and the path box may give '/' on Windows; the core's messages name files as the
// system writes them.
std::filesystem::path toPath(const QString& text) {
    return std::filesystem::path(QDir::toNativeSeparators(text).toStdU16String());
}

// Opens the list of the path box's completer with the Down key, and with a click while the box
// is empty, showing every entry whatever the box holds.
class CandidateListOpener : public QObject {
public:
    explicit CandidateListOpener(QLineEdit* edit) : QObject(edit), edit_(edit) {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        QCompleter* completer = edit_->completer();
        if (watched != edit_ || completer == nullptr || completer->popup()->isVisible())
            return false;
        const bool down = event->type() == QEvent::KeyPress &&
                          static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down &&
                          static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier;
        const bool click = event->type() == QEvent::MouseButtonPress && edit_->text().isEmpty();
        if (!down && !click)
            return false;
        completer->setCompletionPrefix(QString());
        completer->complete();
        return down;
    }

private:
    QLineEdit* edit_;
};

// The data role of the list of copies that holds each copy's whole path.
constexpr int kWholePathRole = Qt::UserRole;

// The list of copies found: each shown by its launcher and its path, the whole path as tooltip
// and in kWholePathRole.
QStandardItemModel* foundCopiesModel(const MainWindow::LocatedGames& found, QObject* parent) {
    auto* model = new QStandardItemModel(parent);
    for (qsizetype i = 0; i < found.paths.size(); ++i) {
        const QString& path = found.paths[i];
        auto* item = new QStandardItem(foundCopyLabel(found.launchers.value(i), path));
        item->setData(path, kWholePathRole);
        item->setToolTip(QDir::toNativeSeparators(path));
        item->setEditable(false);
        model->appendRow(item);
    }
    return model;
}

// Restores a widget's own cursor (or its absence) when a patch run ends, however it ends.
class CursorGuard {
public:
    CursorGuard(QWidget& widget, Qt::CursorShape shape)
        : widget_(widget),
          hadCursor_(widget.testAttribute(Qt::WA_SetCursor)),
          saved_(widget.cursor()) {
        widget_.setCursor(shape);
    }
    ~CursorGuard() {
        if (hadCursor_) {
            widget_.setCursor(saved_);
        } else {
            widget_.unsetCursor();
        }
    }
    CursorGuard(const CursorGuard&) = delete;
    CursorGuard& operator=(const CursorGuard&) = delete;

private:
    QWidget& widget_;
    bool hadCursor_;
    QCursor saved_;
};

}  // namespace

MainWindow::MainWindow(MessageBoxes& messages, FileDialogs& dialogs, RememberedPlaces& places,
                       const LocatedGames& found, QWidget* parent)
    : QWidget(parent),
      messages_(messages),
      dialogs_(dialogs),
      places_(places),
      locationPage_(nullptr),
      settingsPage_(nullptr),
      progressWindow_(nullptr) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(tr("Orvendel Version H"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kWindowBackground);
    palette.setColor(QPalette::WindowText, kCaptionText);
    setPalette(palette);
    setAutoFillBackground(true);

    // The pages keep the layout's size at the font's scale. The window shows them whole where
    // the screen has room; elsewhere they scroll inside it.
    auto* pages = new QWidget;
    pages->setObjectName(QStringLiteral("Pages"));
    pages->setFixedSize(twipsSize(kMainWindowWidth, kMainWindowHeight));
    scroller_ = new QScrollArea(this);
    scroller_->setObjectName(QStringLiteral("PageScroller"));
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setFocusPolicy(Qt::NoFocus);
    scroller_->setAlignment(Qt::AlignCenter);
    scroller_->viewport()->setAutoFillBackground(false);
    scroller_->setWidget(pages);
    pages->setAutoFillBackground(false);
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(scroller_);

    // Created in the order of the layout: the settings page first, the location page on top.
    settingsPage_ = new SettingsPage(state_, messages_, pages);
    settingsPage_->hide();
    locationPage_ = new LocationPage(pages);
    progressWindow_ = new ProgressWindow(this);

    applyLayout(this, mainWindowLayout());
    fitWrappedLabels(locationPage_);
    std::vector<ControlLayout> tabOrder(mainWindowLayout().begin(), mainWindowLayout().end());
    tabOrder.insert(tabOrder.end(), settingsPageLayout().begin(), settingsPageLayout().end());
    applyTabOrder(this, tabOrder);

    connect(locationPage_->pathEdit(), &QLineEdit::textChanged, this, &MainWindow::updateButtons);
    connect(locationPage_->browseButton(), &QPushButton::clicked, this,
            &MainWindow::browseForExecutable);
    connect(locationPage_->restoreButton(), &QPushButton::clicked, this,
            &MainWindow::restoreOriginalExecutable);
    connect(locationPage_->nextButton(), &QPushButton::clicked, this,
            &MainWindow::readExecutableAndShowSettings);
    connect(locationPage_->cancelButton(), &QPushButton::clicked, this, &MainWindow::endProgram);
    // "Cancel" answers Esc while the location page is shown; on the settings page Esc does not
    // end the program, so that a stray key press cannot throw away unsaved edits.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (locationPage_->isVisible())
            locationPage_->cancelButton()->click();
    });

    // "Modify NWN" lies where "Next >" was: the second click of a double click on "Next >"
    // reaches it once the settings page is shown, and must not write.
    new DeliberateClickFilter(settingsPage_->applyButton());
    connect(settingsPage_, &SettingsPage::applyRequested, this,
            &MainWindow::writeSettingsToExecutable);
    connect(settingsPage_, &SettingsPage::exitRequested, this, &MainWindow::endProgram);
    connect(settingsPage_, &SettingsPage::saveRequested, this, &MainWindow::saveSettings);
    connect(settingsPage_, &SettingsPage::loadRequested, this, &MainWindow::loadSettings);

    // Start-up: nothing recognised yet, the path proposed by the game's location.
    state_.revision = kRevisionUnknown;
    showLocatedGames(found);

    // A control that takes the focus scrolls into view, by the keyboard or otherwise.
    focusFollower_ = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget*, QWidget* now) { scrollToFocus(now); });
    fitToScreen();
}

void MainWindow::scrollToFocus(QWidget* focused) {
    QWidget* pages = scroller_->widget();
    if (focused == nullptr || !pages->isAncestorOf(focused))
        return;
    // The whole control comes into view with some room round it where the view is large enough,
    // else as much of it as the view holds, from its start. (The scroll area's own
    // ensureWidgetVisible() brings a text box only as far as its cursor.)
    const int margin = fontMetrics().height() / 2;
    const auto scroll = [margin](QScrollBar* bar, int from, int length, int view) {
        int value = bar->value();
        if (length + 2 * margin <= view) {
            if (from - margin < value)
                value = from - margin;
            else if (from + length + margin > value + view)
                value = from + length + margin - view;
        } else {
            value = length <= view ? from - (view - length) / 2 : from;
        }
        bar->setValue(value);
    };
    const QRect place(focused->mapTo(pages, QPoint()), focused->size());
    const QSize view = scroller_->viewport()->size();
    scroll(scroller_->horizontalScrollBar(), place.x(), place.width(), view.width());
    scroll(scroller_->verticalScrollBar(), place.y(), place.height(), view.height());
}

QMargins MainWindow::expectedFrame() const {
    const QMargins known(geometry().left() - frameGeometry().left(),
                         geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    if (!known.isNull() || (testAttribute(Qt::WA_WState_Created) && isVisible()))
        return known;
    // Not yet shown: room for a title bar and thin borders, as common window managers draw.
    const int border = 4;
    const int title = std::max(style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this),
                               fontMetrics().height() * 2);
    return QMargins(border, title + border, border, border);
}

void MainWindow::fitToScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins frame = expectedFrame();
    const QSize room = available.size().shrunkBy(frame);
    const QSize pages = scroller_->widget()->size();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroller_);

    // A scroll bar along one side takes room from the other.
    bool vertical = pages.height() > room.height();
    const bool horizontal = pages.width() + (vertical ? bar : 0) > room.width();
    vertical = vertical || pages.height() + (horizontal ? bar : 0) > room.height();
    const QSize whole(pages.width() + (vertical ? bar : 0),
                      pages.height() + (horizontal ? bar : 0));
    setMaximumSize(pages + QSize(bar, bar));
    resize(whole.boundedTo(room));

    // Centred on the screen's free area, the frame's top left corner never above or left of it.
    QRect outer(QPoint(), size().grownBy(frame));
    outer.moveCenter(available.center());
    outer.moveLeft(std::max(outer.left(), available.left()));
    outer.moveTop(std::max(outer.top(), available.top()));
    move(outer.topLeft());
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (fittedOnShow_)
        return;
    fittedOnShow_ = true;
    // The window system knows the frame once the window is on screen.
    QTimer::singleShot(0, this, [this] {
        const QRect available = screen()->availableGeometry();
        if (!available.contains(frameGeometry()) || scroller_->verticalScrollBar()->isVisible() ||
            scroller_->horizontalScrollBar()->isVisible())
            fitToScreen();
        // The control that had the focus before the window was shown.
        scrollToFocus(focusWidget());
    });
}

MainWindow::MainWindow(MessageBoxes& messages, FileDialogs& dialogs, RememberedPlaces& places,
                       Locator locate, QWidget* parent)
    : MainWindow(messages, dialogs, places, LocatedGames(), parent) {
    QLabel* note = locationPage_->searchNote();
    note->setText(tr("Looking for NWMAIN.EXE..."));
    note->show();
    fitWrappedLabels(locationPage_);

    // The search thread writes its outcome into a place of its own, which the window reads once
    // the thread has finished; it never touches the window. The thread deletes itself when done.
    auto outcome = std::make_shared<LocatedGames>();
    searchThread_ = QThread::create([locate = std::move(locate), outcome] {
        if (locate)
            *outcome = locate();
    });
    searchThread_->setParent(this);
    connect(
        searchThread_, &QThread::finished, this,
        [this, outcome] {
            searchThread_ = nullptr;
            showLocatedGames(*outcome);
            emit searchEnded();
        },
        Qt::QueuedConnection);
    connect(searchThread_, &QThread::finished, searchThread_, &QObject::deleteLater);
    searchThread_->start();
}

MainWindow::~MainWindow() {
    // The controls hand on the focus as they go, after this window has ceased to be one.
    disconnect(focusFollower_);
    // A search that still runs must not be destroyed with the window; it ends on its own.
    if (searchThread_ && !searchThread_->isFinished())
        searchThread_->setParent(nullptr);
}

bool MainWindow::searching() const {
    return !searchThread_.isNull();
}

void MainWindow::showLocatedGames(const LocatedGames& found) {
    QLineEdit* nwn = locationPage_->pathEdit();
    // A path in the box was typed or browsed to while the search ran, and stays.
    const bool keepPath = !nwn->text().isEmpty();
    // Where the search found nothing, the executable read last time, if it is still there.
    const QString remembered = places_.executable();
    const bool offerRemembered =
        found.paths.isEmpty() && isGameExecutablePath(remembered.toLocal8Bit().toStdString());
    if (!keepPath)
        nwn->setText(offerRemembered ? remembered : found.paths.value(0));
    updateButtons();
    if (found.paths.size() > 1) {
        auto* completer = new QCompleter(nwn);
        completer->setModel(foundCopiesModel(found, completer));
        // The box takes, and matches what is typed against, the whole path; the list shows the
        // launcher and the path, shortened in the middle where it is too long.
        completer->setCompletionRole(kWholePathRole);
        completer->popup()->setTextElideMode(Qt::ElideMiddle);
        nwn->setCompleter(completer);
        new CandidateListOpener(nwn);
    }
    QLabel* note = locationPage_->searchNote();
    note->setText(found.paths.isEmpty() && !keepPath && !offerRemembered ? found.notFound
                                                                         : QString());
    note->setVisible(!note->text().isEmpty());
    fitWrappedLabels(locationPage_);
}

QString MainWindow::executablePath() const {
    return locationPage_->pathEdit()->text();
}

void MainWindow::updateButtons() {
    // The locate layer takes paths in the system's code page (UTF-8 outside Windows).
    locationPage_->nextButton()->setEnabled(
        isGameExecutablePath(executablePath().toLocal8Bit().toStdString()));
    updateRestoreButton();
}

void MainWindow::updateRestoreButton() {
    const QString path = executablePath();
    locationPage_->restoreButton()->setEnabled(!path.isEmpty() && hasOriginalCopy(toPath(path)));
}

void MainWindow::browseForExecutable() {
    const QString current = executablePath().isEmpty() ? places_.executable() : executablePath();
    if (auto chosen = dialogs_.openExecutable(this, current)) {
        locationPage_->pathEdit()->setText(*chosen);
    }
}

void MainWindow::readExecutableAndShowSettings() {
    places_.setExecutable(executablePath());
    readExecutable();
    settingsPage_->adaptToRevision(state_.revision);
    locationPage_->hide();
    settingsPage_->showSettings();
    settingsPage_->show();
    // Focus goes to the first gauge, not to "Modify NWN" where "Next >" was, so that no key
    // meant for "Next >" can start a writing run.
    settingsPage_->angleGauge(Camera::ChaseTopDown)->setFocus();
}

void MainWindow::endProgram() {
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A run is never cut short: the window stays until the progress window has ended it.
    if (progressWindow_->running()) {
        event->ignore();
        return;
    }
    // The progress window stays loaded between runs; it must not outlive the main window.
    progressWindow_->hide();
    event->accept();
}

void MainWindow::writeSettingsToExecutable() {
    if (!state_.valuesChosen) {
        messages_.inform(windowText(kStatusNothingToWrite), MessageBoxes::Icon::Exclamation);
        return;
    }
    settingsPage_->readHeights();
    const ModifyWarning warning = modifyWarning(state_.settings, state_.revision);
    if (warning != ModifyWarning::None &&
        !messages_.askOkCancel(windowText(modifyWarningText(warning)))) {
        return;
    }
    writeExecutable();
}

void MainWindow::restoreOriginalExecutable() {
    const std::filesystem::path path = toPath(executablePath());
    const Result<RestorePlan> plan = planRestore(path);
    const auto restore = [this, &plan] {
        runInProgressWindow(ProgressWindow::WhenDone::WaitForOk, [&plan](ProgressSink& progress) {
            return restoreOriginal(*plan, progress);
        });
    };
    if (!plan) {
        messages_.inform(windowText(plan.message()), MessageBoxes::Icon::Exclamation);
    } else if (plan->copy.standing == KeptCopy::Standing::Untrusted) {
        // Nothing to ask: the run refuses it and says why.
        restore();
    } else if (messages_.askYesNo(windowText(restoreQuestion(*plan)), windowText(kRestoreTitle))) {
        MessageBoxReadOnlyPrompt prompt(messages_);
        const Result<RunConsent> consent = prepareRestore(path, prompt);
        if (!consent)
            messages_.inform(windowText(consent.message()), MessageBoxes::Icon::Exclamation);
        if (consent == RunConsent::Given)
            restore();
    }
    updateRestoreButton();
}

void MainWindow::readExecutable() {
    MessageBoxReadOnlyPrompt prompt(messages_);
    if (consentGiven(clearReadOnlyIfAgreed(toPath(executablePath()), prompt)))
        runOnRecord(ProgressWindow::WhenDone::CloseOnSuccess, readCameraValues);
    updateRestoreButton();
}

void MainWindow::writeExecutable() {
    MessageBoxReadOnlyPrompt prompt(messages_);
    if (consentGiven(prepareWriting(toPath(executablePath()), prompt)))
        runOnRecord(ProgressWindow::WhenDone::WaitForOk, writeCameraValues);
    updateRestoreButton();
}

bool MainWindow::consentGiven(const Result<RunConsent>& consent) {
    if (!consent)
        messages_.inform(windowText(consent.message()), MessageBoxes::Icon::Exclamation);
    return consent == RunConsent::Given;
}

void MainWindow::runOnRecord(ProgressWindow::WhenDone whenDone,
                             RunResult (*run)(const std::filesystem::path&, CameraState&,
                                              ProgressSink&)) {
    // The run works on its own thread, on a copy of the record.
    const std::filesystem::path path = toPath(executablePath());
    CameraState working = state_;
    bool ended = false;
    runInProgressWindow(whenDone, [&](ProgressSink& progress) {
        RunResult result = run(path, working, progress);
        ended = true;
        return result;
    });
    if (ended)
        state_ = std::move(working);
}

void MainWindow::runInProgressWindow(ProgressWindow::WhenDone whenDone,
                                     const std::function<RunResult(ProgressSink&)>& run) {
    FileStatus cleanUp = FileStatus::success();
    {
        CursorGuard wait(*this, Qt::WaitCursor);
        progressWindow_->runModal(whenDone, [&](ProgressSink& progress) {
            const RunResult result = run(progress);
            cleanUp = result.cleanUp;
            return ProgressWindow::Outcome{result.succeeded()};
        });
    }
    // A temporary file of an earlier run that stayed did not stop this run: it is reported after
    // the run's own outcome, which the progress window has shown.
    if (!cleanUp)
        messages_.inform(windowText(cleanUp.message()), MessageBoxes::Icon::Exclamation);
}

void MainWindow::saveSettings() {
    const auto chosen = dialogs_.saveSettings(this, places_.settingsFolder());
    if (!chosen)
        return;
    places_.setSettingsFolder(QFileInfo(*chosen).absolutePath());
    // Neither the game nor the copy of its original may be overwritten.
    const std::filesystem::path target = toPath(*chosen);
    FileStatus saved = settingsTargetAllowed(target, toPath(executablePath()));
    // Another file of that name (a link too, even a broken one) is replaced only when the user
    // agrees; a folder there is left to the save to refuse.
    std::error_code error;
    const bool taken = std::filesystem::exists(std::filesystem::symlink_status(target, error)) &&
                       !std::filesystem::is_directory(target, error);
    if (saved && taken &&
        !messages_.askYesNo(tr("\"%1\" already exists.  Do you want to replace it?")
                                .arg(QDir::toNativeSeparators(*chosen)))) {
        return;
    }
    if (saved)
        saved = saveSettingsFile(target, state_.settings);
    if (!saved.ok()) {
        messages_.inform(windowText(saved.message()), MessageBoxes::Icon::Exclamation);
    }
}

void MainWindow::loadSettings() {
    const auto chosen = dialogs_.openSettings(this, places_.settingsFolder());
    if (!chosen)
        return;
    places_.setSettingsFolder(QFileInfo(*chosen).absolutePath());
    const Result<SettingsFormat> result =
        loadSettingsFile(toPath(*chosen), state_.settings, state_.revision);
    if (!result) {
        messages_.inform(windowText(result.message()), MessageBoxes::Icon::Exclamation);
        return;
    }
    if (result == SettingsFormat::Known)
        state_.valuesChosen = true;
    else
        messages_.inform(windowText(kUnknownFormatMessage), MessageBoxes::Icon::Exclamation);
    settingsPage_->showSettings();
}

}  // namespace orvendel
