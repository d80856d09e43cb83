#pragma once
// Base of the nine pages of the page area. The shell runs the common steps
// of a page switch (guard, skin refresh, highlight, buttons disabled), then
// the page's own work, and re-enables the buttons when the work calls done.

#include <QWidget>

#include <functional>

namespace ui {

class FeaturePage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // The page's own work after the switch; call `done` once it is over
    // (possibly later, from the event loop). Default: nothing to do.
    virtual void run_page_work(std::function<void()> done) { done(); }
    // Pages that select themselves at a point of their own work.
    virtual bool selects_itself() const { return false; }

Q_SIGNALS:
    // Ask the page area to show this page.
    void select_requested();
    // Ask the shell to re-apply every skinned picture.
    void skin_refresh_requested();
};

}  // namespace ui
