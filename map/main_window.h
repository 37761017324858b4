#pragma once
// The map window `Main`: the child's map, a background picture of 800 x 600
// map units with a light-bulb point button for every place the child has
// recorded. Until a background is loaded it shows its instruction picture.
// All work on points starts here with the mouse.

#include <QImage>
#include <QMainWindow>
#include <QPointF>
#include <QPointer>

class Cursor;
class DbError;
class PointButtons;
class Version;
class edit_html;
class QAction;
class QMenu;
class Session;

// The drawing surface of the map: the picture at its natural size from the
// top left corner, never stretched. One map unit is one pixel.
class MapArea : public QWidget {
    Q_OBJECT
public:
    explicit MapArea(QWidget* parent);
    void setPicture(const QImage& picture);
    // A picture file decoded only when it is first painted or asked for:
    // the map is made hidden with its instruction picture, which the chosen
    // user's background mostly replaces before it is ever shown.
    void setPictureFile(const QString& file);
    const QImage& picture() const;

signals:
    void released(Qt::MouseButton button, QPointF position, QPointF global);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    mutable QImage picture_;
    mutable QString pictureFile_;  // not decoded yet
};

class Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Main(Session& session);
    ~Main() override;

    static constexpr int mapWidth = 800;
    static constexpr int mapHeight = 600;

    MapArea* map() const { return map_; }
    PointButtons& Command1() { return *Command1_; }
    void setPicture(const QImage& picture);
    bool showsInstructionPicture() const { return showsInstruction_; }

    // Window state read by point creation and deletion.
    int selectedPoint() const { return selectedPoint_; }
    QPointF lastMapClick() const { return lastMapClick_; }
    bool movingMode() const { return movingMode_; }
    // The export and version windows while they are open.
    edit_html* htmlWindow() const;
    Version* versionWindow() const;

    // Menus, in menu-bar order; pntcrl and pntcrl2 only pop up.
    QMenu* file = nullptr;
    QAction* file_load = nullptr;
    QAction* logout = nullptr;
    QAction* file_end = nullptr;
    QMenu* pntcrl = nullptr;
    QAction* pntcrl_new = nullptr;
    QMenu* pntcrl2 = nullptr;
    QAction* move_btn = nullptr;
    QAction* pntcrl_del = nullptr;
    QMenu* edit = nullptr;
    QAction* html = nullptr;
    QAction* data_output = nullptr;
    QMenu* hlp = nullptr;
    QAction* go_help = nullptr;
    QAction* hlp_ver = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void Form_Load();
    void Form_Unload();
    void Form_MouseUp(Qt::MouseButton button, QPointF position, QPointF global);
    void Command1_MouseDown(int index, Qt::MouseButton button, QPointF inside);
    void Command1_MouseUp(int index, Qt::MouseButton button, QPointF inside, QPointF global);
    void Form_DragDrop(QPointF position);
    void Command1_DragDrop(int index, QPointF inside);
    void move_btn_Click();
    void pntcrl_new_Click();
    void pntcrl_del_Click();
    void logout_Click();
    void file_end_Click();
    void file_load_Click();
    void go_help_Click();
    void hlp_ver_Click();
    void html_Click();
    void data_output_Click();

    void openRecords(int index);
    void recordSaved();
    void reportFailedSave(Cursor* data, const DbError& error);
    void drop(int pressed, QPointF inside);
    void finishMove(float left, float top);

    Session& session_;
    MapArea* map_ = nullptr;
    PointButtons* Command1_ = nullptr;
    bool showsInstruction_ = true;

    int selectedPoint_ = 0;
    bool movingMode_ = false;
    bool dragging_ = false;
    QPointF grabOffset_;
    QPointF lastMapClick_;
    QPointer<edit_html> htmlWindow_;
    QPointer<Version> versionWindow_;
};
