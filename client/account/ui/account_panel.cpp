#include "client/account/ui/account_panel.h"

#include "client/account/account_session.h"
#include "client/account/company_caption.h"
#include "client/account/service_period.h"
#include "client/account/sign_in_protocol.h"
#include "client/account/ui/news_pane.h"
#include "client/account/ui/session_controller.h"
#include "client/settings/credentials.h"
#include "client/ui/app_context.h"
#include "client/ui/artwork.h"
#include "client/ui/seams.h"

#include <QAction>
#include <QCheckBox>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPushButton>
#include <QRegion>
#include <QToolButton>

namespace account {
namespace {

QLabel* add_label(QWidget* parent, const char* name, const QString& text, QRect place)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(place);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QFrame* add_frame(QWidget* parent, const char* name, QRect place)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromUtf8(name));
    frame->setGeometry(place);
    return frame;
}

void set_pixel_size(QWidget* widget, int pixels, bool bold = false)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    widget->setFont(font);
}

// A window region of the widget's own size with 5 × 5 corner ellipses.
void round_corners(QWidget* widget)
{
    if (widget->width() <= 0 || widget->height() <= 0) {
        widget->clearMask();
        return;
    }
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, widget->width(), widget->height()), 2.5, 2.5);
    widget->setMask(QRegion(path.toFillPolygon().toPolygon()));
}

QString from_utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

AccountPanel::AccountPanel(ui::AppContext& context, QWidget* parent)
    : QFrame(parent), m_context(context)
{
    setObjectName(QStringLiteral("外形框1"));
    resize(251, 465);

    build_form();
    build_details();
    build_recommendations();

    m_news = new NewsPane(this);
    m_news->setGeometry(-2, 225, 264, 248);

    m_controller = new SessionController(context, this);
}

