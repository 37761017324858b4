#pragma once
// The map window `Main`: the child's map, a background picture of 800 x 600
// map units with a light-bulb point button for every place the child has
// recorded. Until a background is loaded it shows its instruction picture.

#include <QImage>
#include <QMainWindow>

class PointButtons;
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
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
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

    // Menus, in menu-bar order.
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
    void logout_Click();
    void file_end_Click();

    Session& session_;
    MapArea* map_ = nullptr;
    PointButtons* Command1_ = nullptr;
    bool showsInstruction_ = true;
    bool movingMode_ = false;
};
