// convert_charset and the GBK shorthands, on glibc iconv.

#include "client/web/charset_utf8.h"
#include "client/web/text.h"

#include <cerrno>
#include <iconv.h>

namespace web {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool is_utf8_name(std::string_view name)
{
    const std::string lower = to_lower_ascii(trim(name));
    return lower == "utf-8" || lower == "utf8";
}

// One iconv descriptor for the length of a conversion.
class Converter {
public:
    Converter(std::string_view to, std::string_view from)
        : m_cd(::iconv_open(std::string(to).c_str(), std::string(from).c_str()))
    {
    }
    ~Converter()
    {
        if (ok())
            ::iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of `in` as possible and appends it to `out`. Stops at
    // the first byte iconv rejects; returns the count of input bytes consumed
    // and whether it stopped early (errno-style code in `error`).
    std::size_t convert(std::string_view in, std::string& out, int& error)
    {
        error = 0;
        char* src = const_cast<char*>(in.data());
        std::size_t src_left = in.size();
        char buffer[16384];
        while (src_left > 0) {
            char* dst = buffer;
            std::size_t dst_left = sizeof buffer;
            const std::size_t r = ::iconv(m_cd, &src, &src_left, &dst, &dst_left);
            out.append(buffer, sizeof buffer - dst_left);
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
                error = errno;
                break;
            }
        }
        if (error == 0)
            flush(out);
        return in.size() - src_left;
    }

    // Emits any shift sequence a stateful target still owes.
    void flush(std::string& out)
    {
        char buffer[64];
        char* dst = buffer;
        std::size_t dst_left = sizeof buffer;
        ::iconv(m_cd, nullptr, nullptr, &dst, &dst_left);
        out.append(buffer, sizeof buffer - dst_left);
    }

private:
    iconv_t m_cd;
};

// Source bytes to well-formed UTF-8; undecodable bytes become U+FFFD.
bool decode_to_utf8(std::string_view bytes, std::string_view from, std::string& out)
{
    if (is_utf8_name(from)) {
        out = sanitize_utf8(bytes);
        return true;
    }
    Converter cd("UTF-8", from);
    if (!cd.ok())
        return false;
    out.reserve(bytes.size() * 3 / 2);
    while (!bytes.empty()) {
        int error = 0;
        const std::size_t used = cd.convert(bytes, out, error);
        bytes.remove_prefix(used);
        if (error == 0)
            break;
        out += kReplacement;
        if (error == EINVAL)  // cut short at the end
            break;
        bytes.remove_prefix(1);
    }
    return true;
}

// Well-formed UTF-8 to the target; a character the target lacks becomes the
// target's "?".
bool encode_from_utf8(std::string_view utf8, std::string_view to, std::string& out)
{
    Converter cd(to, "UTF-8");
    if (!cd.ok())
        return false;
    std::string question;  // the target's "?", made on first need
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        int error = 0;
        const std::size_t used = cd.convert(utf8, out, error);
        utf8.remove_prefix(used);
        if (error == 0)
            break;
        if (question.empty()) {
            Converter q(to, "UTF-8");
            int ignored = 0;
            q.convert("?", question, ignored);
        }
        out += question;
        const std::size_t skip = utf8_sequence_length(utf8);
        utf8.remove_prefix(skip == 0 ? 1 : skip);
    }
    return true;
}

}  // namespace

std::string convert_charset(std::string_view bytes, std::string_view from, std::string_view to)
{
    if (from.empty())
        from = "UTF-8";
    if (to.empty())
        to = "GBK";
    std::string text;
    if (!decode_to_utf8(bytes, from, text))
        return {};
    if (is_utf8_name(to))
        return text;
    std::string out;
    if (!encode_from_utf8(text, to, out))
        return {};
    return out;
}

std::string utf8_to_gbk(std::string_view utf8)
{
    return convert_charset(utf8, "UTF-8", "GB18030");
}

std::string gbk_to_utf8(std::string_view gbk)
{
    return convert_charset(gbk, "GB18030", "UTF-8");
}

std::size_t gbk_length(std::string_view utf8)
{
    return utf8_to_gbk(utf8).size();
}

std::string decode_utf8_page(std::string_view bytes)
{
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);
    return sanitize_utf8(bytes);
}

}  // namespace web
