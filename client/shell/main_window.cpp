#include "client/shell/main_window.h"

#include "client/account/ui/account_panel.h"
#include "client/checkup/ui/checkup_page.h"
#include "client/ranking/ui/ranking_page.h"
#include "client/shell/feature_table.h"
#include "client/shell/page_switch.h"
#include "client/shell/single_instance.h"
#include "client/shell/skin_center.h"
#include "client/shell/skin_table.h"
#include "client/shell/startup.h"
#include "client/shell/window_drag.h"
#include "client/ui/app_context.h"
#include "client/ui/artwork.h"
#include "client/ui/find_control.h"
#include "client/ui/picture_box.h"
#include "client/ui/seams.h"
#include "client/workspaces/ui/content_page.h"
#include "client/workspaces/ui/mobile_page.h"
#include "client/workspaces/ui/order_page.h"
#include "client/workspaces/ui/publishing_page.h"
#include "client/workspaces/ui/regional_page.h"
#include "client/workspaces/ui/statistics_page.h"
#include "client/workspaces/ui/wechat_page.h"

#include "platform/platform.h"

#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace shell {
namespace {

constexpr int kSignInPeriodMs = 86'400'000;
constexpr int kNewsPeriodMs = 3'600'000;

QString name(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QLabel* add_label(QWidget* parent, const char* object_name, const QString& text, QRect place)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name(object_name));
    label->setGeometry(place);
    return label;
}

QPushButton* add_button(QWidget* parent, const char* object_name, QRect place, const QString& tip)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name(object_name));
    button->setGeometry(place);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

// White text stays readable on every skin with a soft shadow under it.
void lift(QWidget* widget)
{
    // Owned by the widget through setGraphicsEffect; a QObject parent would free it twice.
    auto* shadow = new QGraphicsDropShadowEffect;
    shadow->setBlurRadius(6);
    shadow->setOffset(0, 1);
    shadow->setColor(QColor(13, 71, 161, 170));
    widget->setGraphicsEffect(shadow);
}

}  // namespace

