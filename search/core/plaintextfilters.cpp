#include "search/core/plaintextfilters.h"

#include <QRegularExpression>
#include <QSet>

namespace {

const char *const Patterns[] = {
    // The first versions' list.
    "*.txt",
    "*.text",
    "*.html",
    "*.htm",
    "*.xml",
    "*.sgml",
    "*.sgm",
    "*.opml",
    "*.kml",
    "*.lxfml",
    "*.svg",
    "*.yml",
    "*.yml2",
    "*.yaml",
    "*.php",
    "*.asp",
    "*.js",
    "*.css",
    "*.pl",
    "*.perl",
    "*.rb",
    "*.ruby",
    "*.lsp",
    "*.lisp",
    "*.lua",
    "*.vhdl",
    "*.java",
    "*.mf",
    "*.tcl",
    "*.py",
    "*.bas",
    "*.vbs",
    "*.pas",
    "*.c",
    "*.cc",
    "*.cpp",
    "*.c++",
    "*.cxx",
    "*.h",
    "*.hh",
    "*.hpp",
    "*.h++",
    "*.hxx",
    "*.f",
    "*.for",
    "*.f90",
    "*.has",
    "*.mak",
    "*.log",
    "*.readme",
    "*.me",
    "*.nfo",
    "*.ts",
    "*.ui",
    "*.qrc",
    "*.pro",
    "*.rc",
    "*.nsi",
    "*.nsh",
    "*.bat",
    "*.sh",
    "*.conf",
    "*.cfg",
    "*.m3u",
    "*.pls",
    "*.lst",
    "*.lrc",
    "*.latex",
    "*.bib",
    "*.tex",
    "*.asc",
    "*.ascii",
    "*.utf8",
    "*.hz",
    "*.sms",
    "*.mmp",
    "*.pan",
    "*.rss",
    "*.rls",
    "*.loc",
    "*.l01",
    "*.hrh",
    "*.mk",
    "*.inf",
    "*.pkg",
    "*.inl",
    "*.rsg",
    "*.mbg",
    "*.rh",
    // Notes, documents and data.
    "*.md",
    "*.markdown",
    "*.rst",
    "*.adoc",
    "*.org",
    "*.json",
    "*.jsonl",
    "*.toml",
    "*.ini",
    "*.env",
    "*.properties",
    "*.csv",
    "*.tsv",
    "*.sql",
    "*.po",
    "*.pot",
    "*.srt",
    "*.vtt",
    "*.diff",
    "*.patch",
    // Source code.
    "*.rs",
    "*.go",
    "*.kt",
    "*.kts",
    "*.swift",
    "*.scala",
    "*.dart",
    "*.zig",
    "*.cs",
    "*.fs",
    "*.r",
    "*.jl",
    "*.hs",
    "*.ml",
    "*.ex",
    "*.exs",
    "*.erl",
    "*.clj",
    "*.el",
    "*.vim",
    "*.tsx",
    "*.jsx",
    "*.mjs",
    "*.cjs",
    "*.vue",
    "*.svelte",
    "*.scss",
    "*.sass",
    "*.less",
    "*.xsd",
    "*.xsl",
    "*.graphql",
    "*.proto",
    // Build, packaging and system configuration.
    "*.gradle",
    "*.cmake",
    "*.meson",
    "*.service",
    "*.desktop",
    "*.tf",
    "*.nix",
    "*.dockerfile",
    // Well-known names without an extension.
    "README",
    "LICENSE",
    "COPYING",
    "AUTHORS",
    "CHANGELOG",
    "NEWS",
    "INSTALL",
    "TODO",
    "Makefile",
    "GNUmakefile",
    "Dockerfile",
    "Containerfile",
    "Vagrantfile",
    "Gemfile",
    "Rakefile",
    "Jenkinsfile",
    "Procfile",
};

// Files a full-text search never opens, whatever their bytes: images,
// audio, video, archives, office documents, PDF, executables, object files
// and databases. Their names say what they are; reading them to find a NUL
// byte would cost a read each and find one anyway. README.md shows the list.
const char *const BinaryPatterns[] = {
    "*.png",  "*.jpg", "*.jpeg",   "*.gif",     "*.bmp",  "*.tif",  "*.tiff", "*.ico",  "*.webp",  "*.psd",
    "*.xcf",  "*.mp3", "*.wav",    "*.flac",    "*.ogg",  "*.opus", "*.m4a",  "*.aac",  "*.wma",   "*.mp4",
    "*.mkv",  "*.avi", "*.mov",    "*.webm",    "*.wmv",  "*.flv",  "*.mpg",  "*.mpeg", "*.zip",   "*.gz",
    "*.tgz",  "*.bz2", "*.xz",     "*.zst",     "*.7z",   "*.rar",  "*.tar",  "*.jar",  "*.deb",   "*.rpm",
    "*.iso",  "*.doc", "*.docx",   "*.xls",     "*.xlsx", "*.ppt",  "*.pptx", "*.odt",  "*.ods",   "*.odp",
    "*.pdf",  "*.exe", "*.dll",    "*.so",      "*.a",    "*.o",    "*.obj",  "*.lib",  "*.class", "*.pyc",
    "*.wasm", "*.db",  "*.sqlite", "*.sqlite3", "*.mdb",
};

QStringList UserPatternList(const QVariant &stored)
{
    // QSettings gives a list for "a, b" in the file, and a text for "a b".
    if (stored.type() == QVariant::StringList)
        return stored.toStringList();
    return stored.toString().split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
}

} // namespace

QStringList PlainTextFilePatterns()
{
    QStringList patterns;
    for (const char *pattern : Patterns)
        patterns << QString::fromLatin1(pattern);
    return patterns;
}

QStringList BinaryFilePatterns()
{
    QStringList patterns;
    for (const char *pattern : BinaryPatterns)
        patterns << QString::fromLatin1(pattern);
    return patterns;
}

QStringList PlainTextFilePatterns(const QVariant &userPatterns)
{
    QStringList patterns = PlainTextFilePatterns();
    QSet<QString> known;
    for (const QString &pattern : qAsConst(patterns))
        known.insert(pattern.toLower());
    for (const QString &entry : UserPatternList(userPatterns)) {
        const QString pattern = entry.trimmed();
        if (pattern.isEmpty() || pattern == QLatin1String("*") || known.contains(pattern.toLower()))
            continue;
        known.insert(pattern.toLower());
        patterns << pattern;
    }
    return patterns;
}

QString PlainTextPatternsSettingKey()
{
    return QStringLiteral("MorePlainTextFilePatterns");
}
