#include "client/web/ui/browser_document.h"

#include <QWebEnginePage>
#include <QWebEngineView>

namespace web {

const char* const kHideScrollBarsScript =
    "(function(){var s=document.createElement('style');"
    "s.textContent='html{overflow:hidden;}';"
    "(document.head||document.documentElement).appendChild(s);})();";

QWebEngineView* find_server_window(QWidget* widget)
{
    if (!widget)
        return nullptr;
    if (auto* view = qobject_cast<QWebEngineView*>(widget))
        return view;
    return widget->findChild<QWebEngineView*>();
}

QWebEnginePage* html_document_of_window(QWidget* widget)
{
    QWebEngineView* view = find_server_window(widget);
    return view ? view->page() : nullptr;
}

void hide_scroll_bars(QWebEnginePage* document)
{
    if (document)
        document->runJavaScript(QString::fromLatin1(kHideScrollBarsScript));
}

}  // namespace web
