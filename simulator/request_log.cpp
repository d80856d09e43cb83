#include "simulator/request_log.h"

#include "simulator/json_text.h"

namespace sim {

void RequestLog::add(LogEntry entry)
{
    if (entry.body.size() > max_body) {
        entry.body.resize(max_body);
        entry.body_truncated = true;
    }
    std::lock_guard lock(m_mutex);
    entry.seq = m_next_seq++;
    m_entries.push_back(std::move(entry));
    while (m_entries.size() > m_capacity)
        m_entries.pop_front();
}

std::string RequestLog::to_json(const std::string& role, std::uint64_t since) const
{
    std::lock_guard lock(m_mutex);
    std::string out = "[";
    bool first = true;
    for (const LogEntry& e : m_entries) {
        if (e.seq <= since || (!role.empty() && e.role != role))
            continue;
        out += first ? "\n" : ",\n";
        first = false;
        out.append("{\"seq\":").append(std::to_string(e.seq));
        out.append(",\"role\":").append(json_quote(e.role));
        out.append(",\"method\":").append(json_quote(e.method));
        out.append(",\"target\":").append(json_quote(e.target));
        out.append(",\"headers\":[");
        for (std::size_t i = 0; i < e.headers.size(); ++i) {
            out.append(i ? ",[" : "[").append(json_quote(e.headers[i].first));
            out.append(",").append(json_quote(e.headers[i].second)).append("]");
        }
        out.append("],\"body\":").append(json_quote(e.body));
        if (e.body_truncated)
            out += ",\"body_truncated\":true";
        out += "}";
    }
    return out + "\n]\n";
}

void RequestLog::clear()
{
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

}  // namespace sim
