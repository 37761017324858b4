#include "dialog.h"

#include "datas.h"
#include "dberror.h"
#include "dialogs.h"
#include "fonts.h"
#include "mapdata.h"
#include "place.h"
#include "pictures.h"
#include "session.h"
#include "showmodal.h"
#include "tables.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStorageInfo>
#include <QStringListModel>
#include <QStyle>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

namespace {

// Icons by kind alone. The toolkit's own provider reads the first bytes of
// every file to find its type, and a special file blocks that read for
// ever (/proc/kmsg, a named pipe): the chooser would hang.
class KindIcons : public QAbstractFileIconProvider {
public:
    KindIcons()
        : folder_(QApplication::style()->standardIcon(QStyle::SP_DirIcon)),
          file_(QApplication::style()->standardIcon(QStyle::SP_FileIcon))
    {
    }
    QIcon icon(IconType type) const override { return type == Folder ? folder_ : file_; }
    QIcon icon(const QFileInfo& info) const override { return info.isDir() ? folder_ : file_; }
    QString type(const QFileInfo& info) const override
    {
        return info.isDir() ? QStringLiteral("Folder") : QStringLiteral("File");
    }

private:
    // Made once, here on the window's thread: the folder list asks for
    // icons from its reading thread.
    QIcon folder_;
    QIcon file_;
};

bool holds(const QString& root, const QString& folder)
{
    if (root == QStringLiteral("/"))
        return folder.startsWith(u'/');
    return folder == root || folder.startsWith(root + u'/');
}

}  // namespace

QList<ChooserDrive> chooserDrives()
{
    QList<ChooserDrive> drives;
    const QString home = QDir::homePath();
    drives.append({QStringLiteral("ホーム (%1)").arg(home), home});
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        if (root == home)
            continue;
        const QString name = volume.name();
        drives.append({name.isEmpty() ? root : QStringLiteral("%1 (%2)").arg(name, root), root});
    }
    return drives;
}

int driveOf(const QList<ChooserDrive>& drives, const QString& folder)
{
    int best = -1;
    for (int i = 0; i < drives.size(); ++i) {
        if (holds(drives[i].root, folder) && (best < 0 || drives[i].root.size() > drives[best].root.size()))
            best = i;
    }
    return best;
}

dialog::dialog(Session& session) : QWidget(nullptr), session_(session)
{
    setWindowTitle(QStringLiteral("開く"));
    setFixedSize(465, 192);
    setFont(fonts::standard());

    Drive1 = place(new QComboBox(this), 8, 8, 121, 20);
    Dir1 = place(new QTreeView(this), 8, 32, 121, 118);
    File1 = place(new QListView(this), 136, 6, 137, 174);
    Image1 = place(new QLabel(this), 288, 16, 160, 120);
    Image1->setFrameShape(QFrame::Box);
    Image1->setScaledContents(true);
    Command1 = place(new QPushButton(QStringLiteral("読み込み"), this), 288, 144, 73, 33);
    Command1->setEnabled(false);
    Command2 = place(new QPushButton(QStringLiteral("キャンセル"), this), 376, 144, 73, 33);
    Command3 = place(new QPushButton(QStringLiteral("デフォルトフォルダ"), this), 8, 160, 121, 17);

    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);

    icons_ = std::make_unique<KindIcons>();
    folders_ = new QFileSystemModel(this);
    folders_->setIconProvider(icons_.get());
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    Dir1->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column)
        Dir1->hideColumn(column);
    Dir1->setHeaderHidden(true);
    // A narrow list: a small indent leaves room for the names.
    Dir1->setIndentation(10);

    files_ = new QStringListModel(this);
    File1->setModel(files_);
    File1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    drives_ = chooserDrives();
    for (const ChooserDrive& drive : drives_)
        Drive1->addItem(drive.label);

    // The three lists start on the chooser folder.
    const QString start = startingFolder();
    const int drive = std::max(0, driveOf(drives_, start));
    Drive1->setCurrentIndex(drive);
    folders_->setRootPath(drives_[drive].root);
    Dir1->setRootIndex(folders_->index(drives_[drive].root));
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { Dir1_Change(current); });
    connect(Drive1, &QComboBox::activated, this, &dialog::Drive1_Change);
    connect(File1, &QListView::clicked, this, &dialog::File1_Click);
    connect(Command1, &QPushButton::clicked, this, &dialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &dialog::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &dialog::Command3_Click);
    // The folder list fills in and sorts itself as the folders are read;
    // the opening folder is kept in view until the child takes the list in
    // hand.
    const auto keepInView = [this] {
        if (keepStartInView_)
            QTimer::singleShot(0, this, [this] {
                if (keepStartInView_ && Dir1->currentIndex().isValid())
                    Dir1->scrollTo(Dir1->currentIndex(), QAbstractItemView::PositionAtCenter);
            });
    };
    connect(folders_, &QFileSystemModel::directoryLoaded, this, keepInView);
    connect(folders_, &QFileSystemModel::rowsInserted, this, keepInView);
    connect(folders_, &QFileSystemModel::layoutChanged, this, keepInView);
    const auto takenInHand = [this] { keepStartInView_ = false; };
    connect(Dir1, &QTreeView::pressed, this, takenInHand);
    connect(Dir1->verticalScrollBar(), &QScrollBar::actionTriggered, this, takenInHand);
    connect(Drive1, &QComboBox::activated, this, takenInHand);
    openFolder(start);
}

