// Machine fingerprint sources: the processor signature and the first
// network adapter's MAC.

#include "platform/platform.h"

#include <cstdio>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <set>
#include <sys/socket.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace platform {

std::string processor_id()
{
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        return {};
    char text[17];
    std::snprintf(text, sizeof text, "%08X%08X", edx, eax);
    return text;
#else
    return {};
#endif
}

std::string first_mac_address()
{
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return {};
    // Interfaces that carry an IP address, by name.
    std::set<std::string> with_address;
    for (const ifaddrs* it = list; it; it = it->ifa_next) {
        if (!it->ifa_addr || (it->ifa_flags & IFF_LOOPBACK))
            continue;
        const int family = it->ifa_addr->sa_family;
        if (family == AF_INET || family == AF_INET6)
            with_address.insert(it->ifa_name);
    }
    // The hardware entries come in interface order; take the first match.
    unsigned best_index = 0;
    std::string best;
    for (const ifaddrs* it = list; it; it = it->ifa_next) {
        if (!it->ifa_addr || it->ifa_addr->sa_family != AF_PACKET ||
            !with_address.count(it->ifa_name))
            continue;
        const auto* ll = reinterpret_cast<const sockaddr_ll*>(it->ifa_addr);
        if (ll->sll_halen != 6)
            continue;
        bool all_zero = true;
        for (int i = 0; i < 6; ++i)
            all_zero = all_zero && ll->sll_addr[i] == 0;
        if (all_zero)
            continue;
        const unsigned index = static_cast<unsigned>(ll->sll_ifindex);
        if (!best.empty() && index >= best_index)
            continue;
        char text[18];
        std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", ll->sll_addr[0],
                      ll->sll_addr[1], ll->sll_addr[2], ll->sll_addr[3], ll->sll_addr[4],
                      ll->sll_addr[5]);
        best = text;
        best_index = index;
    }
    ::freeifaddrs(list);
    return best;
}

}  // namespace platform
