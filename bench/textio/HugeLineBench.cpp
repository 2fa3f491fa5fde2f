// Memory of an import of a file of 300 MB without a line break (generated, then removed),
// beside the floor it aims at: a peak resident size under 64 MiB, whatever the file. Both
// imports that keep records (the grid, the E-C engine) read it; the guess looks it through.
//
//   textio_huge_line_bench [megabytes, default 300]
#include "editor/EntryEditor.h"
#include "engines/EcBinding.h"
#include "platform/CodePage.h"
#include "textio/TextImport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace kelvara {
namespace {

namespace fs = std::filesystem;

long peakKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int run(int argc, char** argv)
{
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 300;
    const fs::path root = fs::temp_directory_path() / "kelvara-huge-line-bench";
    fs::remove_all(root);
    fs::create_directories(root);
    const fs::path file = root / "huge.txt";
    {
        std::ofstream out(file, std::ios::binary);
        const std::string block(1024 * 1024, 'x');
        for (std::size_t i = 0; i < megabytes; ++i)
            out << block;
        out << "\r\nn\r\nt\r\nafter\r\nn\r\nt\r\n";
    }
    const long before = peakKib();
    const auto start = std::chrono::steady_clock::now();
    EntryEditor editor(InterfaceLanguage::Simplified, kCodePageGbk);
    editor.FillPartOfSpeechList(DictionaryKind::EC);
    const TextCommandResult r = ImportFileToEditor(file.string(), editor);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long after = peakKib();
    fs::remove_all(root);
    std::printf("import of a %zu MB line into the grid   %6.2f s  records %zu, too long %zu, "
                "written %zu\n",
                megabytes, seconds, r.records, r.tooLong, r.written);
    std::printf("  peak resident %ld KiB (%ld KiB before the import)   floor: 65536 KiB  %s\n",
                after, before, after < 65536 ? "met" : "NOT met");
    return after < 65536 && r.tooLong == 1 && r.written == 1 ? 0 : 1;
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}
