#include "client/shell/startup.h"

#include "client/account/account_session.h"
#include "client/settings/config_file.h"
#include "client/settings/credentials.h"
#include "client/shell/main_window.h"
#include "client/shell/single_instance.h"
#include "client/shell/skin_files.h"
#include "client/shell/skin_table.h"
#include "client/ui/app_context.h"
#include "client/ui/artwork.h"
#include "client/ui/button_face.h"
#include "client/ui/find_control.h"
#include "client/ui/picture_box.h"

#include "platform/platform.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>

namespace shell {
namespace {

template <typename T = QWidget>
T* control(MainWindow& window, const char* name)
{
    return ui::find_control<T>(&window, QString::fromUtf8(name));
}

void hide_headers_and_select_first(QTabWidget* tabs)
{
    if (!tabs)
        return;
    tabs->tabBar()->hide();
    tabs->setCurrentIndex(0);
}

}  // namespace

Startup::Startup(MainWindow& window) : QObject(&window), m_window(window) {}

void Startup::run()
{
    ui::AppContext& context = m_window.context();
    if (context.hooks.check_service_status)
        context.hooks.check_service_status();
    if (context.hooks.check_for_update && !context.hooks.check_for_update()) {
        Q_EMIT m_window.exit_requested(0);
        return;
    }
    if (!guard_single_instance()) {
        Q_EMIT m_window.exit_requested(0);
        return;
    }
    check_machine_and_restore_form();
}

// Another client of this user runs: it is asked to show itself and this one
// ends without reading or writing config.ini.
bool Startup::guard_single_instance()
{
    ui::AppContext& context = m_window.context();
    SingleInstance& instance = m_window.single_instance();
    const std::string config_dir = context.config_dir.toStdString();
    if (instance.another_is_running()) {
        const auto id = platform::KeyStore(config_dir).read("ridoraza");
        instance.ask_to_show(id.value_or(0));
        return false;
    }
    if (!instance.listen() && instance.another_is_running()) {
        // Lost a race with a client starting at the same moment.
        instance.ask_to_show(platform::KeyStore(config_dir).read("ridoraza").value_or(0));
        return false;
    }
    QDir().mkpath(context.config_dir);
    platform::KeyStore(config_dir).write("ridoraza", m_window.window_id());
    return true;
}

void Startup::check_machine_and_restore_form()
{
    ui::AppContext& context = m_window.context();
    auto* auto_login = control<QCheckBox>(m_window, "选择框_自动登录");
    if (context.config && settings::machine_check(*context.config) && auto_login)
        auto_login->setChecked(false);
    if (context.session)
        context.session->set_signed_in(false);

    const settings::RestoredForm form =
        context.config ? settings::restore_form(*context.config) : settings::RestoredForm{};
    if (!form.remember) {
        restore_automatic_sign_in();
        return;
    }
    if (auto* remember = control<QCheckBox>(m_window, "选择框_记住密码"))
        remember->setChecked(true);
    if (auto* user_name = control<QLineEdit>(m_window, "编辑框_用户名"))
        user_name->setText(QString::fromStdString(form.user_name));
    if (auto* password = control<QLineEdit>(m_window, "编辑框_密码"))
        password->setText(QString::fromStdString(form.password));
    if (!context.hooks.show_news_and_wait) {
        restore_automatic_sign_in();
        return;
    }
    QPointer<Startup> self(this);
    context.hooks.show_news_and_wait([self] {
        if (self)
            self->restore_automatic_sign_in();
    });
}

void Startup::restore_automatic_sign_in()
{
    ui::AppContext& context = m_window.context();
    const bool automatic = context.config && settings::restore_form(*context.config).auto_login;
    if (!automatic) {
        finish();
        return;
    }
    if (auto* auto_login = control<QCheckBox>(m_window, "选择框_自动登录"))
        auto_login->setChecked(true);
    if (auto* remember = control<QCheckBox>(m_window, "选择框_记住密码"))
        remember->setEnabled(false);
    if (!context.hooks.automatic_sign_in) {
        finish();
        return;
    }
    QPointer<Startup> self(this);
    context.hooks.automatic_sign_in([self] {
        if (self)
            self->finish();
    });
}

void Startup::finish()
{
    ui::AppContext& context = m_window.context();
    m_skin_name = context.config
                      ? QString::fromStdString(context.config->read("选择皮肤", "内容"))
                      : QString();
    if (auto* computer = control<QLabel>(m_window, "电脑图"))
        computer->setPixmap(ui::art::pixmap(ui::art::computer_warning));
    apply_pictures(&m_window, m_window.binder(), main_window_pictures());
    show_status_pictures(&m_window);

    hide_headers_and_select_first(m_window.page_area());
    auto* checkup_tabs = control<QTabWidget>(m_window, "体验选择夹");
    hide_headers_and_select_first(checkup_tabs);
    if (auto* frame = control(m_window, "外形框14"))
        frame->move(0, frame->y());
    if (checkup_tabs)
        checkup_tabs->move(checkup_tabs->x(), 0);

    apply_stored_skin();
    m_window.setFixedSize(MainWindow::kWidth, MainWindow::kHeight);
    for (const char* browser : {"互联网浏览器1", "互联网浏览器_订单查询"})
        if (QWidget* view = control(m_window, browser))
            view->setGeometry(-1, 0, 902, 466);
    if (auto* signed_out = control<QLabel>(m_window, "图片框6"))
        signed_out->setPixmap(ui::art::pixmap(ui::art::signed_out_panel));
    if (auto* search = control<QAbstractButton>(m_window, "图形按钮_检索"))
        ui::set_button_face(search, ui::art::pixmap(ui::art::search_button));

    Q_EMIT m_window.started();
}

// The skin remembered in config.ini, with its fall-backs: a missing folder
// is made again and a missing file gives the built-in background; an empty
// or unknown name leaves the background the window was built with.
void Startup::apply_stored_skin()
{
    const QString run_dir = m_window.context().run_dir;
    ui::PictureBox* background = m_window.background();
    const QString folder = skin_folder(run_dir);
    if (!QFileInfo(folder).isDir()) {
        QDir().mkpath(folder);
        background->set_picture(ui::art::pixmap(ui::art::builtin_background));
        return;
    }
    const std::optional<int> number = skin_number(m_skin_name);
    if (!number)
        return;
    QPixmap skin(skin_file(run_dir, *number));
    background->set_picture(skin.isNull() ? ui::art::pixmap(ui::art::builtin_background) : skin);
}

}  // namespace shell
