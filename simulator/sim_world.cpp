#include "simulator/sim_world.h"

#include "simulator/template_text.h"

namespace sim {

SimWorld::SimWorld(SimOptions options)
    : m_options(std::move(options)), m_fixtures(m_options.fixtures)
{
}

int SimWorld::port(const std::string& role) const
{
    const auto it = m_ports.find(role);
    return it == m_ports.end() ? 0 : it->second;
}

std::string SimWorld::host(const std::string& role) const
{
    return m_options.bind_host + ":" + std::to_string(port(role));
}

std::string SimWorld::url(const std::string& role) const
{
    return "http://" + host(role);
}

std::string SimWorld::customer(const std::string& key) const
{
    return customer_at_depth(key, 0);
}

std::string SimWorld::customer_at_depth(const std::string& key, int depth) const
{
    if (auto overrides = m_scenarios.find({}, "customer")) {
        const auto it = overrides->find(key);
        if (it != overrides->end())
            return expand_at_depth(it->second, {}, depth + 1);
    }
    const IniSection values = m_fixtures.ini("customer.ini", "customer");
    const auto it = values.find(key);
    return it == values.end() ? std::string() : expand_at_depth(it->second, {}, depth + 1);
}

std::string SimWorld::expand(std::string_view text, const TextValues& extra) const
{
    return expand_at_depth(text, extra, 0);
}

std::string SimWorld::expand_at_depth(std::string_view text, const TextValues& extra,
                                      int depth) const
{
    return render_template(text, [&](const std::string& name) -> std::optional<std::string> {
        if (const auto it = extra.find(name); it != extra.end())
            return it->second;
        if (name.rfind("host:", 0) == 0 && port(name.substr(5)) != 0)
            return host(name.substr(5));
        if (name.rfind("url:", 0) == 0 && port(name.substr(4)) != 0)
            return url(name.substr(4));
        // Customer values may name other roles' hosts; one level is enough.
        if (name.rfind("customer.", 0) == 0 && depth < 2)
            return customer_at_depth(name.substr(9), depth);
        return std::nullopt;
    });
}

std::string SimWorld::page(const std::string& fixture, const TextValues& extra) const
{
    return expand(m_fixtures.text(fixture), extra);
}

}  // namespace sim
