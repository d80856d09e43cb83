// Searching from the ranking page against the simulated engines: the two
// search controls, their looks, cancel in the middle of a request, the row
// menu during a search, and a window that keeps answering meanwhile.
#include "client/account/account_session.h"
#include "client/ranking/ui/ranking_page.h"
#include "client/ui/app_context.h"
#include "client/ui/seams.h"
#include "client/web/endpoints.h"

#include "support/sim_process.h"

#include <QCheckBox>
#include <QLabel>
#include <QMovie>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

using testsupport::SimProcess;

class SearchControlsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim = new SimProcess(); }
    static void TearDownTestSuite()
    {
        delete sim;
        sim = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(sim->ok()) << sim->error();
        sim->reset_scenarios();
        sim->clear_log();
        ui::set_message_box_handler([this](const ui::MessageBoxRequest& box) {
            boxes.push_back(box.text);
            return ui::Answer::Ok;
        });
        context.endpoints = web::load_endpoints(sim->run_dir());
        session = std::make_unique<account::AccountSession>(context.endpoints);
        session->record().site_url = sim->url("customer_site");
        session->set_signed_in(true);
        context.session = session.get();
        context.events = &events;
        page = std::make_unique<ranking::RankingPage>(context);
    }

    void TearDown() override
    {
        page.reset();  // joins a worker still winding down
        ui::set_message_box_handler({});
        sim->reset_scenarios();
    }

    template <typename T>
    T* control(const char* name) const
    {
        T* found = page->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTreeWidget* results() const { return control<QTreeWidget>("超级列表框_检索结果"); }
    QString caption() const { return control<QPushButton>("按钮_检索")->text(); }
    bool picture_busy() const { return control<QLabel>("图片框1")->property("search_busy").toBool(); }
    bool button_busy() const { return control<QPushButton>("图形按钮_检索")->property("search_busy").toBool(); }

    void offer_and_choose(const std::vector<std::string>& keywords)
    {
        page->set_keywords(keywords);
        control<QCheckBox>("选择框1")->click();
    }

    QStringList row_texts(int row) const
    {
        QStringList texts;
        const QTreeWidgetItem* item = results()->topLevelItem(row);
        for (int c = 0; item && c < 7; ++c)
            texts << item->text(c);
        return texts;
    }

    static SimProcess* sim;
    ui::AppContext context;
    ui::SessionEvents events;
    std::unique_ptr<account::AccountSession> session;
    std::unique_ptr<ranking::RankingPage> page;
    QStringList boxes;
};

SimProcess* SearchControlsTest::sim = nullptr;

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

