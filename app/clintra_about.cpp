// The About box.

#include "app/clintra.h"

#include "app/caboutform.h"
#include "update/core/versionstamp.h"

void CLintra::on_About_PushButton_clicked()
{
    const QString versionLine =
        QLatin1String(ProgramVersion) + QLatin1String(" Build ") + QLatin1String(ProgramBuild);
    const QString site = QLatin1String(MakerWebSite);
    const QString lineBreak = QStringLiteral("<br />");
    // The title is plain text; a translation must not be able to break the markup.
    const QString html =
        WindowTitle.toHtmlEscaped() + lineBreak + versionLine + lineBreak +
        tr("Copyright &copy; 2010 <a href=\"%1\">Norvane</a>. All rights reserved.").arg(site) + lineBreak +
        QStringLiteral("<a href=\"%1\">%1</a>").arg(site);
    CAboutForm about(400, 80, tr("About Lintra"), html, nullptr);
    about.exec();
}
