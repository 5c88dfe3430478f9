#include "plot_export.h"
#include "plot_view.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QImageWriter>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSvgGenerator>

namespace {

const char *const svgType = "image/svg+xml";

QString folderForPictures()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}

} // namespace

QByteArray svgPicture(PlotView &view)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(view.size());
    generator.setViewBox(QRect(QPoint(0, 0), view.size()));
    generator.setResolution(view.logicalDpiX());
    generator.setTitle(view.window()->windowTitle());
    QPainter painter(&generator);
    view.paintPicture(painter, view.size(), view.devicePixelRatioF());
    painter.end();
    return buffer.data();
}

QString savePicture(PlotView &view, const QString &path, PictureFormat format)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (format == PictureFormat::png) {
        QImageWriter writer(&file, "png");
        if (!writer.write(view.picture().toImage())) {
            file.cancelWriting();
            return writer.errorString();
        }
    } else {
        file.write(svgPicture(view));
    }
    return file.commit() ? QString() : file.errorString();
}

void askAndSave(PlotView &view, PictureFormat format)
{
    const bool png = format == PictureFormat::png;
    const QString suffix = png ? QStringLiteral("png") : QStringLiteral("svg");
    auto *dialog = new QFileDialog(view.window(), png ? QCoreApplication::translate("PlotExport", "Save as PNG") : QCoreApplication::translate("PlotExport", "Save as SVG"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilter(png ? QCoreApplication::translate("PlotExport", "PNG images (*.png)") : QCoreApplication::translate("PlotExport", "SVG drawings (*.svg)"));
    dialog->setDefaultSuffix(suffix);
    dialog->selectFile(QDir(folderForPictures()).filePath(view.pictureName() + '.' + suffix));
    // Tied to the view: a dialog outliving it saves nothing.
    QObject::connect(dialog, &QFileDialog::fileSelected, &view, [&view, format](const QString &path) {
        const QString error = savePicture(view, path, format);
        if (!error.isEmpty())
            QMessageBox::warning(view.window(), QCoreApplication::translate("PlotExport", "Picture Not Saved"),
                                 QCoreApplication::translate("PlotExport", "The picture could not be saved to %1: %2")
                                     .arg(QDir::toNativeSeparators(path), error));
    });
    dialog->open();
}

void copyPicture(PlotView &view)
{
    auto *data = new QMimeData;
    data->setImageData(view.picture().toImage());
    data->setData(QLatin1String(svgType), svgPicture(view));
    QApplication::clipboard()->setMimeData(data);
}
