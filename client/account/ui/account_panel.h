#pragma once
// The account panel 外形框1 on page 0: the sign-in form 外形框2 while
// signed out, the account details 外形框_用户信息 once signed in.

#include <QFrame>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ui { struct AppContext; }

namespace account {

class AccountPanel final : public QFrame {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AccountPanel)
public:
    explicit AccountPanel(ui::AppContext& context, QWidget* parent = nullptr);

    QFrame* sign_in_form() const { return m_form; }
    QFrame* details() const { return m_details; }
    QLineEdit* user_name_edit() const { return m_user_name; }
    QLineEdit* password_edit() const { return m_password; }
    QCheckBox* remember_box() const { return m_remember; }
    QCheckBox* auto_login_box() const { return m_auto_login; }

private:
    void on_remember_clicked(bool ticked);
    void on_auto_login_clicked(bool ticked);

    ui::AppContext& m_context;
    QFrame* m_form = nullptr;
    QLineEdit* m_user_name = nullptr;
    QLineEdit* m_password = nullptr;
    QCheckBox* m_remember = nullptr;
    QCheckBox* m_auto_login = nullptr;
    QPushButton* m_sign_in = nullptr;
    QPushButton* m_register = nullptr;
    QFrame* m_details = nullptr;
    QPushButton* m_sign_out = nullptr;
};

}  // namespace account
