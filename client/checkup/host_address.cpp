#include "client/checkup/host_address.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <memory>

namespace checkup {

std::string host_name_of(std::string_view site)
{
    const std::size_t slash = site.find('/');
    if (slash != std::string_view::npos)
        site = site.substr(0, slash);
    if (site.starts_with('[')) {
        const std::size_t close = site.find(']');
        return close == std::string_view::npos ? std::string() : std::string(site.substr(1, close - 1));
    }
    // A single colon separates a port; more than one is a bare IPv6 address.
    const std::size_t colon = site.find(':');
    if (colon != std::string_view::npos && site.find(':', colon + 1) == std::string_view::npos)
        site = site.substr(0, colon);
    return std::string(site);
}

std::string host_address(std::string_view site)
{
    const std::string host = host_name_of(site);
    // An empty name would make getaddrinfo answer for this machine.
    if (host.empty() || host.find('\0') != std::string::npos)
        return {};

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        return {};
    const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, &::freeaddrinfo);

    const addrinfo* chosen = nullptr;
    for (const addrinfo* a = found; a; a = a->ai_next) {
        if (a->ai_family == AF_INET) {
            chosen = a;
            break;
        }
        if (a->ai_family == AF_INET6 && !chosen)
            chosen = a;
    }
    if (!chosen)
        return {};

    char text[INET6_ADDRSTRLEN] = {};
    const void* address = chosen->ai_family == AF_INET
        ? static_cast<const void*>(&reinterpret_cast<const sockaddr_in*>(chosen->ai_addr)->sin_addr)
        : static_cast<const void*>(&reinterpret_cast<const sockaddr_in6*>(chosen->ai_addr)->sin6_addr);
    if (!::inet_ntop(chosen->ai_family, address, text, sizeof text))
        return {};
    return text;
}

}  // namespace checkup
