#include "pictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

std::optional<QImage> loadPicture(const QString& file)
{
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return std::nullopt;
    // The content decides, not the name: a photo saved as ".bmp" that is
    // really a JPEG still shows.
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}

bool isStoredTurned(const QString& file)
{
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return false;
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    // The tag is read with the header; the picture itself is not decoded.
    return reader.canRead() && reader.transformation() != QImageIOHandler::TransformationNone;
}

bool SavetoJPEG(const QString& bmpFile, const QString& jpegFile)
{
    const std::optional<QImage> picture = loadPicture(bmpFile);
    if (!picture)
        return false;
    // Written beside and renamed at the end, so a failed write leaves no
    // half file.
    QSaveFile out(jpegFile);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (!picture->convertToFormat(QImage::Format_RGB888).save(&out, "JPEG", 100))
        return false;
    return out.commit();
}