dialog::~dialog()
{
    // The folder list's model asks the icon provider until it is gone.
    delete folders_;
}

// The chooser folder as a folder of this computer; one that is gone (or
// names another computer's drive) gives the photo folder, and without that
// the home folder.
QString dialog::startingFolder() const
{
    for (const QString& candidate : {session_.installation().resolve(session_.chooserFolder),
                                     session_.installation().photoFolder(), QDir::homePath()}) {
        if (!candidate.isEmpty() && QDir(candidate).exists())
            return QDir::cleanPath(QDir(candidate).absolutePath());
    }
    return QDir::rootPath();
}

void dialog::openFolder(const QString& path)
{
    const QModelIndex index = folders_->index(path);
    if (!index.isValid())
        return;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        Dir1->expand(up);
    Dir1->setCurrentIndex(index);  // Dir1_Change follows
    Dir1->scrollTo(index);
}

QStringList dialog::listedFiles() const
{
    return files_->stringList();
}

void dialog::clickFile(const QString& name)
{
    File1_Click(files_->index(int(files_->stringList().indexOf(name))));
}

// The picture files of a folder: ordinary files whose names end in .jpg or
// .bmp, letter case ignored as on Windows (a camera writes "IMG_0001.JPG").
// Folders and special files (pipes, devices) are never listed, and only
// names are read, never contents.
QStringList pictureFilesIn(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    return QDir(folder).entryList({QStringLiteral("*.jpg"), QStringLiteral("*.bmp")}, QDir::Files,
                                  QDir::Name | QDir::IgnoreCase);
}

void dialog::Drive1_Change(int index)
{
    if (index < 0 || index >= drives_.size())
        return;
    const QString root = drives_[index].root;
    folders_->setRootPath(root);
    Dir1->setRootIndex(folders_->index(root));
    Dir1->setCurrentIndex(QModelIndex());
    folder_.clear();
    // The folder list switches to the drive's top folder; its files follow.
    const QModelIndex top = folders_->index(root);
    Dir1_Change(top);
}

void dialog::Dir1_Change(const QModelIndex& current)
{
    if (!current.isValid())
        return;
    folder_ = folders_->filePath(current);
    files_->setStringList(pictureFilesIn(folder_));
}

void dialog::File1_Click(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const QString file = QDir(folder_).filePath(index.data().toString());
    session_.chooserFolder = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
    session_.chosenPicturePath = QDir::toNativeSeparators(file);
    // Only a file that shows as a picture can be taken.
    const std::optional<QImage> picture = loadPicture(file);
    if (picture)
        Image1->setPixmap(QPixmap::fromImage(*picture));
    else
        Image1->clear();
    Command1->setEnabled(picture.has_value());
}

void dialog::Command1_Click()
{
    const QString chosen = session_.chosenPicturePath;
    if (!Command1->isEnabled() || chosen.isEmpty())
        return;
    try {
        session_.mapData().storeChosenPhoto(chosen);
    } catch (const DbError& e) {
        // The chooser stays open and the record as it was.
        session_.dialogs().message(this, e.text());
        return;
    }
    session_.datas().showPicture(chosen);
    backToRecords();
}

void dialog::Command2_Click()
{
    backToRecords();
}

void dialog::Command3_Click()
{
    session_.chooserFolder = tables::photoFolderAbsolute;
    // Starts over on the photo folder, with an empty preview and nothing
    // chosen; the record window stays hidden meanwhile. It stays modal, so
    // no other record can be opened under it and take the picture.
    session_.destroyChooser();
    showModal(session_.chooser());
}

void dialog::backToRecords()
{
    Datas& records = session_.datas();
    session_.destroyChooser();
    showModal(records);
}

// The close box leaves the chooser as "キャンセル" does.
void dialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Command2_Click();
}
