#pragma once
// LoadGraphicsFile: a picture file turned into a new pf24bit bitmap, for hosts and for
// the pictures of image shapes.
//
// The last three characters of the name, upper-cased, choose the reader: "BMP" (the BMP
// reader), "ICO" (the icon's entry nearest 32 x 32, over white), "JPG" or "PEG" (so
// ".jpeg" too; libjpeg, a file cut short decoded as far as it goes), "EMF" or "WMF" (the
// metafile played at its size, on white). Any other name is read by Qt's image readers
// (PNG, GIF and whatever plugins are installed; transparent pixels over white), and so is
// a file its named reader refuses (a PNG named ".bmp"). Every reader refuses a picture
// beyond the pixel limit before decoding it. A missing file, or one nothing decodes,
// gives the red-cross picture: 32 x 32 white pixels crossed by two red lines of width 3,
// from (2, 2) to (29, 29) and from (2, 29) to (29, 2).
#include "mycad_export.h"
#include "platform/Bitmap.h"

#include <QString>
#include <memory>

// Never null. Error (when given) is empty for a decoded file, else it says why the red
// cross stands in.
MYCAD_EXPORT std::unique_ptr<TBitmap> LoadGraphicsFile(const QString& FileName, QString* Error = nullptr);
// The picture that stands in for a missing or undecodable file.
MYCAD_EXPORT std::unique_ptr<TBitmap> RedCrossBitmap();
