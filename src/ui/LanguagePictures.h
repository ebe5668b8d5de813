#pragma once
// Built-in pictures with words in them come in the language the program speaks.
#include <QString>

// The resource path of bitmap id in the installed translation's language
// (":/res/bitmap/<language>/<id>.bmp"), or an empty string when the program speaks Chinese or
// that language has no own version of the picture.
QString TranslatedBitmapPath(int id);

// The resource path of bitmap id to show: the translated one, else the Chinese original.
QString ShownBitmapPath(int id);
