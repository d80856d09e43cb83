#include "client/workspaces/ui/hosted_browser.h"

#include "client/ui/artwork.h"

#include <QLabel>
#include <QMovie>
#include <QStackedWidget>
#include <QWebEngineView>

namespace workspaces {

QWebEngineView* make_hosted_browser(QWidget* parent, const QString& name)
{
    auto* view = new QWebEngineView(parent);
    view->setObjectName(name);
    view->setContextMenuPolicy(Qt::NoContextMenu);
    return view;
}

QWebEngineView* make_html_viewer(QWidget* parent, const QString& name)
{
    auto* view = new QWebEngineView(parent);
    view->setObjectName(name);
    return view;
}

QLabel* make_loading_picture(QWidget* parent, const QString& name, int x, int y)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setGeometry(x, y, 100, 100);
    picture->setAlignment(Qt::AlignCenter);
    picture->setAttribute(Qt::WA_TranslucentBackground);
    auto* movie = new QMovie(QString::fromLatin1(ui::art::loading), QByteArray(), picture);
    picture->setMovie(movie);
    picture->hide();
    return picture;
}

void show_loading_picture(QLabel* picture)
{
    if (QMovie* movie = picture->movie())
        movie->start();
    picture->show();
    picture->raise();
}

void hide_loading_picture(QLabel* picture)
{
    if (QMovie* movie = picture->movie())
        movie->stop();
    picture->hide();
}

QLabel* make_caption(QWidget* parent, const QString& name, const QString& text)
{
    auto* caption = new QLabel(text, parent);
    caption->setObjectName(name);
    caption->setAttribute(Qt::WA_TranslucentBackground);
    return caption;
}

bool is_shown_page(const QWidget* page)
{
    const auto* stack = page ? qobject_cast<const QStackedWidget*>(page->parentWidget()) : nullptr;
    return stack && stack->currentWidget() == page;
}

}  // namespace workspaces
