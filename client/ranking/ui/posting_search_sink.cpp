#include "client/ranking/ui/posting_search_sink.h"

#include <QMetaObject>
#include <QObject>

namespace ranking {

PostingSearchSink::PostingSearchSink(QObject* receiver, std::uint64_t generation,
                                     std::function<bool(std::uint64_t)> is_current,
                                     Targets targets)
    : m_receiver(receiver), m_generation(generation), m_is_current(std::move(is_current)),
      m_targets(std::move(targets))
{
}

void PostingSearchSink::post(std::function<void()> write)
{
    // The receiver outlives the worker (its owner joins the worker before it
    // goes); calls still queued when it is deleted are discarded.
    QMetaObject::invokeMethod(
        m_receiver,
        [is_current = m_is_current, generation = m_generation, write = std::move(write)] {
            if (is_current(generation))
                write();
        },
        Qt::QueuedConnection);
}

void PostingSearchSink::clear_results()
{
    post([targets = m_targets] { targets.clear_results(); });
}

void PostingSearchSink::add_row(int number, const std::string& keyword)
{
    post([targets = m_targets, number, keyword = QString::fromStdString(keyword)] {
        targets.add_row(number, keyword);
    });
}

void PostingSearchSink::set_cell(int row, int column, const std::string& text)
{
    post([targets = m_targets, row, column, text = QString::fromStdString(text)] {
        targets.set_cell(row, column, text);
    });
}

void PostingSearchSink::finished()
{
    post([targets = m_targets] { targets.finished(); });
}

}  // namespace ranking
