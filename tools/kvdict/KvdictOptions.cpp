#include "kvdict/KvdictOptions.h"

namespace kelvara::kvdict {

std::string UsageText()
{
    return "Usage:\n"
           "  kvdict import --kind ec|ce [--installation DIR] [--dictionary BASE [--create]] FILE\n"
           "  kvdict export --kind ec|ce [--installation DIR] [--dictionary BASE] [--force]\n"
           "                [--encoding utf-8|codepage] FILE|-\n"
           "  kvdict find   --kind ec|ce [--installation DIR] [--dictionary BASE] WORD\n"
           "  kvdict check  --kind ec|ce [--installation DIR] [--dictionary BASE] [IMPORT "
           "OPTIONS]\n"
           "                FILE\n"
           "  kvdict --help | --version\n"
           "\n"
           "import  hands every entry of an entry text file (three lines per entry: source,\n"
           "        part of speech, target) to the dictionary's engine.\n"
           "export  writes every entry of the dictionary to FILE; an existing FILE is replaced\n"
           "        only with --force, and only once the whole export is written. FILE - is\n"
           "        standard output (the summary then goes to standard error). --encoding utf-8\n"
           "        writes UTF-8 instead of the code page.\n"
           "check   reads FILE as import would and says what would become of every record,\n"
           "        writing nothing to the dictionary.\n"
           "find    prints the senses of WORD, one line each: source, part of speech and\n"
           "        target separated by tabs, in UTF-8.\n"
           "\n"
           "--installation DIR  the utility's installation folder (Config/Kelvara.ini and the\n"
           "                    engine folders); by default the folder of this program.\n"
           "--dictionary BASE   E-C: the base path of another dictionary (without .key), as New\n"
           "                    E-C names it. C-E: a new dictionary to create and import into,\n"
           "                    as New C-E names it. It must exist, but for import --create.\n"
           "--create            import: create the --dictionary when it is missing.\n"
           "\n"
           "Import options (import and check; FILE - reads standard input):\n"
           "--rejects OUT       write the records that did not go in to OUT, byte for byte as\n"
           "                    they stood in FILE, to be mended and imported again.\n"
           "--verbose           print LINE: reason on standard error for each such record.\n"
           "--encoding ENC      utf-8 or codepage: how to read FILE (by default guessed).\n"
           "--fullwidth-parentheses  C-E: store ( ) of a translation as full-width forms\n"
           "                    (otherwise such records are kept back).\n"
           "--replace           E-C: a record whose word and part of speech are held with\n"
           "                    another sense replaces it (otherwise it is refused).\n"
           "\n"
           "Exit status: 0 when everything went in (find: senses were found), 1 when records were\n"
           "refused or skipped, the work was stopped (Ctrl+C), or find found nothing, 2 when the\n"
           "command could not run (no installation, a missing or unreadable file, a dictionary\n"
           "that does not open or does not exist, a refused export file). Progress goes to\n"
           "standard error when it is a terminal. A second Ctrl+C ends the program at once.\n";
}

std::string VersionText()
{
    return std::string("kvdict ") + KELVARA_VERSION + "\n";
}

Parsed ParseArguments(const std::vector<std::string>& arguments)
{
    Options options;
    if (arguments.empty())
        return {std::nullopt, "no command given"};
    const std::string& command = arguments.front();
    if (command == "--help" || command == "-h" || command == "help")
        return {options, {}};
    if (command == "--version") {
        options.command = Options::Command::Version;
        return {options, {}};
    }
    if (command == "import")
        options.command = Options::Command::Import;
    else if (command == "export")
        options.command = Options::Command::Export;
    else if (command == "find")
        options.command = Options::Command::Find;
    else if (command == "check")
        options.command = Options::Command::Check;
    else
        return {std::nullopt, "unknown command '" + command + "'"};

    bool kindGiven = false;
    const bool reads =
        options.command == Options::Command::Import || options.command == Options::Command::Check;
    std::vector<std::string> operands;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const auto value = [&](std::string& into) {
            if (i + 1 >= arguments.size())
                return false;
            into = arguments[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            options.command = Options::Command::Help;
            return {options, {}};
        }
        if (a == "--kind") {
            std::string kind;
            if (!value(kind) || (kind != "ec" && kind != "ce"))
                return {std::nullopt, "--kind takes ec or ce"};
            options.kind = kind == "ec" ? DictionaryKind::EC : DictionaryKind::CE;
            kindGiven = true;
        } else if (a == "--installation") {
            if (!value(options.installation) || options.installation.empty())
                return {std::nullopt, "--installation takes a folder"};
        } else if (a == "--dictionary") {
            if (!value(options.dictionary) || options.dictionary.empty())
                return {std::nullopt, "--dictionary takes a path"};
        } else if (a == "--force" && options.command == Options::Command::Export) {
            options.force = true;
        } else if (a == "--create" && options.command == Options::Command::Import) {
            options.create = true;
        } else if (reads && a == "--rejects") {
            if (!value(options.rejects) || options.rejects.empty())
                return {std::nullopt, "--rejects takes a file"};
        } else if (reads && a == "--verbose") {
            options.verbose = true;
        } else if (reads && a == "--fullwidth-parentheses") {
            options.fullWidthParentheses = true;
        } else if (reads && a == "--replace") {
            options.replace = true;
        } else if ((reads || options.command == Options::Command::Export) && a == "--encoding") {
            std::string encoding;
            if (!value(encoding) || (encoding != "utf-8" && encoding != "codepage"))
                return {std::nullopt, "--encoding takes utf-8 or codepage"};
            options.encoding =
                encoding == "utf-8" ? Options::Encoding::Utf8 : Options::Encoding::CodePage;
            options.exportUtf8 = encoding == "utf-8";
        } else if (a == "--") {
            operands.insert(operands.end(), arguments.begin() + static_cast<long>(i) + 1,
                            arguments.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            return {std::nullopt, "unknown option '" + a + "'"};
        } else {
            operands.push_back(a);
        }
    }
    if (!kindGiven)
        return {std::nullopt, "--kind ec|ce is required"};
    if (operands.size() != 1)
        return {std::nullopt,
                options.command == Options::Command::Find ? "give one WORD" : "give one FILE"};
    options.operand = operands.front();
    return {options, {}};
}

} // namespace kelvara::kvdict
