#ifndef PLOT_EXPORT_H
#define PLOT_EXPORT_H

// Taking a plot's picture out of the program: into a PNG or SVG file, or
// onto the clipboard.
#include <QByteArray>
#include <QString>

class PlotView;

enum class PictureFormat { png, svg };

// The picture as an SVG drawing of the view's size, drawn as the screen
// shows it.
QByteArray svgPicture(PlotView &view);

// Writes the picture to a file: a PNG of the device pixels on the screen,
// or an SVG drawing. Says why where it could not, else nothing.
QString savePicture(PlotView &view, const QString &path, PictureFormat format);

// Asks where to save the picture, saves it there and tells the user if
// that failed.
void askAndSave(PlotView &view, PictureFormat format);

// The picture onto the clipboard, as an image and as an SVG drawing.
void copyPicture(PlotView &view);

#endif
