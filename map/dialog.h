#pragma once
// The picture chooser `dialog`: drives, folders and the JPEG and BMP files
// of a folder, with a preview of the file clicked. "読み込み" makes the
// clicked file the picture of the record shown in the record window; the
// record refers to the file where it lies, by its full path.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

class QComboBox;
class QAbstractFileIconProvider;
class QFileSystemModel;
class QStringListModel;
class QLabel;
class QListView;
class QModelIndex;
class QPushButton;
class QTreeView;
class Session;

// One entry of the drive list: on this computer the home folder and the
// mounted volumes.
struct ChooserDrive {
    QString label;
    QString root;
};
QList<ChooserDrive> chooserDrives();
// The drive a folder lies on: the entry whose root is the longest one
// holding it (-1 when none does).
int driveOf(const QList<ChooserDrive>& drives, const QString& folder);
// The names the file list shows for a folder, in name order.
QStringList pictureFilesIn(const QString& folder);

class dialog : public QWidget {
    Q_OBJECT
public:
    explicit dialog(Session& session);
    ~dialog() override;

    // The folder the file list shows, and the names it lists.
    QString folder() const { return folder_; }
    QStringList listedFiles() const;
    // Opens a folder in the folder list, as a click on it does.
    void openFolder(const QString& path);
    // Clicks a listed file by its name.
    void clickFile(const QString& name);

    void Command1_Click();  // 読み込み
    void Command2_Click();  // キャンセル
    void Command3_Click();  // デフォルトフォルダ

    QComboBox* Drive1 = nullptr;
    QTreeView* Dir1 = nullptr;
    QListView* File1 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Drive1_Change(int index);
    void Dir1_Change(const QModelIndex& current);
    void File1_Click(const QModelIndex& index);
    QString startingFolder() const;
    void backToRecords();

    Session& session_;
    QList<ChooserDrive> drives_;
    QFileSystemModel* folders_ = nullptr;
    std::unique_ptr<QAbstractFileIconProvider> icons_;  // outlives the folder list's model
    QStringListModel* files_ = nullptr;
    QString folder_;
    bool keepStartInView_ = true;
};
