#include "update/downloader.h"

#include <curl/curl.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

namespace update {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMaxRedirects = 5;
constexpr int kPollMs = 250;

void init_curl_once()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

std::string lower_ascii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::optional<std::int64_t> parse_count(std::string_view text)
{
    text = trim(text);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

// Addresses are passed on as the client wrote them, spaces and Chinese
// included; the request line needs those bytes escaped. "%" stays as it is,
// so an address that is already escaped is not escaped twice.
std::string request_address(std::string_view address)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    constexpr std::string_view kUnsafe = "\"<>\\^`{|}";
    std::string out;
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F || kUnsafe.find(c) != std::string_view::npos) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

struct ContentRange {
    std::int64_t first = -1;
    std::int64_t last = -1;
    std::int64_t total = -1;
};

// "bytes 0-99/1000"; a "*" total stays -1.
std::optional<ContentRange> parse_content_range(std::string_view text)
{
    text = trim(text);
    if (lower_ascii(text.substr(0, 6)) != "bytes ")
        return std::nullopt;
    text.remove_prefix(6);
    const std::size_t dash = text.find('-');
    const std::size_t slash = text.find('/');
    if (dash == std::string_view::npos || slash == std::string_view::npos || slash < dash)
        return std::nullopt;
    ContentRange range;
    const auto first = parse_count(text.substr(0, dash));
    const auto last = parse_count(text.substr(dash + 1, slash - dash - 1));
    if (!first || !last)
        return std::nullopt;
    range.first = *first;
    range.last = *last;
    const std::string_view total = trim(text.substr(slash + 1));
    if (total != "*") {
        const auto parsed = parse_count(total);
        if (!parsed)
            return std::nullopt;
        range.total = *parsed;
    }
    return range;
}

} // namespace

// Headers of the latest response seen on a transfer (redirects reset them).
struct DownloadReply {
    long status = 0;
    std::int64_t content_length = -1;
    std::string content_range;
    std::string etag;
    std::string accept_ranges;
    bool chunked = false;
};

enum class TransferRole { Probe, Range, Whole };
enum class ReplyVerdict { Pending, Accepted, Refused, Bad };

struct EngineTransfer {
    Downloader::Task* task = nullptr;
    CURL* easy = nullptr;
    curl_slist* headers = nullptr;
    bool in_multi = false;
    TransferRole role = TransferRole::Whole;
    std::int64_t first = 0; // start asked for on this attempt
    std::int64_t last = -1; // inclusive end of the range; -1 for the whole file
    std::int64_t pos = 0;   // next file offset to write
    int attempts = 0;
    DownloadReply reply;
    ReplyVerdict verdict = ReplyVerdict::Pending;
    bool write_failed = false;
    Clock::time_point connected_seen{};
};

class Downloader::Task {
public:
    Task(DownloadOptions options, EventHandler on_event, std::atomic<std::int64_t>& received,
         std::atomic<std::int64_t>& downloaded);
    ~Task();

    void run();
    void cancel();
    bool done() const { return m_done.load(); }

    std::size_t on_header(EngineTransfer& t, std::string_view line);
    std::size_t on_body(EngineTransfer& t, const char* data, std::size_t size);
    int on_progress(EngineTransfer& t);

private:
    enum class Outcome { Complete, Failed, Fallback, Cancelled };
    using DoneHandler = std::function<std::optional<Outcome>(EngineTransfer&, CURLcode)>;

    struct Probe {
        bool ok = false;
        std::int64_t length = -1;
        bool ranges_refused = false;
        std::string etag;
        std::string url;
    };

    void transfer();
    bool cancelled() const { return m_cancel.load(); }
    void emit(DownloadEventKind kind, std::int64_t value1, std::int64_t value2 = 0);
    EngineTransfer& new_transfer(TransferRole role);
    void configure(EngineTransfer& t);
    void add(EngineTransfer& t);
    void remove(EngineTransfer& t);
    void drop_transfers();
    Outcome drive(const DoneHandler& on_done);

