#include "messages.h"

#include <qt_windows.h>

namespace veltara {

bool PrintOutsideStandardOutput(const QString &text)
{
    // Output redirected to a file or a pipe is written there as it is.
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN)
        return false;
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, 0, nullptr);
        if (console != INVALID_HANDLE_VALUE) {
            QString shown = text;
            shown.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
            DWORD written = 0;
            WriteConsoleW(console, shown.utf16(), DWORD(shown.size()), &written, nullptr);
            CloseHandle(console);
        }
        FreeConsole();
        return true;
    }
    // Started from Explorer or a shortcut: no console to write to.
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.utf16()),
                reinterpret_cast<const wchar_t *>(ApplicationTitle().utf16()), MB_OK | MB_ICONINFORMATION);
    return true;
}

} // namespace veltara
