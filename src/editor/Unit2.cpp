#include "editor/Unit2.h"

#include "app/Guarded.h"
#include "app/Unit1.h"
#include "app/WindowLook.h"
#include "details/Settei.h"
#include "editor/ImageCanvas.h"
#include "model/ColumnWidths.h"
#include "model/JumpRenumbering.h"
#include "platform/Cp932Codec.h"
#include "platform/DataPaths.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <stdexcept>

TForm2* Form2 = nullptr;

namespace {

QImage loadIcon(const std::string& relativePath) {
    const QString path = hakoniwa::DataPaths::join(Form1->baseDir, relativePath);
    QImage icon(path);
    if (icon.isNull())
        throw std::runtime_error("ファイル " + path.toStdString() + " は開けません");
    return icon;
}

} // namespace

TForm2::TForm2() : QWidget(nullptr, Qt::Window) {
    Form2 = this;
    setWindowTitle(QStringLiteral("エディタ"));
    applyWindowFont(this);
    resize(431, 333);
    imgSlf = loadIcon("\\dat\\img\\self.bmp");
    imgCl = loadIcon("\\dat\\img\\call.bmp");

    img1 = new ImageCanvas(this);
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(img1);
    // Its own image routes to the same handlers as the main window's canvas.
    connect(img1, &ImageCanvas::doubleClicked, this, [this] { reported([&] { FormDblClick(); }); });
    connect(img1, &ImageCanvas::mousePressed, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
                reported([&] { FormMouseDown(b, s, x, y); });
            });
    connect(img1, &ImageCanvas::mouseMoved, this, [this](Qt::KeyboardModifiers s, int x, int y) {
        reported([&] { FormMouseMove(s, x, y); });
    });
    connect(img1, &ImageCanvas::mouseReleased, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
                reported([&] { FormMouseUp(b, s, x, y); });
            });
    // A grown canvas has undrawn area; draw the scene over all of it.
    connect(Form1->img1, &ImageCanvas::resized, this, [this] { dspAllItm(); });
}

TForm2::~TForm2() {
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::addItm(hakoniwa::Scene& scene) {
    newItm = &scene.addItem(downX, downY);
    if (Form1->isLoading)
        return;
    Form3->attachNewSheet(*newItm);
    // The details window edits the current item's sheet; the new sheet is the one on show,
    // so its item becomes current, or the next edit would land in another item's sheet.
    curItm = newItm;
    dspAllItm();
}

void TForm2::updItemJumpNo() {
    guarded(handler("TForm2::updItemJumpNo"), [&] {
        if (hakoniwa::Scene* scene = Form1->project.activeScene())
            hakoniwa::renumberJumpsAfterItemAdded(*scene);
    });
}

void TForm2::fitColWidths(hakoniwa::ItemSheet& sheet) {
    const QFontMetrics metrics(Form3->font());
    hakoniwa::fitColumnWidths(sheet, [&](std::string_view text) {
        return metrics.horizontalAdvance(hakoniwa::toQt(text));
    });
}

void TForm2::projectReplaced() {
    selItm = curItm = newItm = hdlStartItm = hdlEndItm = hdlSearchedItm = nullptr;
    hdlStartRow = hdlEndRow = -1;
}

void TForm2::forgetGoneItems() {
    hakoniwa::Project& project = Form1->project;
    for (hakoniwa::Item** item :
         {&selItm, &curItm, &newItm, &hdlStartItm, &hdlEndItm, &hdlSearchedItm})
        if (*item && !project.sceneOf(*item))
            *item = nullptr;
    if (!hdlStartItm)
        hdlStartRow = -1;
    if (!hdlEndItm)
        hdlEndRow = -1;
}

void TForm2::keyPressEvent(QKeyEvent* event) {
    reported([&] { FormKeyDown(event->key(), event->modifiers()); });
}
