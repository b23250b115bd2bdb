// The demo collection's pictures, drawn by the project itself: a kaleidoscope
// image for each picture the demo source names, the same image for the same
// name on every build.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace tessaran {

// A round kaleidoscope image of size x size pixels with points-fold mirror
// symmetry, its colours and shapes chosen by name.
QImage kaleidoscope_picture(const QString& name, int points, int size);

// A picture the demo source asks for: its path relative to the collection
// and the point symmetry of the kaleidoscope it shows.
struct DemoPicture {
    QString path;
    int points = 6;
};

// Every relative "image:" path of the demo source text, with the symmetry of
// its block ("symmetry: 8-point"; 6 where none is given). Absolute paths are
// the user's own and are skipped.
std::vector<DemoPicture> demo_pictures(const QString& source);

}  // namespace tessaran
