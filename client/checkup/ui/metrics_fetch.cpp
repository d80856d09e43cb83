#include "client/checkup/ui/metrics_fetch.h"

namespace checkup {

MetricsFetch::MetricsFetch(CheckupRecord& record, QObject* parent)
    : QObject(parent), m_record(record)
{
}

MetricsFetch::~MetricsFetch()
{
    // The worker posts to this object; once joined, Qt drops what it posted.
    m_worker.request_stop();
    if (m_worker.joinable())
        m_worker.join();
}

void MetricsFetch::start(std::string domain, ScrapeOptions options, std::function<void()> done)
{
    m_pending = Job{std::move(domain), std::move(options), std::move(done)};
    if (m_running) {
        m_done = nullptr;
        m_worker.request_stop();
        return;  // launched once the stopped fetch reports back
    }
    launch();
}

void MetricsFetch::stop()
{
    if (m_running)
        m_worker.request_stop();
}

void MetricsFetch::launch()
{
    Job job = std::move(*m_pending);
    m_pending.reset();
    if (m_worker.joinable())
        m_worker.join();
    m_done = std::move(job.done);
    m_running = true;
    m_worker = std::jthread([this, snapshot = m_record, domain = std::move(job.domain),
                             options = std::move(job.options)](std::stop_token stop) mutable {
        CheckupRecord result = snapshot;
        options.stop = stop;
        scrape_site_metrics(result, domain, options);
        QMetaObject::invokeMethod(
            this, [this, result] { finished(result); }, Qt::QueuedConnection);
    });
}

void MetricsFetch::finished(const CheckupRecord& result)
{
    m_record.fill_from(result);
    m_running = false;
    m_worker.join();
    std::function<void()> done = std::move(m_done);
    m_done = nullptr;
    if (m_pending)
        launch();
    if (done)
        done();
}

}  // namespace checkup
