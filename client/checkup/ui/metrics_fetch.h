#pragma once
// Runs the metric scraping on a worker so that the window stays usable
// while six requests are under way. The worker fills a copy of the record;
// the GUI thread merges it back (empty fields only) and then continues.

#include "client/checkup/checkup_record.h"
#include "client/checkup/site_metrics.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace checkup {

class MetricsFetch final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MetricsFetch)
public:
    // `record` outlives this object; it is only touched on the GUI thread.
    explicit MetricsFetch(CheckupRecord& record, QObject* parent = nullptr);
    ~MetricsFetch() override;

    // Scrapes `domain` and calls `done` on the GUI thread once the result is
    // merged. Asked while a fetch runs, it stops that one first; the earlier
    // `done` is then dropped and only the latest one is called.
    void start(std::string domain, ScrapeOptions options, std::function<void()> done);
    // Ends the running fetch early (its `done` still follows).
    void stop();
    bool running() const { return m_running; }

private:
    struct Job {
        std::string domain;
        ScrapeOptions options;
        std::function<void()> done;
    };
    void launch();
    void finished(const CheckupRecord& result);

    CheckupRecord& m_record;
    std::jthread m_worker;
    std::optional<Job> m_pending;
    std::function<void()> m_done;
    bool m_running = false;
};

}  // namespace checkup
