#pragma once
// The start-up of the client, in its fixed order: status and update checks,
// the single-instance guard, the machine check of config.ini, the sign-in
// form, automatic sign-in, the stored skin and the pictures and layout.
// Steps that wait (the news pane, the sign-in) continue when they are done.

#include <QObject>

namespace shell {

class MainWindow;

class Startup final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Startup)
public:
    explicit Startup(MainWindow& window);

    void run();

private:
    bool guard_single_instance();
    void check_machine_and_restore_form();
    void restore_automatic_sign_in();
    void finish();
    void apply_stored_skin();

    MainWindow& m_window;
    QString m_skin_name;
};

}  // namespace shell