MainWindow::MainWindow(ui::AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_context(context)
{
    setObjectName(QStringLiteral("主窗口"));
    setWindowTitle(QStringLiteral("Varnel智能营销网站"));
    setWindowIcon(QIcon(ui::art::pixmap(ui::art::app_icon)));
    setFixedSize(kWidth, kDesignHeight);
    // What shows where the background has no picture.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x15, 0x65, 0xC0));
    setPalette(palette);
    setAutoFillBackground(true);

    m_background = new ui::PictureBox(this);
    m_background->setObjectName(QStringLiteral("图片框_背景"));
    m_background->setGeometry(0, 0, kWidth, kHeight);
    m_background->set_picture(ui::art::pixmap(ui::art::design_background));

    build_title_strip();
    build_feature_row();
    build_page_area();
    build_status_line();
    build_menus();

    m_single_instance = new SingleInstance(m_context.config_dir, this);
    connect(m_single_instance, &SingleInstance::show_requested, this, &MainWindow::on_show_requested);
    m_page_switch = new PageSwitch(*this);
    m_startup = new Startup(*this);
}

MainWindow::~MainWindow() = default;

void MainWindow::build_title_strip()
{
    auto* icon = new QLabel(this);
    icon->setGeometry(10, 4, 20, 20);
    icon->setPixmap(ui::art::pixmap(ui::art::app_icon).scaled(20, 20, Qt::KeepAspectRatio,
                                                              Qt::SmoothTransformation));
    m_title = add_label(this, "透明标签_标题", QStringLiteral("Quenta V3.0.6"), {10, 2, 262, 24});
    m_title->setProperty("role", QStringLiteral("title"));
    m_title->setIndent(26);
    lift(m_title);
    m_skin_label = add_label(this, "皮肤标签", QStringLiteral("皮肤1"), {672, 0, 40, 24});
    m_skin_label->setProperty("role", QStringLiteral("strip"));
    m_skin_label->setAlignment(Qt::AlignCenter);

    // The skin and menu buttons would share nearly one spot; the skin button
    // sits to the left of the menu so both can be reached.
    auto* skin = add_button(this, "按钮_换皮肤", {783, 0, 27, 25}, QStringLiteral("换肤"));
    auto* menu = add_button(this, "按钮_主菜单", {810, 0, 27, 22}, QStringLiteral("主菜单"));
    auto* minimise = add_button(this, "按钮_最小化", {837, 0, 27, 22}, QStringLiteral("最小化"));
    auto* close = add_button(this, "按钮_关闭", {864, 0, 32, 32}, QStringLiteral("关闭"));
    connect(skin, &QPushButton::clicked, this, &MainWindow::open_skin_center);
    connect(menu, &QPushButton::clicked, this, [this] { m_main_menu->popup(QCursor::pos()); });
    connect(minimise, &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(close, &QPushButton::clicked, this, &MainWindow::ask_exit);
}

void MainWindow::build_feature_row()
{
    // Shapes first: they lie behind the buttons and captions.
    for (const FeatureEntry& entry : feature_table()) {
        auto* shape = new QPushButton(this);
        shape->setObjectName(name(entry.highlight));
        shape->setGeometry(QRect(entry.highlight_at, QSize(80, 75)));
        shape->setFocusPolicy(Qt::NoFocus);
        shape->setVisible(entry.page == 0);
    }
    for (const FeatureEntry& entry : feature_table()) {
        auto* caption = new QLabel(name(entry.caption), this);
        caption->setGeometry(entry.highlight_at.x() + 12, 84, 56, 16);
        caption->setProperty("role", QStringLiteral("caption"));
        caption->setAlignment(Qt::AlignCenter);
        caption->setAttribute(Qt::WA_TransparentForMouseEvents);
        lift(caption);
        add_button(this, entry.button, QRect(entry.at, QSize(48, 48)), name(entry.caption));
    }
}

void MainWindow::build_page_area()
{
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("主窗口选择夹"));
    m_pages->setGeometry(0, 111, kWidth, 465);
    m_pages->tabBar()->hide();

    auto* checkup = new checkup::CheckupPage(m_context);
    auto* panel = new account::AccountPanel(m_context, checkup);
    panel->move(650, 0);
    m_page_list = {checkup,
                   new workspaces::ContentPage(m_context),
                   new workspaces::MobilePage(m_context),
                   new workspaces::StatisticsPage(m_context),
                   new workspaces::OrderPage(m_context),
                   new ranking::RankingPage(m_context),
                   new workspaces::PublishingPage(m_context),
                   new workspaces::RegionalPage(m_context),
                   new workspaces::WechatPage(m_context)};
    for (const FeatureEntry& entry : feature_table())
        m_pages->addTab(m_page_list[entry.page], name(entry.caption));
    for (ui::FeaturePage* page : m_page_list)
        connect(page, &ui::FeaturePage::skin_refresh_requested, this, &MainWindow::skin_refresh);
}

void MainWindow::build_status_line()
{
    for (auto [object_name, text, place] :
         {std::tuple{"透明标签_版本", "主程序版本：V3.0.6", QRect(29, 579, 190, 18)},
          std::tuple{"透明标签_网站名称", "网站名称：", QRect(232, 579, 260, 18)},
          std::tuple{"透明标签_域名", "域名：", QRect(503, 579, 190, 18)},
          std::tuple{"透明标签_登录成功", "", QRect(701, 581, 150, 18)}}) {
        QLabel* label = add_label(this, object_name, name(text), place);
        label->setProperty("role", QStringLiteral("status"));
        lift(label);
    }
    auto* corner = new QFrame(this);
    corner->setObjectName(QStringLiteral("外形框4"));
    corner->setGeometry(650, 111 + 465, 250, 35);
    auto* picture = add_label(corner, "连接状态", {}, {204, 4, 16, 16});
    picture->setToolTip(QStringLiteral("云端连接状态"));
    QLabel* state = add_label(corner, "云状态", QStringLiteral("连接"), {222, 2, 28, 20});
    state->setProperty("role", QStringLiteral("status"));
    lift(state);
}

void MainWindow::build_menus()
{
    m_main_menu = new QMenu(QStringLiteral("菜单"), this);
    m_main_menu->setObjectName(QStringLiteral("菜单"));
    QAction* settings = m_main_menu->addAction(QStringLiteral("设置"));
    m_main_menu->addSeparator();
    for (const char* item : {"在线帮助", "论坛帮助", "官方网站", "关于我们"})
        m_main_menu->addAction(name(item));
    connect(settings, &QAction::triggered, this,
            [this] { ui::message_box(QStringLiteral("未实现！"), {}, ui::Buttons::Ok, ui::Icon::Information, this); });

    m_sign_in_timer = new QTimer(this);
    m_sign_in_timer->setObjectName(QStringLiteral("时钟_定时登录"));
    m_sign_in_timer->setInterval(kSignInPeriodMs);
    connect(m_sign_in_timer, &QTimer::timeout, this, [this] {
        if (m_context.hooks.timed_sign_in)
            m_context.hooks.timed_sign_in();
    });
    m_news_timer = new QTimer(this);
    m_news_timer->setObjectName(QStringLiteral("时钟1"));
    m_news_timer->setInterval(kNewsPeriodMs);
    connect(m_news_timer, &QTimer::timeout, this, [this] {
        if (m_context.hooks.reload_news)
            m_context.hooks.reload_news();
    });
    new WindowDrag(this);
}

ui::FeaturePage* MainWindow::page(int index) const
{
    return index >= 0 && index < static_cast<int>(m_page_list.size()) ? m_page_list[index] : nullptr;
}

SkinCenter* MainWindow::skin_center() const
{
    return m_skin_center.data();
}

void MainWindow::start()
{
    m_startup->run();
}

void MainWindow::skin_refresh()
{
    shell::skin_refresh(this, m_binder);
}

quint32 MainWindow::window_id()
{
    return static_cast<quint32>(winId());
}

void MainWindow::start_timers()
{
    m_sign_in_timer->start();
    m_news_timer->start();
}

void MainWindow::ask_exit()
{
    if (ui::message_box(QStringLiteral("您确认要退出吗？"), QStringLiteral("温馨提示："), ui::Buttons::YesNo,
                        ui::Icon::Exclamation, this) != ui::Answer::Yes)
        return;
    // The title caption names a companion process that leaves with the client.
    platform::terminate_process_named(m_title->text().toStdString());
    Q_EMIT exit_requested(0);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    ask_exit();
}

void MainWindow::open_skin_center()
{
    if (m_skin_center)
        return;
    m_skin_center = new SkinCenter(*this);
    m_skin_center->show();
}

void MainWindow::on_show_requested(quint32 id)
{
    if (id != window_id())
        return;
    showNormal();
    raise();
    activateWindow();
}

}  // namespace shell
