#include "simulator/roles/roles.h"

namespace sim {

const std::vector<RoleEntry>& role_table()
{
    // New roles go at the end so the ports of --base-port stay put.
    static const std::vector<RoleEntry> table{
        {"account_server", install_account_server, true},
        {"service_site", install_service_site, true},
        {"customer_site", install_customer_site, false},
        {"aizhan", install_aizhan, true},
        {"aizhan_whois", install_aizhan_whois, true},
        {"baidu", install_baidu, true},
        {"baidu_home", install_baidu_home, true},
        {"so360", install_so360, true},
        {"so360_results", install_so360_results, true},
        {"sogou", install_sogou, true},
        {"stat", install_stat, false},
        {"downloads", install_downloads, false},
    };
    return table;
}

}  // namespace sim
