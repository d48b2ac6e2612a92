#include "app/AssetsWindow.h"

#include "app/Guarded.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "model/AssetName.h"
#include "platform/Dialogs.h"

#include <QAudioOutput>
#include <QDir>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMediaPlayer>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int kThumbnail = 64;
// A folder with many files is listed up to this many, so a project kept in the home folder
// does not stall the editor.
constexpr int kMostListed = 500;

QString projectFolder() {
    return Form1->projectFile.isEmpty() ? QString() : QFileInfo(Form1->projectFile).absolutePath();
}

bool isAsset(const QString& file) {
    return hakoniwa::isAssetFileName(QFileInfo(file).fileName().toStdString());
}

QIcon thumbnailOf(const QString& file, const QStyle* style) {
    if (hakoniwa::isSoundFileName(file.toStdString()))
        return style->standardIcon(QStyle::SP_MediaVolume);
    QPixmap picture(file);
    if (picture.isNull())
        return style->standardIcon(QStyle::SP_FileIcon);
    QPixmap square(kThumbnail, kThumbnail);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    const QPixmap scaled = picture.width() > kThumbnail || picture.height() > kThumbnail
                               ? picture.scaled(kThumbnail, kThumbnail, Qt::KeepAspectRatio)
                               : picture;
    painter.drawPixmap((kThumbnail - scaled.width()) / 2, (kThumbnail - scaled.height()) / 2,
                       scaled);
    return QIcon(square);
}

// A name not yet taken in the folder: the file's own, else with "-2", "-3", … before the
// extension.
QString freeNameIn(const QDir& folder, const QFileInfo& source) {
    QString name = source.fileName();
    for (int n = 2; QFileInfo::exists(folder.filePath(name)); ++n)
        name = source.completeBaseName() + QStringLiteral("-%1").arg(n) +
               (source.suffix().isEmpty() ? QString() : QLatin1Char('.') + source.suffix());
    return name;
}

// The project's folder, saving a never-saved project first; empty when the user declined.
QString folderToCopyInto(QWidget* parent) {
    if (!Form1->projectFile.isEmpty())
        return projectFolder();
    const int answer = hakoniwa::Dialogs::current().choose(
        parent,
        QStringLiteral(
            "素材はプロジェクトのフォルダに入れます。先にプロジェクトを保存してください。"),
        {QStringLiteral("保存する"), QStringLiteral("キャンセル")});
    if (answer != 0)
        return QString();
    Form1->saveClick();
    return projectFolder();
}

// Items dragged out of the list carry their files as URLs, as files from the desktop do, so a
// file argument cell takes both alike.
class AssetList : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QListWidgetItem* item : items)
            urls << QUrl::fromLocalFile(item->data(Qt::UserRole).toString());
        data->setUrls(urls);
        return data;
    }
    QStringList mimeTypes() const override { return {QStringLiteral("text/uri-list")}; }
};

} // namespace

AssetsWindow::AssetsWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("素材"));
    setAcceptDrops(true);
    list_ = new AssetList(this);
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(kThumbnail, kThumbnail));
    list_->setGridSize(QSize(kThumbnail + 40, kThumbnail + 36));
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setDragEnabled(true);
    list_->setDragDropMode(QAbstractItemView::DragOnly);
    auto* add = new QPushButton(QStringLiteral("追加…"), this);
    auto* reload = new QPushButton(QStringLiteral("更新"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(reload);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(list_);
    resize(420, 320);

    connect(add, &QPushButton::clicked, this, [this] { reported([&] { addClick(); }); });
    connect(reload, &QPushButton::clicked, this, [this] { reported([&] { refresh(); }); });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        reported([&] { playSound(item->data(Qt::UserRole).toString()); });
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        reported([&] { useAsset(item->data(Qt::UserRole).toString()); });
    });
}

void AssetsWindow::refresh() {
    list_->clear();
    const QString folder = projectFolder();
    if (folder.isEmpty()) {
        auto* hint =
            new QListWidgetItem(QStringLiteral("保存したプロジェクトの\nフォルダの素材が出ます"));
        hint->setFlags(Qt::NoItemFlags);
        list_->addItem(hint);
        return;
    }
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext() && files.size() < kMostListed) {
        const QString file = it.next();
        if (isAsset(file))
            files << file;
    }
    files.sort();
    for (const QString& file : files) {
        auto* item =
            new QListWidgetItem(thumbnailOf(file, style()), QDir(folder).relativeFilePath(file));
        item->setData(Qt::UserRole, file);
        item->setToolTip(QDir::toNativeSeparators(file));
        list_->addItem(item);
    }
}

QStringList AssetsWindow::listedFiles() const {
    QStringList files;
    for (int i = 0; i < list_->count(); ++i)
        if (const QString file = list_->item(i)->data(Qt::UserRole).toString(); !file.isEmpty())
            files << file;
    return files;
}

QStringList AssetsWindow::addFiles(const QStringList& files) {
    const QString folderPath = folderToCopyInto(this);
    if (folderPath.isEmpty())
        return {};
    const QDir folder(folderPath);
    QStringList added;
    QStringList failed;
    for (const QString& file : files) {
        const QFileInfo source(file);
        if (!source.isFile())
            continue;
        if (hakoniwa::relativeAssetName(source.absoluteFilePath().toStdString(),
                                        folderPath.toStdString())) {
            added << source.absoluteFilePath(); // already in the project's folder
            continue;
        }
        const QString target = folder.filePath(freeNameIn(folder, source));
        if (QFile::copy(source.absoluteFilePath(), target))
            added << target;
        else
            failed << QDir::toNativeSeparators(file);
    }
    refresh();
    if (!failed.isEmpty())
        throw std::runtime_error(QStringLiteral("素材をコピーできませんでした: %1")
                                     .arg(failed.join(", "))
                                     .toStdString());
    return added;
}

void AssetsWindow::addClick() {
    const std::optional<QString> file = hakoniwa::Dialogs::current().openArgumentFile(
        this, QDir::homePath(),
        QStringLiteral("画像と音 (*.png *.bmp *.wav *.ogg *.mp3);;すべてのファイル (*)"));
    if (file)
        addFiles({*file});
}

bool AssetsWindow::useAsset(const QString& file) {
    const QModelIndex cell = Form3->sheetView ? Form3->selectedCell() : QModelIndex();
    return cell.isValid() && Form3->putAssetName(cell.column(), cell.row(), file);
}

void AssetsWindow::playSound(const QString& file) {
    if (!hakoniwa::isSoundFileName(file.toStdString()))
        return;
    if (!player_) {
        player_ = new QMediaPlayer(this);
        audio_ = new QAudioOutput(this);
        player_->setAudioOutput(audio_);
    }
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(file));
    player_->play();
}

void AssetsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void AssetsWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && event->source() != list_)
        event->acceptProposedAction();
}

void AssetsWindow::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    event->acceptProposedAction();
    reported([&] { addFiles(files); });
}

AssetsWindow* showAssetsWindow(QWidget* mainWindow) {
    auto* window = mainWindow->findChild<AssetsWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) {
        window = new AssetsWindow(mainWindow);
        // Beside the main window, so that the canvas stays in sight.
        window->move(mainWindow->frameGeometry().topRight() + QPoint(8, 0));
    }
    window->show();
    window->raise();
    window->refresh();
    return window;
}
