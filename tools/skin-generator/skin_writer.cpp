#include "skin_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

std::optional<QString> writeResourceList(const QDir& root, const std::vector<SkinPicture>& pictures) {
    QFile file(root.filePath("skins.qrc"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return "cannot write " + file.fileName() + ": " + file.errorString();
    QTextStream out(&file);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/skins\">\n";
    for (const SkinPicture& picture : pictures)
        out << "    <file>" << picture.path << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    return std::nullopt;
}

} // namespace

std::optional<QString> writeSkins(const QString& root, const std::vector<SkinPicture>& pictures) {
    const QDir dir(root);
    for (const SkinPicture& picture : pictures) {
        const QString target = dir.filePath(picture.path);
        if (!QDir().mkpath(QFileInfo(target).path()))
            return "cannot create the folder of " + target;
        if (!picture.image.save(target, "PNG"))
            return "cannot write " + target;
    }
    return writeResourceList(dir, pictures);
}
