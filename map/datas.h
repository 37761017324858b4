#pragma once
// The record window `Datas`: one find record at a time, and the holder of
// the session's table cursor on `data`, through which every window of the
// map program reads and writes that table.

#include "datacontrol.h"

#include <QWidget>
#include <memory>

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
    ~Datas() override;

    // False when wandelo.mdb could not be opened (already reported).
    bool isOpen() const { return Data1 != nullptr; }
    // The session's data cursor; throws DbError when it could not be opened.
    Cursor& recordset();
    DataControl& data();

    // Shows the picture a stored name names in Image1; false when it
    // cannot be loaded (Image1 then shows nothing).
    bool showPicture(const QString& stored);
    // Writes `photo` of the current record together with the texts of the
    // bound fields; throws DbError and leaves the record as it was.
    void storePhoto(const QString& photo);
    // The same for a file chosen in a file dialog, stored in its Windows
    // form when it lies in the installation folder; a name `photo` cannot
    // hold throws the column check's DbError and nothing is written.
    void storeChosenPhoto(const QString& chosen);
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
    void openCursor();

    Session& session_;
    std::unique_ptr<Database> database_;
    DataControl* Data1 = nullptr;
};
