#include "client/ranking/shared_text.h"

namespace ranking {

std::string SharedText::get() const
{
    std::lock_guard lock(m_mutex);
    return m_value;
}

void SharedText::set(std::string value)
{
    std::lock_guard lock(m_mutex);
    m_value = std::move(value);
}

SharedText& so360_psid()
{
    static SharedText value;
    return value;
}

}  // namespace ranking
