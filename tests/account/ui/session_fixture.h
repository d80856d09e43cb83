#pragma once
// A whole main window over a temporary run folder, its servers played by
// varnel-sim. Message boxes, the desktop "open" and the client's exit are
// recorded; the service period is measured against a fixed clock.

#include "client/account/account_session.h"
#include "client/account/ui/account_panel.h"
#include "client/account/ui/service_checks.h"
#include "client/account/ui/session_controller.h"
#include "client/settings/config_file.h"
#include "client/shell/app_state.h"
#include "client/shell/main_window.h"
#include "client/ui/app_context.h"
#include "client/ui/find_control.h"
#include "client/ui/seams.h"
#include "client/web/cookies.h"
#include "client/web/endpoints.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace accounttest {

inline web::LocalTime local_time(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    web::LocalTime t;
    t.year = y;
    t.month = mo;
    t.day = d;
    t.hour = h;
    t.minute = mi;
    t.second = s;
    return t;
}

class SessionFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sim.ok()) << m_sim.error();
        ASSERT_FALSE(m_root.path().empty());
        m_run_dir = QString::fromStdString(m_root.str()) + QStringLiteral("/run");
        m_config_dir = QString::fromStdString(m_root.str()) + QStringLiteral("/config");
        QDir().mkpath(m_run_dir);
        m_endpoints = web::load_endpoints(m_sim.run_dir());
        web::CookieStore::instance().clear();
        ui::set_message_box_handler([this](const ui::MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return request.buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::Ok;
        });
        ui::set_open_url_handler([this](const QString& url) {
            m_opened.push_back(url);
            return true;
        });
        account::set_exit_handler([this](int code) { m_exits.push_back(code); });
    }

    void TearDown() override
    {
        m_window.reset();
        ui::set_message_box_handler({});
        ui::set_open_url_handler({});
        account::set_exit_handler({});
        web::CookieStore::instance().clear();
    }

    // The window over the run folder as it stands now, the account session's
    // hooks installed; `clock` fixes "now" for the service period.
    void make_window(web::LocalTime now = local_time(2026, 6, 1))
    {
        m_window.reset();
        m_state = std::make_unique<shell::AppState>(m_run_dir, m_config_dir, m_endpoints);
        m_config = &m_state->config();
        m_session = &m_state->session();
        m_events = &m_state->events();
        m_context = &m_state->context();
        m_window = std::make_unique<shell::MainWindow>(*m_context);
        m_window->resize(shell::MainWindow::kWidth, shell::MainWindow::kHeight);
        controller()->set_clock([now] { return now; });
        // Shown, so that the panes lay their pages out at their own size.
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // make_window, then the start-up sequence until the window has started.
    bool start_window()
    {
        make_window();
        bool started = false;
        QObject::connect(m_window.get(), &shell::MainWindow::started, [&started] { started = true; });
        m_window->start();
        return ui::wait_until([&started] { return started; }, 10, 60000);
    }

    template <typename T = QWidget>
    T* find(const char* name) const
    {
        T* control = ui::find_control<T>(m_window.get(), QString::fromUtf8(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    account::AccountPanel* panel() const { return find<account::AccountPanel>("外形框1"); }
    account::SessionController* controller() const { return panel()->controller(); }

    // Types the form and clicks 按钮_登录; true once the whole sequence ended.
    bool sign_in(const QString& user = QStringLiteral("qinghe"),
                 const QString& password = QStringLiteral("qh@2024"))
    {
        find<QLineEdit>("编辑框_用户名")->setText(user);
        find<QLineEdit>("编辑框_密码")->setText(password);
        QSignalSpy finished(controller(), &account::SessionController::sign_in_finished);
        find<QPushButton>("按钮_登录")->click();
        return !finished.isEmpty() || finished.wait(30000);
    }

    std::vector<testsupport::SimProcess::LogEntry> sign_in_posts() const
    {
        std::vector<testsupport::SimProcess::LogEntry> posts;
        for (const auto& entry : m_sim.log("account_server"))
            if (entry.method == "POST" && entry.target.find("a=clientlogin") != std::string::npos)
                posts.push_back(entry);
        return posts;
    }

    std::vector<QString> box_texts() const
    {
        std::vector<QString> texts;
        for (const ui::MessageBoxRequest& box : m_boxes)
            texts.push_back(box.text);
        return texts;
    }

    testsupport::SimProcess m_sim;
    testsupport::TempDir m_root;
    QString m_run_dir;
    QString m_config_dir;
    web::Endpoints m_endpoints;
    std::unique_ptr<shell::AppState> m_state;
    settings::ConfigFile* m_config = nullptr;
    account::AccountSession* m_session = nullptr;
    ui::SessionEvents* m_events = nullptr;
    ui::AppContext* m_context = nullptr;
    std::unique_ptr<shell::MainWindow> m_window;
    std::vector<ui::MessageBoxRequest> m_boxes;
    std::vector<QString> m_opened;
    std::vector<int> m_exits;
};

}  // namespace accounttest
