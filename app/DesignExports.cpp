#include "app/DesignExports.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include "app/FileSaving.h"
#include "app/TotalDisplay.h"
#include "catalogue/PartsList.h"
#include "catalogue/PartsListCsv.h"
#include "catalogue/PartsListHtml.h"
#include "catalogue/PartsListMarkdown.h"
#include "ui/Utf8Text.h"

namespace bw::app {
namespace {

using ui::text;
QByteArray bytesOf(const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

QImage imageOf(const Picture& picture) {
    if (picture.pixels.empty()) return {};
    // The picture's pixels are 0xAARRGGBB rows, as QImage's RGB32 holds them.
    return QImage(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width, picture.height,
                  QImage::Format_RGB32)
        .copy();
}

QByteArray pngOf(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return png;
}

QImage drawModel(const ExportSources& sources) {
    if (!sources.drawPicture) return {};
    const int width = std::clamp(sources.pictureWidth, 1, kLargestPictureWidth);
    const int height = std::clamp(sources.pictureHeight, 1, kLargestPictureHeight);
    return imageOf(sources.drawPicture(width, height));
}

// Letter where it is the usual paper, A4 elsewhere.
QPageSize paperFor(const QLocale& locale) {
    static const QList<QLocale::Territory> letter = {
        QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,    QLocale::Philippines,
        QLocale::Chile,        QLocale::Colombia,  QLocale::Venezuela, QLocale::CostaRica,
        QLocale::Guatemala,    QLocale::PuertoRico};
    return QPageSize(letter.contains(locale.territory()) ? QPageSize::Letter : QPageSize::A4);
}

// The report as a text document: title, the model, then the table, whose header row is
// repeated on every page the list runs onto.
QByteArray reportPdf(const catalogue::PartsList& list, const QString& title, const QImage& model,
                     const QLocale& locale) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Boardwright"));
    writer.setPageLayout(QPageLayout(paperFor(locale), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18)));
    writer.setResolution(144);

    QTextDocument document;
    document.setDefaultStyleSheet(QStringLiteral("th { background-color: #dde3ea; text-align: left; }"
                                                 "td, th { padding: 4px; }"
                                                 "tr.total td { font-weight: bold; }"));
    QString html = QStringLiteral("<h1>%1</h1>").arg(title.toHtmlEscaped());
    // Laid out in points, so that text has its printed size; print() scales to the writer.
    const QRectF page = writer.pageLayout().paintRect(QPageLayout::Point);
    if (!model.isNull()) {
        document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("model.png")), model);
        html +=
            QStringLiteral("<p><img src=\"model.png\" width=\"%1\"></p>").arg(static_cast<int>(page.width()));
    }
    html += QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\"><thead><tr>");
    for (std::string_view column : catalogue::kPartsListColumns)
        html += QStringLiteral("<th>%1</th>").arg(text(column).toHtmlEscaped());
    html += QStringLiteral("</tr></thead><tbody>");
    const auto addRow = [&html](const auto& cells, const QString& rowClass) {
        html +=
            rowClass.isEmpty() ? QStringLiteral("<tr>") : QStringLiteral("<tr class=\"%1\">").arg(rowClass);
        for (const auto& cell : cells)
            html += QStringLiteral("<td>%1</td>").arg(text(cell).toHtmlEscaped());
        html += QStringLiteral("</tr>");
    };
    for (const catalogue::PartsListRow& row : list.rows)
        addRow(catalogue::cellsOf(row), QString());
    addRow(catalogue::totalCells(list), QStringLiteral("total"));
    html += QStringLiteral("</tbody></table>");
    document.setHtml(html);
    document.setPageSize(page.size());
    document.print(&writer);
    return pdf;
}

} // namespace

std::optional<ExportFormat> exportFormatOf(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == "csv") return ExportFormat::Csv;
    if (suffix == "md" || suffix == "markdown") return ExportFormat::Markdown;
    if (suffix == "html" || suffix == "htm") return ExportFormat::Html;
    if (suffix == "png") return ExportFormat::Png;
    if (suffix == "pdf") return ExportFormat::Pdf;
    return std::nullopt;
}

ExportBytes exportBytes(ExportFormat format, const ExportSources& sources) {
    const catalogue::PartsList list =
        catalogue::partsListOf(*sources.store, sources.system, numberFormatOf(sources.locale));
    const QString title = sources.title.isEmpty() ? QStringLiteral("Parts list") : sources.title;
    switch (format) {
    case ExportFormat::Csv:
        return {bytesOf(catalogue::partsListCsv(list)), {}};
    case ExportFormat::Markdown:
        return {bytesOf(catalogue::partsListMarkdown(list)), {}};
    case ExportFormat::Html: {
        const QByteArray png = pngOf(drawModel(sources));
        return {bytesOf(catalogue::partsListHtml(
                    list, title.toStdString(),
                    std::string_view(png.constData(), static_cast<std::size_t>(png.size())))),
                {}};
    }
    case ExportFormat::Png: {
        const QByteArray png = pngOf(drawModel(sources));
        if (png.isEmpty()) return {{}, QStringLiteral("the model could not be drawn")};
        return {png, {}};
    }
    case ExportFormat::Pdf:
        break;
    }
    return {reportPdf(list, title, drawModel(sources), sources.locale), {}};
}

QString writeExport(const QString& file, const ExportSources& sources) {
    const std::optional<ExportFormat> format = exportFormatOf(file);
    if (!format) return QStringLiteral("the name does not end in .csv, .md, .html, .png or .pdf");
    const ExportBytes out = exportBytes(*format, sources);
    if (!out.failure.isEmpty()) return out.failure;
    const storage::Replacement written = replaceFile(file, out.bytes);
    return written.ok ? QString() : QString::fromStdString(written.error);
}

} // namespace bw::app
