#pragma once
// A whole main window in a temporary run and config folder, every server
// pointed at a closed loopback port, message boxes answered from a script.
// The account session's start-up steps are left out unless a test wants them.

#include "client/account/account_session.h"
#include "client/settings/config_file.h"
#include "client/settings/credentials.h"
#include "client/shell/app_state.h"
#include "client/shell/main_window.h"
#include "client/ui/app_context.h"
#include "client/ui/find_control.h"
#include "client/ui/seams.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

namespace shelltest {

inline web::Endpoints closed_endpoints()
{
    const std::string closed = "127.0.0.1:9";
    return {closed, closed, closed, closed, closed, closed, closed, closed, closed};
}

// A small distinct picture for skin N.
inline QColor skin_colour(int n)
{
    return QColor::fromHsv((n * 53) % 360, 200, 120 + n * 15);
}

class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_root.path().empty());
        m_run_dir = QString::fromStdString(m_root.str()) + QStringLiteral("/run");
        m_config_dir = QString::fromStdString(m_root.str()) + QStringLiteral("/config");
        QDir().mkpath(m_run_dir);
        ui::set_message_box_handler([this](const ui::MessageBoxRequest& request) {
            m_boxes.push_back(request);
            if (m_answers.empty())
                return request.buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::Ok;
            const ui::Answer answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
    }

    void TearDown() override
    {
        m_window.reset();
        ui::set_message_box_handler({});
    }

    // Builds the window over the run folder as it stands now; with
    // `session_steps` false the account session's start-up hooks are dropped.
    void make_window(bool session_steps = false)
    {
        m_window.reset();
        m_state = std::make_unique<shell::AppState>(m_run_dir, m_config_dir, m_endpoints);
        m_config = &m_state->config();
        m_session = &m_state->session();
        m_events = &m_state->events();
        m_context = &m_state->context();
        m_window = std::make_unique<shell::MainWindow>(*m_context);
        if (!session_steps)
            m_context->hooks = {};
    }

    // Builds, starts and shows the window.
    void start_window(bool session_steps = false)
    {
        make_window(session_steps);
        bool started = false;
        QObject::connect(m_window.get(), &shell::MainWindow::started, [&started] { started = true; });
        m_window->start();
        ASSERT_TRUE(ui::wait_until([&started] { return started; }, 10, 20000));
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    template <typename T = QWidget>
    T* find(const char* name) const
    {
        T* control = ui::find_control<T>(m_window.get(), QString::fromUtf8(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // config.ini keeps its content on this machine only with a matching "LLL".
    void write_config(const std::vector<std::tuple<const char*, const char*, std::string>>& keys,
                      bool this_machine = true)
    {
        settings::ConfigFile config(m_run_dir.toStdString());
        config.write("用户信息", "LLL",
                     settings::encipher(this_machine ? settings::machine_fingerprint() : "another machine"));
        for (const auto& [section, key, value] : keys)
            config.write(section, key, value);
    }

    std::string read_config(const char* section, const char* key) const
    {
        return settings::ConfigFile(m_run_dir.toStdString()).read(section, key);
    }

    QString skin_path(int n) const
    {
        return m_run_dir + QStringLiteral("/皮肤资源/皮肤%1.jpg").arg(n);
    }

    void write_skins()
    {
        QDir().mkpath(m_run_dir + QStringLiteral("/皮肤资源"));
        for (int n = 1; n <= 6; ++n) {
            QImage picture(90, 60, QImage::Format_RGB32);
            picture.fill(skin_colour(n));
            ASSERT_TRUE(picture.save(skin_path(n), "JPG"));
        }
    }

    static QImage plain(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

    testsupport::TempDir m_root;
    QString m_run_dir;
    QString m_config_dir;
    web::Endpoints m_endpoints = closed_endpoints();
    std::unique_ptr<shell::AppState> m_state;
    settings::ConfigFile* m_config = nullptr;
    account::AccountSession* m_session = nullptr;
    ui::SessionEvents* m_events = nullptr;
    ui::AppContext* m_context = nullptr;
    std::unique_ptr<shell::MainWindow> m_window;
    std::vector<ui::MessageBoxRequest> m_boxes;
    std::deque<ui::Answer> m_answers;
};

}  // namespace shelltest