    Probe probe();
    Outcome fetch_ranges(const Probe& probe);
    void start_range(EngineTransfer& t);
    Outcome fetch_whole();
    ReplyVerdict judge(EngineTransfer& t);
    bool reserve(std::int64_t size);
    bool write_at(std::int64_t offset, const char* data, std::size_t size);

    DownloadOptions m_options;
    EventHandler m_on_event;
    std::atomic<std::int64_t>& m_received;
    std::atomic<std::int64_t>& m_downloaded;
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_done{false};

    std::mutex m_multi_mutex; // guards m_multi against cancel() from another thread
    CURLM* m_multi = nullptr;
    int m_active = 0;
    std::vector<std::unique_ptr<EngineTransfer>> m_transfers;

    int m_fd = -1;
    std::string m_url;
    std::string m_etag;        // strong validator of the probed file, if any
    std::int64_t m_total = -1; // length the file must add up to; -1 unknown
    bool m_finished_sent = false;
};

namespace {

std::size_t header_callback(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* t = static_cast<EngineTransfer*>(user);
    return t->task->on_header(*t, std::string_view(data, size * count));
}

std::size_t body_callback(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* t = static_cast<EngineTransfer*>(user);
    return t->task->on_body(*t, data, size * count);
}

int progress_callback(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto* t = static_cast<EngineTransfer*>(user);
    return t->task->on_progress(*t);
}

} // namespace

Downloader::Task::Task(DownloadOptions options, EventHandler on_event,
                       std::atomic<std::int64_t>& received, std::atomic<std::int64_t>& downloaded)
    : m_options(std::move(options)), m_on_event(std::move(on_event)), m_received(received),
      m_downloaded(downloaded)
{
}

Downloader::Task::~Task()
{
    drop_transfers();
    if (m_multi)
        curl_multi_cleanup(m_multi);
    if (m_fd >= 0)
        ::close(m_fd);
}

void Downloader::Task::cancel()
{
    m_cancel = true;
    std::lock_guard lock(m_multi_mutex);
    if (m_multi)
        curl_multi_wakeup(m_multi);
}

void Downloader::Task::emit(DownloadEventKind kind, std::int64_t value1, std::int64_t value2)
{
    if (kind == DownloadEventKind::Finished)
        m_finished_sent = true;
    if (m_on_event && !cancelled())
        m_on_event(DownloadEvent{kind, value1, value2});
}

void Downloader::Task::run()
{
    try {
        transfer();
    } catch (...) {
        // Out of memory or the like: report the download as incomplete.
        drop_transfers();
        if (!m_finished_sent)
            emit(DownloadEventKind::Finished, m_total, 0);
    }
    {
        std::lock_guard lock(m_multi_mutex);
        if (m_multi)
            curl_multi_cleanup(m_multi);
        m_multi = nullptr;
    }
    m_done = true;
}

void Downloader::Task::transfer()
{
    {
        std::lock_guard lock(m_multi_mutex);
        m_multi = curl_multi_init();
    }
    m_fd = ::open(m_options.destination.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    Outcome outcome = Outcome::Failed;
    if (m_multi && m_fd >= 0 && !cancelled()) {
        m_url = request_address(m_options.url);
        const Probe probed = probe();
        if (probed.ok)
            m_url = probed.url;
        m_etag = probed.etag;
        const std::int64_t segments =
            probed.ok && probed.length > 0
                ? std::min<std::int64_t>(m_options.connections,
                                         probed.length /
                                             std::max<std::int64_t>(1, m_options.min_segment))
                : 0;
        if (cancelled())
            outcome = Outcome::Cancelled;
        else if (probed.ok && probed.length > m_options.max_size)
            outcome = Outcome::Failed;
        else if (!probed.ranges_refused && segments > 1) {
            outcome = fetch_ranges(probed);
            if (outcome == Outcome::Fallback)
                outcome = fetch_whole();
        } else {
            outcome = fetch_whole();
        }
    }
    drop_transfers();
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (outcome != Outcome::Cancelled) {
        const bool whole =
            outcome == Outcome::Complete && m_total >= 0 && m_downloaded.load() == m_total;
        emit(DownloadEventKind::Finished, m_total >= 0 ? m_total : m_downloaded.load(),
             whole ? 1 : 0);
    }
}

EngineTransfer& Downloader::Task::new_transfer(TransferRole role)
{
    auto t = std::make_unique<EngineTransfer>();
    t->task = this;
    t->role = role;
    t->easy = curl_easy_init();
    m_transfers.push_back(std::move(t));
    return *m_transfers.back();
}

void Downloader::Task::configure(EngineTransfer& t)
{
    CURL* e = t.easy;
    curl_easy_setopt(e, CURLOPT_URL, m_url.c_str());
    curl_easy_setopt(e, CURLOPT_PRIVATE, &t);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, static_cast<long>(kMaxRedirects));
    curl_easy_setopt(e, CURLOPT_USERAGENT, "Varnel-Update/3.0.6");
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, m_options.connect_timeout_ms);
    // A connection that delivers nothing for the receive limit is given up.
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME,
                     std::max(1L, (m_options.receive_timeout_ms + 999) / 1000));
    curl_easy_setopt(e, CURLOPT_BUFFERSIZE, m_options.receive_buffer);
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, header_callback);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, body_callback);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, progress_callback);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, &t);
    if (t.role == TransferRole::Probe)
        curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
}

