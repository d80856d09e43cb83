#pragma once
// Drives a page shown in an embedded browser from the client's side: finds
// inputs and images by name, id, title or position and fills or clicks them.
// Every lookup walks the page's body afresh; results arrive through a
// callback once the page has answered (never before the call returns).

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWebEnginePage;
class QWidget;

namespace workspaces {

// The element a finder chose.
struct ElementInfo {
    bool found = false;
    // Position of the element counted over the listed types; -1 when none.
    int count = -1;
    QString tag, type, name, id, title, src, value;
};

class BrowserDocumentHelper final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrowserDocumentHelper)
public:
    using FoundCallback = std::function<void(const ElementInfo&)>;
    using DoneCallback = std::function<void(bool)>;

    explicit BrowserDocumentHelper(QObject* parent = nullptr);

    // The document of the browser pane `window` (or of a pane below it);
    // true when there is one. A null or destroyed window gives false.
    bool attach(QWidget* window);
    void release();
    bool attached() const { return !m_document.isNull(); }

    // The page of the pane `window` or of the first pane below it; null when
    // there is none.
    static QWebEnginePage* document_of_window(QWidget* window);

    // Inputs whose type occurs in `types` ("text|password|file"), matched by
    // name, id or title against `identifier`; a numeric identifier also picks
    // the element at that position among the listed types. `index` skips
    // that many equal matches. When `types` mentions "button" the body's
    // button elements follow the inputs.
    void find_input_by_types(const QString& types, const QString& identifier, int index,
                             FoundCallback found);
    // As find_input_by_types, and an element whose src contains `identifier`
    // matches too; when `types` mentions "image" every img element of the
    // body follows the inputs.
    void find_image_element(const QString& types, const QString& identifier, int index,
                            FoundCallback found);

    void find_text_input(const QString& identifier, int index, FoundCallback found);
    // True when the chosen element's value could be assigned.
    void set_text_input_value(const QString& identifier, const QString& value, int index,
                              DoneCallback done);
    // True when an element was found (and clicked).
    void click_image(const QString& identifier, int index, DoneCallback done);

private:
    enum class Action { Find, SetValue, Click };
    void run(Action action, bool images, const QString& types, const QString& identifier, int index,
             const QString& value, std::function<void(const ElementInfo&, bool)> finished);

    QPointer<QWidget> m_window;
    QPointer<QWebEnginePage> m_document;
};

}  // namespace workspaces
