#include "client/shell/application.h"

#include "client/shell/main_window.h"
#include "client/web/ui/cookie_mirror.h"

#include "platform/platform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>
#include <QWebEngineProfile>

namespace shell {

Folders folders_from_arguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption run_dir(QStringLiteral("run-dir"),
                                     QStringLiteral("Folder of config.ini and the skins."),
                                     QStringLiteral("folder"));
    const QCommandLineOption config_dir(QStringLiteral("config-dir"),
                                        QStringLiteral("Per-user settings folder."),
                                        QStringLiteral("folder"));
    parser.addOption(run_dir);
    parser.addOption(config_dir);
    // Options meant for Qt or the browser engine are not ours to refuse.
    parser.parse(arguments);

    Folders folders;
    folders.run_dir = parser.isSet(run_dir) ? QDir(parser.value(run_dir)).absolutePath()
                                            : QString::fromStdString(platform::executable_dir());
    folders.config_dir = parser.isSet(config_dir)
                             ? QDir(parser.value(config_dir)).absolutePath()
                             : QString::fromStdString(platform::user_config_dir());
    return folders;
}

Application::Application(const Folders& folders)
    : m_state(folders.run_dir, folders.config_dir,
              web::load_endpoints(folders.run_dir.toStdString())),
      m_window(std::make_unique<MainWindow>(m_state.context()))
{
    // The embedded browsers share the cookies of the client's requests.
    new web::CookieMirror(QWebEngineProfile::defaultProfile(), m_window.get());
}

Application::~Application() = default;

int Application::exec()
{
    QObject::connect(m_window.get(), &MainWindow::started, m_window.get(), [this] {
        m_window->show();
        m_window->start_timers();
    });
    // Queued: an exit asked for during start-up must reach a running loop.
    QObject::connect(m_window.get(), &MainWindow::exit_requested, qApp,
                     [](int code) { QCoreApplication::exit(code); }, Qt::QueuedConnection);
    QTimer::singleShot(0, m_window.get(), &MainWindow::start);
    return QApplication::exec();
}

}  // namespace shell
