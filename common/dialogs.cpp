#include "dialogs.h"

#include "helpwindow.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

// "*.jpg" becomes "*.[jJ][pP][gG]": Qt's name filters follow the file
// system's letter case, and a child's camera writes "IMG_0001.JPG".
QString anyCase(const QString& pattern)
{
    QString result;
    for (const QChar c : pattern) {
        if (c.isLetter())
            result += u'[' + c.toLower() + c.toUpper() + u']';
        else
            result += c;
    }
    return result;
}

QString qtFilterList(const QList<FileFilter>& filters)
{
    QStringList entries;
    for (const FileFilter& filter : filters) {
        QStringList patterns;
        for (const QString& p : filter.patterns)
            patterns << (p == QStringLiteral("*") || p == QStringLiteral("*.*") ? QStringLiteral("*")
                                                                               : anyCase(p));
        entries << filter.label + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<QString> runFileDialog(QFileDialog& dialog)
{
    // Qt's own dialog, so that the type list shows the captions as given.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QList<FileFilter> pictureFileFilters()
{
    return {{QStringLiteral("写真・ピクチャ(*.JPG;*.BMP)"), {QStringLiteral("*.jpg"), QStringLiteral("*.bmp")}},
            {QStringLiteral("すべて"), {QStringLiteral("*")}}};
}

Dialogs::Answer DesktopDialogs::message(QWidget* parent, const QString& text, Buttons buttons,
                                        Icon icon, const QString& title)
{
    QMessageBox box(parent);
    box.setWindowTitle(titleOr(title));
    // Texts carry stored names and paths: "<h1>" in a child's photo name is
    // characters, never markup or a picture of this computer.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return Answer::Ok;
    case Buttons::OkCancel: {
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        box.exec();
        return box.clickedButton() == ok ? Answer::Ok : Answer::Cancel;
    }
    case Buttons::YesNo: {
        QPushButton* yes = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
    }
    return Answer::Ok;
}

std::optional<QString> DesktopDialogs::input(QWidget* parent, const QString& prompt,
                                             const QString& title, const QString& proposed)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(titleOr(title));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    dialog.setTextValue(proposed);
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);  // as in the message boxes
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> DesktopDialogs::openFile(QWidget* parent, const QString& folder,
                                                const QList<FileFilter>& filters)
{
    QFileDialog dialog(parent, QStringLiteral("開く"), folder, qtFilterList(filters));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog);
}

std::optional<QString> DesktopDialogs::saveFile(QWidget* parent, const QString& folder,
                                                const QString& proposedName,
                                                const QList<FileFilter>& filters,
                                                const QString& defaultSuffix)
{
    QFileDialog dialog(parent, QStringLiteral("名前を付けて保存"), folder, qtFilterList(filters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The callers refuse an existing name with their own message; asking
    // here whether to replace it would only contradict them.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedName);
    return runFileDialog(dialog);
}

bool DesktopDialogs::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void DesktopDialogs::showHelp(QWidget* parent, const QString& helpFile, const QString& keyword)
{
    // The help window is a window of its own: the program stays usable.
    QString error;
    if (!HelpWindow::open(helpFile, keyword, &error))
        message(parent, error, Buttons::Ok, Icon::Exclamation, QString());
}
