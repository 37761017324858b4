#pragma once
// The update tool `Form10`: converts this computer's wandelo.mdb once to
// the layout of version 2.X (positions scaled by 1.25, a marker row).

#include "toolswindow.h"

class QLabel;
class QPushButton;

class Form10 : public ToolsWindow {
    Q_OBJECT
public:
    explicit Form10(KovrApp& app);

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
};