void Downloader::Task::add(EngineTransfer& t)
{
    t.reply = DownloadReply{};
    t.verdict = ReplyVerdict::Pending;
    t.connected_seen = {};
    ++t.attempts;
    curl_multi_add_handle(m_multi, t.easy);
    t.in_multi = true;
    ++m_active;
}

void Downloader::Task::remove(EngineTransfer& t)
{
    if (!t.in_multi)
        return;
    curl_multi_remove_handle(m_multi, t.easy);
    t.in_multi = false;
    --m_active;
}

void Downloader::Task::drop_transfers()
{
    for (auto& t : m_transfers) {
        remove(*t);
        curl_easy_cleanup(t->easy);
        curl_slist_free_all(t->headers);
    }
    m_transfers.clear();
    m_active = 0;
}

Downloader::Task::Outcome Downloader::Task::drive(const DoneHandler& on_done)
{
    while (true) {
        if (cancelled())
            return Outcome::Cancelled;
        int still_running = 0;
        curl_multi_perform(m_multi, &still_running);
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(m_multi, &queued)) {
            if (message->msg != CURLMSG_DONE)
                continue;
            EngineTransfer* t = nullptr;
            curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &t);
            const CURLcode code = message->data.result;
            remove(*t);
            if (cancelled())
                return Outcome::Cancelled;
            if (const auto outcome = on_done(*t, code))
                return *outcome;
        }
        if (m_active == 0)
            return Outcome::Complete;
        curl_multi_poll(m_multi, nullptr, 0, kPollMs, nullptr);
    }
}

Downloader::Task::Probe Downloader::Task::probe()
{
    EngineTransfer& t = new_transfer(TransferRole::Probe);
    configure(t);
    add(t);
    CURLcode result = CURLE_OK;
    const Outcome outcome = drive([&](EngineTransfer&, CURLcode code) -> std::optional<Outcome> {
        result = code;
        return std::nullopt;
    });
    Probe probed;
    if (outcome == Outcome::Cancelled)
        return probed;
    probed.ok = result == CURLE_OK && t.reply.status >= 200 && t.reply.status < 300 &&
                t.reply.status != 206 && t.reply.content_length >= 0;
    probed.length = t.reply.content_length;
    probed.ranges_refused = lower_ascii(trim(t.reply.accept_ranges)) == "none";
    // If-Range takes strong validators only.
    if (!t.reply.etag.empty() && !t.reply.etag.starts_with("W/"))
        probed.etag = t.reply.etag;
    char* effective = nullptr;
    curl_easy_getinfo(t.easy, CURLINFO_EFFECTIVE_URL, &effective);
    probed.url = effective ? effective : m_url;
    return probed;
}

bool Downloader::Task::reserve(std::int64_t size)
{
    if (::ftruncate(m_fd, 0) != 0)
        return false;
    if (size <= 0)
        return true;
    const int rc = ::posix_fallocate(m_fd, 0, size);
    if (rc == 0)
        return true;
    // Some file systems cannot preallocate; a sparse file of the right size will do.
    if (rc == EOPNOTSUPP || rc == EINVAL)
        return ::ftruncate(m_fd, size) == 0;
    return false;
}

