#include "client/checkup/host_address.h"

#include <gtest/gtest.h>

namespace checkup {
namespace {

TEST(HostAddress, HostNameDropsPortAndPath)
{
    const struct {
        const char* site;
        const char* host;
    } cases[] = {
        {"www.example.cn", "www.example.cn"},
        {"www.example.cn:8080", "www.example.cn"},
        {"example.cn/index.html", "example.cn"},
        {"127.0.0.1:80", "127.0.0.1"},
        {"[::1]:8080", "::1"},
        {"::1", "::1"},
        {"[::1", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.site);
        EXPECT_EQ(host_name_of(c.site), c.host);
    }
}

TEST(HostAddress, LooksUpTheHostWithoutItsPort)
{
    const struct {
        const char* site;
        const char* address;
    } cases[] = {
        {"127.0.0.1", "127.0.0.1"},
        {"127.0.0.1:8080", "127.0.0.1"},
        {"localhost:8080", "127.0.0.1"},
        {"[::1]:8080", "::1"},
        {"", ""},
        {":8080", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.site);
        EXPECT_EQ(host_address(c.site), c.address);
    }
}

} // namespace
} // namespace checkup
