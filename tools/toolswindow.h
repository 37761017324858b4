#pragma once
// What every tools window carries: the menus "ファイル" with "KOVRの終了"
// and "ヘルプ" with "トピックの検索", and the close box that ends the
// program (otherwise it would go on with no window at all).

#include <QMainWindow>
#include <functional>

class KovrApp;
class QAction;
class QMenu;

struct CommonMenus {
    QMenu* file = nullptr;
    QAction* end = nullptr;
    QMenu* help = nullptr;
    QAction* topic = nullptr;
};

// Adds the common menus to `window`; `keyword` gives the help keyword of
// the window at the moment of the request (empty: the topics window).
CommonMenus addCommonMenus(QMainWindow& window, KovrApp& app, std::function<QString()> keyword);

// A tools window with a fixed client area drawn at the system's pixel
// positions.
class ToolsWindow : public QMainWindow {
    Q_OBJECT
public:
    ToolsWindow(KovrApp& app, const QString& caption, int width, int height,
                std::function<QString()> keyword);
    CommonMenus menus;

protected:
    void closeEvent(QCloseEvent* event) override;
    QWidget* client() const { return client_; }
    KovrApp& app_;

private:
    QWidget* client_ = nullptr;
};

// Places a control of a fixed window.
template <class W>
W* place(W* widget, int left, int top, int width, int height)
{
    widget->setGeometry(left, top, width, height);
    return widget;
}
