#include "help/manual_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace help {

namespace {

QString& DocumentFolder()
{
    static QString folder;
    return folder;
}

// A folder given relative to the installation prefix, seen from the
// program's folder (bin/ of the prefix, or app/ of the build tree).
QString BesideProgram(const QString& prefixRelative)
{
    if (QDir::isAbsolutePath(prefixRelative))
        return prefixRelative;
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../") + prefixRelative);
}

QString Existing(const QString& path) { return QFileInfo(path).isFile() ? QDir::cleanPath(path) : QString(); }

}  // namespace

void UseDocumentFolder(const QString& folder) { DocumentFolder() = folder; }

QString UserManualPath()
{
    if (!DocumentFolder().isEmpty())
        if (QString found = Existing(DocumentFolder() + QStringLiteral("/docs/user-manual.md")); !found.isEmpty())
            return found;
    return Existing(BesideProgram(QStringLiteral(REPEAT_ORBIT_DOCDIR)) + QStringLiteral("/docs/user-manual.md"));
}

QString LandNoticePath()
{
    if (!DocumentFolder().isEmpty())
        if (QString found = Existing(DocumentFolder() + QStringLiteral("/data/world-atlas-LICENSE")); !found.isEmpty())
            return found;
    return Existing(BesideProgram(QStringLiteral(REPEAT_ORBIT_DATADIR)) + QStringLiteral("/world-atlas-LICENSE"));
}

QString ProgramVersion() { return QStringLiteral(REPEAT_ORBIT_VERSION); }

}  // namespace help
