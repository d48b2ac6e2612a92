// Deleting the selected item: the user is asked first, with the rows that would lose their
// jump target named; the delete is one undo step, and every other jump of the scene keeps its
// target.
#include "editor/Unit2.h"

#include "app/UndoSteps.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "model/JumpRenumbering.h"
#include "platform/Cp932Codec.h"
#include "platform/Dialogs.h"

#include <QStatusBar>
#include <QStringList>

namespace {

// A long list would hide the question; the rest is counted.
constexpr int kListedRows = 10;

// "itm1 の 2 行目, ...": rows named by their item and their command number as the sheet shows
// it (row 2 is command 1).
QString rowList(const hakoniwa::Scene& scene, const std::vector<hakoniwa::JumpRowRef>& rows) {
    QStringList names;
    for (const hakoniwa::JumpRowRef& at : rows) {
        if (names.size() == kListedRows) {
            names << QStringLiteral("ほか %1 行").arg(rows.size() - kListedRows);
            break;
        }
        names << QStringLiteral("%1 の %2 行目")
                     .arg(hakoniwa::toQt(scene.item(at.item).displayText()))
                     .arg(at.row - 1);
    }
    return names.join(QStringLiteral(", "));
}

QString deleteQuestion(const hakoniwa::Scene& scene, int index) {
    const QString name = hakoniwa::toQt(scene.item(index).displayText());
    const std::vector<hakoniwa::JumpRowRef> lost = hakoniwa::jumpsToItem(scene, index);
    if (lost.empty())
        return QStringLiteral("アイテム「%1」を削除しますか？").arg(name);
    return QStringLiteral("アイテム「%1」を削除します。次の行のジャンプ先がなくなります: %2")
        .arg(name, rowList(scene, lost));
}

} // namespace

void TForm2::deleteSelItm() {
    hakoniwa::Scene* scene = Form1->project.activeScene();
    const int index = scene && selItm ? scene->indexOf(selItm) : -1;
    if (index < 0) {
        Form1->statusBar()->showMessage(QStringLiteral("削除するアイテムを選んでください"));
        return;
    }
    const QStringList answers{QStringLiteral("削除"), QStringLiteral("キャンセル")};
    if (hakoniwa::Dialogs::current().choose(Form1, deleteQuestion(*scene, index), answers) != 0)
        return;
    Form1->statusBar()->clearMessage();
    // Its sheet leaves the details window while the item is still in the project, so a cell
    // still being typed into lands there as an edit of its own.
    Form3->detachSheet(*selItm);
    recordEdit(QStringLiteral("アイテムの削除"),
               [&] { hakoniwa::deleteItemKeepingJumps(*scene, index); });
    // Nothing may point at the item any more; canvas and lists show the scene without it.
    Form1->projectRestored();
}
