#include "platform/Launcher.h"

#include "platform/Seam.h"

#include <QProcess>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#endif

namespace hakoniwa {
namespace {

class ProcessLauncher : public Launcher {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override {
        QProcess process;
        process.setProgram(program);
        process.setArguments(arguments);
        process.setWorkingDirectory(workingDirectory);
        return process.startDetached();
    }

    bool shellOpen(const QString& file, const QString& workingDirectory) override {
#ifdef Q_OS_WIN
        const std::wstring target = file.toStdWString();
        const std::wstring directory = workingDirectory.toStdWString();
        const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
            nullptr, L"open", target.c_str(), L"", directory.c_str(), SW_SHOWDEFAULT));
        return result > 32; // values up to 32 are the shell's error codes
#else
        Q_UNUSED(file);
        Q_UNUSED(workingDirectory);
        return false;
#endif
    }
};

} // namespace

Launcher& Launcher::current() {
    return Seam<Launcher, ProcessLauncher>::current();
}

void Launcher::install(std::unique_ptr<Launcher> launcher) {
    Seam<Launcher, ProcessLauncher>::install(std::move(launcher));
}

} // namespace hakoniwa
