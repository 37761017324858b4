#pragma once
// The login window `Login`: the first window of the map program. A child
// who goes on with a map chooses their name from the list, which opens that
// map; a child who starts anew presses "新しく作る...".

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class Session;

class Login : public QWidget {
    Q_OBJECT
public:
    explicit Login(Session& session);

    QComboBox* Combo1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* Picture2 = nullptr;

    // Opens the map of the name in Combo1's text (an entry was chosen).
    void Combo1_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    bool showBackground(bool failed, QString background);
    void Command1_Click();
    void Command2_Click();

    Session& session_;
    QImage background_;
};
