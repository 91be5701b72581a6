// Draws the program's pictures at build time from assets/pictures/manifest.json:
//   zr35_picturegen <manifest> <app folder>
// writes <app folder>/Picture/<form>/<file>.png for every entry. Run on the offscreen platform.
#include "picturegen.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <QSaveFile>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "picturegen: %s\n", qPrintable(message));
    return 1;
}

bool isOpaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

bool readTheme(const QJsonObject &palette, Theme *theme, QString *error)
{
    const struct
    {
        const char *key;
        QColor Theme::*member;
    } roles[] = {{"base", &Theme::base},   {"surface", &Theme::surface}, {"raised", &Theme::raised},
                 {"edge", &Theme::edge},   {"accent", &Theme::accent},   {"text", &Theme::text},
                 {"muted", &Theme::muted}, {"warning", &Theme::warning}};
    for (const auto &role : roles) {
        const QColor colour(palette.value(QLatin1String(role.key)).toString());
        if (!colour.isValid()) {
            *error = QStringLiteral("palette colour \"%1\" missing or unreadable")
                         .arg(QLatin1String(role.key));
            return false;
        }
        theme->*role.member = colour;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return fail(QStringLiteral("usage: zr35_picturegen <manifest> <app folder>"));

    QFile file(args.at(1));
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(args.at(1)));
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject())
        return fail(QStringLiteral("manifest: %1").arg(parseError.errorString()));
    Theme theme;
    QString error;
    if (!readTheme(doc.object().value(QLatin1String("palette")).toObject(), &theme, &error))
        return fail(error);

    const QJsonArray pictures = doc.object().value(QLatin1String("pictures")).toArray();
    const QDir pictureRoot(args.at(2) + QStringLiteral("/Picture"));
    for (const QJsonValue &value : pictures) {
        const QJsonObject entry = value.toObject();
        const QString form = entry.value(QLatin1String("form")).toString();
        const QString name = entry.value(QLatin1String("file")).toString();
        const QJsonArray size = entry.value(QLatin1String("size")).toArray();
        const QString where = form + QLatin1Char('/') + name;
        if (form.isEmpty() || name.isEmpty() || size.size() != 2 || size.at(0).toInt() <= 0 ||
            size.at(1).toInt() <= 0)
            return fail(
                QStringLiteral("entry \"%1\": needs form, file and size [w, h]").arg(where));

        QImage image(size.at(0).toInt(), size.at(1).toInt(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            if (!drawPicture(painter, image.width(), image.height(), entry, theme, &error))
                return fail(QStringLiteral("entry \"%1\": %2").arg(where, error));
        }
        // A picture with no transparent pixel is stored without alpha: the program decodes a
        // quarter fewer bytes and paints it as an opaque pixmap (a copy, not a blend). The two
        // window backgrounds are the largest pictures it shows.
        if (isOpaque(image))
            image = image.convertToFormat(QImage::Format_RGB32);
        if (!pictureRoot.mkpath(form))
            return fail(QStringLiteral("cannot make %1").arg(pictureRoot.filePath(form)));
        // Whole files only: a build stopped half-way must not leave a cut picture behind. The
        // flush comes first: commit() would rename a file whose last bytes could not be written
        // (a full disk). The program's own writer does the same; this tool links none of it.
        QSaveFile out(pictureRoot.filePath(where + QStringLiteral(".png")));
        if (!out.open(QIODevice::WriteOnly) || !writePicture(&out, image) || !out.flush() ||
            !out.commit())
            return fail(QStringLiteral("cannot write %1").arg(out.fileName()));
    }
    return 0;
}
