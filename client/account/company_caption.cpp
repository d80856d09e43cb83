#include "client/account/company_caption.h"

#include "client/web/text.h"

namespace account {
namespace {

// Length of the UTF-8 sequence starting with `lead`; 1 for a stray byte so
// that the walk always moves on.
std::size_t sequence_length(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

}  // namespace

std::string company_caption(std::string_view web_name)
{
    if (web::gbk_length(web_name) < 25)
        return std::string(web_name);
    std::string shown;
    std::size_t taken = 0;  // GBK bytes
    std::size_t pos = 0;
    while (taken < 22 && pos < web_name.size()) {
        std::size_t length = std::min(sequence_length(static_cast<unsigned char>(web_name[pos])),
                                      web_name.size() - pos);
        const std::string_view character = web_name.substr(pos, length);
        taken += web::gbk_length(character);
        shown.append(character);
        pos += length;
    }
    return shown + "...";
}

}  // namespace account
