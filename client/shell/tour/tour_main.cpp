// varnel-tour: the client driven through its pages for the demo's pictures.
//   varnel-tour --run-dir D --config-dir C --out DIR [--user U --password P]
#include "client/shell/application.h"
#include "client/shell/main_window.h"
#include "client/shell/tour/tour.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varnel"));
    shell::apply_theme();

    QCommandLineParser parser;
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Folder for the pictures."),
                                 QStringLiteral("folder"), QStringLiteral("."));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("User name."),
                                  QStringLiteral("name"), QStringLiteral("qinghe"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("Password."),
                                      QStringLiteral("text"), QStringLiteral("demo2024"));
    parser.addOptions({out, user, password});
    parser.parse(QApplication::arguments());

    shell::Application client(shell::folders_from_arguments(QApplication::arguments()));
    shell::Tour tour(client, parser.value(out), parser.value(user), parser.value(password));
    QObject::connect(&client.window(), &shell::MainWindow::started, &tour, &shell::Tour::begin,
                     Qt::QueuedConnection);
    return client.exec();
}
