#include "program_files.h"

#include "color_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>

namespace tessaran {

namespace {

QString& folder_override()
{
    static QString folder;
    return folder;
}

QString installed_data_folder()
{
    return QDir::cleanPath(program_folder() + QStringLiteral("/../share/tessaran"));
}

QString per_user_folder(QStandardPaths::StandardLocation where)
{
    // The id names the folder whatever the running program calls itself.
    return QDir(QStandardPaths::writableLocation(where == QStandardPaths::AppConfigLocation
                                                     ? QStandardPaths::GenericConfigLocation
                                                     : QStandardPaths::GenericDataLocation))
        .filePath(QString::fromLatin1(app_id));
}

}  // namespace

QString user_config_folder()
{
    return per_user_folder(QStandardPaths::AppConfigLocation);
}

QString user_data_folder()
{
    return per_user_folder(QStandardPaths::AppDataLocation);
}

bool make_private_folder(const QString& folder)
{
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    QStringList missing;
    QString at = path;
    while (!at.isEmpty() && !QFileInfo(at).exists()) {
        missing.prepend(at);
        const QString up = QFileInfo(at).path();
        if (up == at)
            break;
        at = up;
    }
    for (const QString& dir : missing) {
        if (::mkdir(QFile::encodeName(dir).constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    if (!QFileInfo(path).isDir())
        return false;
    return ::chmod(QFile::encodeName(path).constData(), 0700) == 0;
}

QString program_folder()
{
    if (!folder_override().isEmpty())
        return folder_override();
    return QCoreApplication::applicationDirPath();
}

void set_program_folder_for_tests(const QString& folder)
{
    folder_override() = folder;
}

bool is_installed()
{
    const QString name = QString::fromLatin1(default_color_file_name);
    return !QFileInfo::exists(QDir(program_folder()).filePath(name))
        && QFileInfo::exists(QDir(installed_data_folder()).filePath(name));
}

QString shipped_file(const char* name)
{
    return QDir(is_installed() ? installed_data_folder() : program_folder()).filePath(QString::fromLatin1(name));
}

QString user_color_file()
{
    const QString name = QString::fromLatin1(user_color_file_name);
    if (!is_installed())
        return QDir(program_folder()).filePath(name);
    return QDir(user_config_folder()).filePath(name);
}

QString color_file_to_read()
{
    const QString user = user_color_file();
    return QFileInfo(user).isFile() ? user : shipped_file(default_color_file_name);
}

namespace {

// The demo's pictures go with the user's copy of it, into its picture folder
// beside it, where its records name them. A picture that cannot be copied is
// only missing, as any picture can be; one the user changed is left alone.
void copy_demo_pictures(const QString& folder)
{
    const QDir shipped(shipped_file(demo_pictures_folder_name));
    const QDir copies(QDir(folder).filePath(QString::fromLatin1(demo_pictures_folder_name)));
    if (!shipped.exists() || copies.exists() || !QDir().mkpath(copies.path()))
        return;
    for (const QString& name : shipped.entryList(QDir::Files))
        QFile::copy(shipped.filePath(name), copies.filePath(name));
}

}  // namespace

QString demo_database_path(QString* error)
{
    if (!is_installed())
        return QDir(program_folder()).filePath(QString::fromLatin1(demo_database_name));
    const QString folder = user_data_folder();
    const QString copy = QDir(folder).filePath(QString::fromLatin1(demo_database_name));
    if (QFileInfo::exists(copy)) {
        copy_demo_pictures(folder);
        return copy;
    }
    QString why;
    const QString shipped = shipped_file(demo_database_name);
    QFile source(shipped);
    if (!make_private_folder(folder)) {
        why = QStringLiteral("The folder %1 cannot be created.").arg(QDir::toNativeSeparators(folder));
    } else if (!source.copy(copy)) {
        why = source.errorString();
    } else {
        // The shipped file is read-only; the user's copy is the user's to change.
        QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);
        copy_demo_pictures(folder);
    }
    if (!why.isEmpty() && error)
        *error = QStringLiteral("The demo database could not be copied from %1 to %2: %3")
                     .arg(QDir::toNativeSeparators(shipped), QDir::toNativeSeparators(copy), why);
    return copy;
}

QString documents_folder()
{
    if (!is_installed())
        return program_folder();
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(docs).isDir() ? docs : QDir::homePath();
}

}  // namespace tessaran
