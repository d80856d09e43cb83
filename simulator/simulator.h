#pragma once
// All roles of varnel-sim: one HTTP server per role on its own port.

#include "simulator/sim_world.h"

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace sim {

class Simulator {
public:
    explicit Simulator(SimOptions options);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Binds every role, starts serving, then writes endpoints.ini and the
    // ready file. On failure nothing keeps running.
    bool start(std::string& error);
    void stop();

    // "role=host:port" lines, in port order.
    std::string ports_text() const;

private:
    struct Role;
    bool write_endpoints(std::string& error) const;
    bool write_ready_file(std::string& error) const;

    SimWorld m_world;
    std::vector<std::unique_ptr<Role>> m_roles;
};

}  // namespace sim
