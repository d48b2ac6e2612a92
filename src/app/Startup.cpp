#include "app/Startup.h"

#include "app/Recovery.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/Unit2.h"
#include "handles/Unit5.h"
#include "info/Unit4.h"
#include <QUndoStack>

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

} // namespace

void createWindows() {
    create(Form1);
    create(Form2);
    create(Form3);
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