void AccountPanel::build_form()
{
    m_form = add_frame(this, "外形框2", {0, 0, 254, 153});
    add_label(m_form, "透明标签2", QStringLiteral("用户名："), {22, 25, 48, 19});
    QFrame* user_frame = add_frame(m_form, "外形框_用户名", {76, 21, 152, 24});
    m_user_name = new QLineEdit(user_frame);
    m_user_name->setObjectName(QStringLiteral("编辑框_用户名"));
    m_user_name->setGeometry(1, 1, 149, 20);

    add_label(m_form, "透明标签4", QStringLiteral("密码："), {24, 56, 48, 19});
    QFrame* password_frame = add_frame(m_form, "外形框_密码", {76, 54, 152, 24});
    m_password = new QLineEdit(password_frame);
    m_password->setObjectName(QStringLiteral("编辑框_密码"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setGeometry(2, 6, 147, 15);

    m_remember = new QCheckBox(QStringLiteral("记住密码"), m_form);
    m_remember->setObjectName(QStringLiteral("选择框_记住密码"));
    m_remember->setGeometry(47, 88, 80, 16);
    m_auto_login = new QCheckBox(QStringLiteral("自动登录"), m_form);
    m_auto_login->setObjectName(QStringLiteral("选择框_自动登录"));
    m_auto_login->setGeometry(137, 88, 80, 16);

    m_sign_in = new QPushButton(QStringLiteral("登录"), m_form);
    m_sign_in->setObjectName(QStringLiteral("按钮_登录"));
    m_sign_in->setGeometry(46, 115, 61, 27);
    m_register = new QPushButton(QStringLiteral("注册"), m_form);
    m_register->setObjectName(QStringLiteral("按钮_注册"));
    m_register->setGeometry(152, 115, 61, 27);

    // clicked, not toggled: only the user's own clicks write config.ini;
    // the start-up restore ticks the boxes without writing.
    connect(m_remember, &QCheckBox::clicked, this, &AccountPanel::on_remember_clicked);
    connect(m_auto_login, &QCheckBox::clicked, this, &AccountPanel::on_auto_login_clicked);
    connect(m_sign_in, &QPushButton::clicked, this, &AccountPanel::sign_in_requested);
    // Enter signs in from the password box only: in the user-name box it
    // would send a half-filled form.
    connect(m_password, &QLineEdit::returnPressed, this, &AccountPanel::sign_in_requested);
    connect(m_register, &QPushButton::clicked, this, [this] {
        ui::open_url(QString::fromStdString(register_url(m_context.endpoints)));
    });
}

void AccountPanel::build_details()
{
    m_details = add_frame(this, "外形框_用户信息", {0, 1, 254, 161});

    m_badge = add_label(m_details, "图片框_等级", {}, {11, 14, 60, 60});
    m_badge->setScaledContents(true);
    m_user_label = add_label(m_details, "透明标签_用户名", {}, {80, 17, 102, 15});
    set_pixel_size(m_user_label, 12, true);
    m_company = add_label(m_details, "透明标签_公司名称", {}, {77, 41, 169, 14});
    set_pixel_size(m_company, 12);
    m_company->setCursor(Qt::PointingHandCursor);
    m_company->installEventFilter(this);
    add_label(m_details, "透明标签5", {}, {109, 54, 80, 8});

    m_bar_ground = new QLabel(m_details);
    m_bar_ground->setObjectName(QStringLiteral("标签3"));
    m_bar_ground->setGeometry(78, 66, kPeriodBarWidth, 9);
    m_bar_ground->setStyleSheet(QStringLiteral("background-color: #E0E0E0;"));
    round_corners(m_bar_ground);
    m_bar_fill = new QLabel(m_details);
    m_bar_fill->setObjectName(QStringLiteral("标签5"));
    m_bar_fill->setGeometry(78, 66, 0, 9);
    m_bar_fill->setStyleSheet(QStringLiteral("background-color: rgb(101, 191, 5);"));
    m_days = add_label(m_details, "透明标签6", {}, {105, 65, 100, 10});
    set_pixel_size(m_days, 9);
    m_days->setAlignment(Qt::AlignCenter);

    m_sign_out = new QPushButton(m_details);
    m_sign_out->setObjectName(QStringLiteral("按钮_注销"));
    m_sign_out->setGeometry(231, -1, 20, 20);
    m_sign_out->setToolTip(QStringLiteral("注销"));
    m_sign_out_label = add_label(m_details, "透明标签7", QStringLiteral("注销"), {191, 16, 24, 16});
    m_sign_out_label->setCursor(Qt::PointingHandCursor);
    m_sign_out_label->installEventFilter(this);
    add_label(m_details, "透明标签8", QStringLiteral("软件推荐"), {18, 87, 52, 24});

    m_user_menu = new QMenu(this);
    m_user_menu->setObjectName(QStringLiteral("用户"));
    QAction* sign_out = m_user_menu->addAction(QStringLiteral("注销"));
    connect(sign_out, &QAction::triggered, this, &AccountPanel::sign_out_requested);
    connect(m_sign_out, &QPushButton::clicked, this,
            [this] { m_user_menu->popup(QCursor::pos()); });

    m_details->hide();
}

void AccountPanel::build_recommendations()
{
    m_recommend = add_label(this, "图片框4", {}, {-1, 118, 250, 100});
    static const char* const captions[3] = {"智能建站", "营销助手", "移动名片"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QToolButton(m_recommend);
        button->setObjectName(QStringLiteral("图形按钮%1").arg(i + 1));
        button->setGeometry(27 + i * 76, 24, 48, 48);
        button->setIconSize(QSize(48, 48));
        button->setAutoRaise(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setToolTip(QString::fromUtf8(captions[i]));
        connect(button, &QToolButton::clicked, this, [this] {
            ui::open_url(QString::fromStdString(web::Endpoints::base(m_context.endpoints.service_site)));
        });
        m_recommend_buttons[i] = button;
        QLabel* caption = add_label(m_recommend, "", QString::fromUtf8(captions[i]),
                                    {13 + i * 76, 74, 76, 16});
        caption->setObjectName(QStringLiteral("透明标签_推荐%1").arg(i + 1));
        caption->setAlignment(Qt::AlignCenter);
        set_pixel_size(caption, 12);
    }
    m_recommend->hide();

    // Shown while nobody is signed in, in the room between the form and the
    // news, at the picture's own proportions.
    m_signed_out_picture = add_label(this, "图片框6", {}, {35, 153, 180, 72});
    m_signed_out_picture->setScaledContents(true);
    m_signed_out_picture->setPixmap(ui::art::pixmap(ui::art::signed_out_panel));
}

void AccountPanel::show_edition(int edition)
{
    static const char* const badges[3] = {ui::art::badge_basic, ui::art::badge_standard,
                                          ui::art::badge_premium};
    if (edition < 1 || edition > 3)
        return;
    m_badge->setPixmap(ui::art::pixmap(badges[edition - 1]));
    m_badge->setToolTip(QString::fromStdString(edition_name(edition)));
}

void AccountPanel::show_period(const ServicePeriod& period)
{
    m_bar_fill->resize(period.bar_width, m_bar_fill->height());
    m_bar_fill->setVisible(period.bar_width > 0);
    round_corners(m_bar_ground);
    round_corners(m_bar_fill);
    m_days->setText(QString::fromStdString(period.caption));
    m_days->setToolTip(QString::fromStdString(period.tooltip));
    m_days->raise();
}

void AccountPanel::show_details(const QString& user_name, const QString& web_name)
{
    m_details->show();
    m_details->raise();
    m_user_label->setText(user_name);
    m_company->setText(from_utf8(company_caption(web_name.toStdString())));
    m_company->setToolTip(web_name);
}

void AccountPanel::hide_details()
{
    m_details->hide();
}

void AccountPanel::give_recommendation_pictures()
{
    static const char* const pictures[3] = {ui::art::recommend_1, ui::art::recommend_2,
                                            ui::art::recommend_3};
    for (int i = 0; i < 3; ++i)
        m_recommend_buttons[i]->setIcon(QIcon(ui::art::pixmap(pictures[i])));
}

void AccountPanel::show_recommendations(bool signed_in)
{
    if (signed_in) {
        m_recommend->setPixmap(ui::art::pixmap(ui::art::recommend_panel));
        m_recommend->show();
        m_recommend->raise();
    } else {
        m_recommend->hide();
    }
    m_signed_out_picture->setVisible(!signed_in);
}

bool AccountPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_sign_out_label) {
            Q_EMIT sign_out_requested();
            return true;
        }
        if (watched == m_company || watched->objectName() == QStringLiteral("透明标签_域名")) {
            if (m_context.session && !m_context.session->record().site_url.empty())
                ui::open_url(QString::fromStdString(m_context.session->record().site_url));
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void AccountPanel::on_remember_clicked(bool ticked)
{
    if (m_context.config)
        settings::remember_password_clicked(*m_context.config, ticked);
}

void AccountPanel::on_auto_login_clicked(bool ticked)
{
    if (m_context.config)
        settings::auto_login_clicked(*m_context.config, ticked);
    // Automatic sign-in needs the password, so it pins remember-password on.
    m_remember->setChecked(ticked);
    m_remember->setEnabled(!ticked);
}

}  // namespace account
