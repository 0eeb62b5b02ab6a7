#include "launch/ProcessArguments.h"

#include <windows.h>

// The C runtime's own narrow split of the command line. A Unicode program's start-up
// only asks for the wide one, so the narrow one is requested here.
struct _startupinfo;
extern "C" int __cdecl __getmainargs(int* argc, char*** argv, char*** env, int expandWildcards,
                                     _startupinfo* info);

namespace gs {

namespace {
struct StartupInfo {
    int newMode = 0;
};
} // namespace

AnsiArguments ProcessAnsiArguments() {
    AnsiArguments arguments;
    char** environment = nullptr;
    StartupInfo info;
    if (__getmainargs(&arguments.count, &arguments.values, &environment, 0,
                      reinterpret_cast<_startupinfo*>(&info)) < 0)
        return AnsiArguments();
    return arguments;
}

} // namespace gs
