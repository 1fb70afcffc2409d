#include "ui/qt/Skin.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QPixmap>
#include <memory>
#include <zip.h>

#include "ui/qt/Widgets.h"

namespace DuiLib::skin {

namespace {

QString g_folder;
QString g_archive;
// Skins do not change during a run. Kept past main: pixmaps must not outlive
// the application that is never destroyed.
auto& g_files = *new QHash<QString, QByteArray>;
auto& g_images = *new QHash<QString, QPixmap>; // only images the skin has
// Names the skin lacks, so that each is looked for once. Level badges are
// named from the network, so this memory is bounded: once full it starts over.
auto& g_missing = *new QSet<QString>;

void Forget()
{
    g_files.clear();
    g_images.clear();
    g_missing.clear();
}

void RememberMissing(const QString& name)
{
    if (g_missing.size() >= kRememberedMissingImages)
        g_missing.clear();
    g_missing.insert(name);
}

QString ArchivePath()
{
    // The archive sits beside the skin folder ("<dir>/skin" -> "<dir>/skin.zip").
    return QDir::cleanPath(g_folder + "/../" + g_archive);
}

bool ReadFromArchive(const QString& name, QByteArray& bytes)
{
    int error = 0;
    std::unique_ptr<zip_t, int (*)(zip_t*)> archive(
        zip_open(QFile::encodeName(ArchivePath()).constData(), ZIP_RDONLY, &error), zip_close);
    if (!archive)
        return false;
    zip_stat_t st;
    QByteArray entry = name.toUtf8();
    if (zip_stat(archive.get(), entry.constData(), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
        return false;
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen(archive.get(), entry.constData(), 0),
                                                           zip_fclose);
    if (!file || st.size > 64u * 1024 * 1024)
        return false;
    bytes.resize(static_cast<qsizetype>(st.size));
    return zip_fread(file.get(), bytes.data(), st.size) == static_cast<zip_int64_t>(st.size);
}

bool ReadFromFolder(const QString& name, QByteArray& bytes)
{
    QFile file(QDir(g_folder).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return true;
}

} // namespace

void SetFolder(const QString& folder)
{
    g_folder = folder;
    Forget();
}

void SetArchive(const QString& name)
{
    g_archive = name;
    Forget();
}

bool Read(const QString& name, QByteArray& bytes)
{
    auto it = g_files.constFind(name);
    if (it != g_files.constEnd()) {
        bytes = *it;
        return true;
    }
    bool ok = g_archive.isEmpty() ? ReadFromFolder(name, bytes) : ReadFromArchive(name, bytes);
    if (ok)
        g_files.insert(name, bytes);
    return ok;
}

int RememberedNames()
{
    return static_cast<int>(g_images.size() + g_missing.size());
}

} // namespace DuiLib::skin

namespace DuiLib {

QPixmap SkinImage(const QString& name)
{
    auto it = skin::g_images.constFind(name);
    if (it != skin::g_images.constEnd())
        return *it;
    QPixmap image;
    if (skin::g_missing.contains(name))
        return image;
    QByteArray bytes;
    if (skin::Read(name, bytes))
        image.loadFromData(bytes);
    if (image.isNull())
        skin::RememberMissing(name);
    else
        skin::g_images.insert(name, image);
    return image;
}

} // namespace DuiLib
