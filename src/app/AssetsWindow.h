#pragma once

#include <QStringList>
#include <QWidget>

class QListWidget;
class QListWidgetItem;
class QMediaPlayer;
class QAudioOutput;

// 表示 > 素材: the images and sounds in the project's folder. 追加… and files dropped from the
// desktop are copied into the folder; a click plays a sound; a double-click writes the file's
// name, relative to the project, into the argument cell selected in 詳細. Items can be
// dragged onto a file argument cell too.
class AssetsWindow : public QWidget {
    Q_OBJECT
public:
    explicit AssetsWindow(QWidget* parent);

    // Lists the project folder's files again.
    void refresh();
    // Copies the files into the project's folder; a project never saved is saved first
    // (asking for its name), and nothing is copied when the user declines. Returns the
    // copies' paths; a file already in the folder is listed as it is.
    QStringList addFiles(const QStringList& files);
    // 追加…: one file chosen in the file dialog.
    void addClick();
    // Writes the asset's name into the cell selected in 詳細; false when none is selected.
    bool useAsset(const QString& file);
    // The files listed, as absolute paths.
    QStringList listedFiles() const;
    QListWidget* list() const { return list_; }

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void playSound(const QString& file);

    QListWidget* list_;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* audio_ = nullptr;
};

// The assets window of the main window, made on first use, brought to the front.
AssetsWindow* showAssetsWindow(QWidget* mainWindow);
