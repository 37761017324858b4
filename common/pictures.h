#pragma once
// Loading the pictures the programs show (backgrounds, photos, drawings)
// and writing a picture as JPEG for the HTML export.

#include <QImage>
#include <QString>
#include <optional>

// The picture in `file`, or nothing when the file is missing, cannot be
// read, or holds no picture. Every picture a child gives the programs comes
// through here: a phone photo is turned the way its orientation tag says,
// so it stands upright everywhere it is shown, printed or written out.
std::optional<QImage> loadPicture(const QString& file);

// True when `file` is a picture stored turned or mirrored (a phone photo
// with an orientation tag), so that a copy of its bytes would lie sideways.
bool isStoredTurned(const QString& file);

// Writes the picture of `bmpFile` as a JPEG at quality 100; false when the
// picture cannot be read or the file cannot be written.
bool SavetoJPEG(const QString& bmpFile, const QString& jpegFile);
