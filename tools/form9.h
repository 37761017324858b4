#pragma once
// The edit tool's start `Form9`: chooses which table to edit.

#include "toolswindow.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class Form9 : public ToolsWindow {
    Q_OBJECT
public:
    explicit Form9(KovrApp& app);

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QLabel* Label2 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void Command1_Click();
    void Command2_Click();
};
