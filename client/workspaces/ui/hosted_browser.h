#pragma once
// The embedded browsers and viewers of the workspace pages, and their
// loading look.

#include <QString>

class QLabel;
class QWebEngineView;
class QWidget;

namespace workspaces {

// A browser hosting the service's pages: no context menu on right-click.
QWebEngineView* make_hosted_browser(QWidget* parent, const QString& name);
// An HTML viewer pane: keeps the engine's own context menu.
QWebEngineView* make_html_viewer(QWidget* parent, const QString& name);

// The 100 × 100 animated loading picture, hidden until shown.
QLabel* make_loading_picture(QWidget* parent, const QString& name, int x, int y);
void show_loading_picture(QLabel* picture);
void hide_loading_picture(QLabel* picture);

// A transparent caption, "载入中..." on the loading look.
QLabel* make_caption(QWidget* parent, const QString& name, const QString& text);

// Whether `page` is the page its tab control shows.
bool is_shown_page(const QWidget* page);

}  // namespace workspaces
