#pragma once
// The updater's only window: progress bar, percentage, status line and the
// fallback link. It runs the main flow and drives the run from two
// once-a-second timers: the monitor samples the engine, `时钟1` shows the
// sample and starts the completion once the download is complete.

#include "update/downloader.h"

#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class QLabel;
class QProgressBar;

namespace update {
class UpdateRun;
}

namespace update_ui {

class LinkLabel;

class UpdateWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpdateWindow)

public:
    explicit UpdateWindow(QWidget* parent = nullptr);
    ~UpdateWindow() override;

    // Gives the private temporary folder; asked only once the command line
    // has been accepted, so a rejected run leaves nothing behind.
    using TempDirProvider = std::function<std::filesystem::path()>;

    // The main flow, from the arguments after the program path to the start
    // of the download. False when the command line is rejected or the
    // download kind is not supported: the program then ends with code 0.
    bool begin(const std::vector<std::string>& arguments, const TempDirProvider& temp_dir,
               const update::DownloadOptions& engine = {});

    update::UpdateRun* run() const { return m_run.get(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void start_download();
    void on_monitor_tick();
    void on_progress_tick();
    void complete();
    void after_install();

    QProgressBar* m_bar = nullptr;
    QLabel* m_percent = nullptr;
    QLabel* m_status = nullptr;
    LinkLabel* m_link = nullptr;
    QTimer* m_progress_timer = nullptr; // 时钟1
    QTimer m_monitor_timer;
    std::unique_ptr<update::UpdateRun> m_run;
    std::thread m_installer;
    bool m_installing = false;
};

} // namespace update_ui
