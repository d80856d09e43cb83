#pragma once
// A whole main window against varnel-sim, signed in as the simulator's demo
// customer, with message boxes recorded and the random source fixed. Shared
// by the workspace GUI tests (header only: each test file is its own program).

#include "client/account/account_session.h"
#include "client/shell/application.h"
#include "client/shell/main_window.h"
#include "client/ui/browser_agent.h"
#include "client/ui/find_control.h"
#include "client/ui/seams.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace workspacetest {

inline const char* const kFeatureButtons[] = {
    "按钮_网站体检", "按钮_内容管理", "按钮_移动互联", "按钮_查询统计", "按钮_订单查询",
    "按钮_全网营销", "按钮_信息发布", "按钮_分站营销", "按钮_微信"};

class SignedInWindow : public testing::Test {
protected:
    static void SetUpTestSuite() { s_sim = std::make_unique<testsupport::SimProcess>(); }
    static void TearDownTestSuite() { s_sim.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_sim->ok()) << s_sim->error();
        ASSERT_TRUE(s_sim->reset_scenarios());
        ui::set_message_box_handler([this](const ui::MessageBoxRequest& box) {
            m_boxes.push_back(box);
            return ui::Answer::Ok;
        });
        ui::set_random_handler([](int low, int) { return low; });
        m_app = std::make_unique<shell::Application>(
            shell::Folders{QString::fromStdString(s_sim->run_dir()), QString::fromStdString(m_config.str())});
        account::AccountSession& session = *m_app->context().session;
        const account::SignInResult signed_in = session.sign_in_request("qinghe", "garden2024");
        ASSERT_TRUE(signed_in.ok) << signed_in.error;
        session.set_signed_in(true);
        ui::set_browser_user_agent(QString::fromStdString(session.client_user_agent()));
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
        s_sim->clear_log();
    }

    void TearDown() override
    {
        m_app.reset();
        ui::set_message_box_handler({});
        ui::set_random_handler({});
    }

    shell::MainWindow& window() { return m_app->window(); }
    account::AccountSession& session() { return *m_app->context().session; }
    const account::AccountRecord& record() { return session().record(); }
    QTabWidget* pages() { return window().page_area(); }

    template <typename T = QWidget>
    T* control(const char* name)
    {
        T* found = ui::find_control<T>(&window(), QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    bool buttons_enabled()
    {
        for (const char* name : kFeatureButtons)
            if (!control<QPushButton>(name)->isEnabled())
                return false;
        return true;
    }

    // Clicks a feature button and waits until the page's work is over.
    bool open(const char* button, int limit_ms = 30000)
    {
        control<QPushButton>(button)->click();
        return ui::wait_until([this] { return buttons_enabled(); }, 20, limit_ms);
    }

    // Requests of `role` whose target is exactly `target`.
    static std::vector<testsupport::SimProcess::LogEntry> requests(std::string_view role,
                                                                   const std::string& target)
    {
        std::vector<testsupport::SimProcess::LogEntry> found;
        for (auto& entry : s_sim->log(role))
            if (entry.target == target)
                found.push_back(std::move(entry));
        return found;
    }

    static bool eventually_requested(std::string_view role, const std::string& target,
                                     std::size_t times = 1, int limit_ms = 20000)
    {
        return ui::wait_until([&] { return requests(role, target).size() >= times; }, 20, limit_ms);
    }

    // The path and query of a record address on the simulator's host.
    static std::string path_of(const std::string& url)
    {
        const auto scheme = url.find("://");
        const auto slash = url.find('/', scheme == std::string::npos ? 0 : scheme + 3);
        return slash == std::string::npos ? "/" : url.substr(slash);
    }

    static std::unique_ptr<testsupport::SimProcess> s_sim;
    testsupport::TempDir m_config;
    std::unique_ptr<shell::Application> m_app;
    std::vector<ui::MessageBoxRequest> m_boxes;
};

inline std::unique_ptr<testsupport::SimProcess> SignedInWindow::s_sim;

}  // namespace workspacetest
