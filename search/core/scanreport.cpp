#include "search/core/scanreport.h"

#include <QFile>

QString PathText(const QByteArray &path)
{
    return QFile::decodeName(path);
}

QString PastablePath(const QByteArray &path)
{
    const QString text = PathText(path);
    if (QFile::encodeName(text) == path)
        return text;
    QString quoted = QStringLiteral("$'");
    for (int i = 0; i < path.size();) {
        // The longest piece from here that decodes as it is.
        int end = path.size();
        while (end > i && QFile::encodeName(PathText(path.mid(i, end - i))) != path.mid(i, end - i))
            --end;
        if (end == i) {
            quoted += QStringLiteral("\\x%1").arg(uchar(path.at(i)), 2, 16, QLatin1Char('0'));
            ++i;
            continue;
        }
        for (const QChar c : PathText(path.mid(i, end - i))) {
            if (c == QLatin1Char('\\') || c == QLatin1Char('\''))
                quoted += QLatin1Char('\\');
            if (c == QLatin1Char('\n'))
                quoted += QStringLiteral("\\n");
            else
                quoted += c;
        }
        i = end;
    }
    return quoted + QLatin1Char('\'');
}

QByteArray JoinedPath(const QByteArray &folder, const QByteArray &name)
{
    if (folder.endsWith('/'))
        return folder + name;
    return folder + '/' + name;
}

CScanReport::~CScanReport() = default;

bool CScanReport::Cancelled()
{
    return false;
}

void CScanReport::DirectoryReached(const QDir &, int) {}

void CScanReport::FileExamined() {}

int CScanReport::FilesExamined(int count)
{
    for (int i = 0; i < count; ++i) {
        FileExamined();
        if (Cancelled())
            return i;
    }
    return count;
}

void CScanReport::FoundFiles(const CFoundFiles &files)
{
    QStringList paths;
    paths.reserve(files.size());
    for (const CFoundFile &file : files)
        paths << PathText(file.Path);
    Found(paths);
}

void CScanReport::Found(const QStringList &) {}

void CScanReport::NotPlainText() {}

void CScanReport::Unreadable(const CUnreadEntry &) {}

void CScanReport::OutOfResources(int) {}

CCancelQuery::CCancelQuery(std::function<bool()> cancelled)
    : IsCancelled(std::move(cancelled))
{
}

bool CCancelQuery::Cancelled()
{
    return IsCancelled && IsCancelled();
}
