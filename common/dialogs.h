#pragma once
// Every message, input, file and printer dialog of both programs goes
// through this interface: the desktop shows Qt's dialogs, the tests answer
// from a script and check what was asked.

#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

// One choice of a file dialog's type list: what it says and the name
// patterns it lists (letter case is ignored, as on Windows).
struct FileFilter {
    QString label;
    QStringList patterns;
};

class Dialogs {
public:
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    // An empty title means the program's own title.
    virtual Answer message(QWidget* parent, const QString& text, Buttons buttons = Buttons::Ok,
                           Icon icon = Icon::None, const QString& title = QString()) = 0;
    // The typed text, or nothing on Cancel.
    virtual std::optional<QString> input(QWidget* parent, const QString& prompt,
                                         const QString& title = QString(),
                                         const QString& proposed = QString()) = 0;
    // The full path of the chosen file, or nothing on Cancel.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& folder,
                                            const QList<FileFilter>& filters) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& folder,
                                            const QString& proposedName,
                                            const QList<FileFilter>& filters,
                                            const QString& defaultSuffix) = 0;

    // The printer dialog on `printer`; false when it was cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Opens a help file (a compiled help collection) at its topics window,
    // or at the topic of a keyword when one is given. Never blocks.
    virtual void showHelp(QWidget* parent, const QString& helpFile, const QString& keyword = QString()) = 0;

    const QString& programTitle() const { return programTitle_; }
    void setProgramTitle(const QString& title) { programTitle_ = title; }

protected:
    QString titleOr(const QString& title) const { return title.isEmpty() ? programTitle_ : title; }

private:
    QString programTitle_;
};

// The filter of the picture file dialogs of the map program.
QList<FileFilter> pictureFileFilters();

// Qt's dialogs.
class DesktopDialogs : public Dialogs {
public:
    explicit DesktopDialogs(const QString& programTitle) { setProgramTitle(programTitle); }
    Answer message(QWidget* parent, const QString& text, Buttons buttons, Icon icon,
                   const QString& title) override;
    std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                 const QString& proposed) override;
    std::optional<QString> openFile(QWidget* parent, const QString& folder,
                                    const QList<FileFilter>& filters) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& folder,
                                    const QString& proposedName, const QList<FileFilter>& filters,
                                    const QString& defaultSuffix) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    void showHelp(QWidget* parent, const QString& helpFile, const QString& keyword) override;
};
