#include "app/Startup.h"

#include "app/Recovery.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/Unit2.h"
#include "handles/Unit5.h"
#include "info/Unit4.h"
#include <QScreen>
#include <QStyle>
#include <QUndoStack>

#include <algorithm>
#include <new>
#include <utility>

namespace {

// Sets the window's global reference to its storage before the constructor runs, so that
// code running during construction can already reach the window. A window whose
// construction fails leaves its global reference null, not dangling.
template <typename Window, typename... Arguments>
void create(Window*& global, Arguments&&... arguments) {
    void* storage = ::operator new(sizeof(Window));
    global = static_cast<Window*>(storage);
    try {
        new (storage) Window(std::forward<Arguments>(arguments)...);
    } catch (...) {
        global = nullptr;
        ::operator delete(storage);
        throw;
    }
}

// The main window has a status bar below its client area and starts at the screen's top edge,
// so its frame reaches lower than the design placed 詳細. 詳細 starts below that frame (title
// bar included, as far as the style tells its height), but stays on the screen.
void placeDetailsBelowMainWindow() {
    const int titleBar = Form1->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    int top = std::max(Form3->y(), Form1->y() + titleBar + Form1->height() + 1);
    if (const QScreen* screen = Form1->screen()) {
        const int lowest = screen->availableGeometry().bottom() + 1 - titleBar - Form3->height();
        top = std::max(screen->availableGeometry().top(), std::min(top, lowest));
    }
    Form3->move(Form3->x(), top);
}

} // namespace

void createWindows() {
    create(Form1);
    create(Form2);
    create(Form3);
    placeDetailsBelowMainWindow();
    create(Form4);
    create(WWWinCur, nullptr, QString());
    // The first scene is where every project starts, not a change to take back.
    Form1->undoStack->clear();
    attachRecovery();
}

void destroyWindows() {
    delete WWWinCur;
    WWWinCur = nullptr;
    delete Form4;
    delete Form3;
    delete Form2;
    delete Form1;
}