bool Downloader::Task::write_at(std::int64_t offset, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::pwrite(m_fd, data, size, offset);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
        offset += written;
    }
    return true;
}

Downloader::Task::Outcome Downloader::Task::fetch_ranges(const Probe& probed)
{
    m_total = probed.length;
    m_downloaded = 0;
    if (!reserve(m_total))
        return Outcome::Failed;
    emit(DownloadEventKind::Started, m_total);
    const std::int64_t segments = std::min<std::int64_t>(
        m_options.connections, m_total / std::max<std::int64_t>(1, m_options.min_segment));
    for (std::int64_t i = 0; i < segments; ++i) {
        EngineTransfer& t = new_transfer(TransferRole::Range);
        t.pos = m_total * i / segments;
        t.last = m_total * (i + 1) / segments - 1;
        configure(t);
        start_range(t);
    }
    const Outcome outcome = drive([&](EngineTransfer& t, CURLcode code) -> std::optional<Outcome> {
        if (t.verdict == ReplyVerdict::Pending)
            t.verdict = judge(t);
        if (t.verdict == ReplyVerdict::Refused)
            return Outcome::Fallback;
        if (code == CURLE_OK && t.verdict == ReplyVerdict::Accepted && t.pos == t.last + 1) {
            emit(DownloadEventKind::ConnectionEnded, t.last);
            return std::nullopt;
        }
        emit(DownloadEventKind::ConnectionFailed, t.pos);
        if (t.write_failed || t.attempts >= m_options.attempts_per_range)
            return Outcome::Failed;
        start_range(t); // resume where this connection stopped
        return std::nullopt;
    });
    drop_transfers();
    if (outcome == Outcome::Complete && m_downloaded.load() != m_total)
        return Outcome::Failed;
    return outcome;
}

void Downloader::Task::start_range(EngineTransfer& t)
{
    t.first = t.pos;
    const std::string range = std::to_string(t.first) + "-" + std::to_string(t.last);
    curl_easy_setopt(t.easy, CURLOPT_RANGE, range.c_str());
    if (!m_etag.empty() && !t.headers) {
        t.headers = curl_slist_append(nullptr, ("If-Range: " + m_etag).c_str());
        curl_easy_setopt(t.easy, CURLOPT_HTTPHEADER, t.headers);
    }
    add(t);
    emit(DownloadEventKind::ConnectionStarted, t.first, t.last);
}

Downloader::Task::Outcome Downloader::Task::fetch_whole()
{
    m_total = -1;
    m_downloaded = 0;
    if (!reserve(0))
        return Outcome::Failed;
    EngineTransfer& t = new_transfer(TransferRole::Whole);
    configure(t);
    add(t);
    emit(DownloadEventKind::ConnectionStarted, 0, -1);
    const Outcome outcome =
        drive([&](EngineTransfer& done, CURLcode code) -> std::optional<Outcome> {
            if (done.verdict == ReplyVerdict::Pending)
                done.verdict = judge(done);
            // Without a length only the closing chunk of a chunked reply proves the end;
            // a reply that just stops may have been cut off.
            const bool whole = code == CURLE_OK && done.verdict == ReplyVerdict::Accepted &&
                               (m_total >= 0 ? done.pos == m_total : done.reply.chunked);
            if (!whole) {
                emit(DownloadEventKind::ConnectionFailed, done.pos);
                return Outcome::Failed;
            }
            if (m_total < 0)
                m_total = done.pos;
            emit(DownloadEventKind::ConnectionEnded, done.pos - 1);
            return Outcome::Complete;
        });
    drop_transfers();
    return outcome;
}

