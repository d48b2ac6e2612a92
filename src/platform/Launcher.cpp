#include "platform/Launcher.h"

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

std::unique_ptr<Launcher>& installed() {
    static std::unique_ptr<Launcher> launcher = std::make_unique<ProcessLauncher>();
    return launcher;
}

} // namespace

Launcher& Launcher::current() {
    return *installed();
}

void Launcher::install(std::unique_ptr<Launcher> launcher) {
    installed() = launcher ? std::move(launcher) : std::make_unique<ProcessLauncher>();
}

} // namespace hakoniwa
