#include "client/account/ui/session_controller.h"

#include "client/account/account_session.h"
#include "client/account/service_period.h"
#include "client/account/service_status.h"
#include "client/account/sign_out.h"
#include "client/account/update_check.h"
#include "client/account/ui/account_panel.h"
#include "client/account/ui/news_pane.h"
#include "client/account/ui/service_checks.h"
#include "client/settings/credentials.h"
#include "client/ui/app_context.h"
#include "client/ui/browser_agent.h"
#include "client/ui/find_control.h"
#include "client/ui/seams.h"
#include "client/web/ui/browser_document.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWebEngineView>

namespace account {
namespace {

QString trimmed(const QString& text)
{
    return QString::fromStdString(web::trim(text.toStdString()));
}

}  // namespace

SessionController::SessionController(ui::AppContext& context, AccountPanel* panel)
    : QObject(panel), m_context(context), m_panel(panel)
{
    setObjectName(QStringLiteral("会话"));

    connect(panel, &AccountPanel::sign_in_requested, this, [this] { sign_in(); });
    connect(panel, &AccountPanel::sign_out_requested, this, &SessionController::sign_out);

    context.sign_in_request = [this](const QString& user, const QString& password, QString* error) {
        return sign_in_request(user, password, error);
    };
    context.user_name_text = [this] { return m_panel->user_name_edit()->text(); };
    context.password_text = [this] { return m_panel->password_edit()->text(); };

    // The hooks live as long as the panel: the shell and the panel share the
    // main window's life.
    ui::ShellHooks& hooks = context.hooks;
    hooks.check_service_status = [this] {
        if (m_context.session)
            status_check(*m_context.session);
    };
    hooks.check_for_update = [this] { return run_update_check(m_context); };
    hooks.show_news_and_wait = [this](std::function<void()> loaded) {
        show_news_and_wait(std::move(loaded));
    };
    hooks.automatic_sign_in = [this](std::function<void()> done) {
        automatic_sign_in(std::move(done));
    };
    hooks.timed_sign_in = [this] { sign_in(); };
    hooks.reload_news = [this] { reload_news_hourly(); };
    hooks.sign_out = [this] { sign_out(); };
}

SessionController::~SessionController()
{
    m_context.sign_in_request = nullptr;
    m_context.user_name_text = nullptr;
    m_context.password_text = nullptr;
    m_context.hooks = {};
}

void SessionController::sign_in(std::function<void(bool)> finished)
{
    if (m_in_request || !m_context.session) {
        if (finished)
            finished(false);
        return;
    }
    const unsigned generation = ++m_generation;
    if (!run_service_checks(m_context)) {
        // Handing over to the updater: the client is ending.
        Q_EMIT sign_in_finished(false);
        if (finished)
            finished(false);
        return;
    }

    QString error;
    const bool ok = sign_in_request(trimmed(m_panel->user_name_edit()->text()),
                                    trimmed(m_panel->password_edit()->text()), &error);
    m_context.session->set_signed_in(ok);
    if (!ok) {
        ui::message_box(QStringLiteral("登录失败！错误信息：") + error, QStringLiteral("提示"));
        Q_EMIT sign_in_finished(false);
        if (finished)
            finished(false);
        return;
    }

    if (m_context.config) {
        QString version = QStringLiteral("主程序版本：") + QString::fromUtf8(kClientVersion.data());
        if (auto* label = qobject_cast<QLabel*>(find_in_window("透明标签_版本")))
            version = label->text();
        settings::store_credentials(*m_context.config,
                                    m_panel->user_name_edit()->text().toStdString(),
                                    m_panel->password_edit()->text().toStdString(),
                                    version.toStdString());
    }
    const AccountRecord& record = m_context.session->record();
    const QString user_name = QString::fromStdString(record.username);
    m_panel->show_details(user_name, QString::fromStdString(record.web_name));
    set_window_label("透明标签_登录成功", user_name + QStringLiteral("成功登录云端"));
    if (m_context.events)
        Q_EMIT m_context.events->signed_in();

    m_panel->news()->when_loaded(
        this, [this, generation, finished] { finish_sign_in(generation, finished); }, kNewsWaitMs);
}

void SessionController::finish_sign_in(unsigned generation, const std::function<void(bool)>& finished)
{
    // A later sign-in or a sign-out has taken over the panel meanwhile.
    if (generation == m_generation) {
        m_panel->news()->repaint();
        hide_pane_scroll_bars(m_panel->news());
        m_panel->show_recommendations(true);
        Q_EMIT sign_in_finished(true);
    }
    if (finished)
        finished(true);
}

bool SessionController::sign_in_request(const QString& user_name, const QString& password,
                                        QString* error)
{
    if (!m_context.session || m_in_request)
        return false;
    m_in_request = true;
    // Let the window paint before the blocking exchange; no input is taken,
    // so nothing can start a second sign-in meanwhile.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const SignInResult result = m_context.session->sign_in_request(
        user_name.toStdString(), password.toStdString(),
        m_panel->user_name_edit()->text().toStdString());
    m_in_request = false;
    if (!result.ok) {
        if (error)
            *error = QString::fromStdString(result.error);
        return false;
    }

