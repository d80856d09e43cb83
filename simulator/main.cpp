// varnel-sim: local stand-ins for every server the client talks to.

#include "simulator/sim_options.h"
#include "simulator/simulator.h"

#include <csignal>
#include <iostream>
#include <pthread.h>

int main(int argc, char** argv)
{
    std::string error;
    const auto options = sim::parse_options(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        const bool help = error == sim::usage_text();
        (help ? std::cout : std::cerr) << error;
        return help ? 0 : 2;
    }

    // Every thread inherits this mask, so only sigwait below sees the signals.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    sim::Simulator simulator(*options);
    if (!simulator.start(error)) {
        std::cerr << "varnel-sim: " << error << '\n';
        return 1;
    }
    if (!options->quiet) {
        std::cout << "varnel-sim ready\n" << simulator.ports_text() << std::flush;
    }

    int received = 0;
    sigwait(&signals, &received);
    simulator.stop();
    if (!options->quiet)
        std::cout << "varnel-sim stopped\n" << std::flush;
    return 0;
}
