#include "workspaces/ui/signed_in_window.h"

#include <QCheckBox>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QLabel>
#include <QTreeWidget>

#include <atomic>
#include <optional>

namespace {

using workspacetest::SignedInWindow;

const std::string kPlatformList = "/index.php?m=Qunfa&a=index";

class PublishingPage : public SignedInWindow {
protected:
    void SetUp() override
    {
        SignedInWindow::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(s_sim->set_scenario("platform_count", "account_server", {{"count", "5"}}));
    }

    QTreeWidget* list() { return control<QTreeWidget>("超级列表框1"); }
    QPushButton* publish() { return control<QPushButton>("按钮_发布"); }
    QString caption(const char* name) { return control<QLabel>(name)->text(); }
    QString result_of(int row) { return list()->topLevelItem(row)->text(3); }
    void tick(int row) { list()->topLevelItem(row)->setCheckState(0, Qt::Checked); }
    std::size_t connectivity_tests() { return requests("baidu_home", "/").size(); }

    // Read by the publishing worker through the random source.
    std::atomic<bool> m_long_pause{false};
};

TEST_F(PublishingPage, OpensWithThePlatformListInReplyOrder)
{
    ASSERT_TRUE(open("按钮_信息发布"));
    EXPECT_EQ(pages()->currentIndex(), 6);
    ASSERT_EQ(list()->topLevelItemCount(), 5);
    const char* names[] = {"百度贴吧", "新浪微博", "腾讯微博", "豆瓣小组", "天涯社区"};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(list()->topLevelItem(row)->text(1), QString::fromUtf8(names[row]));
    EXPECT_EQ(list()->topLevelItem(0)->text(2), QStringLiteral("http://tieba.baidu.com/"));
    for (const char* shown : {"超级列表框1", "按钮_发布", "按钮_刷新", "透明标签_完成提示", "透明标签_发布结果"})
        EXPECT_TRUE(control(shown)->isVisible()) << shown;
    for (const char* hidden : {"透明标签_载入提示", "图片框8"})
        EXPECT_FALSE(control(hidden)->isVisible()) << hidden;
    EXPECT_EQ(caption("透明标签_完成提示"), QStringLiteral("未发布"));
    EXPECT_EQ(caption("透明标签_发布结果"), QStringLiteral("本次共发布了0个平台"));
    EXPECT_EQ(requests("service_site", "/index.php/clientseo/").size(), 1u);

    // The SEO page beside the list shows no scroll bars.
    std::optional<QString> overflow;
    control<QWebEngineView>("超文本浏览框2")->page()->runJavaScript(
        QStringLiteral("getComputedStyle(document.documentElement).overflow"),
        [&](const QVariant& value) { overflow = value.toString(); });
    ASSERT_TRUE(ui::wait_until([&] { return overflow.has_value(); }, 10, 10000));
    EXPECT_EQ(*overflow, QStringLiteral("hidden"));

    // 全选 ticks every row and unticks them again.
    auto* all = control<QCheckBox>("选择框_全选");
    all->click();
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(list()->topLevelItem(row)->checkState(0), Qt::Checked);
    all->click();
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(list()->topLevelItem(row)->checkState(0), Qt::Unchecked);
}

TEST_F(PublishingPage, PublishesTheTickedRowsOneAfterAnother)
{
    ASSERT_TRUE(open("按钮_信息发布"));
    tick(1);
    tick(3);
    s_sim->clear_log();
    publish()->click();
    EXPECT_EQ(publish()->text(), QStringLiteral("取消发布"));
    EXPECT_EQ(caption("透明标签_完成提示"), QStringLiteral("正在发布"));

    ASSERT_TRUE(ui::wait_until([&] { return result_of(1) == QStringLiteral("发布成功"); }, 20, 20000));
    EXPECT_EQ(caption("透明标签_发布结果"), QStringLiteral("本次共发布了1个平台"));
    EXPECT_TRUE(result_of(3).isEmpty());

    ASSERT_TRUE(ui::wait_until([&] { return publish()->text() == QStringLiteral("发布"); }, 20, 20000));
    EXPECT_EQ(caption("透明标签_发布结果"), QStringLiteral("本次共发布了2个平台"));
    EXPECT_EQ(caption("透明标签_完成提示"), QStringLiteral("发布完成"));
    for (int row : {0, 2, 4})
        EXPECT_TRUE(result_of(row).isEmpty()) << row;
    EXPECT_EQ(result_of(3), QStringLiteral("发布成功"));
    EXPECT_EQ(connectivity_tests(), 5u);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(PublishingPage, NoTickedRowAsksToChooseAfterTestingEveryRow)
{
    ASSERT_TRUE(open("按钮_信息发布"));
    s_sim->clear_log();
    publish()->click();
    ASSERT_TRUE(ui::wait_until([&] { return publish()->text() == QStringLiteral("发布"); }, 20, 20000));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("请先选择要发布的平台"));
    EXPECT_EQ(connectivity_tests(), 5u);
    EXPECT_EQ(caption("透明标签_完成提示"), QStringLiteral("发布完成"));
}

TEST_F(PublishingPage, CancelDuringAPauseStopsAtOnce)
{
    // First a pause far longer than the test: only the cancel can end it.
    m_long_pause = true;
    ui::set_random_handler([this](int low, int high) { return m_long_pause ? high * 100 : low; });
    ASSERT_TRUE(open("按钮_信息发布"));
    tick(0);
    s_sim->clear_log();
    publish()->click();
    ASSERT_EQ(publish()->text(), QStringLiteral("取消发布"));
    publish()->click();
    EXPECT_EQ(publish()->text(), QStringLiteral("发布"));
    EXPECT_EQ(caption("透明标签_完成提示"), QStringLiteral("发布完成"));

    // A new run starts and ends normally: nothing of the cancelled one shows up.
    m_long_pause = false;
    list()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    publish()->click();
    ASSERT_TRUE(ui::wait_until([&] { return publish()->text() == QStringLiteral("发布"); }, 20, 20000));
    EXPECT_TRUE(result_of(0).isEmpty());
    EXPECT_EQ(caption("透明标签_发布结果"), QStringLiteral("本次共发布了0个平台"));
    EXPECT_EQ(connectivity_tests(), 5u);
}

TEST_F(PublishingPage, FailedConnectivityTestStopsTheRun)
{
    ASSERT_TRUE(open("按钮_信息发布"));
    ASSERT_TRUE(s_sim->set_scenario("no_markers", "baidu_home"));
    tick(0);
    tick(2);
    publish()->click();
    ASSERT_TRUE(ui::wait_until([&] { return !m_boxes.empty(); }, 20, 20000));
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("请检查您的网络"));
    EXPECT_EQ(result_of(0), QStringLiteral("发布成功"));
    EXPECT_TRUE(result_of(2).isEmpty());
    EXPECT_EQ(connectivity_tests(), 1u);
    // The button keeps its caption until the user clicks it.
    EXPECT_EQ(publish()->text(), QStringLiteral("取消发布"));
    publish()->click();
    EXPECT_EQ(publish()->text(), QStringLiteral("发布"));
}

