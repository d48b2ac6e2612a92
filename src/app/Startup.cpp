#include "app/Startup.h"

#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/Unit2.h"
#include "handles/Unit5.h"
#include "info/Unit4.h"

#include <utility>

namespace {

// A window whose construction fails leaves its global reference null, not dangling.
template <typename Window, typename... Arguments>
void create(Window*& global, Arguments&&... arguments) {
    try {
        global = new Window(std::forward<Arguments>(arguments)...);
    } catch (...) {
        global = nullptr;
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
}

void destroyWindows() {
    delete WWWinCur;
    WWWinCur = nullptr;
    delete Form4;
    delete Form3;
    delete Form2;
    delete Form1;
}
