#include "client/ui/seams.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

class SeamsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        ui::set_message_box_handler({});
        ui::set_open_url_handler({});
        ui::set_save_file_handler({});
        ui::set_random_handler({});
    }
};

TEST_F(SeamsTest, MessageBoxesReachTheHandlerWithTheirCaption)
{
    std::vector<ui::MessageBoxRequest> seen;
    ui::set_message_box_handler([&seen](const ui::MessageBoxRequest& request) {
        seen.push_back(request);
        return request.buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::Ok;
    });

    EXPECT_EQ(ui::message_box(QStringLiteral("请先登陆"), QStringLiteral("提示")), ui::Answer::Ok);
    EXPECT_EQ(ui::message_box(QStringLiteral("未实现！")), ui::Answer::Ok);
    EXPECT_EQ(ui::message_box(QStringLiteral("您确认要退出吗？"), QStringLiteral("温馨提示："),
                              ui::Buttons::YesNo, ui::Icon::Exclamation),
              ui::Answer::No);

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].title, QStringLiteral("提示"));
    // A box without a title of its own is captioned "信息：".
    EXPECT_EQ(seen[1].title, QStringLiteral("信息："));
    EXPECT_EQ(seen[1].text, QStringLiteral("未实现！"));
    EXPECT_EQ(seen[2].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(seen[2].icon, ui::Icon::Exclamation);
}

TEST_F(SeamsTest, OpenUrlAndSaveFileGoThroughTheirHandlers)
{
    QString opened;
    ui::set_open_url_handler([&opened](const QString& url) {
        opened = url;
        return true;
    });
    ui::set_save_file_handler([](const QString&, const QString& suggested, const QString&) {
        return QStringLiteral("/tmp/") + suggested;
    });
    EXPECT_TRUE(ui::open_url(QStringLiteral("http://127.0.0.1:1/")));
    EXPECT_EQ(opened, QStringLiteral("http://127.0.0.1:1/"));
    EXPECT_EQ(ui::save_file_name(nullptr, QStringLiteral("导出"), QStringLiteral("a.xlsx"), {}),
              QStringLiteral("/tmp/a.xlsx"));
}

TEST_F(SeamsTest, RandomIntegersStayInTheirRangeAndReachBothEnds)
{
    struct Case {
        int low, high;
    };
    for (const Case& c : {Case{1, 4}, Case{1, 100}, Case{4, 1}, Case{7, 7}}) {
        SCOPED_TRACE(testing::Message() << c.low << ".." << c.high);
        const int low = std::min(c.low, c.high);
        const int high = std::max(c.low, c.high);
        std::set<int> seen;
        for (int i = 0; i < 5000; ++i) {
            const int value = ui::random_int(c.low, c.high);
            ASSERT_GE(value, low);
            ASSERT_LE(value, high);
            seen.insert(value);
        }
        EXPECT_EQ(*seen.begin(), low);
        EXPECT_EQ(*seen.rbegin(), high);
    }
    ui::set_random_handler([](int low, int) { return low; });
    EXPECT_EQ(ui::random_int(3, 9), 3);
}

TEST_F(SeamsTest, WaitUntilSeesEventsAndGivesUpAtItsLimit)
{
    bool fired = false;
    QTimer::singleShot(30, [&fired] { fired = true; });
    EXPECT_TRUE(ui::wait_until([&fired] { return fired; }, 10, 10000));

    int polls = 0;
    EXPECT_FALSE(ui::wait_until([&polls] { return ++polls < 0; }, 10, 60));
    EXPECT_GE(polls, 2);

    EXPECT_TRUE(ui::wait_until([] { return true; }, 10, 0));
}

}  // namespace
