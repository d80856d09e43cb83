#include "client/web/cookie_segments.h"

#include "client/web/text_fold.h"

#include <algorithm>
#include <cstring>

namespace web {

namespace {

constexpr std::size_t kLongGram = 4;

std::uint64_t gram_at(std::string_view s, std::size_t i, std::size_t length)
{
    std::uint32_t bytes = 0;
    std::memcpy(&bytes, s.data() + i, length);
    return (static_cast<std::uint64_t>(length) << 32) | bytes;
}

const std::vector<std::uint32_t> kNone;

}  // namespace

CookieSegments::CookieSegments(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string_view::npos)
            end = text.size();
        append(text.substr(start, end - start));
        start = end + 1;
    }
}

void CookieSegments::append(std::string_view piece)
{
    m_text.emplace_back(piece);
    m_folded.emplace_back();
    append_folded(m_folded.back(), piece);
    m_seen.push_back(0);
    if (m_indexed) {
        index_segment(m_text.size() - 1);
    } else if (m_text.size() >= kIndexFrom) {
        m_indexed = true;
        for (std::size_t i = 0; i < m_text.size(); ++i)
            index_segment(i);
    }
}

void CookieSegments::index_grams(std::size_t i, std::size_t length)
{
    const std::string& f = m_folded[i];
    const auto id = static_cast<std::uint32_t>(i);
    for (std::size_t k = 0; k + length <= f.size(); ++k) {
        Ids& list = m_index[gram_at(f, k, length)];
        if (list.empty() || list.back() != id)
            list.push_back(id);
    }
}

void CookieSegments::index_short_grams(std::size_t i)
{
    for (std::size_t length = 2; length < kLongGram; ++length)
        index_grams(i, length);
}

void CookieSegments::index_segment(std::size_t i)
{
    index_grams(i, kLongGram);
    if (m_short_indexed)
        index_short_grams(i);
}

const CookieSegments::Ids* CookieSegments::candidates(std::string_view folded)
{
    if (!m_indexed || folded.size() < 2)
        return nullptr;
    if (folded.size() < kLongGram && !m_short_indexed) {
        m_short_indexed = true;
        for (std::size_t i = 0; i < m_folded.size(); ++i)
            index_short_grams(i);
    }
    const std::size_t length = std::min(folded.size(), kLongGram);
    const Ids* best = nullptr;
    for (std::size_t k = 0; k + length <= folded.size(); ++k) {
        const auto it = m_index.find(gram_at(folded, k, length));
        if (it == m_index.end())
            return &kNone;  // a gram no segment ever held
        if (!best || it->second.size() < best->size())
            best = &it->second;
    }
    return best;
}

std::optional<CookieSegments::Hit> CookieSegments::find_first(std::string_view folded)
{
    const Ids* list = candidates(folded);
    if (!list) {
        for (std::size_t i = 0; i < m_folded.size(); ++i)
            if (const std::size_t at = find_bytes(m_folded[i], folded); at != std::string::npos)
                return Hit{i, at};
        return std::nullopt;
    }
    std::optional<Hit> first;
    for (const std::uint32_t id : *list) {
        if (first && id >= first->segment)
            continue;
        if (const std::size_t at = find_bytes(m_folded[id], folded); at != std::string::npos)
            first = Hit{id, at};
    }
    return first;
}

std::string CookieSegments::folded_tail(const Hit& hit) const
{
    return m_folded[hit.segment].substr(hit.offset);
}

void CookieSegments::replace_all(std::string_view folded_old, std::string_view piece)
{
    if (folded_old.empty())
        return;
    const Ids* list = candidates(folded_old);
    if (!list) {
        for (std::size_t i = 0; i < m_text.size(); ++i)
            replace_in(i, folded_old, piece);
        return;
    }
    // Lists may name a segment more than once; visit each once per pass.
    // Indexing a changed segment may grow the list being read: collect first.
    ++m_pass;
    std::vector<std::uint32_t> ids;
    for (const std::uint32_t id : *list) {
        if (m_seen[id] == m_pass)
            continue;
        m_seen[id] = m_pass;
        ids.push_back(id);
    }
    for (const std::uint32_t id : ids)
        replace_in(id, folded_old, piece);
}

bool CookieSegments::replace_in(std::size_t i, std::string_view folded_old, std::string_view piece)
{
    const std::string& folded = m_folded[i];
    std::size_t hit = find_bytes(folded, folded_old);
    if (hit == std::string::npos)
        return false;
    const std::string& text = m_text[i];
    std::string new_text;
    std::string new_folded;
    std::size_t copied = 0;
    for (; hit != std::string::npos; hit = find_bytes(folded, folded_old, copied)) {
        new_text.append(text, copied, hit - copied);
        new_folded.append(folded, copied, hit - copied);
        new_text.append(piece);
        append_folded(new_folded, piece);
        copied = hit + folded_old.size();
    }
    new_text.append(text, copied);
    new_folded.append(folded, copied);
    m_text[i].swap(new_text);
    m_folded[i].swap(new_folded);
    if (m_indexed)
        index_segment(i);
    return true;
}

}  // namespace web
