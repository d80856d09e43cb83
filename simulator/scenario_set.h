#pragma once
// The failure modes switched on through /__scenario. A scenario is a name
// with optional parameters, set for one role or for every role; a role's
// own setting wins over the one for every role.

#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace sim {

using ScenarioParams = std::map<std::string, std::string>;

// A parameter as text, or `fallback` when absent or empty.
std::string param_text(const ScenarioParams& params, const std::string& key,
                       const std::string& fallback);
// A parameter as a non-negative number, or `fallback` when absent or not a number.
std::size_t param_size(const ScenarioParams& params, const std::string& key, std::size_t fallback);

class ScenarioSet {
public:
    // `role` empty: every role.
    void set(const std::string& role, const std::string& name, ScenarioParams params);
    // `role` empty: everything; otherwise that role's own settings only.
    void reset(const std::string& role);
    std::optional<ScenarioParams> find(const std::string& role, const std::string& name) const;
    // Counted scenarios ("count" parameter, default 1): true and one fewer
    // left while any remain; the scenario disappears when used up.
    bool take(const std::string& role, const std::string& name);
    std::string to_json() const;

private:
    mutable std::mutex m_mutex;
    std::map<std::string, std::map<std::string, ScenarioParams>> m_active;  // role -> name -> params
};

}  // namespace sim
