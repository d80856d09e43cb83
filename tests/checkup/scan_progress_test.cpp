#include "client/checkup/scan_progress.h"

#include <gtest/gtest.h>

namespace checkup {
namespace {

TEST(ScanProgress, PercentIsPositionOverFourRoundedDown)
{
    const struct {
        int position;
        const char* text;
    } cases[] = {{0, "0%"},    {3, "0%"},     {4, "1%"},    {199, "49%"},
                 {399, "99%"}, {400, "100%"}, {403, "100%"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(percent_text(c.position), c.text);
    }
}

TEST(ScanProgress, EachStretchOfPositionsRevealsItsGroup)
{
    const struct {
        int position;
        RevealGroup group;
    } cases[] = {
        {1, RevealGroup::SeoHeading},    {9, RevealGroup::SeoHeading},
        {10, RevealGroup::Links},        {49, RevealGroup::Links},
        {50, RevealGroup::None},         {99, RevealGroup::None},
        {100, RevealGroup::IndexCounts}, {149, RevealGroup::IndexCounts},
        {150, RevealGroup::None},        {199, RevealGroup::None},
        {200, RevealGroup::DomainInfo},  {209, RevealGroup::DomainInfo},
        {210, RevealGroup::None},        {299, RevealGroup::None},
        {300, RevealGroup::DomainDates}, {329, RevealGroup::DomainDates},
        {330, RevealGroup::None},        {399, RevealGroup::None},
        {400, RevealGroup::Finished},    {403, RevealGroup::Finished},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(reveal_group(c.position), c.group);
    }
}

} // namespace
} // namespace checkup
