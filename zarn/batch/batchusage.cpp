#include "zarn/batch/batchrequest.h"

namespace {

const char* const kCommon =
    "  --options=FILE  read the settings from FILE instead of the user's own\n"
    "  --quiet         no progress line on the terminal\n"
    "  --help          this text\n"
    "  --              every argument after it is a file or folder\n"
    "Folders are walked recursively (names in order); there only files with the\n"
    "extension of the options are taken. A file that fails gets one line on the error\n"
    "output. A long run shows its progress on the terminal; Ctrl+C stops it after the\n"
    "file at hand. Exit status: 0 when every file worked, 1 when some failed or Ctrl+C\n"
    "stopped the run, 2 for a bad command line.\n";

QString Usage(const char* text) {
    return QString::fromUtf8(text) + QString::fromUtf8(kCommon);
}

}  // namespace

QString BatchUsage(BatchCommand command) {
    switch (command) {
        case BatchCommand::List:
            return Usage(
                "Usage: zarn --list [--format=tsv|json] PATH...\n"
                "\n"
                "One line per MP3 file: path, track, artist, album, title, year, genre, comment\n"
                "(the ID3v2 value, else the ID3v1 value) and the tags the file has (ID3v1,\n"
                "ID3v2, both joined by \",\", or none). tsv separates them by tabs and writes a\n"
                "tab, line break, carriage return or backslash in a value as \\t, \\n, \\r, \\\\;\n"
                "json writes one object per line.\n"
                "  --format=tsv|json  output form (tsv when not given)\n");
        case BatchCommand::Set:
            return Usage(
                "Usage: zarn --set FIELD=VALUE... [--v1] [--v2] [--dry-run] PATH...\n"
                "\n"
                "Writes the fields into every file as the tag form does for several files: the\n"
                "fields not named keep each file's own values, \"***\" empties a field. Both tag\n"
                "versions are written (a missing tag is added) unless --v1 or --v2 names one.\n"
                "FIELD: title, artist, album, year, genre, track, comment; ID3v2 only:\n"
                "composer, origartist, copyright, url, encoder. A track \"*\" removes the\n"
                "ID3v1 track number.\n"
                "  --v1, --v2  write only this tag version\n"
                "  --dry-run   print each field that would change (path, field, old, new);\n"
                "              change nothing\n");
        case BatchCommand::Fix:
            return Usage(
                "Usage: zarn --fix [--v1] [--v2] [--dry-run] PATH...\n"
                "\n"
                "Cleans up the tags of every file as \"Fix ID3\" of the window does for several\n"
                "files, with the saved options and input pattern: texts cleaned, empty fields\n"
                "taken from the file name, a missing track number dug out of the name, and the\n"
                "two versions filling each other's gaps. The tags a file has are fixed.\n"
                "  --v1, --v2  also add this tag version to files that lack it\n"
                "  --dry-run   print each field that would change (path, field, old, new);\n"
                "              change nothing\n");
        case BatchCommand::Sort:
            return Usage(
                "Usage: zarn --sort TARGET [--copy|--move] [--genre|--letter]\n"
                "                   [--artist-folders=N] [--fix-names] [--if-exists=skip|replace]\n"
                "                   [--dry-run] PATH...\n"
                "\n"
                "Copies or moves the files into TARGET (created when missing), in the order\n"
                "given (folders walked), as the window's sort does.\n"
                "  --copy, --move         copy (the default) or move\n"
                "  --genre, --letter      a folder per genre or per first letter of the artist\n"
                "  --artist-folders=N     a folder per artist with at least N files in a row\n"
                "                         (0: for every artist)\n"
                "  --fix-names            new names by the saved output pattern\n"
                "  --if-exists=skip|replace  a file already there is kept (the default) or "
                "replaced\n"
                "  --dry-run              print each source and destination; change nothing\n");
        case BatchCommand::Help:
            break;
    }
    return QStringLiteral(
        "\n"
        "Batch commands, without the window:\n"
        "       zarn --list [--format=tsv|json] PATH...\n"
        "       zarn --set FIELD=VALUE... [--v1] [--v2] [--dry-run] PATH...\n"
        "       zarn --fix [--v1] [--v2] [--dry-run] PATH...\n"
        "       zarn --sort TARGET [--copy|--move] [--genre|--letter] [--artist-folders=N]\n"
        "                   [--fix-names] [--if-exists=skip|replace] [--dry-run] PATH...\n"
        "       zarn COMMAND --help  (the help of one command)\n");
}
