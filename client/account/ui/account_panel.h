#pragma once
// The account panel 外形框1 on page 0: the sign-in form 外形框2 while
// signed out, the account details 外形框_用户信息 once signed in, the
// recommendation panel 图片框4 (signed in) or the picture 图片框6 (signed
// out), and the news pane 超文本浏览框1 below them. The panel only shows;
// the session's steps are the SessionController's, which the panel owns.

#include <QFrame>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace ui { struct AppContext; }

namespace account {

class NewsPane;
class SessionController;
struct ServicePeriod;

class AccountPanel final : public QFrame {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AccountPanel)
public:
    explicit AccountPanel(ui::AppContext& context, QWidget* parent = nullptr);

    SessionController* controller() const { return m_controller; }
    NewsPane* news() const { return m_news; }
    QFrame* sign_in_form() const { return m_form; }
    QFrame* details() const { return m_details; }
    QLineEdit* user_name_edit() const { return m_user_name; }
    QLineEdit* password_edit() const { return m_password; }
    QCheckBox* remember_box() const { return m_remember; }
    QCheckBox* auto_login_box() const { return m_auto_login; }

    // The edition badge and its tooltip (1..3); anything else leaves both.
    void show_edition(int edition);
    // 标签5 over 标签3, 透明标签6 and its tooltip, rounded corners.
    void show_period(const ServicePeriod& period);
    // 外形框_用户信息 with the user name and the (cut) company name.
    void show_details(const QString& user_name, const QString& web_name);
    void hide_details();
    // The three recommendation buttons' pictures.
    void give_recommendation_pictures();
    // 图片框4 with its picture shown and 图片框6 hidden, or the other way round.
    void show_recommendations(bool signed_in);

Q_SIGNALS:
    void sign_in_requested();
    void sign_out_requested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_form();
    void build_details();
    void build_recommendations();
    void on_remember_clicked(bool ticked);
    void on_auto_login_clicked(bool ticked);

    ui::AppContext& m_context;
    SessionController* m_controller = nullptr;
    QFrame* m_form = nullptr;
    QLineEdit* m_user_name = nullptr;
    QLineEdit* m_password = nullptr;
    QCheckBox* m_remember = nullptr;
    QCheckBox* m_auto_login = nullptr;
    QPushButton* m_sign_in = nullptr;
    QPushButton* m_register = nullptr;
    QFrame* m_details = nullptr;
    QLabel* m_badge = nullptr;
    QLabel* m_user_label = nullptr;
    QLabel* m_company = nullptr;
    QLabel* m_bar_ground = nullptr;
    QLabel* m_bar_fill = nullptr;
    QLabel* m_days = nullptr;
    QPushButton* m_sign_out = nullptr;
    QLabel* m_sign_out_label = nullptr;
    QMenu* m_user_menu = nullptr;
    QLabel* m_recommend = nullptr;
    QToolButton* m_recommend_buttons[3] = {};
    QLabel* m_signed_out_picture = nullptr;
    NewsPane* m_news = nullptr;
};

}  // namespace account
