// Where the servers live: compiled-in defaults, overridden key by key by
// endpoints.ini in the run directory.

#include "client/web/endpoints.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace {

using Field = std::string web::Endpoints::*;

const std::map<std::string, Field> fields{
    {"account_server", &web::Endpoints::account_server}, {"service_site", &web::Endpoints::service_site},
    {"aizhan", &web::Endpoints::aizhan},                 {"aizhan_whois", &web::Endpoints::aizhan_whois},
    {"baidu", &web::Endpoints::baidu},                   {"baidu_home", &web::Endpoints::baidu_home},
    {"so360", &web::Endpoints::so360},                   {"so360_results", &web::Endpoints::so360_results},
    {"sogou", &web::Endpoints::sogou},
};

TEST(Endpoints, DefaultsNameThePublicHostsAndPlaceholdersForTheServicesOwn)
{
    const std::map<std::string, std::string> expected{
        {"account_server", "account.varnel.invalid"}, {"service_site", "www.varnel.invalid"},
        {"aizhan", "www.aizhan.com"},                 {"aizhan_whois", "whois.aizhan.com"},
        {"baidu", "www.baidu.com"},                   {"baidu_home", "www.baidu.com"},
        {"so360", "www.so.com"},                      {"so360_results", "www.so.com"},
        {"sogou", "www.sogou.com"},
    };
    const web::Endpoints defaults = web::default_endpoints();
    for (const auto& [key, field] : fields) {
        SCOPED_TRACE(key);
        EXPECT_EQ(defaults.*field, expected.at(key));
    }
    EXPECT_EQ(web::Endpoints::base("127.0.0.1:8080"), "http://127.0.0.1:8080");
}

TEST(Endpoints, TheFileOverridesKeyByKey)
{
    struct Case {
        const char* name;
        std::string file;  // empty: no file at all
        std::map<std::string, std::string> overridden;
    };
    const Case cases[] = {
        {"no file", "", {}},
        {"two keys", "[endpoints]\nbaidu=127.0.0.1:4001\naccount_server=127.0.0.1:4000\n",
         {{"baidu", "127.0.0.1:4001"}, {"account_server", "127.0.0.1:4000"}}},
        {"every key", [] {
             std::string all = "[endpoints]\r\n";
             for (const auto& [key, field] : fields)
                 all += key + " = h-" + key + ":1\r\n";
             return all;
         }(),
         [] {
             std::map<std::string, std::string> all;
             for (const auto& [key, field] : fields)
                 all[key] = "h-" + key + ":1";
             return all;
         }()},
        {"bom, comments, blanks", "\xEF\xBB\xBF; local\n# test\n[endpoints]\n  sogou =  10.0.0.5  \n\n",
         {{"sogou", "10.0.0.5"}}},
        {"other sections ignored", "[other]\nbaidu=x.example\n[endpoints]\nso360=y.example\n[more]\nsogou=z\n",
         {{"so360", "y.example"}}},
        {"scheme and slash dropped", "[endpoints]\nservice_site=http://127.0.0.1:4002/\n",
         {{"service_site", "127.0.0.1:4002"}}},
        {"empty or unusable values keep the default",
         "[endpoints]\nbaidu=\naizhan=a host with blanks\naizhan_whois=h/path\nbaidu_home=ok.example\n",
         {{"baidu_home", "ok.example"}}},
        {"unknown keys ignored", "[endpoints]\ngoogle=www.google.com\n", {}},
        {"garbage", std::string("\x00\xff[endpoints\n==\n=x\n", 18), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        if (!c.file.empty())
            std::ofstream(dir.path() / "endpoints.ini", std::ios::binary) << c.file;
        const web::Endpoints loaded = web::load_endpoints(dir.str());
        const web::Endpoints defaults = web::default_endpoints();
        for (const auto& [key, field] : fields) {
            SCOPED_TRACE(key);
            const auto it = c.overridden.find(key);
            EXPECT_EQ(loaded.*field, it == c.overridden.end() ? defaults.*field : it->second);
        }
    }
}

}  // namespace
