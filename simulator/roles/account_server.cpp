// The service's account server: sign-in, registration page, news panes,
// the site's QR code and the list of publishing platforms.

#include "simulator/json_text.h"
#include "simulator/qr_png.h"
#include "simulator/role_context.h"
#include "simulator/roles/roles.h"

#include <httplib.h>

#include <random>

namespace sim {
namespace {

struct LoginForm {
    std::string username;
    std::string password;
    std::string verify_code;
};

// The client inserts the values raw, so a password may hold "&" or "=":
// fields are found by the names that follow them, not by splitting.
LoginForm parse_login_form(const std::string& body)
{
    LoginForm form;
    const std::string user_key = "username=";
    const auto password_at = body.find("&password=");
    const auto code_at = body.rfind("&verifyCode=");
    const auto rand_at = body.rfind("&rand=");
    if (body.rfind(user_key, 0) != 0 || password_at == std::string::npos ||
        code_at == std::string::npos || code_at < password_at)
        return form;
    form.username = body.substr(user_key.size(), password_at - user_key.size());
    form.password = body.substr(password_at + 10, code_at - password_at - 10);
    const auto code_end = rand_at == std::string::npos || rand_at < code_at ? body.size() : rand_at;
    form.verify_code = body.substr(code_at + 12, code_end - code_at - 12);
    return form;
}

std::string session_id()
{
    static thread_local std::mt19937_64 random{std::random_device{}()};
    static const char digits[] = "0123456789abcdefghijklmnopqrstuv";
    std::string id;
    for (int i = 0; i < 26; ++i)
        id += digits[random() % 32];
    return id;
}

std::string json_inner(const std::string& text)
{
    const std::string quoted = json_quote(text);
    return quoted.substr(1, quoted.size() - 2);
}

void refuse(RoleContext& ctx, httplib::Response& res, const std::string& alert)
{
    ctx.json(res, ctx.world().page("account_server/login_refused.json",
                                   {{"alert", json_inner(alert)}}));
}

void sign_in(RoleContext& ctx, const httplib::Request& req, httplib::Response& res)
{
    const LoginForm form = parse_login_form(req.body);
    if (auto refused = ctx.scenario("login_refused")) {
        refuse(ctx, res, param_text(*refused, "alert", "用户名或密码错误！"));
        return;
    }
    if (form.username.empty() || form.password.empty()) {
        refuse(ctx, res, "用户名或密码不能为空！");
        return;
    }
    if (form.verify_code != "647") {
        refuse(ctx, res, "验证码错误！");
        return;
    }
    res.set_header("Set-Cookie", "PHPSESSID=" + session_id() + "; path=/");
    res.set_header("Set-Cookie", "varnel_uid=" + ctx.world().customer("userid") +
                                     "; expires=Fri, 31-Dec-2027 16:00:00 GMT; path=/");
    ctx.json(res, ctx.world().page("account_server/login_ok.json"));
}

void qr_code(RoleContext& ctx, const httplib::Request& req, httplib::Response& res)
{
    if (ctx.scenario("not_image")) {
        ctx.html(res, ctx.world().page("common/bad_gateway.html"), 502);
        return;
    }
    const std::string png = qr_code_png(req.get_param_value("u"));
    if (png.empty()) {
        ctx.html(res, ctx.world().page("account_server/qr_missing.html"), 400);
        return;
    }
    res.set_content(png, "image/png");
}

// The first `count` members of the platform list (a flat object of strings).
std::string first_platforms(const std::string& list, std::size_t count)
{
    bool in_string = false;
    std::size_t members = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const char c = list[i];
        if (in_string) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                in_string = false;
        } else if (c == '"') {
            in_string = true;
        } else if (c == ',' && ++members == count) {
            return list.substr(0, i) + "}";
        }
    }
    return count == 0 ? "{}" : list;
}

std::string platform_list(RoleContext& ctx)
{
    const std::string list = ctx.world().page("account_server/platforms.json");
    if (auto shortened = ctx.scenario("platform_count"))
        return first_platforms(list, param_size(*shortened, "count", 5));
    return list;
}

void index_php(RoleContext& ctx, const httplib::Request& req, httplib::Response& res)
{
    const std::string g = req.get_param_value("g");
    const std::string m = req.get_param_value("m");
    const std::string a = req.get_param_value("a");
    if (g == "User" && m == "Login" && a == "clientlogin")
        sign_in(ctx, req, res);
    else if (g == "User" && m == "Register")
        ctx.html(res, ctx.world().page("account_server/register.html"));
    else if (m == "Qunfa" && a == "index")
        ctx.json(res, platform_list(ctx));
    else
        ctx.not_found(req, res);
}

}  // namespace

void install_account_server(RoleContext& ctx)
{
    ctx.get_or_post("/index.php", [&ctx](const auto& req, auto& res) { index_php(ctx, req, res); });
    ctx.get("/index.php/clientnews/?", [&ctx](const auto&, auto& res) {
        ctx.html(res, ctx.world().page("account_server/clientnews.html"));
    });
    ctx.get("/index.php/clientseo/?", [&ctx](const auto&, auto& res) {
        ctx.html(res, ctx.world().page("account_server/clientseo.html"));
    });
    ctx.get("/erweima.php", [&ctx](const auto& req, auto& res) { qr_code(ctx, req, res); });
    ctx.get("/", [&ctx](const auto&, auto& res) {
        ctx.html(res, ctx.world().page("account_server/index.html"));
    });
}

}  // namespace sim
