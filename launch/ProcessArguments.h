#pragma once
// The process's command line as the C runtime splits it into narrow (ANSI) strings,
// the program's own name being argument 0.
namespace gs {

struct AnsiArguments {
    int count = 0;
    char** values = nullptr; // not owned: belongs to the C runtime for the process's life
};

AnsiArguments ProcessAnsiArguments();

} // namespace gs
