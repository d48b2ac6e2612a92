// Deleting the active scene: the user is asked first, with the number of calls from other
// scenes that would lose their target; the delete is one undo step, and every other call keeps
// its scene.
#include "app/Unit1.h"

#include "app/UndoSteps.h"
#include "details/Settei.h"
#include "model/JumpRenumbering.h"
#include "platform/Cp932Codec.h"
#include "platform/Dialogs.h"

#include <QStatusBar>
#include <QStringList>

void TForm1::deleteActiveScene() {
    const int tab = project.activeIndex();
    if (tab == 0)
        statusBar()->showMessage(QStringLiteral("最初のシーンは削除できません"));
    if (!hakoniwa::canDeleteScene(project, tab))
        return;
    const hakoniwa::Scene& scene = project.scene(tab);
    const QString name = hakoniwa::toQt(scene.caption);
    const auto calls = hakoniwa::callsOfScene(project, tab).size();
    const QString question =
        calls == 0
            ? QStringLiteral("シーン「%1」を削除しますか？").arg(name)
            : QStringLiteral("シーン「%1」を削除します。ほかのシーンの %2 行がこのシーンを呼んで"
                             "いて、ジャンプ先がなくなります（-1 になります）。")
                  .arg(name)
                  .arg(calls);
    const QStringList answers{QStringLiteral("削除"), QStringLiteral("キャンセル")};
    if (hakoniwa::Dialogs::current().choose(this, question, answers) != 0)
        return;
    statusBar()->clearMessage();
    // A sheet of the scene's items leaves the details window while it is still in the project.
    if (Form3->shownItem() && scene.indexOf(Form3->shownItem()) >= 0)
        Form3->placeSheet(nullptr, SheetPlacement::Shown);
    recordEdit(QStringLiteral("シーンの削除"),
               [&] { hakoniwa::deleteSceneKeepingCalls(project, tab); });
    // Tabs and memos follow the project; the scene before it is the active one now.
    projectRestored();
}
