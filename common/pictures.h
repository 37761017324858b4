#pragma once
// Loading the pictures the programs show (backgrounds, photos, drawings)
// and writing a picture as JPEG for the HTML export.

#include <QImage>
#include <QString>
#include <optional>

// The picture in `file`, or nothing when the file is missing, cannot be
// read, or holds no picture.
std::optional<QImage> loadPicture(const QString& file);

// Writes the picture of `bmpFile` as a JPEG at quality 100; false when the
// picture cannot be read or the file cannot be written.
bool SavetoJPEG(const QString& bmpFile, const QString& jpegFile);