ReplyVerdict Downloader::Task::judge(EngineTransfer& t)
{
    const DownloadReply& reply = t.reply;
    if (t.role == TransferRole::Range) {
        if (reply.status == 200 || reply.status == 416)
            return ReplyVerdict::Refused;
        if (reply.status != 206)
            return ReplyVerdict::Bad;
        const auto range = parse_content_range(reply.content_range);
        if (!range || range->first != t.first || range->last != t.last || range->total != m_total)
            return ReplyVerdict::Refused;
        if (!m_etag.empty() && !reply.etag.empty() && reply.etag != m_etag)
            return ReplyVerdict::Refused;
        return ReplyVerdict::Accepted;
    }
    if (reply.status != 200 || reply.content_length > m_options.max_size)
        return ReplyVerdict::Bad;
    m_total = reply.content_length;
    if (m_total > 0 && !reserve(m_total))
        return ReplyVerdict::Bad;
    emit(DownloadEventKind::Started, m_total);
    return ReplyVerdict::Accepted;
}

std::size_t Downloader::Task::on_header(EngineTransfer& t, std::string_view line)
{
    if (line.starts_with("HTTP/")) {
        t.reply = DownloadReply{};
        const std::size_t space = line.find(' ');
        if (space != std::string_view::npos)
            t.reply.status = static_cast<long>(parse_count(line.substr(space + 1, 3)).value_or(0));
        return line.size();
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return line.size();
    const std::string name = lower_ascii(trim(line.substr(0, colon)));
    const std::string_view value = trim(line.substr(colon + 1));
    if (name == "content-length")
        t.reply.content_length = parse_count(value).value_or(-1);
    else if (name == "content-range")
        t.reply.content_range = std::string(value);
    else if (name == "etag")
        t.reply.etag = std::string(value);
    else if (name == "accept-ranges")
        t.reply.accept_ranges = std::string(value);
    else if (name == "transfer-encoding")
        t.reply.chunked = lower_ascii(value).find("chunked") != std::string::npos;
    return line.size();
}

std::size_t Downloader::Task::on_body(EngineTransfer& t, const char* data, std::size_t size)
{
    if (t.verdict == ReplyVerdict::Pending)
        t.verdict = judge(t);
    if (t.verdict != ReplyVerdict::Accepted)
        return 0;
    const std::int64_t end = t.pos + static_cast<std::int64_t>(size);
    const bool too_long = t.role == TransferRole::Range ? end > t.last + 1
                          : m_total >= 0                ? end > m_total
                                                        : end > m_options.max_size;
    if (too_long || !write_at(t.pos, data, size)) {
        t.write_failed = true;
        return 0;
    }
    t.pos = end;
    m_received.fetch_add(static_cast<std::int64_t>(size), std::memory_order_relaxed);
    m_downloaded.fetch_add(static_cast<std::int64_t>(size), std::memory_order_relaxed);
    return size;
}

int Downloader::Task::on_progress(EngineTransfer& t)
{
    if (cancelled())
        return 1;
    // Send limit: the request must have gone out within the limit after connecting.
    curl_off_t connect_us = 0;
    curl_easy_getinfo(t.easy, CURLINFO_CONNECT_TIME_T, &connect_us);
    if (connect_us > 0) {
        long request_size = 0;
        curl_easy_getinfo(t.easy, CURLINFO_REQUEST_SIZE, &request_size);
        if (request_size == 0) {
            const auto now = Clock::now();
            if (t.connected_seen == Clock::time_point{})
                t.connected_seen = now;
            else if (now - t.connected_seen > std::chrono::milliseconds(m_options.send_timeout_ms))
                return 1;
        }
    }
    return 0;
}

Downloader::Downloader()
{
    init_curl_once();
}

Downloader::~Downloader()
{
    cancel();
}

bool Downloader::start(DownloadOptions options, EventHandler on_event)
{
    if (running())
        return false;
    if (m_worker.joinable())
        m_worker.join();
    m_received = 0;
    m_downloaded = 0;
    m_task =
        std::make_unique<Task>(std::move(options), std::move(on_event), m_received, m_downloaded);
    m_worker = std::thread([task = m_task.get()] { task->run(); });
    return true;
}

void Downloader::cancel()
{
    if (m_task)
        m_task->cancel();
    if (m_worker.joinable())
        m_worker.join();
}

bool Downloader::running() const
{
    return m_task && !m_task->done();
}

} // namespace update
