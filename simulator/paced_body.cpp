#include "simulator/paced_body.h"

#include <httplib.h>

#include <algorithm>
#include <memory>
#include <thread>

namespace sim {
namespace {

using Clock = std::chrono::steady_clock;

struct PaceState {
    PacedBody body;
    const std::atomic<bool>* running = nullptr;
    Clock::time_point start = Clock::now();
    std::string buffer;

    std::size_t end() const { return std::min(body.length, body.available); }

    // Sleeps in short slices so a stopping server is never held up.
    bool sleep_until(Clock::time_point when) const
    {
        while (Clock::now() < when) {
            if (!running->load())
                return false;
            std::this_thread::sleep_for(std::min<Clock::duration>(
                when - Clock::now(), std::chrono::milliseconds(20)));
        }
        return running->load();
    }

    bool stall(httplib::DataSink& sink) const
    {
        const auto limit = start + body.stall_limit;
        while (running->load() && Clock::now() < limit && sink.is_writable())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return false;
    }

    // Writes the next piece at `offset`; false when the connection must close.
    bool write_next(std::size_t offset, httplib::DataSink& sink)
    {
        if (body.stall)
            return stall(sink);
        if (offset >= end())
            return false;
        std::size_t chunk = 64 * 1024;
        if (body.rate > 0)
            chunk = std::clamp<std::size_t>(body.rate / 20, 1, chunk);
        chunk = std::min(chunk, end() - offset);
        buffer.clear();
        body.source(offset, chunk, buffer);
        if (buffer.size() != chunk || !sink.write(buffer.data(), buffer.size()))
            return false;
        if (body.rate > 0) {
            const auto due = start + std::chrono::duration_cast<Clock::duration>(
                                         std::chrono::duration<double>(
                                             double(offset + chunk) / double(body.rate)));
            return sleep_until(due);
        }
        return running->load();
    }
};

}  // namespace

ByteSource string_source(std::string bytes)
{
    auto shared = std::make_shared<const std::string>(std::move(bytes));
    return [shared](std::size_t offset, std::size_t length, std::string& out) {
        if (offset < shared->size())
            out.append(*shared, offset, length);
    };
}

void send_paced(httplib::Response& res, PacedBody body, const std::atomic<bool>& running)
{
    res.headers.erase("Content-Type");
    res.headers.erase("Content-Length");
    res.body.clear();
    auto state = std::make_shared<PaceState>();
    state->running = &running;
    const std::string type = body.content_type;
    const std::size_t length = body.length;
    const bool announce = body.announce_length;
    state->body = std::move(body);
    if (announce) {
        res.set_content_provider(length, type,
                                 [state](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                     return state->write_next(offset, sink);
                                 });
        return;
    }
    res.set_content_provider(type, [state](std::size_t offset, httplib::DataSink& sink) {
        if (!state->body.stall && offset >= state->end()) {
            sink.done();
            return true;
        }
        return state->write_next(offset, sink);
    });
}

}  // namespace sim
