// platform/manual/manual_pdf.cpp: manual_pdf OUT.pdf STYLE.css PAGE.html...: prints the user
// manual's pages, in the order given, into one PDF file, each page starting on a new sheet, with
// the style sheet the pages link to and their pictures found beside them. Part of the window
// layer, since it prints through Qt directly, but built only into this tool, never into the
// program. Exits with 1 when a page cannot be read or the PDF cannot be written.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>

#include <cstdio>

namespace {

/// What lies between <body> and </body> (the whole text when it has no body), without the
/// paragraphs of class "nav", which lead from page to page in a browser.
QString BodyOf(const QString& page)
{
    static const QRegularExpression body("<body[^>]*>(.*)</body>",
                                         QRegularExpression::DotMatchesEverythingOption |
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression nav("<p class=\"nav\">.*?</p>",
                                        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = body.match(page);
    QString text = match.hasMatch() ? match.captured(1) : page;
    return text.remove(nav);
}

bool ReadText(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: manual_pdf OUT.pdf STYLE.css PAGE.html...\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    QString style;
    if (!ReadText(QString::fromLocal8Bit(argv[2]), style)) {
        std::fprintf(stderr, "manual_pdf: cannot read %s\n", argv[2]);
        return 1;
    }
    QString html = "<html><body>";
    for (int i = 3; i < argc; ++i) {
        QString page;
        if (!ReadText(QString::fromLocal8Bit(argv[i]), page)) {
            std::fprintf(stderr, "manual_pdf: cannot read %s\n", argv[i]);
            return 1;
        }
        html += i == 3 ? "<div>" : "<div style=\"page-break-before: always\">";
        html += BodyOf(page) + "</div>";
    }
    html += "</body></html>";

    // The pages name their pictures relative to their folder; printing works on a copy of the
    // document that does not keep its base address, so the folder becomes the current one.
    const QString pdfPath = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    if (!QDir::setCurrent(QFileInfo(QString::fromLocal8Bit(argv[3])).absolutePath())) {
        std::fprintf(stderr, "manual_pdf: cannot enter the folder of %s\n", argv[3]);
        return 1;
    }
    QTextDocument document;
    document.setDefaultStyleSheet(style);
    QFont font("DejaVu Serif");
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setHtml(html);

    QPdfWriter writer(pdfPath);
    writer.setTitle("Ardenvel - User Manual");
    writer.setCreator("Ardenvel");
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter));
    writer.setResolution(300);
    document.print(&writer);
    if (!QFileInfo(pdfPath).size()) {
        std::fprintf(stderr, "manual_pdf: nothing was written to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
