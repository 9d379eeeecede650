#include "search/core/plaintextfilters.h"

namespace {

const char *const Patterns[] = {
    "*.txt", "*.text",  "*.html", "*.htm",  "*.xml", "*.sgml", "*.sgm",  "*.opml",  "*.kml", "*.lxfml",
    "*.svg", "*.yml",   "*.yml2", "*.yaml", "*.php", "*.asp",  "*.js",   "*.css",   "*.pl",  "*.perl",
    "*.rb",  "*.ruby",  "*.lsp",  "*.lisp", "*.lua", "*.vhdl", "*.java", "*.mf",    "*.tcl", "*.py",
    "*.bas", "*.vbs",   "*.pas",  "*.c",    "*.cc",  "*.cpp",  "*.c++",  "*.cxx",   "*.h",   "*.hh",
    "*.hpp", "*.h++",   "*.hxx",  "*.f",    "*.for", "*.f90",  "*.has",  "*.mak",   "*.log", "*.readme",
    "*.me",  "*.nfo",   "*.ts",   "*.ui",   "*.qrc", "*.pro",  "*.rc",   "*.nsi",   "*.nsh", "*.bat",
    "*.sh",  "*.conf",  "*.cfg",  "*.m3u",  "*.pls", "*.lst",  "*.lrc",  "*.latex", "*.bib", "*.tex",
    "*.asc", "*.ascii", "*.utf8", "*.hz",   "*.sms", "*.mmp",  "*.pan",  "*.rss",   "*.rls", "*.loc",
    "*.l01", "*.hrh",   "*.mk",   "*.inf",  "*.pkg", "*.inl",  "*.rsg",  "*.mbg",   "*.rh",
};

} // namespace

QStringList PlainTextFilePatterns()
{
    QStringList patterns;
    for (const char *pattern : Patterns)
        patterns << QString::fromLatin1(pattern);
    return patterns;
}
