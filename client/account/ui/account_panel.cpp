#include "client/account/ui/account_panel.h"

#include "client/settings/credentials.h"
#include "client/ui/app_context.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

}  // namespace

AccountPanel::AccountPanel(ui::AppContext& context, QWidget* parent)
    : QFrame(parent), m_context(context)
{
    setObjectName(QStringLiteral("外形框1"));
    resize(251, 465);

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

    m_details = add_frame(this, "外形框_用户信息", {0, 1, 254, 161});
    m_sign_out = new QPushButton(m_details);
    m_sign_out->setObjectName(QStringLiteral("按钮_注销"));
    m_sign_out->setGeometry(231, -1, 20, 20);
    m_details->hide();

    // clicked, not toggled: only the user's own clicks write config.ini;
    // the start-up restore ticks the boxes without writing.
    connect(m_remember, &QCheckBox::clicked, this, &AccountPanel::on_remember_clicked);
    connect(m_auto_login, &QCheckBox::clicked, this, &AccountPanel::on_auto_login_clicked);
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
