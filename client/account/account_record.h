#pragma once
// The signed-in account: its seventeen fields as the sign-in reply gives
// them (cleaned), plus the process-wide session state around it.

#include <string>

namespace account {

struct AccountRecord {
    std::string userid;
    std::string username;
    std::string web_name;
    std::string web_url;
    std::string web_type;
    std::string web_starttime;
    std::string web_endtime;
    std::string auth;
    std::string site_url;
    std::string seo_keywords;
    std::string seo_description;
    std::string logo;
    std::string seo_area;
    std::string seo_extarea;
    std::string stat_cnzz;
    std::string stat_key;
    std::string site_email;
};

}  // namespace account