TEST_F(SearchControlsTest, PictureButtonRunsASearchToTheEndAndRestoresTheIdleLook)
{
    auto* picture = control<QLabel>("图片框1");
    auto* picture_button = control<QPushButton>("图形按钮_检索");
    EXPECT_EQ(picture->movie(), nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
    auto face = [picture_button] { return picture_button->icon().pixmap(89, 31).toImage(); };
    const QImage idle_face = face();
    EXPECT_FALSE(idle_face.isNull());

    offer_and_choose({"园林绿化", "绿化工程"});
    control<QCheckBox>("选择框2")->click();  // Baidu, 360, Sogou (and Bing)
    picture_button->click();
    EXPECT_EQ(caption(), QStringLiteral("取消检索"));
    EXPECT_TRUE(picture_busy());
    EXPECT_TRUE(button_busy());
    ASSERT_NE(picture->movie(), nullptr);
    EXPECT_TRUE(picture->movie()->isValid());
    EXPECT_NE(face(), idle_face);

    ASSERT_TRUE(ui::wait_until([&] { return caption() == QStringLiteral("立即检索"); }, 10, 20000));
    EXPECT_FALSE(picture_busy());
    EXPECT_FALSE(button_busy());
    EXPECT_EQ(picture->movie(), nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_EQ(face(), idle_face);
    ASSERT_EQ(results()->topLevelItemCount(), 2);
    EXPECT_EQ(row_texts(0), texts({"1", "园林绿化", "第7个", "第1页第4个", "-", "第5个", "-"}));
    EXPECT_EQ(row_texts(1), texts({"2", "绿化工程", "第3个", "第3页第4个", "-", "第12个", "-"}));
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(SearchControlsTest, CancelInTheMiddleOfARequestRestoresTheIdleLookAndNothingArrivesAfter)
{
    // Baidu holds the first request; when freed, it would answer at once.
    ASSERT_TRUE(sim->set_scenario("stall", "baidu", {{"phase", "headers"}, {"max_ms", "1500"}}));
    offer_and_choose({"园林绿化", "绿化工程"});
    control<QCheckBox>("选择框_百度")->setChecked(true);
    control<QCheckBox>("选择框_搜狗")->setChecked(true);

    // Started from the text button, the picture button keeps its own image.
    control<QPushButton>("按钮_检索")->click();
    EXPECT_EQ(caption(), QStringLiteral("取消检索"));
    EXPECT_TRUE(picture_busy());
    EXPECT_FALSE(button_busy());
    ASSERT_EQ(sim->wait_for_log("baidu", 1).size(), 1u);
    ASSERT_TRUE(ui::wait_until([&] { return results()->topLevelItemCount() == 1; }, 10, 5000));

    // While the worker waits, the row menu is refused.
    Q_EMIT results()->customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(boxes, QStringList{QStringLiteral("正在检索中,请稍后...")});
    auto* menu = results()->findChild<QMenu*>(QStringLiteral("检索结果"));
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->isVisible());

    control<QPushButton>("按钮_检索")->click();
    EXPECT_EQ(caption(), QStringLiteral("立即检索"));
    EXPECT_FALSE(picture_busy());
    EXPECT_FALSE(button_busy());
    const QStringList row = row_texts(0);
    EXPECT_EQ(row, texts({"1", "园林绿化", "", "", "", "", ""}));

    // Were the job still going, the freed engines would have answered by now.
    sim->reset_scenarios();
    QTest::qWait(2500);
    EXPECT_EQ(results()->topLevelItemCount(), 1);
    EXPECT_EQ(row_texts(0), row);
    EXPECT_EQ(caption(), QStringLiteral("立即检索"));
    EXPECT_TRUE(sim->log("sogou").empty());
}

TEST_F(SearchControlsTest, PictureButtonCancelsAndStartsAgain)
{
    ASSERT_TRUE(sim->set_scenario("stall", "baidu", {{"phase", "headers"}, {"max_ms", "60000"}}));
    offer_and_choose({"园林绿化"});
    control<QCheckBox>("选择框_百度")->setChecked(true);
    auto* picture_button = control<QPushButton>("图形按钮_检索");

    picture_button->click();
    ASSERT_EQ(sim->wait_for_log("baidu", 1).size(), 1u);
    picture_button->click();
    EXPECT_EQ(caption(), QStringLiteral("立即检索"));
    EXPECT_FALSE(button_busy());

    // A new search while the old worker may still be winding down: only the
    // new one's rows appear.
    sim->reset_scenarios();
    picture_button->click();
    ASSERT_TRUE(ui::wait_until([&] { return caption() == QStringLiteral("立即检索"); }, 10, 20000));
    ASSERT_EQ(results()->topLevelItemCount(), 1);
    EXPECT_EQ(row_texts(0), texts({"1", "园林绿化", "第7个", "-", "-", "-", "-"}));
}

TEST_F(SearchControlsTest, WindowAnswersClicksWhileTwentyKeywordsAreSearched)
{
    ASSERT_TRUE(sim->set_scenario("slow", "baidu", {{"ms", "150"}}));
    std::vector<std::string> keywords;
    for (int i = 1; i <= 20; ++i)
        keywords.push_back("关键词" + std::to_string(i));
    offer_and_choose(keywords);
    control<QCheckBox>("选择框_百度")->setChecked(true);
    auto* bing = control<QCheckBox>("选择框_必应");

    control<QPushButton>("图形按钮_检索")->click();
    ASSERT_TRUE(ui::wait_until([&] { return results()->topLevelItemCount() >= 1; }, 10, 10000));
    // A click delivered through the event loop, as a user's would be.
    QTimer::singleShot(0, bing, [bing] { bing->click(); });
    ASSERT_TRUE(ui::wait_until([&] { return bing->isChecked(); }, 10, 5000));
    EXPECT_EQ(caption(), QStringLiteral("取消检索"));
    EXPECT_LT(results()->topLevelItemCount(), 20);

    ASSERT_TRUE(ui::wait_until([&] { return caption() == QStringLiteral("立即检索"); }, 10, 30000));
    ASSERT_EQ(results()->topLevelItemCount(), 20);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(results()->topLevelItem(i)->text(2), QStringLiteral("100名以外")) << i;
}

TEST_F(SearchControlsTest, SignOutDuringASearchEndsItAndEmptiesTheList)
{
    ASSERT_TRUE(sim->set_scenario("stall", "baidu", {{"phase", "headers"}, {"max_ms", "1500"}}));
    offer_and_choose({"园林绿化"});
    control<QCheckBox>("选择框_百度")->setChecked(true);
    control<QPushButton>("图形按钮_检索")->click();
    ASSERT_TRUE(ui::wait_until([&] { return results()->topLevelItemCount() == 1; }, 10, 5000));

    Q_EMIT events.signed_out();
    EXPECT_EQ(results()->topLevelItemCount(), 0);
    EXPECT_EQ(caption(), QStringLiteral("立即检索"));
    sim->reset_scenarios();
    QTest::qWait(2500);
    EXPECT_EQ(results()->topLevelItemCount(), 0);
}

}  // namespace
