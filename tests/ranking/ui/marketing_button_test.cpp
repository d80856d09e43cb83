// 按钮_全网营销 in the whole main window against the simulator: the sign-in
// again with the boxes' texts, the account's keywords, page 5, and the retry
// question when the account has none.
#include "client/account/account_session.h"
#include "client/shell/main_window.h"
#include "client/ui/app_context.h"
#include "client/ui/find_control.h"
#include "client/ui/seams.h"
#include "client/web/endpoints.h"

#include "support/sim_process.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>
#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace {

using testsupport::SimProcess;

class MarketingButtonTest : public ::testing::Test {
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
            boxes.push_back(box);
            if (answers.empty())
                return box.buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::Ok;
            const ui::Answer answer = answers.front();
            answers.pop_front();
            return answer;
        });
        context.run_dir = QString::fromStdString(sim->run_dir());
        context.config_dir = QString::fromStdString(config_dir.str());
        context.endpoints = web::load_endpoints(sim->run_dir());
        session = std::make_unique<account::AccountSession>(context.endpoints);
        session->set_signed_in(true);
        context.session = session.get();
        context.events = &events;
        window = std::make_unique<shell::MainWindow>(context);
        find<QLineEdit>("编辑框_用户名")->setText(QStringLiteral(" qinghe "));
        find<QLineEdit>("编辑框_密码")->setText(QStringLiteral("secret "));
    }

    void TearDown() override
    {
        window.reset();
        ui::set_message_box_handler({});
    }

    template <typename T = QWidget>
    T* find(const char* name) const
    {
        T* control = ui::find_control<T>(window.get(), QString::fromUtf8(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    QStringList keywords() const
    {
        QStringList list;
        auto* view = find<QTreeWidget>("超级列表框_要检索的关键字");
        for (int i = 0; i < view->topLevelItemCount(); ++i)
            list << view->topLevelItem(i)->text(1);
        return list;
    }

    std::vector<SimProcess::LogEntry> sign_ins() const
    {
        std::vector<SimProcess::LogEntry> out;
        for (auto& entry : sim->log("account_server"))
            if (entry.target.find("a=clientlogin") != std::string::npos)
                out.push_back(entry);
        return out;
    }

    static SimProcess* sim;
    testsupport::TempDir config_dir;
    ui::AppContext context;
    ui::SessionEvents events;
    std::unique_ptr<account::AccountSession> session;
    std::unique_ptr<shell::MainWindow> window;
    std::vector<ui::MessageBoxRequest> boxes;
    std::deque<ui::Answer> answers;
};

SimProcess* MarketingButtonTest::sim = nullptr;

TEST_F(MarketingButtonTest, SignsInAgainAndOffersTheAccountsKeywordsOnPage5)
{
    find<QPushButton>("按钮_全网营销")->click();

    ASSERT_TRUE(ui::wait_until([&] { return find<QTabWidget>("主窗口选择夹")->currentIndex() == 5; }, 10, 20000));
    QStringList expected;
    for (const char* k : {"园林绿化", "绿化工程", "苗木基地", "屋顶花园", "苏州园林绿化", "无锡绿化养护"})
        expected << QString::fromUtf8(k);
    EXPECT_EQ(keywords(), expected);
    const auto requests = sign_ins();
    ASSERT_EQ(requests.size(), 1u);
    // The boxes' texts as typed, blanks included.
    EXPECT_EQ(requests[0].body.rfind("username= qinghe &password=secret &", 0), 0u) << requests[0].body;
    EXPECT_TRUE(find<QPushButton>("按钮_全网营销")->isEnabled());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MarketingButtonTest, AccountWithoutKeywordsIsAskedAgainUntilNo)
{
    ASSERT_TRUE(sim->set_scenario("customer", {}, {{"seo_keywords", "null"}}));
    answers = {ui::Answer::Yes, ui::Answer::No};
    find<QPushButton>("按钮_全网营销")->click();

    ASSERT_TRUE(ui::wait_until([&] { return boxes.size() == std::size_t{2}; }, 10, 20000));
    for (const auto& box : boxes) {
        EXPECT_EQ(box.text, QStringLiteral("获取关键词失败，是否重新获取"));
        EXPECT_EQ(box.buttons, ui::Buttons::YesNo);
    }
    EXPECT_EQ(sign_ins().size(), 2u);
    EXPECT_TRUE(keywords().isEmpty());
    EXPECT_NE(find<QTabWidget>("主窗口选择夹")->currentIndex(), 5);
    EXPECT_TRUE(find<QPushButton>("按钮_全网营销")->isEnabled());
}

}  // namespace
