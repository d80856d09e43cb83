#include "client/checkup/checkup_record.h"

namespace checkup {

namespace {

void fill(std::string& field, const std::string& value)
{
    if (field.empty())
        field = value;
}

}  // namespace

void CheckupRecord::fill_from(const CheckupRecord& other)
{
    fill(baidu_weight, other.baidu_weight);
    fill(home_internal_links, other.home_internal_links);
    fill(outbound_links, other.outbound_links);
    fill(backlinks, other.backlinks);
    fill(ip_address, other.ip_address);
    fill(domain_age_text, other.domain_age_text);
    fill(icp_record, other.icp_record);
    fill(index_counts, other.index_counts);
    fill(created, other.created);
    fill(expires, other.expires);
}

}  // namespace checkup
