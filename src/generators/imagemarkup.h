#pragma once

#include <QString>

namespace korvel {

// The field texts of the image dialog at OK. Coordinates are texts as typed; width and height
// are the decoded picture's size in pixels, 0 when no picture could be read.
struct ImageFields {
    QString source;  // the src value as it is to appear, unescaped
    int width = 0;
    int height = 0;
    QString alt;
    QString title;
    bool map = false;
    QString mapName;
    QString shape;  // "rect" or "circle"
    QString left;
    QString top;
    QString right;  // the radius for a circle
    QString bottom;
    QString href;
};

// Why the fields give no HTML.
enum class ImageProblem { None, NoSource, BadCoordinates };

ImageProblem imageProblem(const ImageFields &fields);

// The IMG element alone. The style with the pixel size is left out when the size is unknown,
// since a zero size would hide the picture.
QString imageTag(const ImageFields &fields);
// The IMG element with its one-area client-side map; empty when the coordinates do not fit
// the shape.
QString imageMapHtml(const ImageFields &fields);
// The dialog's result: the map form when the map is wanted, the plain element otherwise;
// empty whenever imageProblem() names a problem.
QString buildImageHtml(const ImageFields &fields);

// Half of a whole number with halves rounded to the even neighbour: 5 gives 2, 7 gives 4.
int halfRoundedEven(int value);

// The coordinates a slider position gives on a picture of the given size.
struct SliderArea {
    int left = 0;
    int top = 0;
    int right = 0;  // the radius for a circle
    int bottom = 0;
};
// Nothing changes for a shape other than "rect" and "circle"; returns false then.
bool sliderArea(const QString &shape, int position, int width, int height, SliderArea &area);
// How far the slider can go: the smaller side for a rectangle, half of it for a circle, so
// that the radius never turns negative.
int sliderMaximum(const QString &shape, int width, int height);

// A chosen file's name without its folder, percent-encoded like a relative path.
QString encodedFileName(const QString &path);

// A coordinate field's value: a whole number >= 0, blanks around it allowed; -1 otherwise.
int coordinateValue(const QString &text);

} // namespace korvel
