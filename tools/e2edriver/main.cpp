// Drives the real Ravlo.exe from outside, by window messages:
//   e2edriver run RAVLO.EXE SHOT_FOLDER IMPORT_FILE BOOK PAGE EXPORT
//       the whole end-to-end run (E2eFlow), in a prefix without Ravlo's settings;
//   e2edriver open BOOK FIRST_TITLE
//       opens BOOK with its file association's command and checks what Ravlo shows.
// Prints one line a step (UTF-8) and answers 0 when everything held.

#include "tools/e2edriver/AssociationCheck.h"
#include "tools/e2edriver/E2eFlow.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <exception>
#include <string>

namespace {

const char Usage[] =
    "usage: e2edriver run RAVLO.EXE SHOT_FOLDER IMPORT_FILE BOOK PAGE EXPORT\n"
    "       e2edriver open BOOK FIRST_TITLE\n";

int runFlow(wchar_t** args)
{
    E2eFlow flow(FlowPaths{args[0], args[1], args[2], args[3], args[4], args[5]});
    return flow.run() ? 0 : 1;
}

int checkAssociation(wchar_t** args)
{
    AssociationCheck(args[0], args[1]).run();
    std::puts("ok: the book opened through its association");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    try {
        if (mode == L"run" && argc == 8) return runFlow(argv + 2);
        if (mode == L"open" && argc == 4) return checkAssociation(argv + 2);
    } catch (const std::exception& error) {
        std::printf("FAILED: %s\n", error.what());
        return 1;
    }
    std::fputs(Usage, stderr);
    return 2;
}
