// corvane            opens the main window
// corvane FILE.csv   opens it with the file chosen
// corvane --help     both forms; --version the program's version
// corvane export …   writes the grade book headless (see export_command.h)
// corvane compare …  writes what changed between two revisions (see compare_command.h)
#include <cstring>

#include "app/compare_command.h"
#include "app/desktop.h"
#include "app/export_command.h"
#include "app/memory_tuning.h"

int main(int argc, char** argv) {
    const bool exporting = argc > 1 && std::strcmp(argv[1], "export") == 0;
    const bool comparing = argc > 1 && std::strcmp(argv[1], "compare") == 0;
    if (exporting || comparing)
        corvane::PrepareCommandLineHeap();
    if (exporting)
        return corvane::RunExport(argc, argv);
    if (comparing)
        return corvane::RunCompare(argc, argv);
    return corvane::RunDesktop(argc, argv);
}
