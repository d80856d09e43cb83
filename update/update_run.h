#pragma once
// One updater run without its window: the download with its counters and
// state, the installation and the clean-up. The window drives it from two
// once-a-second timers; the engine's events arrive on its own thread.

#include "update/download_kind.h"
#include "update/downloader.h"
#include "update/installer.h"
#include "update/progress.h"
#include "update/update_paths.h"
#include "update/update_task.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>

namespace update {

enum class DownloadState { Idle, Downloading, Complete, Incomplete };

class UpdateRun {
public:
    // `temp_dir` is the private temporary folder; empty means there is none,
    // and then nothing is downloaded or removed. `engine` carries the engine
    // settings other than address and destination.
    UpdateRun(UpdateTask task, DownloadKind kind, std::filesystem::path temp_dir,
              DownloadOptions engine = {});
    ~UpdateRun();
    UpdateRun(const UpdateRun&) = delete;
    UpdateRun& operator=(const UpdateRun&) = delete;

    // Removes leftovers of an earlier run, then starts the download.
    void start_download();
    // Samples the engine: speed (its counter is read and reset in one step),
    // bytes done and percentage. False once the finished event has stopped
    // the monitor; the last sample then stays.
    bool monitor_tick();
    ProgressSample progress() const { return m_sample; }
    DownloadState state() const { return m_state.load(); }

    // Creates the unpack folder.
    void prepare_unpack_folder();
    InstallResult install(const std::function<void()>& between_entries = {});
    // Stops a running download, then removes the download file and the
    // unpack folder. Safe to repeat.
    void clean_up();

    const UpdateTask& task() const { return m_task; }
    DownloadKind kind() const { return m_kind; }
    const UpdatePaths& paths() const { return m_paths; }
    // How long the finished event waits before it reads the final count.
    void set_settle_time(std::chrono::milliseconds wait) { m_settle = wait; }

private:
    void on_event(const DownloadEvent& event);
    void remove_leftovers();

    UpdateTask m_task;
    DownloadKind m_kind;
    UpdatePaths m_paths;
    DownloadOptions m_engine_options;
    std::chrono::milliseconds m_settle{1000};

    std::atomic<std::int64_t> m_total{0};
    std::atomic<DownloadState> m_state{DownloadState::Idle};
    std::atomic<bool> m_monitoring{false};
    ProgressSample m_sample; // GUI thread only

    std::mutex m_stop_mutex;
    std::condition_variable m_stop_signal;
    bool m_stopping = false;

    Downloader m_downloader; // last: its worker must end before the members above go
};

} // namespace update
