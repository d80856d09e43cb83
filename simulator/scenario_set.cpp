#include "simulator/scenario_set.h"

#include "simulator/json_text.h"

#include <charconv>

namespace sim {

std::string param_text(const ScenarioParams& params, const std::string& key,
                       const std::string& fallback)
{
    const auto it = params.find(key);
    return it == params.end() || it->second.empty() ? fallback : it->second;
}

std::size_t param_size(const ScenarioParams& params, const std::string& key, std::size_t fallback)
{
    const auto it = params.find(key);
    if (it == params.end())
        return fallback;
    std::size_t value = 0;
    const auto& text = it->second;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() ? value : fallback;
}

void ScenarioSet::set(const std::string& role, const std::string& name, ScenarioParams params)
{
    std::lock_guard lock(m_mutex);
    m_active[role][name] = std::move(params);
}

void ScenarioSet::reset(const std::string& role)
{
    std::lock_guard lock(m_mutex);
    if (role.empty())
        m_active.clear();
    else
        m_active.erase(role);
}

std::optional<ScenarioParams> ScenarioSet::find(const std::string& role,
                                                const std::string& name) const
{
    std::lock_guard lock(m_mutex);
    for (const std::string& scope : {role, std::string()}) {
        const auto r = m_active.find(scope);
        if (r == m_active.end())
            continue;
        const auto s = r->second.find(name);
        if (s != r->second.end())
            return s->second;
    }
    return std::nullopt;
}

bool ScenarioSet::take(const std::string& role, const std::string& name)
{
    std::lock_guard lock(m_mutex);
    for (const std::string& scope : {role, std::string()}) {
        const auto r = m_active.find(scope);
        if (r == m_active.end())
            continue;
        const auto s = r->second.find(name);
        if (s == r->second.end())
            continue;
        const std::size_t left = param_size(s->second, "count", 1);
        if (left <= 1)
            r->second.erase(s);
        else
            s->second["count"] = std::to_string(left - 1);
        return left > 0;
    }
    return false;
}

std::string ScenarioSet::to_json() const
{
    std::lock_guard lock(m_mutex);
    std::string out = "[";
    bool first = true;
    for (const auto& [role, names] : m_active) {
        for (const auto& [name, params] : names) {
            out += first ? "" : ",";
            first = false;
            out += "{\"role\":" + json_quote(role.empty() ? "*" : role) +
                   ",\"name\":" + json_quote(name) + ",\"params\":{";
            bool first_param = true;
            for (const auto& [key, value] : params) {
                out += first_param ? "" : ",";
                first_param = false;
                out += json_quote(key) + ":" + json_quote(value);
            }
            out += "}}";
        }
    }
    return out + "]";
}

}  // namespace sim
