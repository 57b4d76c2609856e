// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "patcher/revision_table.h"
#include "qt_printers.h"
#include "sample_builder.h"
#include "scripted_message_boxes.h"
#include "shell/editor/settings_page.h"
#include "shell/window/file_dialogs.h"
#include "shell/window/main_window.h"
#include "shell/window/progress_window.h"
#include "shell/window/remembered_places.h"
#include "temp_dir.h"

namespace orvendel {

// File dialogs answered from a script: each dialog takes the next queued answer (a path, or
// nothing for Cancel) and records how it was asked, as "executable:<current>", "open-settings"
// or "save-settings", and the folder each settings dialog was to open in. A dialog with no
// answer queued is cancelled and counted, so that a test notices an unexpected dialog.
class ScriptedFileDialogs : public FileDialogs {
public:
    void queue(std::optional<QString> answer) { answers_.push_back(std::move(answer)); }
    const QStringList& asked() const { return asked_; }
    const QStringList& settingsFolders() const { return settingsFolders_; }
    int unscripted() const { return unscripted_; }

    std::optional<QString> openExecutable(QWidget*, const QString& current) override {
        return next(QStringLiteral("executable:") + current);
    }
    std::optional<QString> openSettings(QWidget*, const QString& folder) override {
        settingsFolders_ << folder;
        return next("open-settings");
    }
    std::optional<QString> saveSettings(QWidget*, const QString& folder) override {
        settingsFolders_ << folder;
        return next("save-settings");
    }

private:
    std::optional<QString> next(const QString& how) {
        asked_ << how;
        if (answers_.empty()) {
            ++unscripted_;
            return std::nullopt;
        }
        auto answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }

    std::deque<std::optional<QString>> answers_;
    QStringList asked_;
    QStringList settingsFolders_;
    int unscripted_ = 0;
};

// Files in a temporary folder, among them a sample game executable per revision written as
// rev<N>/nwmain.exe with the game's values, and the 0-based patch sites of its table.
class WindowTestFiles {
public:
    struct Site {
        std::size_t offset;
        Field field;
        bool angle;  // stored as 90 minus the angle
    };
    struct Sample {
        QString path;
        std::vector<std::uint8_t> bytes;
        std::vector<Site> sites;
    };

    // The samples are smaller than the game's executable so that the tests stay quick; every
    // signature and site is planted all the same.
    static constexpr std::size_t kSize = std::size_t{1} << 20;

    // The sample of `revision` (0 or 1), written on first use.
    const Sample& sample(int revision) {
        auto found = samples_.find(revision);
        if (found != samples_.end())
            return found->second;
        const RevisionTable& table = revision == 0 ? kRevision0Table : kRevision1Table;
        SampleBuilder builder(kSize, 7 + static_cast<std::uint64_t>(revision));
        builder.plant(table, sampleValues());
        Sample sample{{}, builder.build(), {}};
        std::size_t next = 0;
        for (const SignatureStep& step : table.signatures)
            for (const SiteTransfer& transfer : step.transfers)
                sample.sites.push_back({builder.sites().at(0).at(next++), transfer.field,
                                        transfer.kind == TransferKind::Angle});
        sample.path =
            write("rev" + std::to_string(revision) + "/nwmain.exe",
                  {reinterpret_cast<const char*>(sample.bytes.data()), sample.bytes.size()});
        return samples_.emplace(revision, std::move(sample)).first->second;
    }
    QString executable(int revision) { return sample(revision).path; }
    const std::vector<std::uint8_t>& original(int revision) { return sample(revision).bytes; }

    QString path(const std::string& name) const {
        return dir_.filePath(QString::fromStdString(name));
    }
    // Writes `content` to `name` in the folder, making the folders on the way; gives its path.
    QString write(const std::string& name, std::string_view content) const {
        const std::filesystem::path file = path(name).toStdString();
        std::filesystem::create_directories(file.parent_path());
        writeFixture(file, {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()});
        return path(name);
    }
    static std::vector<std::uint8_t> read(const QString& p) { return readFixture(p.toStdString()); }

private:
    QTemporaryDir dir_;
    std::map<int, Sample> samples_;
};

// A start-up search that holds until release() (at most kHoldLimit ms, so that a window that
// waits for it goes on instead of hanging the test), then answers `found`.
struct HeldSearch {
    static constexpr int kHoldLimit = 5000;
    std::shared_ptr<QSemaphore> gate = std::make_shared<QSemaphore>();  // the thread may outlive us

    ~HeldSearch() { release(); }
    void release() { gate->release(); }
    MainWindow::Locator locator(const MainWindow::LocatedGames& found) const {
        return [gate = gate, found] {
            gate->tryAcquire(1, kHoldLimit);
            return found;
        };
    }
};

// A main window with scripted boxes and dialogs, on the files of a WindowTestFiles.
class MainWindowFixture : public ::testing::Test {
protected:
    // Opens the window on `start`: a path, what a search found, or a search to run (a
    // MainWindow::Locator); writing runs are acknowledged with Enter and their final status
    // lines collected.
    template <typename Start>
    void open(const Start& start) {
        window = std::make_unique<MainWindow>(messages, dialogs, places, start);
        QObject::connect(window->progressWindow(), &ProgressWindow::waitingForOk, [this] {
            okStatuses << window->progressWindow()->statusText();
            cursorsAtOk << window->cursor().shape();
            QTest::keyClick(window->progressWindow(), Qt::Key_Return);
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
    void click(const char* name) { find<QPushButton>(name)->click(); }
    SettingsPage* page() { return window->settingsPage(); }
    const CameraSettings& record() { return window->state().settings; }

    WindowTestFiles files;
    ScriptedMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    RememberedPlaces places;  // in memory, shared by the windows a test opens
    std::unique_ptr<MainWindow> window;
    QStringList okStatuses;
    QList<Qt::CursorShape> cursorsAtOk;  // the main window's pointer while OK waited
};

}  // namespace orvendel
