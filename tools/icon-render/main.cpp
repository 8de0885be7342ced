// Renders the program icon as PNG files for the hicolor icon theme:
//   icon-render OUTDIR SIZE...  writes OUTDIR/SIZExSIZE/tarvok-pro.png
#include "ProgramIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fputs("usage: icon-render OUTDIR SIZE...\n", stderr);
        return 2;
    }
    for (const QString& word : args.mid(2)) {
        const int size = word.toInt();
        const QString folder = QStringLiteral("%1/%2x%2").arg(args[1]).arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        tarvok::paintProgramIcon(painter, size);
        painter.end();
        if (size <= 0 || !QDir().mkpath(folder) ||
            !image.save(folder + QStringLiteral("/tarvok-pro.png"))) {
            std::fprintf(stderr, "icon-render: cannot write size %s\n", qPrintable(word));
            return 1;
        }
    }
    return 0;
}
