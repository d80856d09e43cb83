#include "checkup/support/stats_server.h"

#include <httplib.h>

#include <chrono>

namespace checkup_test {

StatsServer::StatsServer() : m_server(std::make_unique<httplib::Server>())
{
    m_server->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        Route route = Whois;
        if (request.path.starts_with("/siteall/"))
            route = Overview;
        else if (request.path.starts_with("/ajaxAction/"))
            route = Backlinks;
        StatsPage page;
        {
            std::unique_lock lock(m_mutex);
            m_targets.push_back(request.target);
            m_released.wait_for(lock, std::chrono::seconds(10), [&] { return m_held != route; });
            std::vector<StatsPage>& queue = m_pages[route];
            std::size_t& served = m_served[route];
            if (!queue.empty())
                page = queue[std::min(served, queue.size() - 1)];
            else
                page.status = 404;
            ++served;
        }
        response.status = page.status;
        response.set_content(page.body, page.content_type.c_str());
    });
    // Listening starts with the bind, so no request is lost before the
    // accept loop runs.
    m_port = m_server->bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // stop() only ends a server that is already running.
    for (int i = 0; i < 5000 && !m_server->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

StatsServer::~StatsServer()
{
    release();
    m_server->stop();
    m_thread.join();
}

std::string StatsServer::host() const
{
    return "127.0.0.1:" + std::to_string(m_port);
}

void StatsServer::set_pages(Route route, std::vector<StatsPage> pages)
{
    const std::lock_guard lock(m_mutex);
    m_pages[route] = std::move(pages);
    m_served[route] = 0;
}

void StatsServer::hold(Route route)
{
    const std::lock_guard lock(m_mutex);
    m_held = route;
}

void StatsServer::release()
{
    {
        const std::lock_guard lock(m_mutex);
        m_held = -1;
    }
    m_released.notify_all();
}

std::vector<std::string> StatsServer::targets() const
{
    const std::lock_guard lock(m_mutex);
    return m_targets;
}

std::string overview_page(const std::string& domain)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + domain +
           " SEO综合查询</title>\n<script type=\"text/javascript\">\n"
           "var url_host = '" +
           domain +
           "';\nvar key_host = 'c2VvLmV4YW1wbGU';\n"
           "$.ajax({type:'get',url:'/ajaxAction/"
           "backlink1.php',data:{domain:url_host,rn:'1718236547',cc:key_host}});\n"
           "</script></head><body>\n<ul class=\"baseinfo\">\n"
           "<li>出站链接：23个</li><li>首页内链：148个</li>\n"
           "<li>备案号：<span id=\"icp_icp\">京ICP备10218183号-1</span></li>\n</ul>\n"
           "<table><tr><td>百度收录</td><td><a href=\"http://www.baidu.com/s?wd=site:" +
           domain +
           "\" target=\"_blank\">12,400</a></td>\n"
           "<td>360收录</td><td><a href=\"http://www.so.com/s?q=site%3A" +
           domain +
           "\" target=\"_blank\">3,516</a></td>\n"
           "<td>搜狗收录</td><td><a href=\"http://www.sogou.com/web?query=site:" +
           domain + "\" target=\"_blank\">8,932</a></td></tr></table>\n</body></html>\n";
}

std::string backlink_reply()
{
    return "{\"code\":200,\"count\":5862,\"list\":[]}";
}

std::string whois_page(const std::string& created, const std::string& expires)
{
    return "<div class=\"whois\"><pre>Domain Name: example<br/>"
           "创建时间.....................: " +
           created + "<br/>过期时间.....................: " + expires +
           "<br/>注册商.......................: Example Registrar<br/></pre></div>";
}

} // namespace checkup_test
