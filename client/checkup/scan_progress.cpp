#include "client/checkup/scan_progress.h"

namespace checkup {

std::string percent_text(int position)
{
    return std::to_string((position < 0 ? 0 : position) / 4) + "%";
}

RevealGroup reveal_group(int position)
{
    if (position < 10)
        return RevealGroup::SeoHeading;
    if (position < 50)
        return RevealGroup::Links;
    if (position < 100)
        return RevealGroup::None;
    if (position < 150)
        return RevealGroup::IndexCounts;
    if (position < 200)
        return RevealGroup::None;
    if (position < 210)
        return RevealGroup::DomainInfo;
    if (position < 300)
        return RevealGroup::None;
    if (position < 330)
        return RevealGroup::DomainDates;
    if (position < kProgressEnd)
        return RevealGroup::None;
    return RevealGroup::Finished;
}

}  // namespace checkup
