#pragma once
// The pages' explanatory diagrams, the placeholders, the small icons and the program icon.
#include <QImage>

namespace art {

// Everything the diagrams show is made from the same pieces: the default player, the
// sample photo and the light overlay.
struct DiagramParts {
    QImage player;  // 704 x 480
    QImage sample;  // the sunset photo
    QImage overlay; // light tab captions, 700 x 61
};

// The language of the words in a picture: the program's own Chinese, or its English translation.
enum class ArtLanguage { Chinese, English };

QImage DrawHeaderDiagram(const DiagramParts& parts, ArtLanguage language);   // 230 x 89
QImage DrawStretchDiagram(const DiagramParts& parts, ArtLanguage language);  // 223 x 96
QImage DrawFrameDiagram(const DiagramParts& parts, ArtLanguage language);    // 197 x 127
QImage DrawControlsDiagram(const DiagramParts& parts, ArtLanguage language); // 197 x 127
QImage DrawSaveDiagram(const DiagramParts& parts, ArtLanguage language);     // 185 x 128
QImage DrawCropPlaceholder(ArtLanguage language);                            // 349 x 221
QImage DrawPreviewPlaceholder(ArtLanguage language);                         // 704 x 149
// The small icons at scale 1 and, for screens of a device pixel ratio of 2, drawn again at twice the size.
QImage DrawHelpIcon(int scale = 1);    // 21 x 20 at scale 1
QImage DrawPaletteIcon(int scale = 1); // 18 x 18 at scale 1, transparent ground
QImage DrawAppIcon(int size);          // size x size, transparent ground
QByteArray AppIconSvg();               // the same icon, scalable

} // namespace art