TEST_F(PublishingPage, ListLoadsOnceUntilRefreshed)
{
    ASSERT_TRUE(open("按钮_信息发布"));
    ASSERT_TRUE(open("按钮_信息发布"));
    EXPECT_EQ(requests("account_server", kPlatformList).size(), 1u);
    EXPECT_EQ(list()->topLevelItemCount(), 5);

    auto* all = control<QCheckBox>("选择框_全选");
    all->click();
    publish()->click();
    ASSERT_EQ(publish()->text(), QStringLiteral("取消发布"));
    ASSERT_TRUE(s_sim->set_scenario("platform_count", "account_server", {{"count", "3"}}));
    // The rows a run works through go away, so the run ends with them.
    control<QPushButton>("按钮_刷新")->click();
    EXPECT_EQ(publish()->text(), QStringLiteral("发布"));
    ASSERT_TRUE(ui::wait_until([&] { return buttons_enabled(); }, 20, 30000));
    EXPECT_EQ(requests("account_server", kPlatformList).size(), 2u);
    EXPECT_EQ(list()->topLevelItemCount(), 3);
    EXPECT_FALSE(all->isChecked());
    EXPECT_EQ(list()->topLevelItem(0)->checkState(0), Qt::Unchecked);
}

TEST_F(PublishingPage, ReplyThatIsNoJsonGivesAnEmptyList)
{
    ASSERT_TRUE(s_sim->set_scenario("not_json", "account_server"));
    ASSERT_TRUE(open("按钮_信息发布"));
    EXPECT_EQ(requests("account_server", kPlatformList).size(), 1u);
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    EXPECT_TRUE(list()->isVisible());
    EXPECT_TRUE(m_boxes.empty());
}

}  // namespace
