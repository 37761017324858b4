#pragma once
// The record window `Datas`: one find record at a time. Its fields are
// bound to the session's cursor on `data`, which the session's MapData
// owns; creating the window opens that cursor, and the session closes it
// where it destroys the window. Every window of the map program reads and
// writes `data` through the session, and they pass the current record to
// one another by leaving the cursor on it.

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Session;

class Datas : public QWidget {
    Q_OBJECT
public:
    explicit Datas(Session& session);

    // Shows the picture a stored name names in Image1; false when it
    // cannot be loaded (Image1 then shows nothing).
    bool showPicture(const QString& stored);
    void clearPicture();
    // Shown again as an ordinary window, as the paint window leaves it.
    void showModeless();

    void Command3_Click();  // OK
    void Command4_Click();  // >>
    void Command5_Click();  // <<
    void Command1_Click();  // 画像読み込み
    void Command2_Click();  // お絵かき
    void Command6_Click();  // データの印刷...

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text3 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QPlainTextEdit* Text4 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command4 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command6 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Combo1_Click(int index);
    void Combo2_Click(int index);
    void showRecordPicture();
    void bindFields();

    Session& session_;
};
