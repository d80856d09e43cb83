#pragma once
// The last check-up's values, kept for the life of the process. A field is
// filled only while it is empty, so a value once obtained stays for the rest
// of the run, across repeated check-ups and across sign-out and sign-in.

#include <string>

namespace checkup {

struct CheckupRecord {
    std::string baidu_weight;         // never looked up: "0"
    std::string home_internal_links;  // internal links on the home page
    std::string outbound_links;
    std::string backlinks;
    std::string ip_address;           // of the site's host, dotted text
    std::string domain_age_text;      // such as 5年2个月17天
    std::string icp_record;
    std::string index_counts;         // "百度：B  360：S  搜狗：G"
    std::string created;              // domain creation date, year-month-day
    std::string expires;              // domain expiry date

    // Copies every field of `other` into the matching field here that is
    // still empty; filled fields are never overwritten.
    void fill_from(const CheckupRecord& other);
    bool operator==(const CheckupRecord&) const = default;
};

}  // namespace checkup
