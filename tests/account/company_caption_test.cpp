#include "client/account/company_caption.h"

#include "client/web/text.h"

#include <gtest/gtest.h>

namespace {

TEST(CompanyCaption, CutsByGbkBytesWithoutSplittingACharacter)
{
    const std::string a21(21, 'a');
    struct Case {
        std::string name;
        std::string shown;
    };
    const Case cases[] = {
        {"", ""},
        {"ABCDEFGHIJ" "云端网络科技园", "ABCDEFGHIJ" "云端网络科技园"},           // 24 bytes
        {std::string(25, 'x'), std::string(22, 'x') + "..."},                       // 25 bytes
        {a21 + "网络科技" + "z", a21 + "网" + "..."},                               // lead byte at 22
        {"深圳市云端网络科技有限公司官网", "深圳市云端网络科技有限..."},  // 30 bytes
        {a21 + "😀" + "abcdef", a21 + "😀" + "..."},  // outside GBK: 4 bytes, kept whole
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string shown = account::company_caption(c.name);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(web::convert_charset(shown, "UTF-8", "UTF-8"), shown);  // valid UTF-8
    }
    EXPECT_EQ(web::gbk_length("ABCDEFGHIJ" "云端网络科技园"), 24u);
}

}  // namespace
