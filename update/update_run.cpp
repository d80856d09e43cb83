#include "update/update_run.h"

#include <system_error>

namespace update {

UpdateRun::UpdateRun(UpdateTask task, DownloadKind kind, std::filesystem::path temp_dir,
                     DownloadOptions engine)
    : m_task(std::move(task)), m_kind(kind), m_paths(std::move(temp_dir)),
      m_engine_options(std::move(engine))
{
}

UpdateRun::~UpdateRun()
{
    {
        std::lock_guard lock(m_stop_mutex);
        m_stopping = true;
    }
    m_stop_signal.notify_all();
    m_downloader.cancel();
}

void UpdateRun::remove_leftovers()
{
    if (!m_paths.temp_dir().empty())
        update::clean_up(m_paths, m_kind);
}

void UpdateRun::start_download()
{
    remove_leftovers();
    if (m_paths.temp_dir().empty())
        return;
    DownloadOptions options = m_engine_options;
    options.url = m_task.download_address;
    options.destination = m_paths.download_file(m_kind).string();
    m_monitoring = true;
    m_downloader.start(std::move(options), [this](const DownloadEvent& event) { on_event(event); });
}

void UpdateRun::on_event(const DownloadEvent& event)
{
    switch (event.kind) {
    case DownloadEventKind::Started:
        m_total = event.value1 > 0 ? event.value1 : 0;
        m_state = DownloadState::Downloading;
        break;
    case DownloadEventKind::Finished: {
        // Let the last second's display settle before the final count is read.
        std::unique_lock lock(m_stop_mutex);
        if (m_stop_signal.wait_for(lock, m_settle, [this] { return m_stopping; }))
            return;
        lock.unlock();
        m_monitoring = false;
        const std::int64_t done = m_downloader.downloaded_bytes();
        const bool whole = event.value2 == 1;
        if (whole && m_total.load() == 0)
            m_total = event.value1; // a reply without a length that ended properly
        const std::int64_t total = m_total.load();
        // An empty or short file is never complete, whatever the engine says.
        m_state = whole && total > 0 && done == total ? DownloadState::Complete
                                                      : DownloadState::Incomplete;
        break;
    }
    default:
        break;
    }
}

bool UpdateRun::monitor_tick()
{
    if (!m_monitoring.load())
        return false;
    m_sample.bytes_per_second = m_downloader.take_received_bytes();
    m_sample.done = m_downloader.downloaded_bytes();
    m_sample.total = m_total.load();
    m_sample.percent = percentage(m_sample.done, m_sample.total);
    return true;
}

void UpdateRun::prepare_unpack_folder()
{
    if (m_paths.temp_dir().empty())
        return;
    std::error_code ec;
    std::filesystem::create_directories(m_paths.unpack_dir(), ec);
}

InstallResult UpdateRun::install(const std::function<void()>& between_entries)
{
    if (m_state.load() != DownloadState::Complete)
        return InstallResult::NotDownloaded;
    return m_kind == DownloadKind::Zip
               ? install_zip(m_paths, m_task.install_path, UnpackLimits{}, between_entries)
               : install_exe(m_paths, m_task.install_path);
}

void UpdateRun::clean_up()
{
    {
        std::lock_guard lock(m_stop_mutex);
        m_stopping = true;
    }
    m_stop_signal.notify_all();
    m_downloader.cancel();
    m_monitoring = false;
    remove_leftovers();
}

} // namespace update
