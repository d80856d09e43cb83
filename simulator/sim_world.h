#pragma once
// What every role shares: the fixtures, the scenarios, the request log, the
// port of every role and the demo customer.

#include "simulator/fixture_store.h"
#include "simulator/request_log.h"
#include "simulator/scenario_set.h"
#include "simulator/sim_options.h"

#include <atomic>
#include <map>
#include <string>
#include <string_view>

namespace sim {

using TextValues = std::map<std::string, std::string>;

class SimWorld {
public:
    explicit SimWorld(SimOptions options);
    SimWorld(const SimWorld&) = delete;
    SimWorld& operator=(const SimWorld&) = delete;

    const SimOptions& options() const { return m_options; }
    const FixtureStore& fixtures() const { return m_fixtures; }
    ScenarioSet& scenarios() { return m_scenarios; }
    const ScenarioSet& scenarios() const { return m_scenarios; }
    RequestLog& log() { return m_log; }

    const std::atomic<bool>& running() const { return m_running; }
    void stop() { m_running = false; }

    // Set for every role before any role serves a request.
    void set_port(const std::string& role, int port) { m_ports[role] = port; }
    int port(const std::string& role) const;
    std::string host(const std::string& role) const;  // "127.0.0.1:port"
    std::string url(const std::string& role) const;   // "http://" + host

    // A field of the demo customer (fixtures/customer.ini, [customer]); the
    // parameters of a "customer" scenario override it field by field.
    std::string customer(const std::string& key) const;
    // Fills {{host:ROLE}}, {{url:ROLE}}, {{customer.KEY}} and `extra` values.
    std::string expand(std::string_view text, const TextValues& extra = {}) const;
    // A fixture file, expanded.
    std::string page(const std::string& fixture, const TextValues& extra = {}) const;

private:
    std::string customer_at_depth(const std::string& key, int depth) const;
    std::string expand_at_depth(std::string_view text, const TextValues& extra, int depth) const;

    SimOptions m_options;
    FixtureStore m_fixtures;
    ScenarioSet m_scenarios;
    RequestLog m_log;
    std::map<std::string, int> m_ports;
    std::atomic<bool> m_running{true};
};

}  // namespace sim
