// varnel: the desktop client.
#include "client/shell/application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The embedded browsers share one graphics context with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varnel"));
    shell::apply_theme();
    shell::Application client(shell::folders_from_arguments(QApplication::arguments()));
    return client.exec();
}
