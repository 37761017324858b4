#pragma once
// The launcher `Form5`, the first window of the tools: it offers the edit,
// merge and update tools and opens the one chosen.

#include "toolswindow.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class Form5 : public ToolsWindow {
    Q_OBJECT
public:
    explicit Form5(KovrApp& app);

    // 1 = edit tool, 2 = merge tool, 3 = update tool.
    int toolChoice() const { return toolChoice_; }

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Picture1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option5 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* Command1 = nullptr;

    void Command1_Click();

private:
    void Form_Load();
    void Option1_Click();
    void Option3_Click();
    void Option5_Click();

    int toolChoice_ = 1;
};
