#include "client/account/sign_in_protocol.h"

#include "client/web/text.h"

namespace account {

std::string sign_in_url(const web::Endpoints& endpoints)
{
    return web::Endpoints::base(endpoints.account_server) + "/index.php?g=User&m=Login&a=clientlogin";
}

std::string sign_in_body(std::string_view user_name, std::string_view password, int rand)
{
    std::string body;
    body.append("username=").append(user_name);
    body.append("&password=").append(password);
    body.append("&verifyCode=647");
    body.append("&rand=").append(std::to_string(rand));
    return body;
}

namespace {

// Blanks and control bytes cannot stand in a URL (libcurl refuses it);
// everything else goes as typed.
std::string escape_blanks(std::string_view value)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string client_info_url(std::string_view web_url, std::string_view user_name,
                            std::string_view auth, int rand)
{
    std::string url = "http://";
    url.append(web_url);
    url.append("/index.php?g=User&m=Login&a=sendclientinfo&username=")
        .append(escape_blanks(user_name));
    url.append("&auth=").append(escape_blanks(auth));
    url.append("&rand=").append(std::to_string(rand));
    return url;
}

std::string register_url(const web::Endpoints& endpoints)
{
    return web::Endpoints::base(endpoints.account_server) + "/index.php?g=User&m=Register&a=index";
}

std::string remove_quotes(std::string_view raw)
{
    return web::replace_all(raw, "\"", "");
}

std::string clean_web_url(std::string_view raw)
{
    return web::replace_all(remove_quotes(raw), "http:\\/\\/", "");
}

std::string clean_quotes_and_backslashes(std::string_view raw)
{
    return web::replace_all(remove_quotes(raw), "\\", "");
}

int edition_of(std::string_view web_type)
{
    if (web_type == "1")
        return 1;
    if (web_type == "2")
        return 2;
    if (web_type == "3")
        return 3;
    return 0;
}

std::string edition_name(int edition)
{
    switch (edition) {
    case 1:
        return "基础版";
    case 2:
        return "标准版";
    case 3:
        return "至尊版";
    default:
        return {};
    }
}

}  // namespace account