    const AccountRecord& record = m_context.session->record();
    m_panel->show_edition(result.edition);
    set_window_label("透明标签_网站名称",
                     QStringLiteral("网站名称：") + QString::fromStdString(record.web_name));
    if (auto* domain = qobject_cast<QLabel*>(find_in_window("透明标签_域名"))) {
        domain->setCursor(Qt::PointingHandCursor);
        domain->setText(QStringLiteral("域名：") + QString::fromStdString(record.web_url));
        domain->installEventFilter(m_panel);
    }
    m_panel->show_period(service_period(record.web_starttime, record.web_endtime, m_clock()));
    m_panel->give_recommendation_pictures();
    show_news();
    ui::set_browser_user_agent(QString::fromStdString(m_context.session->client_user_agent()));
    return true;
}

void SessionController::sign_out()
{
    if (!m_context.session)
        return;
    ++m_generation;
    AccountRecord& record = m_context.session->record();
    clear_signed_out_fields(record);
    m_panel->hide_details();
    send_logout(record.site_url);
    show_news();
    if (auto* results = qobject_cast<QAbstractItemView*>(find_in_window("超级列表框_检索结果"))) {
        if (QAbstractItemModel* model = results->model())
            model->removeRows(0, model->rowCount());
    }
    m_panel->show_recommendations(false);
    m_context.session->set_signed_in(false);
    if (QWidget* tabs = find_in_window("体验选择夹"))
        tabs->setProperty("currentIndex", 0);
    if (m_context.events)
        Q_EMIT m_context.events->signed_out();
    Q_EMIT signed_out();
}

void SessionController::show_news()
{
    m_panel->news()->show_page(QString::fromStdString(service_news_url(m_context.endpoints)));
}

void SessionController::reload_news_hourly()
{
    m_panel->news()->show_page(QString::fromStdString(account_news_url(m_context.endpoints)));
    if (QWebEngineView* seo = web::find_server_window(find_in_window("超文本浏览框2")))
        seo->setUrl(QUrl(QString::fromStdString(account_seo_url(m_context.endpoints))));
}

void SessionController::show_news_and_wait(std::function<void()> loaded)
{
    show_news();
    m_panel->news()->when_loaded(this, std::move(loaded), kNewsWaitMs);
}

void SessionController::automatic_sign_in(std::function<void()> done)
{
    m_panel->auto_login_box()->setChecked(true);
    m_panel->remember_box()->setEnabled(false);
    m_panel->give_recommendation_pictures();
    show_news_and_wait([this, done = std::move(done)] {
        sign_in([done](bool) {
            if (done)
                done();
        });
    });
}

QWidget* SessionController::find_in_window(const char* name) const
{
    return ui::find_control<QWidget>(m_panel->window(), QString::fromUtf8(name));
}

void SessionController::set_window_label(const char* name, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(find_in_window(name)))
        label->setText(text);
}

}  // namespace account
