#pragma once
// The search job's writes, carried from its worker to the GUI thread in the
// order they were made. A write that arrives after its job was cancelled or
// replaced is dropped, so nothing lands after the idle look is back.

#include "client/ranking/rank_search.h"

#include <QString>

#include <cstdint>
#include <functional>

class QObject;

namespace ranking {

class PostingSearchSink final : public SearchSink {
public:
    struct Targets {
        std::function<void()> clear_results;
        std::function<void(int number, const QString& keyword)> add_row;
        std::function<void(int row, int column, const QString& text)> set_cell;
        std::function<void()> finished;
    };
    // `is_current(generation)` runs on the GUI thread when a write arrives.
    PostingSearchSink(QObject* receiver, std::uint64_t generation,
                      std::function<bool(std::uint64_t)> is_current, Targets targets);

    void clear_results() override;
    void add_row(int number, const std::string& keyword) override;
    void set_cell(int row, int column, const std::string& text) override;
    void finished() override;

private:
    void post(std::function<void()> write);

    QObject* m_receiver;
    std::uint64_t m_generation;
    std::function<bool(std::uint64_t)> m_is_current;
    Targets m_targets;
};

}  // namespace ranking
