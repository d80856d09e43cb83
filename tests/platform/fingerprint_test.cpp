// Fingerprint sources checked against what the kernel reports.

#include "platform/platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

namespace {

// The first value of a "name : value" line of /proc/cpuinfo, or -1.
long cpuinfo_number(const std::string& name)
{
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::string key = line.substr(0, colon);
        key.erase(key.find_last_not_of(" \t") + 1);
        if (key == name)
            return std::stol(line.substr(colon + 1));
    }
    return -1;
}

TEST(Fingerprint, ProcessorIdIsCpuidLeafOneEdxThenEax)
{
#if defined(__x86_64__) || defined(__i386__)
    const std::string id = platform::processor_id();
    ASSERT_TRUE(std::regex_match(id, std::regex("[0-9A-F]{16}"))) << id;
    const unsigned long edx = std::stoul(id.substr(0, 8), nullptr, 16);
    const unsigned long eax = std::stoul(id.substr(8), nullptr, 16);
    EXPECT_TRUE(edx & 1u) << "every x86 processor reports its FPU in EDX bit 0";

    // The signature in EAX decodes to the family, model and stepping the
    // kernel shows.
    const unsigned long base_family = (eax >> 8) & 0xF;
    const unsigned long family =
        base_family == 0xF ? base_family + ((eax >> 20) & 0xFF) : base_family;
    unsigned long model = (eax >> 4) & 0xF;
    if (base_family == 0x6 || base_family == 0xF)
        model |= ((eax >> 16) & 0xF) << 4;
    if (cpuinfo_number("cpu family") >= 0) {
        EXPECT_EQ(static_cast<long>(family), cpuinfo_number("cpu family"));
        EXPECT_EQ(static_cast<long>(model), cpuinfo_number("model"));
        EXPECT_EQ(static_cast<long>(eax & 0xF), cpuinfo_number("stepping"));
    }
#else
    EXPECT_EQ(platform::processor_id(), "");
#endif
}

TEST(Fingerprint, MacIsANonLoopbackInterfacesAddressInUpperCaseWithDashes)
{
    std::set<std::string> known;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/net")) {
        if (entry.path().filename() == "lo")
            continue;
        std::ifstream in(entry.path() / "address");
        std::string address;
        in >> address;
        for (char& c : address)
            c = c == ':' ? '-' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        known.insert(address);
    }
    const std::string mac = platform::first_mac_address();
    if (mac.empty())
        GTEST_SKIP() << "no non-loopback interface with an address here";
    EXPECT_TRUE(std::regex_match(mac, std::regex("([0-9A-F]{2}-){5}[0-9A-F]{2}"))) << mac;
    EXPECT_NE(mac, "00-00-00-00-00-00");
    EXPECT_TRUE(known.count(mac)) << mac;
    EXPECT_EQ(platform::first_mac_address(), mac);  // stable between calls
}

}  // namespace
