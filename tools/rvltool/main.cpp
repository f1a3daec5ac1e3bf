#include "tools/rvltool/Rvltool.h"

#include "platform/CodePage.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    // The output is UTF-8 bytes with LF line ends, the same wherever it goes.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    try {
        std::vector<std::string> args;
        for (int index = 1; index < argc; ++index) args.push_back(CodePage::fromWide(argv[index]));
        Rvltool tool(stdout, stderr);
        return tool.run(args);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "rvltool: %s\n", error.what());
        return Rvltool::Failure;
    }
}
